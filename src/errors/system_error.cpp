#include "errors/system_error.h"

#include <cerrno>
#include <cstring>

namespace mascot {
namespace {

thread_local ErrorCode tLastSystemError = 0;

// The table numbers errno as the original C library did: Linux agrees up
// to ERANGE, has six more of that library's errors under other numbers, and
// the rest are its own. Only errors that mean the same thing get a table
// number; the others travel as the platform's code, so that a number the
// table gives another meaning (ELOOP is 40, the table's ENOSYS) never
// borrows that meaning's text.
constexpr int kLastSharedErrno = ERANGE;
struct ErrnoPair {
  int local;
  int table;
};
constexpr ErrnoPair kErrnoPairs[] = {
    {EDEADLK, 36}, {ENAMETOOLONG, 38}, {ENOLCK, 39}, {ENOSYS, 40}, {ENOTEMPTY, 41}, {EILSEQ, 42},
};

std::optional<int> TableErrno(int local) {
  if (local >= 0 && local <= kLastSharedErrno) return local;
  for (const auto& p : kErrnoPairs)
    if (p.local == local) return p.table;
  return std::nullopt;
}

std::optional<int> LocalErrno(int table) {
  if (table >= 0 && table <= kLastSharedErrno) return table;
  for (const auto& p : kErrnoPairs)
    if (p.table == table) return p.local;
  return std::nullopt;
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
  if (const auto table = TableErrno(errnoValue)) return kErrCrtBase + static_cast<ErrorCode>(*table);
  return static_cast<ErrorCode>(errnoValue);
}

void SetLastErrorFromErrno(int errnoValue) {
  if (errnoValue != 0) SetLastSystemError(CrtErrorCode(errnoValue));
}

std::optional<std::string> FindSystemMessage(ErrorCode code) {
  if (code >= kErrCrtBase && code < kErrCrtBase + 4096) {
    const auto local = LocalErrno(static_cast<int>(code - kErrCrtBase));
    return local ? ErrnoText(*local) : std::nullopt;
  }
  return ErrnoText(static_cast<int>(code));
}

}  // namespace mascot
