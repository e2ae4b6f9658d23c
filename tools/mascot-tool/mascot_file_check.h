#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "model/mascot_document.h"
#include "published_inspection.h"

namespace mascot::tool {

// A mascot file of either kind, opened the way the program opens it, with
// every failure in the program's texts.
struct CheckedMascotFile {
  int kind = 0;  // MascotFileKind
  std::shared_ptr<MascotDocument> document;
  ContainerInspection container;  // published mascots only
  std::string errorText;          // empty when the file opened completely
  bool complete() const { return document && errorText.empty(); }
};

// Published mascots: the mascot opens, every resource loads, every picture
// record became a picture. Work files: the file, every picture and the sound
// load. With describeOnly, a work file is read alone (nothing it names).
CheckedMascotFile CheckMascotFile(std::string_view path, bool describeOnly = false);

std::string KindName(int kind);

}  // namespace mascot::tool
