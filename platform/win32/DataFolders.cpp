#include "platform/DataFolders.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

std::string WindowsFolder() {
    return Utf8Of(GrowingText([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }));
}

}  // namespace platform
