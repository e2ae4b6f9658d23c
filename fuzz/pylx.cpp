// Feeds arbitrary bytes to the reader of "*.pylx" resource files through a
// file, and builds a mascot from whatever keys come out. The import folder
// holds two small pictures, a.xpm and b.xpm, for the keys to name.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "import/pylx_mascot_builder.h"
#include "import/pylx_resource_file.h"
#include "scratch_file.h"

namespace {

char importFolder[] = "/tmp/fuzz_pylx_pictures_XXXXXX";

const char* ImportFolder() {
  static const bool made = [] {
    if (!mkdtemp(importFolder)) return false;
    const std::string folder = importFolder;
    std::ofstream(folder + "/a.xpm") << "\"3 2 2 1\",\n\". c None\",\n\"x c red\",\n\".x.\",\n\"xxx\",\n";
    std::ofstream(folder + "/b.xpm") << "\"2 1 1 1\",\n\"o c #00FF00\",\n\"oo\",\n";
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(importFolder, ignored);
    });
    return true;
  }();
  return made ? importFolder : "/nonexistent";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = fuzz::WriteScratch(data, size);

  mascot::PylxResourceFile resources;
  if (mascot::ReadPylxResourceFile(path, resources)) {
    mascot::ResetPylxImportState();
    mascot::BuildMascotFromPylx(resources, ImportFolder());
  }
  return 0;
}
