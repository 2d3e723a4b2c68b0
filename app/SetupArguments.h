#pragma once
// The arguments of Setup.exe. Without any, the wizard runs as always.
//   /S           installs without a window or a box, as the description says
//   /LOG=FILE    writes each step and any failure's message to FILE
//   /LANG=NAME   the wizard's language by its English name, or Auto
//   /ALLOWDOWNGRADE  installs even over a newer installed version
//   /D=PATH      the destination folder; the last argument, taking the rest
//                of the command line as it stands, so blanks need no quotes
//   /ALLUSERS    installs for every user of the machine, /CURRENTUSER for the
//                user alone, whatever the description's Scope says
// Internal: /ELEVATED marks the elevated restart of a machine installation.
// Names of the switches are taken in any letter case. Portable.
#include <optional>
#include <string>

#include "app/InstallScope.h"

struct TSetupArguments {
    bool Silent = false;
    bool AllowDowngrade = false;
    std::string LogFile;                     // empty: no step log
    std::optional<std::string> Destination;  // replaces the proposed destination
    std::string Language;                    // empty: the one the description names
    std::optional<TInstallScope> Scope;      // replaces the description's; the last one given counts
    bool Elevated = false;                   // this run is the elevated restart
    std::string Unknown;                     // the first argument not understood; empty when all were
};

// Reads the arguments from the command line without the program's name.
TSetupArguments ParseSetupArguments(const std::string& arguments);

// The command line without the program's name (quoted or not) and the blanks after it.
std::string ArgumentsOf(const std::string& commandLine);

// The destination as the setup uses it, from the full path the system made
// of "/D=" (relative steps taken, short names made long): a drive or a share
// with the path below it, without a trailing "\" (a root keeps its own).
// Nothing when it is no such path (a device, "\\?\" form, a character no
// file name may hold), which makes "/D=" an argument not understood.
std::optional<std::string> CanonicalDestination(const std::string& fullPath);

// The message for an argument that is not understood.
std::string UnknownArgumentText(const std::string& argument);
