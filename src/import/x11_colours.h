#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mascot {

// The colour (0x00BBGGRR) of an X11 colour name, compared without case and
// without spaces ("Alice Blue" is AliceBlue, "grey50" is gray50); nullopt for
// names the table does not know, such as None.
std::optional<std::uint32_t> FindX11Colour(std::string_view name);

}  // namespace mascot
