#pragma once
#include "editing/editor_ports.h"

namespace mascot {

// Holds the nesting wait cursor for one scope, so that every way out of a
// long operation gives it back.
class EditorWait {
 public:
  explicit EditorWait(EditorServices& services) : services_(services) { services_.beginWait(); }
  ~EditorWait() { services_.endWait(); }
  EditorWait(const EditorWait&) = delete;
  EditorWait& operator=(const EditorWait&) = delete;

 private:
  EditorServices& services_;
};

}  // namespace mascot
