#include "platform/Drives.h"

#include <windows.h>

namespace platform {

namespace {

std::string RootOf(char letter) { return std::string{letter, ':', '\\'}; }

// The volume name buffer holds 23 characters and the terminator.
constexpr DWORD kVolumeNameSize = 24;

}  // namespace

uint32_t LogicalDrives() { return GetLogicalDrives(); }

uint32_t DriveKindOf(char letter) { return GetDriveTypeA(RootOf(letter).c_str()); }

TVolumeInfo VolumeInformation(char letter) {
    char label[kVolumeNameSize] = "";
    DWORD serial = 0;
    TVolumeInfo info;
    info.Read = GetVolumeInformationA(RootOf(letter).c_str(), label, kVolumeNameSize, &serial, nullptr, nullptr,
                                      nullptr, 0) != FALSE;
    if (info.Read) {
        info.Label = label;
        info.Serial = serial;
    }
    return info;
}

TCriticalErrorGuard::TCriticalErrorGuard() : previousMode_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}

TCriticalErrorGuard::~TCriticalErrorGuard() { SetErrorMode(previousMode_); }

}  // namespace platform
