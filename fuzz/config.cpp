// Reads arbitrary bytes as a configuration file, then checks that writing
// what was read and reading it back gives the same sections and entries.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "storage/config_file.h"

namespace {

std::string g_folder;

void RemoveTempFolder() {
  unlink((g_folder + "/input.ini").c_str());
  unlink((g_folder + "/copy.ini").c_str());
  rmdir(g_folder.c_str());
}

// Every save is flushed to disk; a memory file system keeps that cheap.
const std::string& TempFolder() {
  if (g_folder.empty()) {
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/fuzz-config-XXXXXX"
                                                        : "/tmp/fuzz-config-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) abort();
    g_folder = pattern;
    atexit(RemoveTempFolder);
  }
  return g_folder;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) abort();
  if (size != 0 && std::fwrite(data, 1, size, file) != size) abort();
  std::fclose(file);
}

void Check(bool condition) {
  if (!condition) abort();
}

void WalkAccessors(const mascot::ConfigFile& config) {
  for (const auto& [name, section] : config.sections()) {
    Check(config.GetSection(section.name) == &section);
    for (const auto& [key, entry] : section.entries) {
      Check(config.GetString(section.name, entry.key, "-") == entry.value);
      (void)config.GetInt(section.name, entry.key, 7);
      (void)config.GetBool(section.name, entry.key, true);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input = TempFolder() + "/input.ini";
  const std::string copy = TempFolder() + "/copy.ini";
  WriteFile(input, data, size);

  mascot::ConfigFile original;
  original.Open(input, "", true);
  WalkAccessors(original);

  unlink(copy.c_str());
  {
    mascot::ConfigFile writer;
    Check(writer.Open(copy, "Fuzz", false));
    for (const auto& [name, section] : original.sections())
      for (const auto& [key, entry] : section.entries)
        writer.SetString(section.name, entry.key, entry.value, entry.comment);
    Check(writer.Flush());
  }

  mascot::ConfigFile reread;
  bool loaded = reread.Open(copy, "", true);
  Check(loaded == !original.sections().empty());
  Check(reread.sections().size() == original.sections().size());
  auto a = original.sections().begin();
  auto b = reread.sections().begin();
  for (; a != original.sections().end(); ++a, ++b) {
    Check(a->second.name == b->second.name);
    Check(a->second.entries.size() == b->second.entries.size());
    auto x = a->second.entries.begin();
    auto y = b->second.entries.begin();
    for (; x != a->second.entries.end(); ++x, ++y) {
      Check(x->second.key == y->second.key);
      Check(x->second.value == y->second.value);
      Check(x->second.comment == y->second.comment);
    }
  }
  return 0;
}
