#pragma once
// What the uninstaller removes and in which order, read from the log the
// setup leaves beside it. The log ("setup.log", 8-bit text) starts with the
// line "SetupLOG", names the product (NAME=) and its entry in the list of
// installed programs (KEY=), then lists what the setup made, newest first:
// shortcuts (LINK=), folders (DIRECTORY=) and copied files (COPYFILE=), each
// by its full path. Portable: the plan is made and worded without the system.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/StringList.h"

enum class TRemovalKind : uint8_t {
    File,           // a shortcut or a copied file
    FileAtRestart,  // the running uninstaller's own file: it goes at the next restart
    Folder,         // a folder, removed only when nothing is left in it
    RegistryKey,    // the product's entry below HKEY_LOCAL_MACHINE
    Log,            // the setup log itself
};

struct TRemovalStep {
    TRemovalKind Kind;
    std::string Path;  // the file or folder, or the key below HKEY_LOCAL_MACHINE
};

// Something that stays, and why.
struct TLeftOver {
    std::string Item;
    std::string Reason;
};

struct TRemovalPlan {
    std::string Name;  // the product's title
    std::vector<TRemovalStep> Steps;
    std::vector<TLeftOver> Skipped;  // log lines that are not acted on
};

// What a removal left behind.
struct TRemovalResult {
    std::vector<TLeftOver> LeftOvers;
    bool RestartPending = false;  // something is removed at the next restart
};

// A log that is missing or is no setup log.
class EUninstallError : public Exception { using Exception::Exception; };

// The plan of a log's lines: the logged items in the order of the log, so
// that what was made last goes first and a folder comes after what was put
// in it. The running program's own file is left to the next restart. The
// folder holding the log, and the folders above it, wait until the registry
// entry and the log are gone. Paths that are not full paths and lines not
// understood are skipped. Raises EUninstallError when the first line is not
// "SetupLOG".
TRemovalPlan MakeRemovalPlan(const TStringList& log, const std::string& logFile, const std::string& programFile);
// The same from the log file; a missing or unreadable file raises EUninstallError.
TRemovalPlan ReadRemovalPlan(const std::string& logFile, const std::string& programFile);

// "Remove <NAME> and all of its components?"
std::string RemovalQuestion(const TRemovalPlan& plan);
// "<NAME> was removed." or what could not be removed, one item a line
// (at most kMaxListedLeftOvers), and a word about removal at the next restart.
std::string RemovalSummary(const TRemovalPlan& plan, const TRemovalResult& result);
constexpr size_t kMaxListedLeftOvers = 12;
