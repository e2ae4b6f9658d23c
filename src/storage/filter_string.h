#pragma once
#include <string>
#include <string_view>

namespace mascot {

// The form the file dialogs take their filters in: "Mascots (*.mascot)|*.mascot|"
// becomes the same text with every "|" turned into a zero character.
std::string MakeFilterString(std::string_view text);

}  // namespace mascot
