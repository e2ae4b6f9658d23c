#include <gtest/gtest.h>

#include "commands/command_line.h"

#include <filesystem>

namespace mascot {
namespace {

struct SplitCase {
  const char* text;
  std::vector<std::string> arguments;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAsTheShellDoes) {
  EXPECT_EQ(SplitCommandLine(GetParam().text), GetParam().arguments) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(SplitCase{"", {}}, SplitCase{" \t ", {}},
                      SplitCase{"-e", {"-e"}},
                      SplitCase{"  a\tb  c ", {"a", "b", "c"}},
                      SplitCase{R"("C:\My Mascots\fox.mascot" second)", {R"(C:\My Mascots\fox.mascot)", "second"}},
                      SplitCase{R"("")", {""}},
                      SplitCase{R"(a"b c"d e)", {"ab cd", "e"}},
                      // A quoted argument closes and a later quote reopens it.
                      SplitCase{R"("a b"c" d")", {"a bc d"}},
                      SplitCase{R"(say\"hi\" x)", {R"(say"hi")", "x"}},
                      SplitCase{R"("a \"b\" c")", {R"(a "b" c)"}},
                      // Two backslashes keep the quote a quote: one backslash stays.
                      SplitCase{R"(a\\"b c" d)", {R"(a\b c)", "d"}},
                      SplitCase{R"(a\b\ c\)", {R"(a\b\)", R"(c\)"}},
                      SplitCase{R"("unterminated arg)", {"unterminated arg"}},
                      SplitCase{R"(\")", {"\""}}));

// The running instance has its own working folder: a path typed in a
// terminal must reach it whole.
TEST(ForwardedArgumentTest, PathsTravelAbsolute) {
  const std::string here = std::filesystem::current_path().string();
  EXPECT_EQ(ForwardedArgument("./pip.mascot"), here + "/pip.mascot");
  EXPECT_EQ(ForwardedArgument("work/../fun.wmascot"), here + "/fun.wmascot");
  EXPECT_EQ(ForwardedArgument("/home/u/pip.mascot"), "/home/u/pip.mascot");
  EXPECT_EQ(ForwardedArgument("-e"), "-e");
  EXPECT_EQ(ForwardedArgument("-E"), "-E");
}

}  // namespace
}  // namespace mascot
