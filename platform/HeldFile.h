#pragma once
// A file that a running program holds open while it works, so that others
// can tell it is in use: they may read it, but neither write, rename nor
// delete it, nor open it alone, until the holder closes it or ends. Each
// append is written through to the disk before it returns. Windows only.
#include <memory>
#include <string>

namespace platform {

class THeldFile {
public:
    THeldFile();
    ~THeldFile();
    THeldFile(const THeldFile&) = delete;
    THeldFile& operator=(const THeldFile&) = delete;

    // Creates the file, which must not exist yet, and holds it; false when it cannot.
    bool Create(const std::string& path);
    // Appends the bytes and flushes them to the disk; false when either failed.
    bool Append(const std::string& bytes);
    void Close();
    bool IsOpen() const;

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

// Whether a running program holds the file open (it cannot be opened alone).
bool IsFileHeld(const std::string& path);
// Writes what the system still caches of the file to the disk; false when it cannot.
bool FlushFile(const std::string& path);
// Makes one folder level that only administrators and the system may change,
// others may read; false when it cannot be made.
bool CreateAdminFolder(const std::string& path);

}  // namespace platform
