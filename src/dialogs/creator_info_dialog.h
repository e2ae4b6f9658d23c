#pragma once
#include "dialogs/creator_info.h"

class QWidget;

namespace mascot {

// Edits the creator texts of a mascot. OK stores the fields (and a read-me
// edited meanwhile is already in the record) and gives 1; Cancel gives 2 and
// the caller ignores the record. No record gives 2.
int EditCreatorInfo(QWidget* owner, CreatorInfo* info);

}  // namespace mascot
