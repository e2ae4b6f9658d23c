#pragma once
#include <string_view>

namespace mascot {

// A file descriptor that is closed with its holder.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor();

  bool isOpen() const { return fd_ >= 0; }
  int get() const { return fd_; }
  int release();

 private:
  int fd_ = -1;
};

// Opens a file that the user named for reading. The open never waits (a
// named pipe without a writer would block it for good) and anything but a
// regular file is refused: a folder with EISDIR, a pipe, socket or device
// with EINVAL. On failure the descriptor is not open and the last system
// error says why.
FileDescriptor OpenRegularFile(std::string_view path);

}  // namespace mascot
