#pragma once

namespace mascot {

// The number of the screen the DISPLAY names (":0.1" is screen 1); 0 when
// it names none.
int DefaultScreenNumber();

}  // namespace mascot
