#include "errors/error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "errors/message_table.h"
#include "errors/system_error.h"

namespace mascot {
namespace {

TEST(ErrorText, ComposesNumberStageFileAndMessage) {
  EXPECT_EQ(ErrorText("Saving", "", 0xE0000AFD), "Error (2813)! Saving - Permission denied\r\n");
  EXPECT_EQ(ErrorText("Opening", "C:\\m\\cat.mascot", 0xE00007D0),
            "Error (2000)! Opening \"C:\\m\\cat.mascot\" - File is not a recognized QVR resource file.\r\n");
  EXPECT_EQ(ErrorText("", "", 0xE00005DD),
            "Error (1501)! - Failed CRC checksum validation possibly due to a corrupted file.\r\n");
  EXPECT_EQ(ErrorText("", "", kNoCodeNumber), "Error! - <NO ERROR MESSAGE AVALABLE>");
}

TEST(ErrorText, FillsInsertsOnlyWhenGiven) {
  EXPECT_EQ(ErrorText("Opening", "", kErrUnsupportedFormat, {"v2.0", "v1.2"}),
            "Error (2900)! Opening - The file's v2.0 format is not supported by this program "
            "(which can only support up to v1.2).\r\n");
  EXPECT_NE(ErrorText("", "", kErrUnsupportedFormat).find("%1 format"), std::string::npos);
}

TEST(ErrorText, CodeZeroMeansTheThreadsLastSystemError) {
  SetLastSystemError(0xE0000AFD);
  EXPECT_EQ(ErrorText("Saving", "", 0), "Error (2813)! Saving - Permission denied\r\n");
  std::thread([] {
    EXPECT_EQ(LastSystemError(), 0u);
    SetLastSystemError(0xE00005DD);
  }).join();
  EXPECT_EQ(LastSystemError(), 0xE0000AFDu);
}

TEST(ErrorText, UnknownCodesHaveNoMessageInBothCompositions) {
  EXPECT_EQ(ErrorText("Loading", "x", 0xE0001234), "Error (4660)! Loading \"x\" - <NO ERROR MESSAGE AVALABLE>");
  EXPECT_EQ(DescribeErrorText("Loading", "x", 0xE0001234),
            "Win32 Error (3758101044)! Loading \"x\": <NO ERROR MESSAGE AVALABLE>\n");
}

TEST(DescribeError, NamesTheSourceAndTrimsTheMessage) {
  EXPECT_EQ(DescribeErrorText("Opening resource file header", "/m/cat.mascot", ENOENT),
            "Win32 Error (2)! Opening resource file header \"/m/cat.mascot\": No such file or directory\n");
  // Program codes show the message number and the program's own name.
  EXPECT_EQ(DescribeErrorText("Validating CRC on resource file", "f", kErrCrcMismatch),
            "Test_errors Error (1501)! Validating CRC on resource file \"f\": "
            "Failed CRC checksum validation possibly due to a corrupted file.\n");
  EXPECT_EQ(DescribeErrorText("", "", kNoCodeNumber), "Win32 Error!: <NO ERROR MESSAGE AVALABLE>\n");
}

TEST(CrtErrors, UseTheTablesErrnoNumbers) {
  EXPECT_EQ(CrtErrorCode(ENOENT), 0xE0000AF2u);
  EXPECT_EQ(CrtErrorCode(EACCES), 0xE0000AFDu);
  // Linux numbers EDEADLK 35; the table has it at 36.
  EXPECT_EQ(CrtErrorCode(EDEADLK), 0xE0000B14u);
  EXPECT_EQ(ErrorText("", "", CrtErrorCode(EDEADLK)), "Error (2836)! - Resource deadlock would occur\r\n");
  // Codes the table lacks take the C library's text.
  EXPECT_EQ(ErrorText("Reading", "", CrtErrorCode(EIO)), "Error (2805)! Reading - Input/output error\r\n");
  EXPECT_EQ(ErrorText("", "", CrtErrorCode(ENAMETOOLONG)), "Error (2838)! - File name too long\r\n");

  // Linux errors the table has no number for keep the platform's own code
  // and text; they never take the text of a table number they happen to share.
  struct Case {
    int value;
    const char* text;
  };
  for (const Case& c : {Case{EDQUOT, "Disk quota exceeded"}, Case{EALREADY, "Operation already in progress"},
                        Case{ELOOP, "Too many levels of symbolic links"}, Case{ENOMSG, "No message of desired type"}}) {
    EXPECT_EQ(ErrorText("Saving", "", CrtErrorCode(c.value)),
              "Error (" + std::to_string(c.value) + ")! Saving - " + c.text + "\r\n")
        << c.text;
  }
  EXPECT_EQ(ErrorText("", "", kErrCrtBase + 122), "Error (2922)! - <NO ERROR MESSAGE AVALABLE>");

  SetLastSystemError(7);
  SetLastErrorFromErrno(0);
  EXPECT_EQ(LastSystemError(), 7u);
  SetLastErrorFromErrno(ENOSPC);
  EXPECT_EQ(LastSystemError(), 0xE0000B0Cu);
}

TEST(MessageTable, EveryTextEndsWithCrLf) {
  int found = 0;
  for (ErrorCode code = 0; code < 0x10000; ++code) {
    for (ErrorCode high : {0x20000000u, 0xE0000000u}) {
      if (const char* text = FindProgramMessage(high | code)) {
        ++found;
        std::string s(text);
        EXPECT_GE(s.size(), 3u);
        EXPECT_EQ(s.substr(s.size() - 2), "\r\n") << (high | code);
      }
    }
  }
  EXPECT_EQ(found, 45);
}

TEST(LastErrorText, IsProcessWide) {
  SetLastErrorText("Error (2000)! Opening - x\r\n");
  std::string seen;
  std::thread([&] { seen = GetLastErrorText(); }).join();
  EXPECT_EQ(seen, "Error (2000)! Opening - x\r\n");
}

}  // namespace
}  // namespace mascot
