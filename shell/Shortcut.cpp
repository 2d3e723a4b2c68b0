#include "shell/Shortcut.h"

#include "platform/ShellLink.h"

int CreateShortcut(const std::string& linkFile, const std::string& target, const std::string& arguments,
                    const std::string& workingFolder, const std::string& description, int iconFlag,
                    const std::string& iconFile, int iconIndex, int hotkeyFlag, int hotkey, int showCommand) {
    platform::TShellLink link;
    link.SetPath(target);
    link.SetDescription(description);
    link.SetArguments(arguments);
    link.SetWorkingDirectory(workingFolder);
    if (iconFlag != 0) link.SetIconLocation(iconFile, iconIndex);
    if (hotkeyFlag != 0) link.SetHotkey(static_cast<unsigned short>(hotkey & 0xFFFF));
    link.SetShowCmd(showCommand);
    return link.Save(linkFile);
}
