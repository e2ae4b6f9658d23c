#pragma once
#include <memory>

namespace mascot {

// A shared, immutable picture, region or palette: copying the handle adds a
// reference, the last one frees the object, and "the same object" is pointer
// equality.
template <typename T>
using SharedHandle = std::shared_ptr<const T>;

}  // namespace mascot
