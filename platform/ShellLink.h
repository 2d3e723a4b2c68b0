#pragma once
// The shell link object behind shortcut (".lnk") files. Windows only.
#include <memory>
#include <string>

namespace platform {

class TShellLink {
public:
    // Creates the object with both of its interfaces; raises EOleSysError.
    TShellLink();
    ~TShellLink();
    TShellLink(const TShellLink&) = delete;
    TShellLink& operator=(const TShellLink&) = delete;

    // Each setter hands the value to the object and ignores its answer.
    void SetPath(const std::string& target);
    void SetDescription(const std::string& description);
    void SetArguments(const std::string& arguments);
    void SetWorkingDirectory(const std::string& folder);
    void SetIconLocation(const std::string& iconFile, int iconIndex);
    void SetHotkey(unsigned short hotkey);
    void SetShowCmd(int showCommand);
    // Writes the link file; 0 when it was written, else the system's code
    // of the failure (a COM result) for SystemErrorMessage.
    int Save(const std::string& linkFile);

    // Reading an existing link file back.
    bool Load(const std::string& linkFile);
    std::string Path() const;
    std::string Description() const;
    std::string Arguments() const;
    std::string WorkingDirectory() const;
    std::string IconLocation(int& iconIndex) const;
    unsigned short Hotkey() const;

private:
    struct Interfaces;
    std::unique_ptr<Interfaces> interfaces_;
};

}  // namespace platform
