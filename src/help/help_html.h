#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "help/help_file.h"

// Help pages as the rich text the help viewer shows.
namespace mascot {

// Links between topics are "topic:" and the target's key.
inline constexpr char kTopicLinkPrefix[] = "topic:";

std::string EscapeHtml(std::string_view text);

std::string TopicHtml(const HelpFile& file, const HelpTopic& topic);

// A page of the viewer's own: a title, plain paragraphs, and a link back to
// the contents when there is one to go to.
std::string NoticeHtml(std::string_view title, const std::vector<std::string>& paragraphs,
                       bool linkToContents);

}  // namespace mascot
