#include "platform/LocaleText.h"

#include <windows.h>

namespace platform {

std::string AnsiUpperCase(const std::string& text) {
    std::string upper = text;
    if (!upper.empty()) CharUpperBuffA(upper.data(), DWORD(upper.size()));
    return upper;
}

int AnsiCompareText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()); }

}  // namespace platform
