#include "editing/undo_state.h"

namespace mascot {

std::string UndoButtonLabel(const UndoState& state) {
  if (!state.available) return std::string("Undo") + " Frame";
  return std::string(state.undone ? "Redo" : "Undo") + (state.lastWasAddition ? " Add" : " Remove");
}

bool UndoButtonEnabled(const UndoState& state) { return state.available; }

}  // namespace mascot
