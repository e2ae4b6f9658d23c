#include "help/help_file.h"

#include <cerrno>
#include <optional>

#include "errors/error_text.h"
#include "errors/system_error.h"
#include "storage/file_bytes.h"
#include "storage/text_encoding.h"

namespace mascot {
namespace {

constexpr char kReadingStage[] = "Reading help file";
constexpr std::size_t kMaxTitleLength = 200;
constexpr char kTooLarge[] = "the file is larger than 4 MiB";
constexpr std::size_t kMaxNameLength = 40;
constexpr int kMaxDialogOrControl = 65535;

// Same shape as ErrorText, for faults of the text itself, which have no code.
std::string FormatFault(std::string_view fileName, std::string_view message) {
  std::string out = "Error! ";
  out += kReadingStage;
  if (!fileName.empty()) out += " \"" + std::string(fileName) + "\"";
  out += " - ";
  out += message;
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The first word and the trimmed rest.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view s) {
  s = Trim(s);
  std::size_t end = 0;
  while (end < s.size() && !IsBlank(s[end])) ++end;
  return {s.substr(0, end), Trim(s.substr(end))};
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// A decimal of digits only, no greater than limit.
std::optional<unsigned long> Decimal(std::string_view s, unsigned long limit) {
  if (!AllDigits(s)) return std::nullopt;
  while (s.size() > 1 && s.front() == '0') s.remove_prefix(1);
  if (s.size() > 10) return std::nullopt;
  unsigned long long value = 0;
  for (char c : s) value = value * 10 + static_cast<unsigned>(c - '0');
  if (value > limit) return std::nullopt;
  return static_cast<unsigned long>(value);
}

std::optional<std::string> CanonicalKey(std::string_view key) {
  if (AllDigits(key)) {
    auto number = Decimal(key, 0xFFFFFFFFul);
    if (!number) return std::nullopt;
    return std::to_string(*number);
  }
  if (key.empty() || key.size() > kMaxNameLength || key.front() < 'a' || key.front() > 'z')
    return std::nullopt;
  for (char c : key)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) return std::nullopt;
  return std::string(key);
}

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

class Parser {
 public:
  std::vector<HelpTopic> topics;
  std::map<std::string, std::size_t, std::less<>> index;
  std::map<std::pair<int, int>, std::string> popups;
  std::string fault;

  bool run(std::string_view text) {
    std::size_t start = 0;
    while (true) {
      const std::size_t end = text.find('\n', start);
      std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++line_;
      if (!(line_ == 1 ? header(line) : body(line))) return false;
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
    ++line_;
    return closeSection() && checkLinks() && checkContents();
  }

 private:
  enum class Section { kNone, kTopic, kPopup };
  struct LinkUse {
    std::string key;
    std::size_t line;
  };

  bool fail(std::string message) {
    fault = "line " + std::to_string(line_) + ": " + message;
    return false;
  }

  bool header(std::string_view line) {
    line = Trim(line);
    const std::string_view signature = kHelpFileSignature;
    if (line.substr(0, signature.size()) != signature || line.size() == signature.size() ||
        !IsBlank(line[signature.size()]))
      return fail("the file does not begin with \"" + std::string(signature) + " " +
                  std::to_string(HelpFile::kFormatVersion) + "\"");
    const auto [version, rest] = SplitWord(line.substr(signature.size()));
    const auto number = Decimal(version, 0xFFFFFFFFul);
    if (!number || *number == 0 || !rest.empty()) return fail("the format version is not a number");
    if (*number > HelpFile::kFormatVersion)
      return fail("format version " + std::to_string(*number) + " is newer than this program reads (" +
                  std::to_string(HelpFile::kFormatVersion) + ")");
    return true;
  }

  bool body(std::string_view line) {
    if (!line.empty() && line.front() == '#') return true;
    if (!line.empty() && line.front() == '@') return directive(line);
    const std::string_view text = Trim(line);
    if (section_ == Section::kNone) {
      if (text.empty()) return true;
      return fail("text stands before the first topic or pop-up");
    }
    if (text.empty()) return flush();
    if (section_ == Section::kTopic) {
      if (text.substr(0, 3) == "== " || text == "==") {
        if (!flush()) return false;
        const std::string_view heading = Trim(text.substr(2));
        if (heading.empty()) return fail("a heading has no text");
        pending_ = heading;
        pendingKind_ = HelpBlockKind::kHeading;
        pendingLine_ = line_;
        return flush();
      }
      if (text.substr(0, 2) == "* ") {
        if (!flush()) return false;
        pending_ = Trim(text.substr(2));
        pendingKind_ = HelpBlockKind::kItem;
        pendingLine_ = line_;
        return true;
      }
    }
    if (pending_.empty()) {
      pendingKind_ = HelpBlockKind::kParagraph;
      pendingLine_ = line_;
    } else {
      pending_ += ' ';
    }
    pending_ += text;
    return true;
  }

  bool directive(std::string_view line) {
    if (!closeSection()) return false;
    auto [word, rest] = SplitWord(line);
    if (word == "@topic") return startTopic(rest);
    if (word == "@popup") return startPopup(rest);
    return fail("unknown line " + Quoted(word));
  }

  bool startTopic(std::string_view rest) {
    auto [keyText, title] = SplitWord(rest);
    if (keyText.empty() || title.empty()) return fail("a topic needs a key and a title");
    auto key = CanonicalKey(keyText);
    if (!key) return fail(Quoted(keyText) + " is not a topic key");
    if (title.size() > kMaxTitleLength) return fail("the title is longer than 200 bytes");
    if (index.count(*key) != 0) return fail("the topic " + Quoted(*key) + " is there twice");
    index.emplace(*key, topics.size());
    topics.push_back(HelpTopic{*key, std::string(title), {}});
    section_ = Section::kTopic;
    return true;
  }

  bool startPopup(std::string_view rest) {
    auto [dialogText, more] = SplitWord(rest);
    auto [controlText, extra] = SplitWord(more);
    auto dialog = Decimal(dialogText, kMaxDialogOrControl);
    auto control = Decimal(controlText, kMaxDialogOrControl);
    if (!dialog || !control || !extra.empty())
      return fail("a pop-up needs a dialog number and a control number");
    popupKey_ = {static_cast<int>(*dialog), static_cast<int>(*control)};
    if (popups.count(popupKey_) != 0)
      return fail("the pop-up of control " + std::to_string(*control) + " in dialog " +
                  std::to_string(*dialog) + " is there twice");
    popups.emplace(popupKey_, std::string());
    popupLine_ = line_;
    section_ = Section::kPopup;
    return true;
  }

  // Ends the paragraph being gathered.
  bool flush() {
    if (pending_.empty()) return true;
    if (section_ == Section::kPopup) {
      std::string& text = popups[popupKey_];
      if (!text.empty()) text += '\n';
      text += pending_;
    } else {
      // Faults in links name the line where their paragraph began.
      const std::size_t line = line_;
      line_ = pendingLine_;
      HelpBlock block{pendingKind_, {}};
      if (!splitLinks(pending_, block.spans)) return false;
      line_ = line;
      topics.back().blocks.push_back(std::move(block));
    }
    pending_.clear();
    return true;
  }

  bool closeSection() {
    if (!flush()) return false;
    if (section_ == Section::kPopup && popups[popupKey_].empty()) {
      line_ = popupLine_;
      return fail("the pop-up has no text");
    }
    section_ = Section::kNone;
    return true;
  }

  static void AddText(std::vector<HelpSpan>& spans, std::string_view text) {
    if (text.empty()) return;
    if (!spans.empty() && spans.back().link.empty())
      spans.back().text += text;
    else
      spans.push_back(HelpSpan{std::string(text), {}});
  }

  bool splitLinks(std::string_view text, std::vector<HelpSpan>& spans) {
    std::size_t pos = 0;
    while (true) {
      const std::size_t open = text.find("[[", pos);
      if (open == std::string_view::npos) {
        AddText(spans, text.substr(pos));
        return true;
      }
      AddText(spans, text.substr(pos, open - pos));
      const std::size_t close = text.find("]]", open + 2);
      if (close == std::string_view::npos) return fail("a link is not closed with \"]]\"");
      const std::string_view inside = text.substr(open + 2, close - open - 2);
      const std::size_t bar = inside.find('|');
      const std::string_view keyText = Trim(inside.substr(0, bar));
      const std::string_view label =
          bar == std::string_view::npos ? std::string_view() : Trim(inside.substr(bar + 1));
      auto key = CanonicalKey(keyText);
      if (!key) return fail("a link to " + Quoted(keyText) + ", which is not a topic key");
      // A link without its own text shows the target's title: a few bytes
      // in the file can stand for a whole title on the page.
      shownLinkText_ += label.empty() ? kMaxTitleLength : label.size();
      if (shownLinkText_ > HelpFile::kMaxFileSize) return fail("the links would show more than 4 MiB of text");
      links_.push_back(LinkUse{*key, line_});
      spans.push_back(HelpSpan{std::string(label), *key});
      pos = close + 2;
    }
  }

  bool checkLinks() {
    for (const LinkUse& use : links_) {
      if (index.count(use.key) != 0) continue;
      line_ = use.line;
      return fail("the link to " + Quoted(use.key) + " leads to no topic");
    }
    return true;
  }

  bool checkContents() {
    if (index.count(kHelpContentsKey) != 0) return true;
    fault = "the file has no \"contents\" topic";
    return false;
  }

  Section section_ = Section::kNone;
  std::size_t line_ = 0;
  std::string pending_;
  HelpBlockKind pendingKind_ = HelpBlockKind::kParagraph;
  std::size_t pendingLine_ = 0;
  std::pair<int, int> popupKey_;
  std::size_t popupLine_ = 0;
  std::vector<LinkUse> links_;
  std::size_t shownLinkText_ = 0;
};

}  // namespace

bool HelpFile::read(std::string_view path) {
  *this = HelpFile();
  const auto bytes = ReadWholeFile(path, kMaxFileSize);
  if (!bytes) {
    SetLastErrorText(LastSystemError() == CrtErrorCode(EFBIG) ? FormatFault(path, kTooLarge)
                                                              : ErrorText("Opening help file", path, 0));
    return false;
  }
  return parse(DecodeFileText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())),
               path);
}

bool HelpFile::parse(std::string_view text, std::string_view fileName) {
  *this = HelpFile();
  // A file read as Windows-1252 can grow in UTF-8: the limit is on the file,
  // this one on what the parser is handed.
  if (text.size() > 3 * kMaxFileSize) {
    SetLastErrorText(FormatFault(fileName, kTooLarge));
    return false;
  }
  Parser parser;
  if (!parser.run(text)) {
    SetLastErrorText(FormatFault(fileName, parser.fault));
    return false;
  }
  topics_ = std::move(parser.topics);
  index_ = std::move(parser.index);
  popups_ = std::move(parser.popups);
  return true;
}

const HelpTopic* HelpFile::findTopic(std::string_view key) const {
  auto found = index_.find(key);
  return found == index_.end() ? nullptr : &topics_[found->second];
}

const HelpTopic* HelpFile::contextTopic(unsigned long number) const {
  return findTopic(std::to_string(number));
}

const std::string* HelpFile::popupText(int dialog, int control) const {
  auto found = popups_.find({dialog, control});
  return found == popups_.end() ? nullptr : &found->second;
}

}  // namespace mascot
