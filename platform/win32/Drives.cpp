#include "platform/Drives.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

std::wstring RootOf(char letter) { return std::wstring{static_cast<wchar_t>(letter), L':', L'\\'}; }

// The volume name buffer holds 23 characters and the terminator.
constexpr DWORD kVolumeNameSize = 24;

}  // namespace

uint32_t LogicalDrives() { return GetLogicalDrives(); }

uint32_t DriveKindOf(char letter) { return GetDriveTypeW(RootOf(letter).c_str()); }

TVolumeInfo VolumeInformation(char letter) {
    wchar_t label[kVolumeNameSize] = L"";
    DWORD serial = 0;
    TVolumeInfo info;
    info.Read = GetVolumeInformationW(RootOf(letter).c_str(), label, kVolumeNameSize, &serial, nullptr, nullptr,
                                      nullptr, 0) != FALSE;
    if (info.Read) {
        info.Label = Utf8Of(label);
        info.Serial = serial;
    }
    return info;
}

TCriticalErrorGuard::TCriticalErrorGuard() : previousMode_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}

TCriticalErrorGuard::~TCriticalErrorGuard() { SetErrorMode(previousMode_); }

}  // namespace platform
