#pragma once
#include <string>

namespace mascot {

// A file written beside its target and moved over it only once it is whole,
// so that a failed or interrupted write never destroys the previous file.
// The temporary file is removed unless commit() succeeded.
class ReplacementFile {
 public:
  explicit ReplacementFile(std::string target);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // False (with the last system error set) when no temporary file could be
  // made in the target's folder.
  bool isReady() const { return !tempPath_.empty(); }
  // The temporary file to write; it exists, empty, once the object is ready.
  const std::string& path() const { return tempPath_; }
  // The file replaced: the target after following symbolic links, so that
  // a link stays a link.
  const std::string& target() const { return target_; }

  // Copies the target's current bytes into the temporary file (for edits
  // that add to an existing file). False when the target cannot be read.
  bool copyFromTarget();

  // Flushes the temporary file to disk and renames it over the target, with
  // the target's permissions (new files get the usual ones). Sets the last
  // system error on failure.
  bool commit();

 private:
  std::string target_;
  std::string tempPath_;
  bool committed_ = false;
};

}  // namespace mascot
