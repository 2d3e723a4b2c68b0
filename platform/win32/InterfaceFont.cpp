#include "platform/InterfaceFont.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

std::string InterfaceFontName() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return "MS Shell Dlg";
    return Utf8Of(metrics.lfMessageFont.lfFaceName);
}

}  // namespace platform
