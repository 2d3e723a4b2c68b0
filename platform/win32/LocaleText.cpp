#include "platform/LocaleText.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

std::string AnsiUpperCase(const std::string& text) {
    std::wstring upper = Wide(text);
    if (!upper.empty()) CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return Utf8Of(upper);
}

int AnsiCompareText(const std::string& a, const std::string& b) {
    const std::wstring wideA = Wide(a);
    const std::wstring wideB = Wide(b);
    const int order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(), static_cast<int>(wideA.size()),
                                     wideB.data(), static_cast<int>(wideB.size()));
    return order == 0 ? 0 : order - CSTR_EQUAL;
}

}  // namespace platform
