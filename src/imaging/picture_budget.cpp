#include "imaging/picture_budget.h"

#include <cerrno>

#include "errors/system_error.h"

namespace mascot {

std::uint32_t PictureTooLargeError() { return CrtErrorCode(EFBIG); }

}  // namespace mascot
