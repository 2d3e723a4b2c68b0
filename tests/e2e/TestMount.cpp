#include "tests/e2e/TestMount.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tests/e2e/Poll.h"

TestMount::TestMount(const std::string& folder, int64_t bytes) : folder_(folder) {
    ::mkdir(folder.c_str(), 0755);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) error_ = "cannot mount a tmpfs on " + folder + " (" + std::strerror(errno) + "); the tests need root";
}

TestMount::~TestMount() {
    if (!mounted_) return;
    // Wine lets go of the files of a program that ended a moment later.
    if (!WaitUntil([&] { return ::umount2(folder_.c_str(), 0) == 0 || errno != EBUSY; }, 10s, 200ms))
        ::umount2(folder_.c_str(), MNT_DETACH);
    ::rmdir(folder_.c_str());
}

bool TestMount::LeaveFree(int64_t bytes) {
    struct statvfs info {};
    if (::statvfs(folder_.c_str(), &info) != 0) return false;
    const int64_t available = int64_t(info.f_bavail) * int64_t(info.f_frsize);
    if (available < bytes) return false;
    const int fd = ::open((folder_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool filled = ::posix_fallocate(fd, 0, available - bytes) == 0;
    ::close(fd);
    return filled;
}

void TestMount::RemoveFiller() { ::unlink((folder_ + "/filler").c_str()); }

bool TestMount::MakeReadOnly() {
    return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
