#pragma once
#include "errors/error_codes.h"

namespace mascot {

// The program's own message text for a code (ending with CR LF), or nullptr.
const char* FindProgramMessage(ErrorCode code);

}  // namespace mascot
