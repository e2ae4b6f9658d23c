#include "errors/message_table.h"

#include <algorithm>
#include <iterator>

namespace mascot {
namespace {

struct MessageEntry {
  ErrorCode code;
  const char* text;
};

// Sorted by code.
constexpr MessageEntry kMessages[] = {
    {0x200003E8, "No error\r\n"},
    {0xE00003E9, "FileSystem version is newer than supported version\r\n"},
    {0xE00003EA, "A header is corrupted, rendering a file inaccessible\r\n"},
    {0xE00003EB, "A sector number is out of bounds\r\n"},
    {0xE00003EC, "The file is too large to store with the current sector size\r\n"},
    {0xE00003ED, "The file system is not initialized\r\n"},
    {0xE00003EE, "The file is not a recognized FileSystem file.\r\n"},
    {0xE00003EF, "A file in the system came up short on a read (possibly due to a corrupted FileSystem file).\r\n"},
    {0xE00005DC, "Internal error: data pointer or size value is 0.\r\n"},
    {0xE00005DD, "Failed CRC checksum validation possibly due to a corrupted file.\r\n"},
    {0xE00007D0, "File is not a recognized QVR resource file.\r\n"},
    {0xE00009C4, "Encountered End of file unexpectedly possibly due to corrupted file.\r\n"},
    {0xE0000A28, "No error occurred.\r\n"},
    {0xE0000A29, "An unspecified error occurred.\r\n"},
    {0xE0000A2A, "The file could not be located.\r\n"},
    {0xE0000A2B, "All or part of the path is invalid.\r\n"},
    {0xE0000A2C, "The permitted number of open files was exceeded.\r\n"},
    {0xE0000A2D, "The file could not be accessed.\r\n"},
    {0xE0000A2E, "There was an attempt to use an invalid file handle.\r\n"},
    {0xE0000A2F, "The current working directory cannot be removed.\r\n"},
    {0xE0000A30, "There are no more directory entries.\r\n"},
    {0xE0000A31, "There was an error trying to set the file pointer.\r\n"},
    {0xE0000A32, "There was a hardware error.\r\n"},
    {0xE0000A33, "SHARE.EXE was not loaded, or a shared region was locked.\r\n"},
    {0xE0000A34, "There was an attempt to lock a region that was already locked.\r\n"},
    {0xE0000A35, "The disk is full.\r\n"},
    {0xE0000A36, "The end of file was reached. \r\n"},
    {0xE0000AF0, "No error occurred.\r\n"},
    {0xE0000AF2, "No such file or directory\r\n"},
    {0xE0000AF7, "Argument list too long\r\n"},
    {0xE0000AF8, "Exec format error\r\n"},
    {0xE0000AF9, "Bad file number\r\n"},
    {0xE0000AFA, "No spawned processes\r\n"},
    {0xE0000AFB, "No more processes or not enough memory or maximum nesting level reached\r\n"},
    {0xE0000AFC, "Not enough memory\r\n"},
    {0xE0000AFD, "Permission denied\r\n"},
    {0xE0000B01, "File exists\r\n"},
    {0xE0000B02, "Cross-device link\r\n"},
    {0xE0000B06, "Invalid argument\r\n"},
    {0xE0000B08, "Too many open files\r\n"},
    {0xE0000B0C, "No space left on device\r\n"},
    {0xE0000B11, "Math argument\r\n"},
    {0xE0000B12, "Result too large\r\n"},
    {0xE0000B14, "Resource deadlock would occur\r\n"},
    {0xE0000B54, "The file's %1 format is not supported by this program (which can only support up to %2).\r\n"},
};

}  // namespace

const char* FindProgramMessage(ErrorCode code) {
  auto it = std::lower_bound(std::begin(kMessages), std::end(kMessages), code,
                             [](const MessageEntry& e, ErrorCode c) { return e.code < c; });
  return it != std::end(kMessages) && it->code == code ? it->text : nullptr;
}

}  // namespace mascot
