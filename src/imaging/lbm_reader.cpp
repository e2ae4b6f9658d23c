#include "imaging/lbm_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "imaging/byte_order.h"
#include "imaging/picture_budget.h"
#include "storage/file_bytes.h"

namespace mascot {
namespace {

constexpr std::uint32_t Id(const char (&text)[5]) {
  return (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) << 24) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 16) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 8) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3]));
}

constexpr std::uint32_t kForm = Id("FORM");
constexpr std::uint32_t kIlbm = Id("ILBM");
constexpr std::uint32_t kPbm = Id("PBM ");
constexpr std::uint32_t kAnim = Id("ANIM");
constexpr std::uint32_t kBmhd = Id("BMHD");
constexpr std::uint32_t kCmap = Id("CMAP");
constexpr std::uint32_t kCrng = Id("CRNG");
constexpr std::uint32_t kBody = Id("BODY");

constexpr std::uint8_t kMaskingHasMask = 1;
constexpr std::uint8_t kCompressionByteRun1 = 1;
// Nested FORMs deeper than this are skipped: an ANIM needs one level.
constexpr int kMaxFormDepth = 8;
// Planes beyond this describe no picture the program can show.
constexpr int kMaxPlanes = 32;

bool KnownFormType(std::uint32_t type) { return type == kIlbm || type == kPbm || type == kAnim; }

// The least number of ByteRun1 bytes that can produce `count` bytes.
std::uint64_t MinByteRun1Size(std::uint64_t count) { return 2 * ((count + 127) / 128); }

class LbmReader {
 public:
  LbmReader(std::span<const std::uint8_t> file, ImageFile& imageFile, int mode, std::uint8_t* headerOut)
      : file_(file), imageFile_(imageFile), mode_(mode), headerOut_(headerOut) {}

  int read() {
    if (file_.size() < 12) return ShortRead();
    formId_ = ReadBe32(file_.data());
    formSize_ = ReadBe32(file_.data() + 4);
    formType_ = ReadBe32(file_.data() + 8);
    if (formId_ != kForm || !KnownFormType(formType_)) return BadFile();
    return walk(12, 8 + static_cast<std::uint64_t>(formSize_), formType_, 0);
  }

  bool sawHeader() const { return sawHeader_; }

 private:
  static int ShortRead() {
    SetLastSystemError(kErrUnexpectedEnd);
    return kLbmShortRead;
  }
  static int BadFile(ErrorCode reason = CrtErrorCode(EINVAL)) {
    SetLastSystemError(reason);
    return kLbmBadFile;
  }

  bool inFile(std::uint64_t offset, std::uint64_t size) const {
    return offset <= file_.size() && size <= file_.size() - offset;
  }

  // Walks the chunks of one FORM from `position` to `end`.
  int walk(std::uint64_t position, std::uint64_t end, std::uint32_t formType, int depth) {
    while (position < end && end - position >= 8) {
      if (!inFile(position, 8)) return ShortRead();
      std::uint32_t id = ReadBe32(file_.data() + position);
      std::uint32_t size = ReadBe32(file_.data() + position + 4);
      std::uint64_t start = position + 8;
      if (int result = onChunk(id, start, size, formType, depth); result != kLbmOk) return result;
      position = start + size + (size & 1);
    }
    return kLbmOk;
  }

  int onChunk(std::uint32_t id, std::uint64_t start, std::uint32_t size, std::uint32_t formType, int depth) {
    if (id == kForm && depth < kMaxFormDepth) return onNestedForm(start, size, depth);
    if (id == kBmhd) return onBmhd(start, size, formType);
    if (mode_ == kLbmHeaderOnly) return kLbmOk;
    if (id == kCrng) return onCrng(start, size);
    // Later pictures of an animation leave the first one alone.
    if (pictureDone_) return kLbmOk;
    if (id == kCmap) return onCmap(start, size);
    if (id == kBody) return onBody(start, size);
    return kLbmOk;
  }

  int onNestedForm(std::uint64_t start, std::uint32_t size, int depth) {
    if (size < 4 || !inFile(start, 4)) return ShortRead();
    std::uint32_t type = ReadBe32(file_.data() + start);
    if (!KnownFormType(type)) return BadFile();
    return walk(start + 4, start + size, type, depth + 1);
  }

  int onBmhd(std::uint64_t start, std::uint32_t size, std::uint32_t formType) {
    if (size < kBmhdSize || !inFile(start, kBmhdSize)) return ShortRead();
    const std::uint8_t* bytes = file_.data() + start;
    if (mode_ == kLbmHeaderOnly) {
      // The first picture's header is the one that counts.
      if (!sawHeader_ && headerOut_) std::memcpy(headerOut_, bytes, kBmhdSize);
      sawHeader_ = true;
      return kLbmOk;
    }
    if (pictureDone_) return kLbmOk;
    // Only noted: the picture is made when its BODY comes, so that a file of
    // repeated headers costs no more than one picture.
    LbmBitmapHeader header = DecodeBmhd(bytes);
    chunky_ = formType == kPbm;
    if (int result = checkHeader(header, start + size); result != kLbmOk) return result;
    header_ = header;
    sawHeader_ = true;
    return kLbmOk;
  }

  // Refuses sizes the program cannot show and pictures whose body cannot fit
  // in what follows the header, before any pixels are allocated.
  int checkHeader(const LbmBitmapHeader& header, std::uint64_t headerEnd) const {
    if (header.width == 0 || header.height == 0 || header.width > Bitmap::kMaxSide ||
        header.height > Bitmap::kMaxSide)
      return BadFile();
    bool packed = header.compression == kCompressionByteRun1;
    std::uint64_t rowUnits;
    std::uint64_t rowBytes;
    if (chunky_) {
      rowBytes = (header.width + 1u) & ~1u;
      rowUnits = header.height;
    } else {
      if (header.planes == 0 || header.planes > kMaxPlanes) return BadFile();
      if (header.compression > kCompressionByteRun1) return BadFile();
      rowBytes = (((header.width + 7u) / 8u) + 1u) & ~1u;
      std::uint64_t planes = header.planes + (header.masking == kMaskingHasMask ? 1u : 0u);
      rowUnits = static_cast<std::uint64_t>(header.height) * planes;
    }
    std::uint64_t least = rowUnits * (packed ? MinByteRun1Size(rowBytes) : rowBytes);
    std::uint64_t available = headerEnd <= file_.size() ? file_.size() - headerEnd : 0;
    if (least > available) return ShortRead();
    if (!FitsPictureBudget(header.width, header.height)) return BadFile(PictureTooLargeError());
    return kLbmOk;
  }

  int onCmap(std::uint64_t start, std::uint32_t size) {
    int count = static_cast<int>(std::min<std::uint32_t>(size / 3, ImagePalette::kMaxColours));
    if (!inFile(start, static_cast<std::uint64_t>(count) * 3)) return ShortRead();
    imageFile_.palette().setColoursFromTriples(file_.data() + start, count);
    return kLbmOk;
  }

  int onCrng(std::uint64_t start, std::uint32_t size) {
    if (size < 8 || !inFile(start, 8)) return ShortRead();
    const std::uint8_t* bytes = file_.data() + start;
    std::uint16_t rate = ReadBe16(bytes + 2);
    std::uint16_t flags = ReadBe16(bytes + 4);
    ColourRange range;
    range.low = bytes[6];
    range.high = bytes[7];
    bool active = range.low != range.high && rate != 0 && flags <= 3;
    range.rate = active ? static_cast<std::uint8_t>((static_cast<std::uint32_t>(rate) * 125) / 2048) : 0;
    range.direction = (flags & 2) ? -1 : 1;
    imageFile_.palette().addRange(range);
    return kLbmOk;
  }

  int onBody(std::uint64_t start, std::uint32_t size) {
    // A body without a header before it has no picture to go into.
    if (!header_) return BadFile();
    if (!inFile(start, size)) return ShortRead();
    imageFile_.NewImage(header_->width, header_->height, 8);
    imageFile_.setBitsPerPixel(header_->planes);
    if (!imageFile_.image() || !imageFile_.image()->IsValid()) return BadFile(CrtErrorCode(ENOMEM));
    std::span<const std::uint8_t> body = file_.subspan(start, size);
    ImageBuffer& image = *imageFile_.image();
    std::uint8_t* bits = image.LockWrite();
    bool decoded = chunky_ ? decodeChunky(body, bits, image.stride()) : decodePlanar(body, bits, image.stride());
    image.UnlockWrite();
    if (!decoded) return ShortRead();
    pictureDone_ = true;
    return kLbmOk;
  }

  // Reads one row of `count` bytes, packed or raw.
  bool readRow(std::span<const std::uint8_t> body, std::size_t& position, std::uint8_t* out, std::size_t count) {
    if (header_->compression == kCompressionByteRun1) return UnpackByteRun1(body, position, out, count);
    if (!RangeInside(position, count, body.size())) return false;
    std::memcpy(out, body.data() + position, count);
    position += count;
    return true;
  }

  void buildExpansionTable() {
    expansion_.resize(2048);
    for (int value = 0; value < 256; ++value)
      for (int bit = 0; bit < 8; ++bit) expansion_[value * 8 + bit] = (value >> (7 - bit)) & 1;
  }

  bool decodePlanar(std::span<const std::uint8_t> body, std::uint8_t* bits, std::uint32_t stride) {
    const std::uint32_t width = header_->width;
    const std::size_t rowBytes = (((width + 7u) / 8u) + 1u) & ~1u;
    buildExpansionTable();
    rowBuffer_.assign(rowBytes, 0);
    std::size_t position = 0;
    std::uint8_t padding = 0;
    bool ok = true;
    for (std::uint32_t y = 0; ok && y < header_->height; ++y) {
      std::uint8_t* row = bits + static_cast<std::size_t>(stride) * y;
      std::memset(row, 0, width);
      for (int plane = 0; ok && plane < header_->planes; ++plane) {
        ok = readRow(body, position, rowBuffer_.data(), rowBytes);
        if (ok && plane < 8) {
          for (std::uint32_t x = 0; x < width; ++x)
            row[x] |= static_cast<std::uint8_t>(expansion_[rowBuffer_[x >> 3] * 8 + (x & 7)] << plane);
        }
      }
      if (ok && header_->masking == kMaskingHasMask) ok = readRow(body, position, rowBuffer_.data(), rowBytes);
      if (y == 0) padding = row[0];
      if (stride > width) std::memset(row + width, padding, stride - width);
    }
    expansion_.clear();
    expansion_.shrink_to_fit();
    return ok;
  }

  bool decodeChunky(std::span<const std::uint8_t> body, std::uint8_t* bits, std::uint32_t stride) {
    const std::size_t rowBytes = std::min<std::size_t>((header_->width + 1u) & ~1u, stride);
    std::size_t position = 0;
    std::uint8_t padding = 0;
    for (std::uint32_t y = 0; y < header_->height; ++y) {
      std::uint8_t* row = bits + static_cast<std::size_t>(stride) * y;
      if (!readRow(body, position, row, rowBytes)) return false;
      if (y == 0) padding = row[0];
      if (stride > rowBytes) std::memset(row + rowBytes, padding, stride - rowBytes);
    }
    return true;
  }

  std::span<const std::uint8_t> file_;
  ImageFile& imageFile_;
  int mode_;
  std::uint8_t* headerOut_;
  std::uint32_t formId_ = 0;
  std::uint32_t formSize_ = 0;
  std::uint32_t formType_ = 0;
  std::optional<LbmBitmapHeader> header_;
  bool chunky_ = false;
  bool sawHeader_ = false;
  bool pictureDone_ = false;
  std::vector<std::uint8_t> expansion_;
  std::vector<std::uint8_t> rowBuffer_;
};

}  // namespace

LbmBitmapHeader DecodeBmhd(const std::uint8_t* bytes) {
  LbmBitmapHeader h;
  h.width = ReadBe16(bytes);
  h.height = ReadBe16(bytes + 2);
  h.x = ReadBeI16(bytes + 4);
  h.y = ReadBeI16(bytes + 6);
  h.planes = bytes[8];
  h.masking = bytes[9];
  h.compression = bytes[10];
  h.pad = bytes[11];
  h.transparentColour = ReadBe16(bytes + 12);
  h.xAspect = bytes[14];
  h.yAspect = bytes[15];
  h.pageWidth = ReadBeI16(bytes + 16);
  h.pageHeight = ReadBeI16(bytes + 18);
  return h;
}

bool UnpackByteRun1(std::span<const std::uint8_t> in, std::size_t& position, std::uint8_t* out,
                    std::size_t count) {
  std::size_t produced = 0;
  while (produced < count) {
    if (position >= in.size()) return false;
    auto n = static_cast<std::int8_t>(in[position++]);
    if (n == -128) continue;
    if (n < 0) {
      if (position >= in.size()) return false;
      std::uint8_t value = in[position++];
      std::size_t run = std::min<std::size_t>(1 - n, count - produced);
      std::memset(out + produced, value, run);
      produced += run;
    } else {
      std::size_t literal = static_cast<std::size_t>(n) + 1;
      if (!RangeInside(position, literal, in.size())) return false;
      std::size_t kept = std::min(literal, count - produced);
      std::memcpy(out + produced, in.data() + position, kept);
      position += literal;
      produced += kept;
    }
  }
  return true;
}

int ReadLbmBytes(std::span<const std::uint8_t> file, ImageFile& imageFile, int mode, std::uint8_t* headerOut,
                 bool* sawHeader) {
  LbmReader reader(file, imageFile, mode, headerOut);
  int result = reader.read();
  if (sawHeader) *sawHeader = reader.sawHeader();
  return result;
}

int ReadLbm(std::string_view fileName, ImageFile& imageFile, int mode, std::uint8_t* headerOut) {
  std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(fileName);
  if (!bytes) return kLbmBadFile;
  return ReadLbmBytes(*bytes, imageFile, mode, headerOut);
}

}  // namespace mascot
