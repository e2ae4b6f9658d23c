#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace mascot::testing {

// A fresh, empty folder for the running test alone: ctest runs test cases
// as parallel processes, so no two cases may share one.
inline std::filesystem::path ScratchFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (c == '/') c = '_';
  auto dir = std::filesystem::path(MASCOT_TEST_SCRATCH) / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace mascot::testing
