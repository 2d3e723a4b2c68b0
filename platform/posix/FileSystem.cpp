#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/NativePath.h"

namespace platform {

namespace {

int lastError = 0;

bool Fail() {
    lastError = errno;
    return false;
}

bool StatPath(const std::string& path, struct stat& info) {
    return ::stat(NativePath(path).c_str(), &info) == 0;
}

// Splits "folder\pattern" into its folder and its last part.
void SplitPattern(const std::string& pattern, std::string& folder, std::string& mask) {
    const size_t cut = pattern.find_last_of("\\/");
    folder = cut == std::string::npos ? std::string(".") : pattern.substr(0, cut);
    if (folder.empty()) folder.assign(1, '/');
    mask = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
}

bool MatchesMask(const std::string& mask, const std::string& name) {
    if (mask == "*.*" || mask == "*") return true;  // as on Windows: every name
    return ::fnmatch(mask.c_str(), name.c_str(), 0) == 0;
}

uint32_t AttributesOf(const std::string& name, const struct stat& info) {
    uint32_t attr = S_ISDIR(info.st_mode) ? faDirectory : faArchive;
    if (S_ISLNK(info.st_mode)) attr |= faReparsePoint;
    if (!(info.st_mode & S_IWUSR)) attr |= faReadOnly;
    if (name.size() > 1 && name[0] == '.' && name != "..") attr |= faHidden;
    return attr;
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat info {};
    return StatPath(path, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

int64_t FileSizeOf(const std::string& path) {
    struct stat info {};
    return StatPath(path, info) && !S_ISDIR(info.st_mode) ? static_cast<int64_t>(info.st_size) : -1;
}

bool PathTaken(const std::string& path) {
    struct stat info {};
    return ::lstat(NativePath(path).c_str(), &info) == 0;
}

bool IsLink(const std::string& path) {
    struct stat info {};
    return ::lstat(NativePath(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool CreateDir(const std::string& path) {
    return ::mkdir(NativePath(path).c_str(), 0755) == 0 || Fail();
}

bool ForceDirectories(const std::string& path) {
    std::string native = NativePath(path);
    while (native.size() > 1 && native.back() == '/') native.pop_back();
    if (native.empty()) return false;
    if (DirectoryExists(native)) return true;
    const size_t cut = native.find_last_of('/');
    if (cut != std::string::npos && cut > 0 && !ForceDirectories(native.substr(0, cut))) return false;
    return CreateDir(native) || DirectoryExists(native);
}

bool RemoveDir(const std::string& path) {
    return ::rmdir(NativePath(path).c_str()) == 0 || Fail();
}

bool RemoveFile(const std::string& path) {
    struct stat info {};
    if (::lstat(NativePath(path).c_str(), &info) == 0 && !S_ISLNK(info.st_mode) &&
        !(info.st_mode & S_IWUSR)) {
        errno = EACCES;  // a read-only file is protected, as on Windows
        return Fail();
    }
    return ::unlink(NativePath(path).c_str()) == 0 || Fail();
}

bool SetReadOnly(const std::string& path, bool readOnly) {
    struct stat info {};
    if (!StatPath(path, info)) return Fail();
    const mode_t mode = readOnly ? info.st_mode & ~mode_t{0222} : info.st_mode | S_IWUSR;
    return ::chmod(NativePath(path).c_str(), mode) == 0 || Fail();
}

bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists) {
    const int in = ::open(NativePath(source).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return Fail();
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0);
    const int out = ::open(NativePath(target).c_str(), flags, 0644);
    if (out < 0) {
        Fail();
        ::close(in);
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 || ::write(out, buffer, static_cast<size_t>(n)) != n) {
            ok = Fail();
            break;
        }
    }
    ::close(in);
    if (::close(out) != 0 && ok) ok = Fail();
    return ok;
}

bool RenameFile(const std::string& source, const std::string& target) {
    return ::rename(NativePath(source).c_str(), NativePath(target).c_str()) == 0 || Fail();
}

bool ApplyUmaskMode(const std::string& path, bool program) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = (program ? 0777 : 0666) & ~mask;
    return ::chmod(NativePath(path).c_str(), mode) == 0 || Fail();
}

int LastErrorCode() { return lastError; }

void SetLastErrorCode(int code) { lastError = code; }

std::string CurrentFolder() {
    char buffer[261];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool SetCurrentFolder(const std::string& path) { return ::chdir(NativePath(path).c_str()) == 0; }

std::string ProgramFile() {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, size_t(length)) : std::string();
}

std::string ProgramFolder() {
    const std::string path = ProgramFile();
    return path.substr(0, path.find_last_of('/'));
}

std::string TempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = tmp && *tmp ? tmp : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::string CreateTempFile(const std::string& folder, const std::string& prefix) {
    std::string name = NativePath(folder);
    if (!name.empty() && name.back() != '/') name += '/';
    name += prefix + "XXXXXX.tmp";
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) {
        Fail();
        return std::string();
    }
    ::close(fd);
    return name;
}

struct TFindEnum::State {
    DIR* dir = nullptr;
    std::string folder;
    std::string mask;
    uint32_t attributes = 0;
};

TFindEnum::TFindEnum() : state_(std::make_unique<State>()) {}
TFindEnum::~TFindEnum() { Close(); }

bool TFindEnum::First(const std::string& pattern, uint32_t attributes, TSearchRec& found) {
    Close();
    SplitPattern(NativePath(pattern), state_->folder, state_->mask);
    state_->attributes = attributes;
    state_->dir = ::opendir(state_->folder.c_str());
    if (!state_->dir) return Fail();
    return Next(found);
}

bool TFindEnum::Next(TSearchRec& found) {
    if (!state_->dir) return false;
    // Entries whose special attributes were not asked for are passed over.
    const uint32_t excluded = (faHidden | faSysFile | faVolumeID | faDirectory) & ~state_->attributes;
    while (const dirent* entry = ::readdir(state_->dir)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (!MatchesMask(state_->mask, name)) continue;
        if (::lstat((state_->folder + "/" + name).c_str(), &info) != 0) continue;
        const uint32_t attr = AttributesOf(name, info);
        if (attr & excluded) continue;
        found.Name = name;
        found.Attr = attr;
        found.Size = S_ISDIR(info.st_mode) ? 0 : static_cast<int64_t>(info.st_size);
        return true;
    }
    return false;
}

void TFindEnum::Close() {
    if (state_->dir) ::closedir(state_->dir);
    state_->dir = nullptr;
}

}  // namespace platform
