#pragma once
// Files and folders, in the terms the setup thinks in: backslash-separated
// UTF-8 paths and the Windows file attributes. On Windows a path may be up
// to 32,767 characters long. The POSIX build maps the separator and emulates
// the attributes that matter (folder, hidden, read-only).
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum FileAttribute : uint32_t {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
    faAnyFile = 0x3F,
    // A link (a symbolic link or a junction); a link to a folder may carry
    // faDirectory too, but it is not the folder it points to.
    faReparsePoint = 0x400,
};

bool FileExists(const std::string& path);       // a file, not a folder
bool DirectoryExists(const std::string& path);
int64_t FileSizeOf(const std::string& path);   // -1 when there is no such file
bool CreateDir(const std::string& path);        // one level; its parent must exist; fails when the name is taken
// Whether anything has that name: a file, a folder, or a link, even one
// whose target is gone.
bool PathTaken(const std::string& path);
// Whether the path itself is a link (symbolic link, junction or other
// reparse point), not what it points to.
bool IsLink(const std::string& path);
bool ForceDirectories(const std::string& path); // every missing level, parents first
bool RemoveDir(const std::string& path);        // an empty folder
bool RemoveFile(const std::string& path);       // fails on read-only files
bool SetReadOnly(const std::string& path, bool readOnly);
bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists);
// Gives a file another name in the same volume, replacing a file of that name in one step.
bool RenameFile(const std::string& source, const std::string& target);
// Gives a file the permissions a new file gets under the process's umask,
// with the right to run it for a program; temporary files are made private,
// so a file that was one gets them before it is given its final name.
// Windows has no such modes: nothing to do there.
bool ApplyUmaskMode(const std::string& path, bool program);
int LastErrorCode();                            // the code of the last failed call above
// Sets the code that LastErrorCode gives, so that a failure's code survives
// the calls made after it.
void SetLastErrorCode(int code);

// The process's current folder, without a trailing separator (empty when it
// cannot be told).
std::string CurrentFolder();
// Makes path the process's current folder; false when it cannot.
bool SetCurrentFolder(const std::string& path);
// The folder of the running program's file, without a trailing separator.
std::string ProgramFolder();
// The full name of the running program's file, in its long form.
std::string ProgramFile();

// The folder for temporary files, with a trailing separator.
std::string TempFolder();
// Creates a new empty file "<folder><prefix><hex>.tmp" and returns its name,
// or empty when none could be made.
std::string CreateTempFile(const std::string& folder, const std::string& prefix);

struct TSearchRec {
    std::string Name;
    uint32_t Attr = 0;
    int64_t Size = 0;
};

// Enumerates the entries of one folder that match a "folder\*.*" pattern,
// "." and ".." included, in the order the file system gives them.
class TFindEnum {
public:
    TFindEnum();
    ~TFindEnum();
    TFindEnum(const TFindEnum&) = delete;
    TFindEnum& operator=(const TFindEnum&) = delete;

    // Starts the enumeration; false when the folder cannot be listed.
    bool First(const std::string& pattern, uint32_t attributes, TSearchRec& found);
    bool Next(TSearchRec& found);
    void Close();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
