#pragma once

namespace mascot {

class ContextHelp;
class HelpViewer;

// Lends the dialogs the program's help viewer and the pop-up help; both must
// outlive the registration (UnregisterHelpServices before they go).
void RegisterHelpServices(HelpViewer& viewer, ContextHelp& contextHelp);
void UnregisterHelpServices();

}  // namespace mascot
