#pragma once
#include <string>
#include <string_view>

#include "storage/program_locations.h"

// Starting the program when the user logs in: a desktop entry in the
// desktop's autostart folder, there or not.
namespace mascot {

inline constexpr char kLoginStartEntryName[] = "tovra-mascot.desktop";

// The entry's path; empty when there is no autostart folder.
std::string LoginStartEntryPath(const ProgramLocations& locations);
// The entry that starts the program at programPath.
std::string LoginStartEntryText(std::string_view programPath);
bool LoginStartEntryExists(const std::string& entryPath);
// Writes the entry (creating its folder) or removes it. False with the last
// system error set when that failed; removing a missing entry succeeds.
bool SetLoginStartEntry(const std::string& entryPath, bool on, std::string_view programPath);

// The same for the running program.
std::string CurrentLoginStartEntryPath();
bool StartsAtLogin();
bool SetStartAtLogin(bool on);

}  // namespace mascot
