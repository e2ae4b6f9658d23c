#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Texts of work files: a configuration line holds neither line breaks nor
// tabs, so the free texts travel escaped.
namespace mascot {

// Trailing white space goes; a line break (CR LF, a lone CR or a lone LF)
// becomes the two characters \n and a TAB becomes \t. Backslashes stay as
// they are.
std::string EscapeWorkText(std::string_view text);

// \n becomes CR LF and \t a TAB; a backslash before anything else stays
// with it, one at the very end is dropped; then trailing white space goes.
std::string UnescapeWorkText(std::string_view text);

// The text up to its first `limit` characters (UTF-8 sequences are never cut).
std::string CutToCharacters(std::string_view text, std::size_t limit);

}  // namespace mascot
