#pragma once
// File names as the wizard's working folder on Windows holds them: a name
// is found whatever the case of its letters, and "\" and "/" separate
// folders alike.
#include <string>
#include <unordered_set>

// Whether Windows takes the two names for the same file.
bool SameFileName(const std::string& a, const std::string& b);

// The name as Windows compares it: letters in upper case, "/" as "\". Two
// names are the same file exactly when their keys are equal.
std::string FileNameKey(const std::string& name);

// A name a file of the working folder cannot have: empty, holding a separator
// or a character Windows forbids in names, or ending in a blank or a dot.
bool IsUnfitFileName(const std::string& name);

// The problem text for a file or folder at path whose name Windows keeps for
// a device (CON, NUL, COM1, ...): no file of that name can be unpacked there.
std::string DeviceNameProblem(const std::string& path);

// The problem text for a file at path whose name or folder takes more bytes
// than an archive's name fields hold.
std::string OverlongNameProblem(const std::string& path);

class TPayloadNames {
public:
    // name is relative to the working folder: "Setup.ini", "Graphics\Window.bmp".
    void Add(const std::string& name) { keys_.insert(FileNameKey(name)); }
    bool Contains(const std::string& name) const { return keys_.count(FileNameKey(name)) > 0; }

private:
    std::unordered_set<std::string> keys_;  // looked up once per named file, thousands of times in a large product
};
