#include "help/help_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "errors/error_text.h"
#include "help/help_html.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

constexpr char kGood[] =
    "TOVRA MASCOT HELP 1\r\n"
    "# a remark\r\n"
    "@topic contents Welcome\r\n"
    "First line\r\n"
    "  runs on.\r\n"
    "\r\n"
    "== Using it\r\n"
    "* Item with [[0502]] and\r\n"
    "[[files|the files]].\r\n"
    "* Second\r\n"
    "@topic 502 Preferences & more\r\n"
    "@topic files File types\r\n"
    "See [[contents]].\r\n"
    "@popup 103 1000\r\n"
    "One\r\n"
    "line.\r\n"
    "\r\n"
    "Two.\r\n";

TEST(HelpFile, ReadsTopicsBlocksLinksAndPopups) {
  HelpFile file;
  ASSERT_TRUE(file.parse(kGood, "x.hlp")) << GetLastErrorText();
  ASSERT_EQ(file.topics().size(), 3u);
  const HelpTopic* contents = file.contents();
  ASSERT_NE(contents, nullptr);
  EXPECT_EQ(contents->title, "Welcome");
  ASSERT_EQ(contents->blocks.size(), 4u);
  EXPECT_EQ(contents->blocks[0].kind, HelpBlockKind::kParagraph);
  EXPECT_EQ(contents->blocks[0].spans[0].text, "First line runs on.");
  EXPECT_EQ(contents->blocks[1].kind, HelpBlockKind::kHeading);
  const HelpBlock& item = contents->blocks[2];
  EXPECT_EQ(item.kind, HelpBlockKind::kItem);
  ASSERT_EQ(item.spans.size(), 5u);
  EXPECT_EQ(item.spans[1].link, "502");  // leading zeros dropped
  EXPECT_EQ(item.spans[1].text, "");
  EXPECT_EQ(item.spans[2].text, " and ");
  EXPECT_EQ(item.spans[3].link, "files");
  EXPECT_EQ(item.spans[3].text, "the files");
  EXPECT_EQ(contents->blocks[3].spans[0].text, "Second");

  ASSERT_NE(file.contextTopic(502), nullptr);
  EXPECT_EQ(file.contextTopic(502)->title, "Preferences & more");
  EXPECT_EQ(file.contextTopic(501), nullptr);
  ASSERT_NE(file.popupText(103, 1000), nullptr);
  EXPECT_EQ(*file.popupText(103, 1000), "One line.\nTwo.");
  EXPECT_EQ(file.popupText(103, 1007), nullptr);

  const std::string html = TopicHtml(file, *contents);
  EXPECT_NE(html.find("<li>Item with <a href=\"topic:502\">Preferences &amp; more</a> and "
                      "<a href=\"topic:files\">the files</a>.</li>\n<li>Second</li>\n</ul>"),
            std::string::npos)
      << html;
}

TEST(HelpFile, RefusesBrokenTextWithTheLineThatBrokeIt) {
  const std::string top = "TOVRA MASCOT HELP 1\n@topic contents C\n";
  const struct {
    std::string text;
    const char* fault;
  } cases[] = {
      {"", "line 1: the file does not begin with"},
      {"TOVRA MASCOT HELPER 1\n@topic contents C\n", "line 1: the file does not begin"},
      {"TOVRA MASCOT HELP 2\n@topic contents C\n", "line 1: format version 2 is newer"},
      {"TOVRA MASCOT HELP 0\n", "line 1: the format version is not a number"},
      {"TOVRA MASCOT HELP 1\nhello\n@topic contents C\n", "line 2: text stands before"},
      {top + "@topics x Y\n", "line 3: unknown line \"@topics\""},
      {top + "@topic other\n", "line 3: a topic needs a key and a title"},
      {top + "@topic Other T\n", "line 3: \"Other\" is not a topic key"},
      {top + "@topic 4294967296 T\n", "is not a topic key"},
      {top + "@topic 0contents T\n", "is not a topic key"},
      {top + "@topic 01 A\n@topic 1 B\n", "line 4: the topic \"1\" is there twice"},
      {top + "@popup 103 70000\nx\n", "line 3: a pop-up needs a dialog number and a control number"},
      {top + "@popup 103 1 2\nx\n", "a pop-up needs"},
      {top + "@popup 103 1\nx\n@popup 103 1\ny\n", "line 5: the pop-up of control 1 in dialog 103 is there twice"},
      {top + "@popup 103 1\n\n# nothing\n@topic a A\n", "line 3: the pop-up has no text"},
      {top + "see [[contents|the\nstart]] and [[b\n", "line 3: a link is not closed"},
      {top + "x\n\nsee [[nowhere]]\n", "line 5: the link to \"nowhere\" leads to no topic"},
      {top + "see [[|label]]\n", "line 3: a link to \"\", which is not a topic key"},
      {top + "==\n", "line 3: a heading has no text"},
      {"TOVRA MASCOT HELP 1\n@topic 1 A\n", "the file has no \"contents\" topic"},
      // Each bare link shows a whole title: a small file must not make a huge page.
      {top + [] { std::string links; for (int i = 0; i < 21000; ++i) links += "[[contents]] "; return links; }(),
       "the links would show more than 4 MiB of text"},
  };
  for (const auto& c : cases) {
    HelpFile file;
    ASSERT_TRUE(file.parse(top, "first.hlp"));
    EXPECT_FALSE(file.parse(c.text, "bad.hlp")) << c.text;
    EXPECT_TRUE(file.empty()) << c.text;
    const std::string error = GetLastErrorText();
    EXPECT_EQ(error.rfind("Error! Reading help file \"bad.hlp\" - ", 0), 0u) << error;
    EXPECT_NE(error.find(c.fault), std::string::npos) << c.text << "\n" << error;
  }
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(HelpFile, ReadsFilesWithinTheSizeCapInEitherEncoding) {
  const auto folder = testing::ScratchFolder();
  HelpFile file;

  const std::string missing = (folder / "none.hlp").string();
  EXPECT_FALSE(file.read(missing));
  EXPECT_EQ(GetLastErrorText(),
            "Error (2802)! Opening help file \"" + missing + "\" - No such file or directory\r\n");

  // Made on the old platform: "Café" in Windows-1252.
  const auto old = folder / "old.hlp";
  WriteBytes(old, "TOVRA MASCOT HELP 1\n@topic contents Caf\xE9\n");
  ASSERT_TRUE(file.read(old.string())) << GetLastErrorText();
  EXPECT_EQ(file.contents()->title, "Caf\xC3\xA9");

  const std::string body = "TOVRA MASCOT HELP 1\n@topic contents C\n";
  const auto large = folder / "large.hlp";
  WriteBytes(large, body + std::string(HelpFile::kMaxFileSize - body.size(), '\n'));
  EXPECT_TRUE(file.read(large.string())) << GetLastErrorText();
  WriteBytes(large, body + std::string(HelpFile::kMaxFileSize - body.size() + 1, '\n'));
  EXPECT_FALSE(file.read(large.string()));
  EXPECT_TRUE(file.empty());
  EXPECT_NE(GetLastErrorText().find("larger than 4 MiB"), std::string::npos);
}

// The file the program ships: every topic the program opens by number, and
// the pop-ups of the dialogs that ask for them.
TEST(HelpFile, ShippedFileHasEveryTopicAndPopupTheProgramAsksFor) {
  HelpFile file;
  ASSERT_TRUE(file.read(SHIPPED_HELP_FILE)) << GetLastErrorText();
  ASSERT_NE(file.contents(), nullptr);
  for (unsigned long context : {501ul, 502ul, 503ul, 3501ul, 4002ul, 4501ul})
    EXPECT_NE(file.contextTopic(context), nullptr) << context;
  const struct {
    int dialog;
    std::vector<int> controls;
  } dialogs[] = {
      {103, {1000, 1007, 1008, 1105, 1111, 1110, 1021, 1019, 1020, 1}},
      {140, {1007, 1008, 1105, 1019, 1069, 1, 2}},
      {159, {1109, 1, 2, 1069}},
      {156, {1094, 1092, 1, 2}},
      {134, {1000, 1001, 1002, 1068, 1077, 1047, 1049, 1046, 1048, 1005, 1099, 1100, 1022, 1019, 1023, 1103,
             1024, 1020, 1021, 1072, 1083, 1084, 1085, 1045, 1, 2, 1069, 1088, 1086}},
      {136, {1025, 1008, 1019, 1013, 1009, 1097, 1017, 1015}},
  };
  for (const auto& d : dialogs)
    for (int control : d.controls) EXPECT_NE(file.popupText(d.dialog, control), nullptr) << d.dialog << " " << control;
}

}  // namespace
}  // namespace mascot
