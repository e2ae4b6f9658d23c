#pragma once
#include <string>
#include <string_view>

// Text files are UTF-8. Files made on the old platform are in Windows-1252;
// a file that is not valid UTF-8 is taken to be one of those.
namespace mascot {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Each byte as the Windows-1252 character it stands for, in UTF-8. The five
// bytes that code page leaves undefined become the C1 controls of the same value.
std::string Windows1252ToUtf8(std::string_view bytes);

// The text of a file's bytes, in UTF-8 (without a leading byte order mark).
std::string DecodeFileText(std::string_view bytes);

}  // namespace mascot
