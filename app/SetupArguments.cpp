#include "app/SetupArguments.h"

#include <cctype>
#include <string_view>

#include "app/ElevationChoice.h"
#include "platform/Text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(const std::string& text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

// One argument from `at`: up to the next blank outside quotation marks,
// the marks themselves left out.
std::string NextArgument(const std::string& text, size_t& at) {
    std::string argument;
    bool quoted = false;
    for (; at < text.size() && (quoted || !IsBlank(text[at])); ++at) {
        if (text[at] == '"') quoted = !quoted;
        else argument += text[at];
    }
    return argument;
}

bool StartsWithSwitch(const std::string& text, size_t at, const std::string& name) {
    return SameText(text.substr(at, name.size()), name);
}

// The rest of the line after "/D=": as it stands, without trailing blanks.
// Quotation marks around the value, or around the whole argument (as a
// program that starts Setup.exe may add them), are left out.
std::string DestinationValue(const std::string& rest, bool argumentQuoted) {
    std::string value = rest;
    while (!value.empty() && IsBlank(value.back())) value.pop_back();
    const bool valueQuoted = !argumentQuoted && value.size() >= 2 && value.front() == '"';
    if ((argumentQuoted || valueQuoted) && !value.empty() && value.back() == '"') value.pop_back();
    return valueQuoted ? value.substr(1) : value;
}

}  // namespace

TSetupArguments ParseSetupArguments(const std::string& arguments) {
    TSetupArguments result;
    for (size_t at = SkipBlanks(arguments, 0); at < arguments.size(); at = SkipBlanks(arguments, at)) {
        const bool quoted = arguments[at] == '"';
        if (StartsWithSwitch(arguments, at + quoted, "/D=")) {
            const std::string value = DestinationValue(arguments.substr(at + quoted + 3), quoted);
            if (!value.empty()) result.Destination = value;
            else if (result.Unknown.empty()) result.Unknown = Trim(arguments.substr(at));
            return result;
        }
        const std::string argument = NextArgument(arguments, at);
        if (SameText(argument, "/S")) result.Silent = true;
        else if (SameText(argument, "/ALLUSERS")) result.Scope = TInstallScope::isMachine;
        else if (SameText(argument, "/CURRENTUSER")) result.Scope = TInstallScope::isUser;
        else if (SameText(argument, kElevatedArgument)) result.Elevated = true;
        else if (SameText(argument, "/ALLOWDOWNGRADE")) result.AllowDowngrade = true;
        else if (StartsWithSwitch(argument, 0, "/LOG=") && argument.size() > 5) result.LogFile = argument.substr(5);
        else if (StartsWithSwitch(argument, 0, "/LANG=") && argument.size() > 6) result.Language = argument.substr(6);
        else if (result.Unknown.empty()) result.Unknown = argument;
    }
    return result;
}

std::string ArgumentsOf(const std::string& commandLine) {
    size_t at = SkipBlanks(commandLine, 0);
    NextArgument(commandLine, at);
    return commandLine.substr(SkipBlanks(commandLine, at));
}

namespace {

bool IsDriveRoot(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
}

// "\\server\share", not the device forms "\\?\" and "\\.\"; the length of
// that root, 0 when the path does not start with one.
size_t ShareRootLength(const std::string& path) {
    if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0 || path[2] == '?' || path[2] == '.') return 0;
    const size_t server = path.find('\\', 2);
    if (server == std::string::npos || server == 2 || server + 1 >= path.size() || path[server + 1] == '\\') return 0;
    const size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share;
}

bool HoldsForbiddenCharacter(const std::string& path) {
    for (const char c : path)
        if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"|?*/").find(c) != std::string_view::npos)
            return true;
    return false;
}

}  // namespace

std::optional<std::string> CanonicalDestination(const std::string& fullPath) {
    const size_t root = IsDriveRoot(fullPath) ? 3 : ShareRootLength(fullPath);
    if (root == 0 || HoldsForbiddenCharacter(fullPath.substr(root))) return std::nullopt;
    std::string path = fullPath;
    while (path.size() > root && path.back() == '\\') path.pop_back();
    return path;
}

std::string UnknownArgumentText(const std::string& argument) {
    return "Unknown argument: " + argument +
           "\r\n\r\nSetup.exe [/S] [/LOG=FILE] [/LANG=NAME] [/ALLUSERS | /CURRENTUSER] [/ALLOWDOWNGRADE] [/D=PATH]\r\n"
           "  /S               install without asking, as the setup describes\r\n"
           "  /LOG=FILE        write each step to FILE\r\n"
           "  /LANG=NAME       show the wizard in the language NAME (French, Japanese, Auto)\r\n"
           "  /ALLUSERS        install for every user of the computer\r\n"
           "  /CURRENTUSER     install for the current user alone\r\n"
           "  /ALLOWDOWNGRADE  install even over a newer installed version\r\n"
           "  /D=PATH          install into PATH (the last argument; no quotes needed)";
}
