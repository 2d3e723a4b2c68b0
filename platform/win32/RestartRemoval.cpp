#include "platform/RestartRemoval.h"

#include <windows.h>

namespace platform {

bool RemoveAtRestart(const std::string& path) {
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

}  // namespace platform
