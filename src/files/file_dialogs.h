#pragma once
#include <string>
#include <string_view>

// What the file dialogs for mascots show and do apart from the toolkit:
// titles, filters, proposed names, the extension every choice is given, and
// the folders remembered between dialogs for the life of the process.
namespace mascot {

// -- published mascots --
inline constexpr std::string_view kPublishDialogTitle = "Publish A Mascot";
inline constexpr std::string_view kOpenPublishedDialogTitle = "Open a Published Mascot";
inline constexpr std::string_view kPublishedFilterText = "Mascot Files (*.mascot)|*.mascot||";
inline constexpr std::string_view kPublishedExtension = ".mascot";
inline constexpr std::string_view kGettingPublishNameStage = "Getting Publish name";

// -- work files --
inline constexpr std::string_view kSaveWorkDialogTitle = "Save A Mascot Work in Progress";
inline constexpr std::string_view kOpenWorkDialogTitle = "Open A Mascot Work in Progress";
inline constexpr std::string_view kWorkFilterText = "Mascot Work File (*.WMascot)|*.WMascot||";
inline constexpr std::string_view kWorkFileExtension = ".wmascot";
inline constexpr std::string_view kGettingSaveNameStage = "Getting Save name";

// The filter in the dialogs' form: every "|" a zero character.
std::string PublishedFileFilter();
std::string WorkFileFilter();

// The extension without its full stop, as the dialogs take a default.
std::string_view DefaultExtensionOf(std::string_view extension);

// Publish: the mascot's name without the characters a file name may not hold.
std::string DefaultPublishName(std::string_view mascotName);
// Save: the file-name part of the current work file.
std::string DefaultWorkFileName(std::string_view currentPath);

// Any short extension of the chosen name is replaced: fun.txt -> fun.mascot.
std::string ForcePublishedExtension(std::string_view chosenPath);
std::string ForceWorkFileExtension(std::string_view chosenPath);

// Publishing starts in the Mascots folder.
std::string PublishInitialFolder();
// The folder of the last published mascot chosen, at first the Mascots folder.
std::string OpenPublishedInitialFolder();
void RememberOpenedPublishedPath(std::string_view chosenPath);

// The folder of the last work file chosen with its trailing separator; empty
// at first, which leaves the choice to the platform.
std::string WorkFileInitialFolder();
void RememberWorkFilePath(std::string_view chosenPath);

}  // namespace mascot
