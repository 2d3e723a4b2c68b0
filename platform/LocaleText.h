#pragma once
// Letter case in the user's locale, as the system sees it. Windows only.
#include <string>

namespace platform {

// The text with its letters in upper case.
std::string AnsiUpperCase(const std::string& text);
// Negative, zero or positive as a sorts before, with or after b, ignoring case.
int AnsiCompareText(const std::string& a, const std::string& b);

}  // namespace platform
