#include "model/mascot_document.h"

#include <algorithm>
#include <cctype>

namespace mascot {
namespace {

bool IsTrailingSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string WithoutTrailingSpace(std::string_view text) {
  while (!text.empty() && IsTrailingSpace(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool StoreIfChanged(std::string& field, const std::string& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void MascotDocument::setModified(bool value) {
  modified = value ? 1 : 0;
  if (!value)
    for (FrameRecord& frame : frames) frame.modified = 0;
}

CreatorFields MascotDocument::getCreatorFields() const {
  CreatorFields fields;
  // A CR counts as a CR LF pair; only without a CR does a lone LF break.
  std::size_t breakAt = creatorInfo.find('\r');
  std::size_t breakLength = 2;
  if (breakAt == std::string::npos) {
    breakAt = creatorInfo.find('\n');
    breakLength = 1;
  }
  if (breakAt == std::string::npos) {
    fields.creatorName = creatorInfo;
  } else {
    fields.creatorName = WithoutTrailingSpace(std::string_view(creatorInfo).substr(0, breakAt));
    fields.contactInfo = creatorInfo.substr(std::min(breakAt + breakLength, creatorInfo.size()));
  }
  fields.mascotInfo = mascotInfo;
  fields.readme = readme;
  return fields;
}

void MascotDocument::setCreatorFields(const CreatorFields& fields) {
  std::string joined = fields.creatorName;
  if (!fields.contactInfo.empty()) joined += "\r\n" + fields.contactInfo;
  if (StoreIfChanged(creatorInfo, joined)) modified = 1;
  if (StoreIfChanged(mascotInfo, fields.mascotInfo)) modified = 1;
  if (StoreIfChanged(readme, fields.readme)) modified = 1;
}

std::int32_t MascotDocument::findImageByRegion(const Region* region) const {
  if (region == nullptr) return -1;
  for (std::size_t i = 0; i < images.size(); ++i)
    if (images[i].region && *images[i].region == *region) return static_cast<std::int32_t>(i);
  return -1;
}

FrameSize MascotDocument::maxFrameSize() const {
  FrameSize size;
  for (const FrameRecord& frame : frames) {
    if (!imageInRange(frame.imageIndex)) continue;
    const FrameImage& image = images[static_cast<std::size_t>(frame.imageIndex)];
    size.width = std::max(size.width, image.width);
    size.height = std::max(size.height, image.height);
  }
  return size;
}

}  // namespace mascot
