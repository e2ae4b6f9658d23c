#pragma once

namespace mascot {

class MascotDocument;

// The About box of the program and of the given mascot (none: the mascot
// fields stay empty). 1 for OK, 2 when closed otherwise.
int ShowAbout(const MascotDocument* document);

}  // namespace mascot
