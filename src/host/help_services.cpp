#include "host/help_services.h"

#include "dialogs/help_requests.h"
#include "host/context_help.h"
#include "host/help_viewer.h"

namespace mascot {

void RegisterHelpServices(HelpViewer& viewer, ContextHelp& contextHelp) {
  HelpServices services;
  services.showHelp = [&viewer](unsigned command, unsigned long data) { viewer.showHelp(command, data); };
  services.contextHelp = [&contextHelp](QWidget* dialog, QWidget* control, QPoint point) {
    contextHelp.request(dialog, control, point);
  };
  SetHelpServices(std::move(services));
}

void UnregisterHelpServices() { SetHelpServices({}); }

}  // namespace mascot
