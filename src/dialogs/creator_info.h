#pragma once
#include "model/mascot_document.h"

namespace mascot {

// What the Creator Information, Read Me and About dialogs show: the
// document's creator texts, split and merged by the document itself.
using CreatorInfo = CreatorFields;

}  // namespace mascot
