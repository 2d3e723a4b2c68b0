#include "platform/FileSystem.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(FilePath(path).c_str()); }

// A path the system gave back, without the long-path form's prefix, as the
// rest of the program writes paths.
std::string PlainPath(const std::wstring& path) {
    std::string plain = Utf8Of(path);
    if (plain.rfind("\\\\?\\UNC\\", 0) == 0) plain.erase(2, 6);
    else if (plain.rfind("\\\\?\\", 0) == 0) plain.erase(0, 4);
    return plain;
}

// "C:", or "\\?\C:" in the long-path form.
bool IsDrive(const std::string& folder) {
    const size_t at = folder.rfind("\\\\?\\", 0) == 0 ? 4 : 0;
    return folder.size() == at + 2 && folder[at + 1] == ':';
}

// A path that a call of the system writes into a buffer it is given.
using TPathCall = DWORD (*)(wchar_t* buffer, DWORD size);
std::wstring SystemPath(TPathCall call) { return GrowingText(call); }

}  // namespace

bool FileExists(const std::string& path) {
    const DWORD attr = AttributesOf(path);
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD attr = AttributesOf(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t FileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(FilePath(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool PathTaken(const std::string& path) { return AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool IsLink(const std::string& path) {
    const DWORD attr = AttributesOf(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool CreateDir(const std::string& path) { return CreateDirectoryW(FilePath(path).c_str(), nullptr) != 0; }

bool ForceDirectories(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (folder.empty()) return false;
    if (DirectoryExists(folder) || IsDrive(folder)) return true;
    const size_t cut = folder.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0 && !ForceDirectories(folder.substr(0, cut))) return false;
    return CreateDir(folder) || DirectoryExists(folder);
}

bool RemoveDir(const std::string& path) { return RemoveDirectoryW(FilePath(path).c_str()) != 0; }

bool RemoveFile(const std::string& path) { return DeleteFileW(FilePath(path).c_str()) != 0; }

bool SetReadOnly(const std::string& path, bool readOnly) {
    const DWORD attr = AttributesOf(path);
    if (attr == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD wanted = readOnly ? attr | FILE_ATTRIBUTE_READONLY : attr & ~DWORD{FILE_ATTRIBUTE_READONLY};
    return SetFileAttributesW(FilePath(path).c_str(), wanted) != 0;
}

bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists) {
    return CopyFileW(FilePath(source).c_str(), FilePath(target).c_str(), failIfExists) != 0;
}

bool RenameFile(const std::string& source, const std::string& target) {
    return MoveFileExW(FilePath(source).c_str(), FilePath(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool ApplyUmaskMode(const std::string&, bool) { return true; }

int LastErrorCode() { return static_cast<int>(GetLastError()); }

void SetLastErrorCode(int code) { SetLastError(static_cast<DWORD>(code)); }

std::string CurrentFolder() {
    return PlainPath(SystemPath([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); }));
}

// Windows keeps the current folder within 260 characters, the long-path
// form included; Wine takes a longer one but then fails to load system
// libraries. A longer folder is refused here as Windows refuses it.
bool SetCurrentFolder(const std::string& path) {
    const std::wstring folder = Wide(path);
    if (folder.size() >= MAX_PATH - 1) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    return SetCurrentDirectoryW(folder.c_str()) != 0;
}

namespace {

// The running program's file as the system reports it. The call fills the
// buffer to its end, without a null, when the name does not fit.
std::wstring ModuleFileName() {
    return SystemPath([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

// The long form of a path that may hold short 8.3 names; the path itself
// when it cannot be told.
std::wstring LongPathName(const std::wstring& path) {
    const DWORD size = GetLongPathNameW(path.c_str(), nullptr, 0);
    std::wstring name(size, L'\0');
    const DWORD length = size ? GetLongPathNameW(path.c_str(), name.data(), size) : 0;
    if (length == 0 || length >= size) return path;
    name.resize(length);
    return name;
}

}  // namespace

std::string ProgramFolder() {
    const std::string path = PlainPath(ModuleFileName());
    return path.substr(0, path.find_last_of('\\'));
}

// A program started through a short 8.3 name reports that name; the long
// one is what other records of the file hold.
std::string ProgramFile() {
    const std::wstring path = ModuleFileName();
    return path.empty() ? std::string() : PlainPath(LongPathName(path));
}

std::string TempFolder() {
    return PlainPath(SystemPath([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); }));
}

// "<folder>\<prefix><four hex digits>.tmp", made here rather than by the
// system's call, which takes only folders of up to 246 characters: numbers
// are tried from the clock on, as the system does, until a file of that name
// can be made new.
std::string CreateTempFile(const std::string& folder, const std::string& prefix) {
    std::string name = folder;
    if (!name.empty() && name.back() != '\\' && name.back() != '/') name += '\\';
    name += prefix + "0000.tmp";
    const size_t digits = name.size() - 8;
    const DWORD start = GetTickCount();
    constexpr int kBusyNamesPassed = 16;  // more mean a folder that takes no new files
    int busyNames = 0;
    for (DWORD i = 0; i < 0x10000; ++i) {
        for (size_t d = 0; d < 4; ++d) name[digits + d] = "0123456789ABCDEF"[((start + i) >> (12 - 4 * d)) & 0xF];
        const HANDLE file = CreateFileW(FilePath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return name;
        }
        const DWORD error = GetLastError();
        const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        // A file that is being deleted or is held open keeps its name busy for a while.
        const bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (!taken && !(busy && ++busyNames <= kBusyNamesPassed)) break;
    }
    return std::string();
}

struct TFindEnum::State {
    HANDLE find = INVALID_HANDLE_VALUE;
    uint32_t attributes = 0;
};

TFindEnum::TFindEnum() : state_(std::make_unique<State>()) {}
TFindEnum::~TFindEnum() { Close(); }

namespace {

// Entries whose special attributes were not asked for are passed over.
bool Wanted(const WIN32_FIND_DATAW& data, uint32_t attributes) {
    const uint32_t excluded = (faHidden | faSysFile | faVolumeID | faDirectory) & ~attributes;
    return (data.dwFileAttributes & excluded) == 0;
}

void Fill(const WIN32_FIND_DATAW& data, TSearchRec& found) {
    found.Name = Utf8Of(data.cFileName);
    found.Attr = data.dwFileAttributes & (faAnyFile | faReparsePoint);
    found.Size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

bool TFindEnum::First(const std::string& pattern, uint32_t attributes, TSearchRec& found) {
    Close();
    state_->attributes = attributes;
    WIN32_FIND_DATAW data;
    state_->find = FindFirstFileW(FilePath(pattern).c_str(), &data);
    if (state_->find == INVALID_HANDLE_VALUE) return false;
    if (Wanted(data, attributes)) {
        Fill(data, found);
        return true;
    }
    return Next(found);
}

bool TFindEnum::Next(TSearchRec& found) {
    if (state_->find == INVALID_HANDLE_VALUE) return false;
    WIN32_FIND_DATAW data;
    while (FindNextFileW(state_->find, &data)) {
        if (!Wanted(data, state_->attributes)) continue;
        Fill(data, found);
        return true;
    }
    return false;
}

void TFindEnum::Close() {
    if (state_->find != INVALID_HANDLE_VALUE) FindClose(state_->find);
    state_->find = INVALID_HANDLE_VALUE;
}

}  // namespace platform
