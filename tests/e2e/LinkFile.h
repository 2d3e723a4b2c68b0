#pragma once
// Reading a shortcut (".lnk") file without the shell: its target, its
// arguments, its working folder and its description.
#include <optional>
#include <string>

struct LinkFile {
    std::string Target;
    std::string Arguments;
    std::string WorkingFolder;
    std::string Description;
    bool operator==(const LinkFile&) const = default;
};

// The link file's contents; nothing when it is missing or not a link file.
// Texts stored as UTF-16 come back as UTF-8; the target is the 8-bit path
// of the link's location part, in the code page of the system that wrote it.
std::optional<LinkFile> ReadLinkFile(const std::string& unixPath);
