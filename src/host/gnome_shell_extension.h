#pragma once

namespace mascot {

// The uuid of the program's GNOME Shell extension, and the command that
// turns it on by hand.
inline constexpr char kGnomeShellExtensionUuid[] = "tovra-mascot@example.tovra_mascot";
inline constexpr char kGnomeShellEnableCommand[] =
    "gnome-extensions enable tovra-mascot@example.tovra_mascot";

// Puts the extension shipped with the program into the user's extensions
// folder (XDG_DATA_HOME/gnome-shell/extensions) when it is missing or older,
// and adds it to the shell's enabled extensions, so that it runs from the
// next login. False when it could not be written.
bool InstallGnomeShellExtension();

}  // namespace mascot
