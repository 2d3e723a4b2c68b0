#pragma once
// File names as the wizard's working folder on Windows holds them: a name
// is found whatever the case of its letters, and "\" and "/" separate
// folders alike.
#include <string>
#include <vector>

// Whether Windows takes the two names for the same file.
bool SameFileName(const std::string& a, const std::string& b);

// A name a file of the working folder cannot have: empty, holding a separator
// or a character Windows forbids in names, or ending in a blank or a dot.
bool IsUnfitFileName(const std::string& name);

// The problem text for a file or folder at path whose name Windows keeps for
// a device (CON, NUL, COM1, ...): no file of that name can be unpacked there.
std::string DeviceNameProblem(const std::string& path);

// The problem text for a file or folder at path whose name the wizard's
// code page, Windows-1252, cannot hold.
std::string UnwritableNameProblem(const std::string& path);

class TPayloadNames {
public:
    // name is relative to the working folder: "Setup.ini", "Graphics\Window.bmp".
    void Add(const std::string& name) { names_.push_back(name); }
    bool Contains(const std::string& name) const;

private:
    std::vector<std::string> names_;
};
