#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/mascot_document.h"

// The editor's one-step history of frame additions and removals: one
// snapshot that an undo swaps with the present, so that the same button
// then redoes.
namespace mascot {

struct UndoState {
  std::vector<FrameRecord> savedFrames;
  std::int32_t savedClickFirst = -1;
  std::int32_t savedClickLast = -1;
  bool lastWasAddition = false;
  bool undone = false;
  bool available = false;
};

// "Undo Frame", "Undo Add", "Undo Remove", "Redo Add" or "Redo Remove".
std::string UndoButtonLabel(const UndoState& state);
bool UndoButtonEnabled(const UndoState& state);

}  // namespace mascot
