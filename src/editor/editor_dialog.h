#pragma once
#include "model/mascot_document.h"

class QDialog;

namespace mascot {

class PathDialogs;
class SoundPlayer;

// What the program lends the editor.
struct EditorEnvironment {
  PathDialogs* pathDialogs = nullptr;  // null: every file choice counts as cancelled
  SoundPlayer* soundPlayer = nullptr;  // null: silent
  bool hideIfTargetAtTop = false;      // the preview keeps the mascot's preference
};

// The editor dialog "Create/Edit Tovra Mascot", modal, on a copy of
// `document`: true when it ended with OK, the document then holding the
// edited mascot. Saves and loads inside the editor reach the document too.
bool RunEditor(MascotDocument& document, const EditorEnvironment& environment);

// The editor dialog while one runs, else null (tests drive it).
QDialog* CurrentEditorDialog();

}  // namespace mascot
