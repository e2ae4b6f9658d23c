#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include "errors/program_path.h"
#include "storage/config_test_files.h"
#include "storage/error_log.h"

namespace mascot {
namespace {

TEST(ErrorLog, AppendsTimeStampedLinesBesideTheProgram) {
  std::string path = ErrorLogPath();
  ASSERT_EQ(path, ProgramPath() + ".elog");
  std::size_t before = testing::ReadBytes(path).size();  // the log only grows
  AppendToErrorLog("C:\\m\\cat.mascot", "Opening", 0xE00007D0);
  AppendToErrorLog("", "", 2);
  std::istringstream added(testing::ReadBytes(path).substr(before));

  // "Saturday, December 05, 2026 15:47:21 UTC - " and the described error.
  for (std::string expected : {"Test_storage Error (2000)! Opening \"C:\\m\\cat.mascot\": "
                               "File is not a recognized QVR resource file.",
                               "Win32 Error (2)!: No such file or directory"}) {
    std::string line;
    ASSERT_TRUE(std::getline(added, line));
    std::tm time{};
    const char* zone = strptime(line.c_str(), "%A, %B %d, %Y %H:%M:%S ", &time);
    ASSERT_NE(zone, nullptr) << line;
    std::string rest = zone;
    EXPECT_GT(rest.find(" - "), 0u) << "no time zone: " << line;
    EXPECT_EQ(rest.substr(rest.find(" - ") + 3), expected);
  }
  EXPECT_TRUE(added.peek() == EOF);
}

}  // namespace
}  // namespace mascot
