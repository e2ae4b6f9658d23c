#pragma once
// Tiny writers for the picture files the reader tests need.
// Fields are written with designated initialisers that leave defaults out.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

namespace mascot::testing {

using Bytes = std::vector<std::uint8_t>;

inline void PutLe16(Bytes& b, std::initializer_list<unsigned> vs) {
  for (unsigned v : vs) b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
}
inline void PutLe32(Bytes& b, std::initializer_list<std::uint32_t> vs) {
  for (std::uint32_t v : vs) PutLe16(b, {v & 0xFFFF, v >> 16});
}
inline void PutBe16(Bytes& b, std::initializer_list<unsigned> vs) {
  for (unsigned v : vs) b.insert(b.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
}
inline void PutBe32(Bytes& b, std::uint32_t v) { PutBe16(b, {v >> 16, v & 0xFFFF}); }
inline void PutText(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }
inline void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// Writes the bytes to <scratch>/imaging/<folder>/<name> and returns the path.
inline std::string WriteScratch(const std::string& folder, const std::string& name, const Bytes& bytes) {
  std::filesystem::path dir = std::filesystem::path(MASCOT_TEST_SCRATCH) / "imaging" / folder;
  std::filesystem::create_directories(dir);
  std::filesystem::path path = dir / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

// ---- PCX ----
struct PcxFields {
  std::uint8_t version = 5;
  std::uint8_t bitsPerPlane = 8;
  std::uint8_t planes = 1;
  unsigned width = 1;
  unsigned height = 1;
  unsigned bytesPerLine = 2;
  Bytes palette = Bytes(48, 0);  // 16 header triples
};

// Every stretch of equal bytes as a run 0xC0 | count.
inline Bytes PcxEncode(const Bytes& line) {
  Bytes out;
  for (std::size_t i = 0, n = 1; i < line.size(); i += n, n = 1) {
    while (i + n < line.size() && line[i + n] == line[i] && n < 63) ++n;
    out.insert(out.end(), {std::uint8_t(0xC0 | n), line[i]});
  }
  return out;
}

inline Bytes MakePcx(const PcxFields& s, const std::vector<Bytes>& lines, const Bytes& endPalette = {}) {
  Bytes b = {10, s.version, 1, s.bitsPerPlane};
  PutLe16(b, {0, 0, s.width - 1, s.height - 1, 72, 72});
  Append(b, s.palette);
  b.insert(b.end(), {0, s.planes});
  PutLe16(b, {s.bytesPerLine});
  b.resize(128, 0);
  for (const Bytes& line : lines) Append(b, PcxEncode(line));
  if (!endPalette.empty()) {
    b.push_back(12);
    Append(b, endPalette);
  }
  return b;
}

// ---- IFF ----
inline Bytes Chunk(const std::string& id, const Bytes& body) {
  Bytes b;
  PutText(b, id);
  PutBe32(b, static_cast<std::uint32_t>(body.size()));
  Append(b, body);
  if (body.size() % 2) b.push_back(0);
  return b;
}

inline Bytes Form(const std::string& type, const std::vector<Bytes>& chunks) {
  Bytes body;
  PutText(body, type);
  for (const Bytes& c : chunks) Append(body, c);
  return Chunk("FORM", body);
}

inline Bytes Bmhd(unsigned w, unsigned h, unsigned planes, unsigned masking, unsigned compression) {
  Bytes b;
  PutBe16(b, {w, h, 0, 0});
  b.insert(b.end(), {std::uint8_t(planes), std::uint8_t(masking), std::uint8_t(compression), 0, 0, 0, 10, 11});
  PutBe16(b, {w, h});
  return Chunk("BMHD", b);
}

// ByteRun1 with every stretch of equal bytes as a run (a run of one is the
// same two bytes as a literal of one).
inline Bytes ByteRun1(const Bytes& in) {
  Bytes out;
  for (std::size_t i = 0, n = 1; i < in.size(); i += n, n = 1) {
    while (i + n < in.size() && in[i + n] == in[i] && n < 128) ++n;
    out.insert(out.end(), {std::uint8_t(1 - static_cast<int>(n)), in[i]});
  }
  return out;
}

// Planar rows of `pixels` (w x h indices): each plane's row bytes, then a
// mask row (all set) when `mask`.
inline Bytes IlbmBody(const Bytes& pixels, unsigned w, unsigned h, unsigned planes, bool mask, bool packed) {
  std::size_t rowBytes = ((w + 7) / 8 + 1) & ~1u;
  Bytes body;
  for (unsigned y = 0; y < h; ++y) {
    for (unsigned p = 0; p < planes + (mask ? 1 : 0); ++p) {
      Bytes row(rowBytes, 0);
      for (unsigned x = 0; x < w; ++x)
        if (p == planes || (pixels[y * w + x] >> p) & 1) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
      Append(body, packed ? ByteRun1(row) : row);
    }
  }
  return body;
}

// ---- BMP ----
struct BmpFields {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  unsigned bitCount = 8;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  Bytes table;           // entries as the header wants them (3 or 4 bytes)
  Bytes masks;           // 12 bytes of BI_BITFIELDS masks
  Bytes pixels;          // rows as stored, or RLE data
};

inline Bytes MakeBmp(const BmpFields& s) {
  Bytes header;
  PutLe32(header, {s.headerSize});
  auto w = static_cast<std::uint32_t>(s.width), h = static_cast<std::uint32_t>(s.height);
  if (s.headerSize == 12) {
    PutLe16(header, {w, h, 1, s.bitCount});
  } else {
    PutLe32(header, {w, h});
    PutLe16(header, {1, s.bitCount});
    PutLe32(header, {s.compression, static_cast<std::uint32_t>(s.pixels.size()), 2835, 2835, s.coloursUsed, 0});
    Append(header, s.headerSize > 40 && s.masks.empty() ? Bytes(12, 0) : s.masks);
    if (s.headerSize > 40) header.resize(s.headerSize, 0);
  }
  Bytes b = {'B', 'M'};
  auto offBits = static_cast<std::uint32_t>(14 + header.size() + s.table.size());
  PutLe32(b, {offBits + static_cast<std::uint32_t>(s.pixels.size()), 0, offBits});
  for (const Bytes* part : {&std::as_const(header), &s.table, &s.pixels}) Append(b, *part);
  return b;
}

}  // namespace mascot::testing
