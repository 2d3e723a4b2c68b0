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
// Texts stored as UTF-16 come back as 8-bit text (Latin-1 letters only).
std::optional<LinkFile> ReadLinkFile(const std::string& unixPath);
