#include "import/xpm_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "imaging/picture_budget.h"
#include "storage/file_bytes.h"
#include "import/xpm_colour_line.h"

namespace mascot {
namespace {

// Pixel keys and their colours in the byte order of the keys. Kept compact
// (the keys back to back, a small entry each): a file of a few megabytes can
// hold millions of colour lines, and a tree node per line would cost some
// hundred bytes each.
class ColourMap {
 public:
  void reserve(std::size_t entries, std::size_t keyBytes) {
    entries_.reserve(entries);
    keys_.reserve(keyBytes);
  }

  // Lines are added in file order; a later line with the same key wins.
  void add(std::string_view key, std::int32_t colour) {
    entries_.push_back({static_cast<std::uint32_t>(keys_.size()), static_cast<std::uint32_t>(key.size()), colour});
    keys_.append(key);
  }

  // Sorts by key and keeps the last line of each key; call after the adds.
  void finish() {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [this](const Entry& a, const Entry& b) { return keyOf(a) < keyOf(b); });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (kept != 0 && keyOf(entries_[kept - 1]) == keyOf(entries_[i]))
        entries_[kept - 1] = entries_[i];
      else
        entries_[kept++] = entries_[i];
    }
    entries_.resize(kept);
  }

  // Sets a key's colour, adding the key in its place when it is new.
  void set(std::string_view key, std::int32_t colour) {
    auto at = lowerBound(key);
    if (at != entries_.end() && keyOf(*at) == key) {
      at->colour = colour;
      return;
    }
    entries_.insert(at, Entry{static_cast<std::uint32_t>(keys_.size()), static_cast<std::uint32_t>(key.size()), colour});
    keys_.append(key);
  }

  std::optional<std::int32_t> find(std::string_view key) const {
    auto at = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [this](const Entry& e, std::string_view k) { return keyOf(e) < k; });
    if (at == entries_.end() || keyOf(*at) != key) return std::nullopt;
    return at->colour;
  }

  std::size_t size() const { return entries_.size(); }
  // The colours in key order.
  template <typename Visit>
  void forEachColour(Visit visit) const {
    for (const Entry& entry : entries_) visit(entry.colour);
  }

 private:
  // Keys come from a file of at most kMaxXpmFileSize bytes.
  struct Entry {
    std::uint32_t offset;
    std::uint32_t length;
    std::int32_t colour;
  };

  std::string_view keyOf(const Entry& e) const { return std::string_view(keys_).substr(e.offset, e.length); }
  std::vector<Entry>::iterator lowerBound(std::string_view key) {
    return std::lower_bound(entries_.begin(), entries_.end(), key,
                            [this](const Entry& e, std::string_view k) { return keyOf(e) < k; });
  }

  std::string keys_;
  std::vector<Entry> entries_;
};

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

// The smallest positive value that no colour has: at most one more than
// their number.
std::int32_t FreeColourValue(const ColourMap& colours) {
  std::vector<bool> taken(colours.size() + 2, false);
  colours.forEachColour([&](std::int32_t colour) {
    if (colour > 0 && static_cast<std::size_t>(colour) < taken.size()) taken[static_cast<std::size_t>(colour)] = true;
  });
  std::int32_t value = 1;
  while (taken[static_cast<std::size_t>(value)]) ++value;
  return value;
}

// Reads the colour lines into the map and gives the transparent colour its
// value: the smallest positive one that no colour has.
bool ReadColourMap(QuotedStrings& strings, const XpmValues& values, ColourMap& colours,
                   std::int32_t& transparency) {
  // Room for the lines that can be there: a line that adds a colour holds
  // its key, one more character, two quotes and a line break.
  const std::uint64_t room = std::min(values.colourCount, strings.bytesLeft() / (values.charsPerPixel + 3));
  colours.reserve(static_cast<std::size_t>(room), static_cast<std::size_t>(room * values.charsPerPixel));
  std::optional<std::string> lastUnknownKey;
  for (std::uint64_t i = 0; i < values.colourCount; ++i) {
    const std::optional<std::string_view> line = strings.next();
    if (!line || line->empty()) return Fail(kErrUnexpectedEnd);
    std::optional<XpmColourLine> parsed = ParseXpmColourLine(*line, values.charsPerPixel);
    if (!parsed) continue;
    if (parsed->colour == kUnknownXpmColour) lastUnknownKey = parsed->key;
    colours.add(parsed->key, parsed->colour);
  }
  colours.finish();
  transparency = FreeColourValue(colours);
  colours.set(lastUnknownKey ? *lastUnknownKey : std::string("bad"), transparency);
  return true;
}

RgbQuad QuadOf(std::int32_t colour) {
  const auto value = static_cast<std::uint32_t>(colour);
  return RgbQuad{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                 static_cast<std::uint8_t>(value), 0};
}

std::uint32_t Rgb24(std::int32_t colour) { return static_cast<std::uint32_t>(colour) & 0xFFFFFF; }

// The colours of pixel keys, and for 8 bits the table index of each colour.
class PixelColours {
 public:
  PixelColours(const ColourMap& colours, std::size_t charsPerPixel, bool indexed)
      : colours_(colours), charsPerPixel_(charsPerPixel) {
    if (!indexed) return;
    std::uint32_t index = 0;
    colours.forEachColour([&](std::int32_t colour) {
      indexByColour_.emplace(Rgb24(colour), static_cast<std::uint8_t>(index++));
    });
  }

  // The colour of the pixel at the start of text; a key the map lacks is colour 0.
  std::int32_t colourAt(std::string_view text) const {
    return colours_.find(text.substr(0, charsPerPixel_)).value_or(0);
  }

  // The first table entry of the same red, green and blue; 0 when none.
  std::uint8_t indexOf(std::int32_t colour) const {
    auto found = indexByColour_.find(Rgb24(colour));
    return found == indexByColour_.end() ? 0 : found->second;
  }

 private:
  const ColourMap& colours_;
  std::size_t charsPerPixel_;
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
  const int paddedWidth = static_cast<int>((values->width + 3) / 4 * 4);
  if (!FitsPictureBudget(static_cast<std::uint32_t>(paddedWidth), static_cast<std::uint32_t>(values->height)) ||
      values->colourCount > kMaxPicturePixels) {
    SetLastSystemError(PictureTooLargeError());
    return nullptr;
  }
  if (values->colourCount > strings.bytesLeft() ||
      values->height * (values->width * values->charsPerPixel + 2) > strings.bytesLeft()) {
    Fail(kErrUnexpectedEnd);
    return nullptr;
  }

  ColourMap colours;
  std::int32_t transparency = 0;
  if (!ReadColourMap(strings, *values, colours, transparency)) return nullptr;

  const int bitsPerPixel = colours.size() <= 256 ? 8 : 32;
  std::shared_ptr<Bitmap> bitmap = Bitmap::Create(paddedWidth, static_cast<int>(values->height), bitsPerPixel);
  if (!bitmap) {
    SetLastErrorFromErrno(ENOMEM);
    return nullptr;
  }
  if (bitsPerPixel == 8)
    colours.forEachColour([&](std::int32_t colour) { bitmap->colourTable().push_back(QuadOf(colour)); });

  const PixelColours pixels(colours, values->charsPerPixel, bitsPerPixel == 8);
  std::int32_t padding = transparency;
  const std::optional<std::int32_t> bad = colours.find("bad");
  if (bad && *bad != 0) {
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
