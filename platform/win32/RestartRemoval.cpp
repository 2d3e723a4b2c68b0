#include "platform/RestartRemoval.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

bool RemoveAtRestart(const std::string& path) {
    return MoveFileExW(FilePath(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

}  // namespace platform
