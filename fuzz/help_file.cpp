// Reads arbitrary bytes as a help file, from memory and from a file, and
// checks what a file that was taken promises: the contents topic, links that
// all lead somewhere, and pages that can be made of every topic.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "help/help_file.h"
#include "help/help_html.h"
#include "scratch_file.h"
#include "storage/text_encoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  mascot::HelpFile fromText;
  const bool parsed = fromText.parse(mascot::DecodeFileText(bytes), "fuzz.hlp");

  mascot::HelpFile fromFile;
  Check(fromFile.read(fuzz::WriteScratch(data, size)) == parsed);
  Check(fromFile.topics().size() == fromText.topics().size());
  Check(fromFile.popupCount() == fromText.popupCount());
  if (!parsed) {
    Check(fromText.empty());
    return 0;
  }

  Check(fromText.contents() != nullptr);
  for (const mascot::HelpTopic& topic : fromText.topics()) {
    Check(fromText.findTopic(topic.key) == &topic);
    for (const mascot::HelpBlock& block : topic.blocks)
      for (const mascot::HelpSpan& span : block.spans)
        Check(span.link.empty() || fromText.findTopic(span.link) != nullptr);
    Check(!mascot::TopicHtml(fromText, topic).empty());
  }
  return 0;
}
