#pragma once
// The program keeps its settings beside itself, where every desktop test
// runs it: a test that lets it write them puts back whatever was there.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace mascot::testing {

class KeptSettings {
 public:
  explicit KeptSettings(std::filesystem::path path) : path_(std::move(path)) {
    std::ifstream in{path_, std::ios::binary};
    if (in) previous_ = std::string(std::istreambuf_iterator<char>(in), {});
  }
  void restore() const {
    if (!previous_) std::filesystem::remove(path_);
    else std::ofstream(path_, std::ios::binary | std::ios::trunc) << *previous_;
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::optional<std::string> previous_;
};

}  // namespace mascot::testing
