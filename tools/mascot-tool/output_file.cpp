#include "output_file.h"

#include <cerrno>
#include <cstdio>

#include "errors/system_error.h"
#include "storage/paths.h"
#include "storage/replacement_file.h"

namespace mascot::tool {

bool WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) {
  ReplacementFile file(NativePath(path));
  if (!file.isReady()) return false;
  std::FILE* out = std::fopen(file.path().c_str(), "wb");
  if (!out) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  int writeErrno = errno;
  if (std::fclose(out) != 0 && written) {
    written = false;
    writeErrno = errno;
  }
  if (!written) {
    SetLastErrorFromErrno(writeErrno);
    return false;
  }
  return file.commit();
}

bool WriteWholeFile(std::string_view path, std::string_view text) {
  return WriteWholeFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace mascot::tool
