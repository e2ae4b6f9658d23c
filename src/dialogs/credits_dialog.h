#pragma once

namespace mascot {

// The credits box. 1 for "Done Lookin'", 2 when closed otherwise.
int ShowCredits();

}  // namespace mascot
