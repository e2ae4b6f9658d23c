#include "storage/filter_string.h"

namespace mascot {

std::string MakeFilterString(std::string_view text) {
  std::string result(text);
  for (char& ch : result)
    if (ch == '|') ch = '\0';
  return result;
}

}  // namespace mascot
