#pragma once
#include <string>
#include <string_view>

// The strings of the published mascot record are UTF-16; the program's text
// is UTF-8.
namespace mascot {

// Each byte that does not start a well-formed sequence becomes one U+FFFD,
// so the result never has more units than the input has bytes.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Surrogate pairs are joined; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

}  // namespace mascot
