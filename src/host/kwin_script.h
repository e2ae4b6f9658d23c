#pragma once
#include <QString>

namespace mascot {

// The program's KWin script (resources/compositor/kwin/windows.js), loaded
// into the running KWin through its scripting interface on the session bus
// and unloaded when this object goes. Nothing is installed for the user.
class KWinScript {
 public:
  KWinScript() = default;
  ~KWinScript();
  KWinScript(const KWinScript&) = delete;
  KWinScript& operator=(const KWinScript&) = delete;

  // False when KWin is not on the bus or would not take the script.
  bool load();

 private:
  QString pluginName_;
  QString file_;
};

}  // namespace mascot
