#include "platform/Drives.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

std::wstring RootOf(char letter) { return std::wstring{static_cast<wchar_t>(letter), L':', L'\\'}; }

// The volume name buffer holds 23 characters and the terminator.
constexpr DWORD kVolumeNameSize = 24;

// The folder one level up; empty above a root ("C:\", "\\server\share").
std::string LevelAbove(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    const size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos || cut < 2) return {};
    path.resize(path[cut - 1] == ':' ? cut + 1 : cut);
    return path;
}

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

// The volume is asked through the nearest level that exists, so that a
// volume mounted on a folder of another one answers for what lies below it.
// The query wants a trailing backslash on a share's root.
std::optional<uint64_t> FreeBytesFor(const std::string& folder) {
    TCriticalErrorGuard noDialogs;
    for (std::string level = folder; !level.empty(); level = LevelAbove(level)) {
        ULARGE_INTEGER available{};
        if (level.back() != '\\') level += '\\';
        if (GetDiskFreeSpaceExW(FilePath(level).c_str(), &available, nullptr, nullptr)) return available.QuadPart;
    }
    return std::nullopt;
}

TCriticalErrorGuard::TCriticalErrorGuard() : previousMode_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}

TCriticalErrorGuard::~TCriticalErrorGuard() { SetErrorMode(previousMode_); }

}  // namespace platform
