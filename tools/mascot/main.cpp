// The desktop program: the mascot on the front window, its menus and
// commands. A second start hands its argument to the running one and exits.
#include <QApplication>

#include <ctime>
#include <string>
#include <vector>

#include "dialogs/program_pictures.h"
#include "errors/system_error.h"
#include "host/application_shell.h"
#include "host/qt_file_dialogs.h"
#include "host/quit_on_signals.h"
#include "host/sdl_sound_player.h"
#include "host/single_instance.h"
#include "host/xwayland.h"
#include "model/random_source.h"

int main(int argc, char** argv) {
  mascot::PreferXWayland();
  QApplication application(argc, argv);
  // The mascot window is the only window; closing a dialog must not end
  // the program.
  application.setQuitOnLastWindowClosed(false);
  mascot::RegisterProgramPictures();
  application.setWindowIcon(mascot::ProgramIcon(mascot::kIconViewer));

  mascot::SetLastSystemError(0);
  mascot::RandomSource::instance().seed(static_cast<std::uint32_t>(std::time(nullptr)));

  mascot::QtFileDialogs fileDialogs;
  mascot::SdlSoundPlayer soundPlayer;
  mascot::ApplicationShell shell({&fileDialogs, &soundPlayer});
  shell.takeInitialTarget();

  // The shell of the platform has split the command line already.
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);

  mascot::SingleInstance instance;
  if (!instance.claim()) return instance.handOver(arguments);
  instance.setArgumentHandler([&shell](const std::string& argument) { shell.openRemoteArgument(argument); });

  if (!shell.init(arguments)) {
    shell.cleanup();
    return 0;
  }
  mascot::QuitOnTerminationSignals();
  QMetaObject::invokeMethod(&application, [&shell] { shell.giveSessionNotice(); }, Qt::QueuedConnection);
  const int code = application.exec();
  shell.cleanup();
  return code;
}
