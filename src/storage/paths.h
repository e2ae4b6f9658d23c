#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Path text operations. Paths accept both '/' and '\' as separators.
namespace mascot {

std::string FileNamePart(std::string_view path);
std::string FolderWithSeparator(std::string_view path);
std::string FolderPart(std::string_view path);
std::string JoinPath(std::string_view folder, std::string_view name);
std::string ChangeExtension(std::string_view path, std::string_view extension);

// The form of a path to hand to the operating system: backslashes become
// slashes. Every file operation of the program opens NativePath(path).
std::string NativePath(std::string_view path);

// The characters a mascot's file name may not contain: ."/\[]:;|=,
bool IsForbiddenFileNameChar(char ch);
std::string StripForbiddenFileNameChars(std::string_view name);

}  // namespace mascot
