#pragma once
// What removing an installation means, read from the log the setup leaves
// beside the installed files: the uninstaller carries it out, and an upgrade
// removes with it what the earlier version alone made. The log ("setup.log",
// 8-bit text) starts with the line "SetupLOG", names the product (NAME=)
// and its entry in the list of installed programs (KEY=), for an
// installation for one user says so (SCOPE=User; without it the
// installation is the machine's), then lists what the setup made, newest
// first: shortcuts (LINK=), folders (DIRECTORY=) and copied files
// (COPYFILE=), each by its full path. Portable: the plan is made without the
// system. What is wrong with a log is told as a value, which the uninstaller
// words in its user's language.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/InstallScope.h"
#include "platform/StringList.h"

enum class TRemovalKind : uint8_t {
    File,         // a shortcut or a copied file
    Folder,       // a folder, removed only when nothing is left in it
    RegistryKey,  // the product's entry below the scope's root
    Log,          // the setup log itself
};

struct TRemovalStep {
    TRemovalKind Kind;
    std::string Path;  // the file or folder, or the key below the scope's root
};

// Why something stays.
enum class TStayReason : uint8_t {
    NotUnderstood,    // a log line of no known kind
    NotFullPath,      // a logged path that would depend on the current folder
    InvalidKeyName,   // a key name that would reach beyond the product's own entry
    NoKeyNamed,       // the log names no key, so the entry cannot be found
    FolderNotFile,    // a folder where the log names a file
    InUse,            // a file that is in use or protected
    HoldsOtherFiles,  // a folder that still holds what the setup did not make
    KeyNotDeleted,    // the entry could not be deleted
    NotMarked,        // could not be marked for removal at the next restart
    OutsideProduct,   // a logged path that is not the product's: outside its folder, shortcuts and program folder
    ThroughLink,      // a path that leads through a link, which is never followed
};

// Something that stays, and why. Item is empty for NoKeyNamed.
struct TLeftOver {
    std::string Item;
    TStayReason Reason;

    bool operator==(const TLeftOver&) const = default;
};

// Where the product lies: its installed location, and the folders that hold
// its shortcuts and program folder (the Start menu's Programs folders and
// the desktops). Each without a trailing separator.
struct TRemovalBounds {
    std::string InstalledLocation;
    std::vector<std::string> ShortcutFolders;
};

struct TRemovalPlan {
    std::string Name;                     // the product's title; empty when the log names none
    std::string Key;                      // the entry's name the log gives; empty when it names none
    TInstallScope Scope;                  // where the entry and the shortcuts are
    TRemovalBounds Bounds;                // set by ConfinePlan; empty: not confined
    std::vector<TRemovalStep> Steps;      // done while the uninstaller runs
    std::vector<TRemovalStep> AfterExit;  // its own file and the folders that hold it, once it has ended
    std::vector<TLeftOver> Skipped;       // log lines that are not acted on
};

// What is wrong with the setup log.
enum class TLogProblem : uint8_t { Missing, NotASetupLog, Unreadable };

// A setup log as read: its plan, or what is wrong with it.
struct TLogReading {
    std::optional<TRemovalPlan> Plan;
    TLogProblem Problem = TLogProblem::Missing;  // when there is no plan
    std::string Detail;                           // the system's reason for an unreadable log
};

// The plan of a log's lines: the logged items in the order of the log, so
// that what was made last goes first and a folder comes after what was put
// in it. The uninstaller's own file (programFile) and the folders that hold
// the log wait until the uninstaller has ended, after the registry entry and
// the log. Paths that are not full paths and lines not understood are
// skipped. Nothing when the first line is not "SetupLOG".
std::optional<TRemovalPlan> PlanOfLog(const TStringList& log, const std::string& logFile,
                                      const std::string& programFile);
// The same from the log file, or what is wrong with it: missing,
// unreadable, or no setup log.
TLogReading ReadSetupLog(const std::string& logFile, const std::string& programFile);
// The plan alone: nothing whatever is wrong with the log (the setup, which
// says only that it found none).
std::optional<TRemovalPlan> PlanOfLogFile(const std::string& logFile, const std::string& programFile);

// Leaves out of the plan what is not the product's: files and folders that
// are not below the installed location, and shortcuts (".lnk" files) and
// folders that are not below a shortcut folder. A folder above the
// installed location stays in the plan (the setup logs the levels it made,
// and a folder is removed only when empty); a drive's root never does.
// What is left out is a left-over (OutsideProduct).
void ConfinePlan(TRemovalPlan& plan, const TRemovalBounds& bounds);

// The bound that a step's path lies below: the installed location or a
// shortcut folder; empty for one above the installed location.
std::string BoundOf(const TRemovalBounds& bounds, const std::string& path);

// Whether a folder between the path and its bound is a link (a symbolic
// link or junction), which the removal never follows; the installed
// location itself counts too, the folders that hold shortcuts do not (the
// system may keep those as links itself). A path without a bound (a folder
// above the installed location) is removed only when empty and follows nothing.
bool LeadsThroughLink(const TRemovalBounds& bounds, const std::string& path);

// The installed location to trust: the entry's, when it holds the
// uninstaller's own folder; else that folder, where the setup put the
// uninstaller and the log.
std::string TrustedLocation(const std::string& entryLocation, const std::string& uninstallerFolder);
