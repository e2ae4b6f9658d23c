#include "import/xpm_reader.h"

#include <cerrno>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "storage/file_bytes.h"
#include "import/xpm_colour_line.h"

namespace mascot {
namespace {

using ColourMap = std::map<std::string, std::int32_t>;  // byte order of the keys

// The quoted strings of the file: per line, the text between its first and
// its last double quote. One string read ahead can be pushed back.
class QuotedStrings {
 public:
  explicit QuotedStrings(std::string_view text) : text_(text) {}

  std::optional<std::string_view> next() {
    if (pushedBack_) return std::exchange(pushedBack_, std::nullopt);
    while (position_ < text_.size()) {
      std::size_t end = text_.find('\n', position_);
      if (end == std::string_view::npos) end = text_.size();
      const std::string_view line = text_.substr(position_, end - position_);
      position_ = end + 1 < text_.size() ? end + 1 : text_.size();
      const std::size_t first = line.find('"');
      const std::size_t last = line.rfind('"');
      if (first != std::string_view::npos && last != first) return line.substr(first + 1, last - first - 1);
    }
    return std::nullopt;
  }

  void pushBack(std::string_view text) { pushedBack_ = text; }

  // An upper bound on what the rest of the file can hold.
  std::uint64_t bytesLeft() const { return text_.size() - position_ + (pushedBack_ ? pushedBack_->size() : 0); }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  std::optional<std::string_view> pushedBack_;
};

struct XpmValues {
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  std::uint64_t colourCount = 0;
  std::uint64_t charsPerPixel = 0;
};

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Width, height, colour count and characters per pixel, separated by white
// space; anything after the fourth number is ignored.
std::optional<XpmValues> ParseValuesLine(std::string_view line) {
  constexpr std::uint64_t kTooLarge = 1'000'000'000;
  std::uint64_t numbers[4] = {};
  std::size_t at = 0;
  for (std::uint64_t& number : numbers) {
    while (at < line.size() && IsCSpace(line[at])) ++at;
    if (at == line.size() || line[at] < '0' || line[at] > '9') return std::nullopt;
    for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at)
      if (number < kTooLarge) number = number * 10 + static_cast<std::uint64_t>(line[at] - '0');
  }
  return XpmValues{numbers[0], numbers[1], numbers[2], numbers[3]};
}

bool Fail(ErrorCode code) {
  SetLastSystemError(code);
  return false;
}

// Reads the colour lines into the map and gives the transparent colour its
// value: the smallest positive one that no colour has.
bool ReadColourMap(QuotedStrings& strings, const XpmValues& values, ColourMap& colours,
                   std::int32_t& transparency) {
  std::optional<std::string> lastUnknownKey;
  for (std::uint64_t i = 0; i < values.colourCount; ++i) {
    const std::optional<std::string_view> line = strings.next();
    if (!line || line->empty()) return Fail(kErrUnexpectedEnd);
    std::optional<XpmColourLine> parsed = ParseXpmColourLine(*line, values.charsPerPixel);
    if (!parsed) continue;
    if (parsed->colour == kUnknownXpmColour) lastUnknownKey = parsed->key;
    colours[std::move(parsed->key)] = parsed->colour;
  }

  std::unordered_set<std::int32_t> used;
  for (const auto& [key, colour] : colours) used.insert(colour);
  transparency = 1;
  while (used.count(transparency) != 0) ++transparency;
  colours[lastUnknownKey ? *lastUnknownKey : std::string("bad")] = transparency;
  return true;
}

RgbQuad QuadOf(std::int32_t colour) {
  const auto value = static_cast<std::uint32_t>(colour);
  return RgbQuad{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                 static_cast<std::uint8_t>(value), 0};
}

std::uint32_t Rgb24(std::int32_t colour) { return static_cast<std::uint32_t>(colour) & 0xFFFFFF; }

// Pixel keys and their colours, and for 8 bits the table index of each colour.
class PixelColours {
 public:
  PixelColours(const ColourMap& colours, std::size_t charsPerPixel) : charsPerPixel_(charsPerPixel) {
    std::uint32_t index = 0;
    for (const auto& [key, colour] : colours) {
      byKey_.emplace(key, colour);
      indexByColour_.emplace(Rgb24(colour), static_cast<std::uint8_t>(index++));
    }
  }

  // The colour of the pixel at the start of text; a key the map lacks is colour 0.
  std::int32_t colourAt(std::string_view text) const {
    auto found = byKey_.find(text.substr(0, charsPerPixel_));
    return found == byKey_.end() ? 0 : found->second;
  }

  // The first table entry of the same red, green and blue; 0 when none.
  std::uint8_t indexOf(std::int32_t colour) const {
    auto found = indexByColour_.find(Rgb24(colour));
    return found == indexByColour_.end() ? 0 : found->second;
  }

 private:
  std::size_t charsPerPixel_;
  std::unordered_map<std::string_view, std::int32_t> byKey_;  // views of the map's keys
  std::unordered_map<std::uint32_t, std::uint8_t> indexByColour_;
};

void PutPixel32(std::uint8_t* at, std::int32_t colour) {
  const RgbQuad quad = QuadOf(colour);
  at[0] = quad.blue;
  at[1] = quad.green;
  at[2] = quad.red;
  at[3] = 0;
}

bool ReadPixels(QuotedStrings& strings, const XpmValues& values, const PixelColours& pixels,
                std::int32_t padding, Bitmap& bitmap) {
  const std::size_t width = values.width;
  const std::size_t cpp = values.charsPerPixel;
  const bool indexed = bitmap.bitsPerPixel() == 8;
  const std::uint8_t paddingIndex = pixels.indexOf(padding);
  for (int y = 0; y < bitmap.height(); ++y) {
    const std::optional<std::string_view> text = strings.next();
    if (!text || text->size() < width * cpp) return Fail(kErrUnexpectedEnd);
    std::uint8_t* row = bitmap.row(y);
    if (indexed) {
      for (std::size_t x = 0; x < width; ++x) row[x] = pixels.indexOf(pixels.colourAt(text->substr(x * cpp)));
      for (std::size_t x = width; x < bitmap.stride(); ++x) row[x] = paddingIndex;
    } else {
      for (std::size_t x = 0; x < width; ++x) PutPixel32(row + 4 * x, pixels.colourAt(text->substr(x * cpp)));
      for (std::size_t x = width; x < bitmap.stride() / 4; ++x) PutPixel32(row + 4 * x, padding);
    }
  }
  return true;
}

}  // namespace

SharedHandle<Bitmap> DecodeXpm(std::string_view text) {
  QuotedStrings strings(text);
  const std::optional<std::string_view> valuesLine = strings.next();
  if (!valuesLine || valuesLine->empty()) {
    Fail(kErrUnexpectedEnd);
    return nullptr;
  }
  const std::optional<XpmValues> values = ParseValuesLine(*valuesLine);
  if (!values || values->width < 1 || values->height < 1 || values->charsPerPixel < 1 ||
      values->width > static_cast<std::uint64_t>(Bitmap::kMaxSide) ||
      values->height > static_cast<std::uint64_t>(Bitmap::kMaxSide)) {
    SetLastErrorFromErrno(EINVAL);
    return nullptr;
  }
  // One line per colour, and per row a line of width x cpp characters: a
  // file too short for that cannot be this picture.
  if (values->colourCount > strings.bytesLeft() ||
      values->height * (values->width * values->charsPerPixel + 2) > strings.bytesLeft()) {
    Fail(kErrUnexpectedEnd);
    return nullptr;
  }

  ColourMap colours;
  std::int32_t transparency = 0;
  if (!ReadColourMap(strings, *values, colours, transparency)) return nullptr;

  const int bitsPerPixel = colours.size() <= 256 ? 8 : 32;
  const int paddedWidth = static_cast<int>((values->width + 3) / 4 * 4);
  std::shared_ptr<Bitmap> bitmap = Bitmap::Create(paddedWidth, static_cast<int>(values->height), bitsPerPixel);
  if (!bitmap) {
    SetLastErrorFromErrno(ENOMEM);
    return nullptr;
  }
  if (bitsPerPixel == 8)
    for (const auto& [key, colour] : colours) bitmap->colourTable().push_back(QuadOf(colour));

  const PixelColours pixels(colours, values->charsPerPixel);
  std::int32_t padding = transparency;
  auto bad = colours.find("bad");
  if (bad != colours.end() && bad->second != 0) {
    if (std::optional<std::string_view> first = strings.next()) {
      padding = pixels.colourAt(*first);
      strings.pushBack(*first);
    }
  }
  if (!ReadPixels(strings, *values, pixels, padding, *bitmap)) return nullptr;
  return bitmap;
}

namespace {

std::map<std::string, SharedHandle<Bitmap>>& LoadedXpms() {
  static std::map<std::string, SharedHandle<Bitmap>> cache;
  return cache;
}

}  // namespace

SharedHandle<Bitmap> LoadXpm(std::string_view path) {
  auto& cache = LoadedXpms();
  auto cached = cache.find(std::string(path));
  if (cached != cache.end()) return cached->second;
  auto bytes = ReadWholeFile(path, kMaxXpmFileSize);
  if (!bytes) return nullptr;
  SharedHandle<Bitmap> bitmap =
      DecodeXpm(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  if (bitmap) cache.emplace(std::string(path), bitmap);
  return bitmap;
}

void ForgetLoadedXpms() { LoadedXpms().clear(); }

}  // namespace mascot
