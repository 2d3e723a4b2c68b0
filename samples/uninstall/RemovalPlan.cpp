#include "samples/uninstall/RemovalPlan.h"

#include <cctype>

#include "app/SetupLogBook.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

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

std::string FolderOf(const std::string& path) {
    const size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
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

}  // namespace

TRemovalPlan MakeRemovalPlan(const TStringList& log, const std::string& logFile, const std::string& programFile) {
    if (log.Count() == 0 || log[0] != "SetupLOG") throw EUninstallError(logFile + " is not a setup log.");
    TRemovalPlan plan;
    std::string key;
    bool keyNamed = false;
    const std::string logFolder = FolderOf(logFile);
    std::vector<TRemovalStep> afterLog;
    for (int32_t i = 1; i < log.Count(); ++i) {
        const std::string& line = log[i];
        if (Trim(line).empty()) continue;
        const size_t at = line.find('=');
        const std::string kind = at == std::string::npos ? std::string() : line.substr(0, at);
        const std::string value = at == std::string::npos ? std::string() : line.substr(at + 1);
        if (SameText(kind, "NAME")) {
            if (plan.Name.empty()) plan.Name = Trim(value);
            continue;
        }
        if (SameText(kind, "KEY")) {
            if (!keyNamed) key = Trim(value);
            keyNamed = true;
            continue;
        }
        const bool isFile = SameText(kind, "LINK") || SameText(kind, "COPYFILE");
        const bool isFolder = SameText(kind, "DIRECTORY");
        if (!isFile && !isFolder) {
            plan.Skipped.push_back({line, "not understood"});
            continue;
        }
        if (!IsFullPath(value)) {
            plan.Skipped.push_back({value, "not a full path"});
            continue;
        }
        if (isFile) {
            const bool own = SameText(value, programFile);
            plan.Steps.push_back({own ? TRemovalKind::FileAtRestart : TRemovalKind::File, value});
            continue;
        }
        const std::string folder = WithoutTrailingSeparator(value);
        if (HoldsOrIs(folder, logFolder)) afterLog.push_back({TRemovalKind::Folder, folder});
        else plan.Steps.push_back({TRemovalKind::Folder, folder});
    }
    if (IsSingleKeyName(key)) plan.Steps.push_back({TRemovalKind::RegistryKey, UninstallKeyOf(key)});
    else if (keyNamed) plan.Skipped.push_back({"HKEY_LOCAL_MACHINE\\" + UninstallKeyOf(key), "not a valid key name"});
    else plan.Skipped.push_back({"The entry in the list of installed programs", "the log names no key"});
    plan.Steps.push_back({TRemovalKind::Log, logFile});
    plan.Steps.insert(plan.Steps.end(), afterLog.begin(), afterLog.end());
    if (plan.Name.empty()) plan.Name = key.empty() ? "Unnamed program" : key;
    return plan;
}

TRemovalPlan ReadRemovalPlan(const std::string& logFile, const std::string& programFile) {
    if (!platform::FileExists(logFile))
        throw EUninstallError("The setup log " + logFile + " is missing, so nothing can be removed.");
    TStringList log;
    try {
        log.LoadFromFile(logFile);
    } catch (const EStreamError& error) {
        throw EUninstallError("The setup log " + logFile + " cannot be read: " + error.Message());
    }
    return MakeRemovalPlan(log, logFile, programFile);
}

std::string RemovalQuestion(const TRemovalPlan& plan) {
    return "Remove " + plan.Name + " and all of its components?";
}

std::string RemovalSummary(const TRemovalPlan& plan, const TRemovalResult& result) {
    std::string text = plan.Name + " was removed.";
    if (!result.LeftOvers.empty()) {
        text = plan.Name + " was removed, except for these items:\r\n";
        const size_t count = result.LeftOvers.size();
        const size_t listed = count > kMaxListedLeftOvers ? kMaxListedLeftOvers - 1 : count;
        for (size_t i = 0; i < listed; ++i)
            text += "\r\n" + result.LeftOvers[i].Item + " (" + result.LeftOvers[i].Reason + ")";
        if (listed < count) text += "\r\n... and " + std::to_string(count - listed) + " more.";
    }
    if (result.RestartPending)
        text += "\r\n\r\nThe uninstaller itself is deleted when Windows next starts.";
    return text;
}
