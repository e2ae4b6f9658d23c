#pragma once
#include "dialogs/creator_info.h"

class QWidget;

namespace mascot {

// Shows the record's read-me for editing, or only for reading. OK stores an
// edited text and gives 1; anything else gives 2, as does no record.
int EditReadme(QWidget* owner, CreatorInfo* info, bool readOnly);

}  // namespace mascot
