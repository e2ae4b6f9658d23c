#pragma once
// "Mascot.hlp", the program's help: UTF-8 text written by hand (a file that
// is not valid UTF-8 is read as Windows-1252). Line by line:
//
//   TOVRA MASCOT HELP 1         the first line: the format and its version
//   # a remark                  ignored wherever it stands
//   @topic contents Welcome     starts a topic: its key, then its title. A key
//   @topic 502 Preferences        is "contents", a context number or a name of
//   @topic file-types Files       lower-case letters, digits and '-'
//   Body lines run on into      a paragraph; a blank line ends it
//   one paragraph.
//   * A list item               runs on like a paragraph
//   == A heading                one line
//   see [[file-types]] or [[502|the preferences]]
//                               links: a topic key, and the text to show
//                                 (the topic's title when left out)
//   @popup 103 1000             starts the pop-up text of control 1000 in
//   Plain text of the pop-up.     dialog 103; blank lines part paragraphs
//
// Every link must lead to a topic of the file, and the file must have the
// contents topic. Anything else is refused with the line that broke the rule.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mascot {

enum class HelpBlockKind { kParagraph, kItem, kHeading };

struct HelpSpan {
  std::string text;  // empty in a link: show the target's title
  std::string link;  // the target topic's key; empty for plain text
};

struct HelpBlock {
  HelpBlockKind kind = HelpBlockKind::kParagraph;
  std::vector<HelpSpan> spans;
};

struct HelpTopic {
  std::string key;  // context numbers in plain decimal: "0502" is "502"
  std::string title;
  std::vector<HelpBlock> blocks;
};

inline constexpr char kHelpContentsKey[] = "contents";
inline constexpr char kHelpFileSignature[] = "TOVRA MASCOT HELP";

class HelpFile {
 public:
  static constexpr unsigned kFormatVersion = 1;
  static constexpr std::size_t kMaxFileSize = 4u << 20;

  // Both replace what the object held, or leave it empty and put the reason
  // in the last error text.
  bool read(std::string_view path);
  bool parse(std::string_view text, std::string_view fileName);

  bool empty() const { return topics_.empty(); }
  const std::vector<HelpTopic>& topics() const { return topics_; }
  const HelpTopic* findTopic(std::string_view key) const;
  const HelpTopic* contents() const { return findTopic(kHelpContentsKey); }
  const HelpTopic* contextTopic(unsigned long number) const;

  // The pop-up text of one control, paragraphs parted by "\n"; null when none.
  const std::string* popupText(int dialog, int control) const;
  std::size_t popupCount() const { return popups_.size(); }

 private:
  std::vector<HelpTopic> topics_;
  std::map<std::string, std::size_t, std::less<>> index_;
  std::map<std::pair<int, int>, std::string> popups_;
};

}  // namespace mascot
