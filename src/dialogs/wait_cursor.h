#pragma once

namespace mascot {

// The wait cursor for the length of a long operation. Holders nest: the
// first sets the wait cursor over the one shown before, the last puts that
// one back.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

  static int holders();
};

}  // namespace mascot
