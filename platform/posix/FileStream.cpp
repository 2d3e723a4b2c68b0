#include "platform/FileStream.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/posix/NativePath.h"

struct TFileStream::Handle {
    int fd = -1;
    int writeError = 0;
    // The file offset as this stream moved it, so that asking for the
    // position takes no system call; -1 when unknown.
    int64_t position = 0;
    void Advance(int64_t count) {
        if (position >= 0) position += count;
    }
    ~Handle() {
        if (fd >= 0) ::close(fd);
    }
};

namespace {

// The file was opened without following a link: it is kept and emptied only
// when it is a plain file that has no other name.
bool EmptiedIfPlain(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 && ::ftruncate(fd, 0) == 0;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, TFileMode mode)
    : fileName_(fileName), handle_(std::make_unique<Handle>()) {
    const std::string path = platform::NativePath(fileName);
    int flags = O_RDONLY;
    if (mode == TFileMode::fmOpenReadWrite) flags = O_RDWR;
    const bool create = mode == TFileMode::fmCreate || mode == TFileMode::fmCreateDenyWrite ||
                        mode == TFileMode::fmCreateRenamable;
    if (create) flags = O_RDWR | O_CREAT | O_TRUNC;
    const bool plain = mode == TFileMode::fmCreatePlainDenyWrite;
    if (plain) flags = O_RDWR | O_CREAT | O_NOFOLLOW;
    handle_->fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (handle_->fd >= 0 && plain && !EmptiedIfPlain(handle_->fd)) {
        ::close(handle_->fd);
        handle_->fd = -1;
    }
    // A folder opens for reading only; opening one for writing fails by itself.
    struct stat info {};
    if (handle_->fd >= 0 && flags == O_RDONLY && ::fstat(handle_->fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(handle_->fd);
        handle_->fd = -1;
    }
    if (handle_->fd < 0) {
        if (create || plain) throw EFCreateError(fileName);
        throw EFOpenError(fileName);
    }
}

TFileStream::~TFileStream() = default;

int32_t TFileStream::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    ssize_t n;
    do {
        n = ::read(handle_->fd, buffer, static_cast<size_t>(count));
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        handle_->position = -1;
        throw EReadError("Stream-Lesefehler");
    }
    handle_->Advance(n);
    return static_cast<int32_t>(n);
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
    int32_t done = 0;
    const char* bytes = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(handle_->fd, bytes + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            handle_->writeError = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<int32_t>(n);
    }
    handle_->Advance(done);
    return done;
}

int TFileStream::WriteErrorCode() const { return handle_->writeError; }

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const bool asking = origin == TSeekOrigin::soCurrent && offset == 0;
    if (asking && handle_->position >= 0) return handle_->position;
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    const off_t moved = ::lseek(handle_->fd, static_cast<off_t>(offset), whence);
    // A failed seek leaves the offset where it was.
    if (moved >= 0) handle_->position = static_cast<int64_t>(moved);
    return static_cast<int64_t>(moved);
}

int64_t TFileStream::Size() {
    struct stat info {};
    if (::fstat(handle_->fd, &info) != 0) return TStream::Size();
    return static_cast<int64_t>(info.st_size);
}

bool TFileStream::RenameTo(const std::string& newName) {
    if (!platform::RenameFile(fileName_, newName)) return false;
    fileName_ = newName;
    return true;
}
