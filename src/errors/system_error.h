#pragma once
#include <optional>
#include <string>

#include "errors/error_codes.h"

namespace mascot {

// The calling thread's last system error: what the platform's "last error"
// is to the rest of the program. Operations report failure as false and
// leave the reason here.
ErrorCode LastSystemError();
void SetLastSystemError(ErrorCode code);

// The program code for a failing C-runtime call: 2800 + the errno number of
// the message table, which numbers errno the way the original C library did.
// An errno that library did not have stays the platform's code (errno itself).
ErrorCode CrtErrorCode(int errnoValue);

// Sets the last system error from errno after a failing C-runtime file call
// (nothing when errno is 0).
void SetLastErrorFromErrno(int errnoValue);

// The platform's text for a code: strerror for errno values, and for the
// C-runtime codes that the program's table does not list. Ends with CR LF.
std::optional<std::string> FindSystemMessage(ErrorCode code);

}  // namespace mascot
