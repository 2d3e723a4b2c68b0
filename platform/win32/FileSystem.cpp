#include "platform/FileSystem.h"

#include <windows.h>

namespace platform {

namespace {

DWORD AttributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

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
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool CreateDir(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool ForceDirectories(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (folder.empty()) return false;
    if (DirectoryExists(folder) || (folder.size() == 2 && folder[1] == ':')) return true;
    const size_t cut = folder.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0 && !ForceDirectories(folder.substr(0, cut))) return false;
    return CreateDir(folder) || DirectoryExists(folder);
}

bool RemoveDir(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool SetReadOnly(const std::string& path, bool readOnly) {
    const DWORD attr = AttributesOf(path);
    if (attr == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD wanted = readOnly ? attr | FILE_ATTRIBUTE_READONLY : attr & ~DWORD{FILE_ATTRIBUTE_READONLY};
    return SetFileAttributesA(path.c_str(), wanted) != 0;
}

bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists) {
    return CopyFileA(source.c_str(), target.c_str(), failIfExists) != 0;
}

bool RenameFile(const std::string& source, const std::string& target) {
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool ApplyUmaskMode(const std::string&, bool) { return true; }

int LastErrorCode() { return static_cast<int>(GetLastError()); }

std::string CurrentFolder() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

bool SetCurrentFolder(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }

namespace {

// The running program's file as the system reports it; empty when too long.
std::string ModuleFileName() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

}  // namespace

std::string ProgramFolder() {
    const std::string path = ModuleFileName();
    return path.empty() ? path : path.substr(0, path.find_last_of('\\'));
}

std::string ProgramFile() {
    const std::string path = ModuleFileName();
    if (path.empty()) return path;
    // A program started through a short 8.3 name reports that name; the long
    // one is what other records of the file hold.
    char longName[MAX_PATH];
    const DWORD longLength = GetLongPathNameA(path.c_str(), longName, MAX_PATH);
    return longLength > 0 && longLength < MAX_PATH ? std::string(longName, longLength) : path;
}

std::string TempFolder() {
    char buffer[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string CreateTempFile(const std::string& folder, const std::string& prefix) {
    char buffer[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, buffer) == 0) return std::string();
    return buffer;
}

struct TFindEnum::State {
    HANDLE find = INVALID_HANDLE_VALUE;
    uint32_t attributes = 0;
};

TFindEnum::TFindEnum() : state_(std::make_unique<State>()) {}
TFindEnum::~TFindEnum() { Close(); }

namespace {

// Entries whose special attributes were not asked for are passed over.
bool Wanted(const WIN32_FIND_DATAA& data, uint32_t attributes) {
    const uint32_t excluded = (faHidden | faSysFile | faVolumeID | faDirectory) & ~attributes;
    return (data.dwFileAttributes & excluded) == 0;
}

void Fill(const WIN32_FIND_DATAA& data, TSearchRec& found) {
    found.Name = data.cFileName;
    found.Attr = data.dwFileAttributes & (faAnyFile | faReparsePoint);
    found.Size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

bool TFindEnum::First(const std::string& pattern, uint32_t attributes, TSearchRec& found) {
    Close();
    state_->attributes = attributes;
    WIN32_FIND_DATAA data;
    state_->find = FindFirstFileA(pattern.c_str(), &data);
    if (state_->find == INVALID_HANDLE_VALUE) return false;
    if (Wanted(data, attributes)) {
        Fill(data, found);
        return true;
    }
    return Next(found);
}

bool TFindEnum::Next(TSearchRec& found) {
    if (state_->find == INVALID_HANDLE_VALUE) return false;
    WIN32_FIND_DATAA data;
    while (FindNextFileA(state_->find, &data)) {
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
