#pragma once
// The machine's drives: which letters are present, what kind of drive each
// is, the volume's label and serial number, the room left on the drive of a
// folder, and a guard that keeps the system's "drive not ready" dialogs away
// while drives are probed. Windows only.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The kinds of drive the system reports for a drive root.
enum TDriveKind : uint32_t {
    dkUnknown = 0,
    dkNoRootDir = 1,
    dkRemovable = 2,
    dkFixed = 3,
    dkRemote = 4,
    dkCDRom = 5,
    dkRamDisk = 6,
};

// One bit per present drive letter, bit 0 = A.
uint32_t LogicalDrives();
// The kind of the drive whose root is letter + ":\".
uint32_t DriveKindOf(char letter);

// The label and serial number of the volume in the drive. A label that does
// not fit 23 characters makes the query fail, as an unreadable volume does.
struct TVolumeInfo {
    bool Read = false;
    std::string Label;
    uint32_t Serial = 0;
};
TVolumeInfo VolumeInformation(char letter);

// The bytes the calling user may still write (within any quota) on the
// volume that holds the folder, or will hold it: a folder that does not
// exist yet counts as its nearest level that does, the root ("C:\" or
// "\\server\share\") at the most. None when no level of it exists or the
// volume does not tell.
std::optional<uint64_t> FreeBytesFor(const std::string& folder);

// While alive, a drive without a medium fails the call that touches it
// instead of asking the user; the previous error mode comes back afterwards.
class TCriticalErrorGuard {
public:
    TCriticalErrorGuard();
    ~TCriticalErrorGuard();
    TCriticalErrorGuard(const TCriticalErrorGuard&) = delete;
    TCriticalErrorGuard& operator=(const TCriticalErrorGuard&) = delete;

private:
    uint32_t previousMode_;
};

}  // namespace platform
