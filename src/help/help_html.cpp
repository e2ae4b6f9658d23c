#include "help/help_html.h"

namespace mascot {
namespace {

void AppendSpans(std::string& out, const HelpFile& file, const std::vector<HelpSpan>& spans) {
  for (const HelpSpan& span : spans) {
    if (span.link.empty()) {
      out += EscapeHtml(span.text);
      continue;
    }
    std::string label = span.text;
    if (label.empty()) {
      const HelpTopic* target = file.findTopic(span.link);
      label = target ? target->title : span.link;
    }
    out += "<a href=\"" + std::string(kTopicLinkPrefix) + EscapeHtml(span.link) + "\">" + EscapeHtml(label) +
           "</a>";
  }
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string TopicHtml(const HelpFile& file, const HelpTopic& topic) {
  std::string out = "<html><body><h2>" + EscapeHtml(topic.title) + "</h2>\n";
  bool inList = false;
  for (const HelpBlock& block : topic.blocks) {
    const bool item = block.kind == HelpBlockKind::kItem;
    if (item != inList) out += item ? "<ul>\n" : "</ul>\n";
    inList = item;
    switch (block.kind) {
      case HelpBlockKind::kParagraph: out += "<p>"; break;
      case HelpBlockKind::kItem: out += "<li>"; break;
      case HelpBlockKind::kHeading: out += "<h3>"; break;
    }
    AppendSpans(out, file, block.spans);
    switch (block.kind) {
      case HelpBlockKind::kParagraph: out += "</p>\n"; break;
      case HelpBlockKind::kItem: out += "</li>\n"; break;
      case HelpBlockKind::kHeading: out += "</h3>\n"; break;
    }
  }
  if (inList) out += "</ul>\n";
  return out + "</body></html>\n";
}

std::string NoticeHtml(std::string_view title, const std::vector<std::string>& paragraphs,
                       bool linkToContents) {
  std::string out = "<html><body><h2>" + EscapeHtml(title) + "</h2>\n";
  for (const std::string& paragraph : paragraphs) out += "<p>" + EscapeHtml(paragraph) + "</p>\n";
  if (linkToContents)
    out += "<p><a href=\"" + std::string(kTopicLinkPrefix) + kHelpContentsKey + "\">Contents</a></p>\n";
  return out + "</body></html>\n";
}

}  // namespace mascot
