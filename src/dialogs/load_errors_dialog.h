#pragma once
#include <string>

class QWidget;

namespace mascot {

// Lists the errors met while loading `fileName`, one line each. 1 for OK;
// 2 for Cancel, which callers take as a refusal of the mascot.
int ShowLoadErrors(QWidget* owner, const std::string& errorText, const std::string& fileName);

}  // namespace mascot
