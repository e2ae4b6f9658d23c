#include "errors/system_error.h"

#include <cerrno>
#include <cstring>

namespace mascot {
namespace {

thread_local ErrorCode tLastSystemError = 0;

// The table numbers errno as the original C library did; Linux agrees up to
// ERANGE and differs above it.
struct ErrnoPair {
  int local;
  int table;
};
constexpr ErrnoPair kErrnoPairs[] = {
    {EDEADLK, 36}, {ENAMETOOLONG, 38}, {ENOLCK, 39}, {ENOSYS, 40},
    {ENOTEMPTY, 41}, {EILSEQ, 42}, {ELOOP, 114}, {ENOMSG, 122},
};

int TableErrno(int local) {
  for (const auto& p : kErrnoPairs)
    if (p.local == local) return p.table;
  return local;
}

int LocalErrno(int table) {
  for (const auto& p : kErrnoPairs)
    if (p.table == table) return p.local;
  return table;
}

std::optional<std::string> ErrnoText(int value) {
  if (value <= 0 || value > 4095) return std::nullopt;
  const char* text = strerrordesc_np(value);
  if (text == nullptr) return std::nullopt;
  return std::string(text) + "\r\n";
}

}  // namespace

ErrorCode LastSystemError() { return tLastSystemError; }

void SetLastSystemError(ErrorCode code) { tLastSystemError = code; }

ErrorCode CrtErrorCode(int errnoValue) {
  return kErrCrtBase + static_cast<ErrorCode>(TableErrno(errnoValue));
}

void SetLastErrorFromErrno(int errnoValue) {
  if (errnoValue != 0) SetLastSystemError(CrtErrorCode(errnoValue));
}

std::optional<std::string> FindSystemMessage(ErrorCode code) {
  if (code >= kErrCrtBase && code < kErrCrtBase + 4096)
    return ErrnoText(LocalErrno(static_cast<int>(code - kErrCrtBase)));
  return ErrnoText(static_cast<int>(code));
}

}  // namespace mascot
