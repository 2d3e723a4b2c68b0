#include "app/RemovalPlan.h"

#include <cctype>

#include "app/SetupLogBook.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "shell/PathParts.h"

namespace {

// "C:\..." or "\\server\share\...": a path that means the same from any current folder.
bool IsFullPath(const std::string& path) {
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\')
        return true;
    return path.size() > 2 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

// The folder without trailing separators; a drive's root keeps its own.
std::string WithoutTrailingSeparator(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

// The path with each run of separators after its start made one: a folder
// picked in the folder chooser ends in one, and the setup joins the names
// inside it with another.
std::string WithSingleSeparators(const std::string& path) {
    std::string plain = path.substr(0, 3);
    for (size_t i = plain.size(); i < path.size(); ++i)
        if (path[i] != '\\' || plain.back() != '\\') plain += path[i];
    return plain;
}

// Whether the folder is the path itself or holds it at any depth.
bool HoldsOrIs(const std::string& folder, const std::string& path) {
    if (SameText(folder, path)) return true;
    const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
    return path.size() > prefix.size() && SameText(path.substr(0, prefix.size()), prefix);
}

// A key name that stays one level below the list of installed programs.
bool IsSingleKeyName(const std::string& key) {
    if (key.empty()) return false;
    for (const char c : key)
        if (c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

// Moves each folder behind the last step for something inside it, so that a
// folder comes after its contents whatever order the log gives.
void PutFoldersAfterTheirContents(std::vector<TRemovalStep>& steps) {
    for (size_t i = 0; i < steps.size();) {
        size_t last = i;
        if (steps[i].Kind == TRemovalKind::Folder)
            for (size_t j = i + 1; j < steps.size(); ++j)
                if (!SameText(steps[j].Path, steps[i].Path) && HoldsOrIs(steps[i].Path, steps[j].Path)) last = j;
        if (last == i) {
            ++i;
            continue;
        }
        const TRemovalStep folder = steps[i];
        steps.erase(steps.begin() + i);
        steps.insert(steps.begin() + last, folder);
    }
}

}  // namespace

std::optional<TRemovalPlan> PlanOfLog(const TStringList& log, const std::string& logFile,
                                      const std::string& programFile) {
    if (log.Count() == 0 || log[0] != "SetupLOG") return std::nullopt;
    TRemovalPlan plan;
    std::string key;
    bool keyNamed = false;
    const std::string logFolder = FolderOfFile(logFile);
    std::vector<TRemovalStep> logFolders;
    for (int32_t i = 1; i < log.Count(); ++i) {
        const std::string& line = log[i];
        if (Trim(line).empty()) continue;
        const size_t at = line.find('=');
        const std::string kind = at == std::string::npos ? std::string() : line.substr(0, at);
        const std::string written = at == std::string::npos ? std::string() : line.substr(at + 1);
        if (SameText(kind, "NAME")) {
            if (plan.Name.empty()) plan.Name = Trim(written);
            continue;
        }
        if (SameText(kind, "SCOPE")) {
            // Anything but "User" is taken for the machine's: the entry is looked for there, elevated.
            plan.Scope = TInstallScope::Named(Trim(written)).value_or(TInstallScope::isMachine);
            continue;
        }
        if (SameText(kind, "KEY")) {
            if (!keyNamed) key = plan.Key = Trim(written);
            keyNamed = true;
            continue;
        }
        const bool isFile = SameText(kind, "LINK") || SameText(kind, "COPYFILE");
        const bool isFolder = SameText(kind, "DIRECTORY");
        if (!isFile && !isFolder) {
            plan.Skipped.push_back({line, TStayReason::NotUnderstood});
            continue;
        }
        const std::string value = WithSingleSeparators(written);
        if (!IsFullPath(value)) {
            plan.Skipped.push_back({value, TStayReason::NotFullPath});
            continue;
        }
        if (isFile) {
            if (SameText(value, programFile)) plan.AfterExit.insert(plan.AfterExit.begin(), {TRemovalKind::File, value});
            else plan.Steps.push_back({TRemovalKind::File, value});
            continue;
        }
        const std::string folder = WithoutTrailingSeparator(value);
        if (HoldsOrIs(folder, logFolder)) logFolders.push_back({TRemovalKind::Folder, folder});
        else plan.Steps.push_back({TRemovalKind::Folder, folder});
    }
    if (IsSingleKeyName(key)) plan.Steps.push_back({TRemovalKind::RegistryKey, UninstallKeyOf(key)});
    else if (keyNamed)
        plan.Skipped.push_back({std::string(plan.Scope.RegistryRootName()) + "\\" + UninstallKeyOf(key), TStayReason::InvalidKeyName});
    else plan.Skipped.push_back({"", TStayReason::NoKeyNamed});
    plan.Steps.push_back({TRemovalKind::Log, logFile});
    PutFoldersAfterTheirContents(plan.Steps);
    PutFoldersAfterTheirContents(logFolders);
    plan.AfterExit.insert(plan.AfterExit.end(), logFolders.begin(), logFolders.end());
    if (plan.Name.empty()) plan.Name = key;
    return plan;
}

TLogReading ReadSetupLog(const std::string& logFile, const std::string& programFile) {
    if (!platform::FileExists(logFile)) return {std::nullopt, TLogProblem::Missing, {}};
    TStringList log;
    try {
        log.LoadFromFile(logFile);
    } catch (const EStreamError& error) {
        return {std::nullopt, TLogProblem::Unreadable, error.Message()};
    }
    return {PlanOfLog(log, logFile, programFile), TLogProblem::NotASetupLog, {}};
}

// Apart from ReadSetupLog: the setup needs no reason, and keeping one would
// make it larger.
std::optional<TRemovalPlan> PlanOfLogFile(const std::string& logFile, const std::string& programFile) {
    TStringList log;
    try {
        log.LoadFromFile(logFile);
    } catch (const EStreamError&) {
        return std::nullopt;
    }
    return PlanOfLog(log, logFile, programFile);
}

namespace {

bool StrictlyBelow(const std::string& folder, const std::string& path) {
    return !folder.empty() && !SameText(folder, path) && HoldsOrIs(folder, path);
}

// "C:\" or "\\server\share": nothing above it could be the product's.
bool IsDriveRoot(const std::string& path) {
    if (path.rfind("\\\\", 0) != 0) return path.size() <= 3;
    const size_t server = path.find('\\', 2);
    return server == std::string::npos || path.find('\\', server + 1) == std::string::npos;
}

bool IsShortcutFile(const std::string& path) {
    return path.size() > 4 && SameText(path.substr(path.size() - 4), ".lnk");
}

// Whether a step of the plan stays within the product.
bool IsProducts(const TRemovalBounds& bounds, const TRemovalStep& step) {
    switch (step.Kind) {
        case TRemovalKind::RegistryKey:
        case TRemovalKind::Log: return true;
        case TRemovalKind::File:
            if (StrictlyBelow(bounds.InstalledLocation, step.Path)) return true;
            break;
        case TRemovalKind::Folder:
            if (HoldsOrIs(bounds.InstalledLocation, step.Path)) return true;
            if (HoldsOrIs(step.Path, bounds.InstalledLocation)) return !IsDriveRoot(step.Path);
            break;
    }
    if (step.Kind == TRemovalKind::File && !IsShortcutFile(step.Path)) return false;
    for (const std::string& folder : bounds.ShortcutFolders)
        if (StrictlyBelow(folder, step.Path)) return true;
    return false;
}

void KeepProducts(std::vector<TRemovalStep>& steps, const TRemovalBounds& bounds, std::vector<TLeftOver>& skipped) {
    std::vector<TRemovalStep> kept;
    for (TRemovalStep& step : steps) {
        if (IsProducts(bounds, step)) kept.push_back(std::move(step));
        else skipped.push_back({step.Path, TStayReason::OutsideProduct});
    }
    steps = std::move(kept);
}

}  // namespace

void ConfinePlan(TRemovalPlan& plan, const TRemovalBounds& bounds) {
    plan.Bounds = bounds;
    if (plan.Bounds.InstalledLocation.empty()) return;
    KeepProducts(plan.Steps, plan.Bounds, plan.Skipped);
    KeepProducts(plan.AfterExit, plan.Bounds, plan.Skipped);
}

std::string BoundOf(const TRemovalBounds& bounds, const std::string& path) {
    if (HoldsOrIs(bounds.InstalledLocation, path)) return bounds.InstalledLocation;
    for (const std::string& folder : bounds.ShortcutFolders)
        if (StrictlyBelow(folder, path)) return folder;
    return {};
}

// Each folder from the path up to its bound is looked at.
bool LeadsThroughLink(const TRemovalBounds& bounds, const std::string& path) {
    const std::string bound = BoundOf(bounds, path);
    if (bound.empty()) return false;
    const bool checkBound = SameText(bound, bounds.InstalledLocation);
    for (std::string folder = path;;) {
        const size_t cut = folder.find_last_of('\\');
        if (cut == std::string::npos || cut < bound.size()) return false;
        folder.resize(cut);
        const bool atBound = folder.size() == bound.size();
        if ((!atBound || checkBound) && platform::IsLink(folder)) return true;
        if (atBound) return false;
    }
}

std::string TrustedLocation(const std::string& entryLocation, const std::string& uninstallerFolder) {
    const std::string location = WithoutTrailingSeparator(WithSingleSeparators(entryLocation));
    if (IsFullPath(location) && !IsDriveRoot(location) && HoldsOrIs(location, uninstallerFolder)) return location;
    return uninstallerFolder;
}
