#pragma once
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "scratch_folder.h"

namespace mascot::testing {

inline std::string FreshScratchFolder() { return ScratchFolder().string(); }

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ostringstream out;
  out << std::ifstream(path, std::ios::binary).rdbuf();
  return out.str();
}

}  // namespace mascot::testing
