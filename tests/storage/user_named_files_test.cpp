// Paths the user names (command line, second start, dialogs) may name
// anything: a pipe must neither freeze the program nor be taken for a file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "errors/system_error.h"
#include "scratch_folder.h"
#include "storage/config_file.h"
#include "storage/file_bytes.h"
#include "storage/file_info.h"
#include "storage/mascot_library.h"
#include "storage/resource_file_reader.h"
#include "storage/resource_file_writer.h"

namespace mascot {
namespace {

// Opens the pipe's other end if a reader is still waiting after a while, so
// that a blocking open fails the test instead of hanging it.
class PipeWatchdog {
 public:
  explicit PipeWatchdog(std::string path)
      : thread_([this, path = std::move(path)] {
          for (int i = 0; i < 100 && !done_; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
          if (done_) return;
          blocked_ = true;
          const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
          if (fd >= 0) ::close(fd);
        }) {}
  ~PipeWatchdog() { blocked(); }
  bool blocked() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
    return blocked_;
  }

 private:
  std::atomic<bool> done_{false};
  std::atomic<bool> blocked_{false};
  std::thread thread_;
};

TEST(UserNamedFiles, APipeIsRefusedWithoutWaiting) {
  const std::string pipe = (testing::ScratchFolder() / "fox.mascot").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const ErrorCode notAFile = CrtErrorCode(EINVAL);

  struct Case {
    const char* name;
    std::function<bool()> opens;  // true when the reader took the pipe for a file
    bool setsError;
  };
  const Case cases[] = {
      {"ReadWholeFile", [&] { return ReadWholeFile(pipe).has_value(); }, true},
      {"ReadFileStart", [&] { return ReadFileStart(pipe, 16).has_value(); }, true},
      {"LastWriteTime", [&] { std::uint64_t time = 0; return LastWriteTime(pipe, time); }, false},
      {"IdentifyMascotFile", [&] { return IdentifyMascotFile(pipe) != kUnknownFile; }, false},
      {"ConfigFile", [&] { ConfigFile file; return file.Open(pipe, "Test", true); }, true},
      {"ResourceFileReader", [&] { ResourceFileReader reader; return reader.Open(pipe); }, true},
      {"ResourceFileWriter adding", [&] { ResourceFileWriter writer; return writer.Open(pipe, false); }, true},
  };
  for (const Case& c : cases) {
    SetLastSystemError(0);
    PipeWatchdog watchdog(pipe);
    EXPECT_FALSE(c.opens()) << c.name;
    EXPECT_FALSE(watchdog.blocked()) << c.name << " waited on the pipe";
    if (c.setsError) {
      EXPECT_EQ(LastSystemError(), notAFile) << c.name;
    }
  }
  struct stat st {};
  ASSERT_EQ(lstat(pipe.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "nothing replaced the pipe";
}

TEST(UserNamedFiles, AFolderIsNotAFile) {
  const std::string folder = testing::ScratchFolder().string();
  EXPECT_FALSE(ReadWholeFile(folder));
  EXPECT_EQ(LastSystemError(), CrtErrorCode(EISDIR));
  ResourceFileReader reader;
  EXPECT_FALSE(reader.Open(folder));
  EXPECT_EQ(reader.LastErrorCode(), CrtErrorCode(EISDIR));
}

}  // namespace
}  // namespace mascot
