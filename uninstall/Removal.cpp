#include "uninstall/Removal.h"

#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/Thread.h"

namespace {

// A program's file and folder can stay locked for a moment after it ended.
constexpr int kAttemptsAfterExit = 20;
constexpr unsigned kPauseAfterExitMs = 100;

bool IsOneOf(const std::string& path, const std::vector<std::string>& paths) {
    for (const std::string& other : paths)
        if (SameText(other, path)) return true;
    return false;
}

// Whether the folder can be listed and holds nothing but the given paths.
bool HoldsOnly(const std::string& folder, const std::vector<std::string>& paths) {
    platform::TFindEnum find;
    platform::TSearchRec entry;
    if (!find.First(folder + "\\*.*", platform::faAnyFile, entry)) return false;
    do {
        if (entry.Name != "." && entry.Name != ".." && !IsOneOf(folder + "\\" + entry.Name, paths)) return false;
    } while (find.Next(entry));
    return true;
}

// Deletes a file, clearing the read-only attribute that files copied from
// read-only media keep.
bool RemoveEvenReadOnly(const std::string& path) {
    if (platform::RemoveFile(path)) return true;
    return platform::SetReadOnly(path, false) && platform::RemoveFile(path);
}

// Tries until the attempt succeeds, kAttemptsAfterExit times at most.
template <class Attempt>
bool RetriedAfterExit(Attempt attempt) {
    for (int i = 1; i < kAttemptsAfterExit; ++i) {
        if (attempt()) return true;
        platform::Pause(kPauseAfterExitMs);
    }
    return attempt();
}

class TRemoval {
public:
    explicit TRemoval(TRemovalResult& result, TRestartRemover removeAtRestart = {}, const TRemovalBounds* bounds = nullptr)
        : result_(result), removeAtRestart_(std::move(removeAtRestart)), bounds_(bounds) {}

    void Run(const TRemovalPlan& plan, const TRemovalProgress& progress) {
        for (size_t i = 0; i < plan.Steps.size(); ++i) {
            const TRemovalStep& step = plan.Steps[i];
            if (progress) progress(i, plan.Steps.size(), step.Path);
            if (ThroughLink(step)) continue;
            switch (step.Kind) {
                case TRemovalKind::File:
                case TRemovalKind::Log: RemoveFile(step.Path); break;
                case TRemovalKind::Folder: RemoveFolder(step.Path); break;
                case TRemovalKind::RegistryKey: RemoveKey(plan.Scope, step.Path); break;
            }
        }
    }

    // Keeps of the steps after the end those that are expected to succeed.
    void LookAhead(const std::vector<TRemovalStep>& afterExit) {
        std::vector<std::string> going;
        for (const TRemovalStep& step : afterExit) {
            if (ThroughLink(step)) continue;
            const bool goes = step.Kind == TRemovalKind::File ? FileGoes(step.Path) : FolderGoes(step.Path, going);
            if (!goes) continue;
            result_.AfterExit.push_back(step);
            going.push_back(step.Path);
        }
    }

    void RemoveAfterExit() {
        for (const TRemovalStep& step : result_.AfterExit) {
            if (step.Kind == TRemovalKind::File) RemoveEndedProgram(step.Path);
            else RemoveEmptiedFolder(step.Path);
        }
        result_.AfterExit.clear();
    }

private:
    void Stays(const std::string& item, TStayReason reason) { result_.LeftOvers.push_back({item, reason}); }

    bool ThroughLink(const TRemovalStep& step) {
        if (!bounds_ || step.Kind == TRemovalKind::RegistryKey || !LeadsThroughLink(*bounds_, step.Path)) return false;
        Stays(step.Path, TStayReason::ThroughLink);
        return true;
    }

    void RemoveFile(const std::string& path) {
        if (!platform::FileExists(path)) {
            if (platform::DirectoryExists(path)) Stays(path, TStayReason::FolderNotFile);
            return;
        }
        if (!RemoveEvenReadOnly(path)) Stays(path, TStayReason::InUse);
    }

    void RemoveFolder(const std::string& path) {
        if (platform::DirectoryExists(path) && !platform::RemoveDir(path)) Stays(path, TStayReason::HoldsOtherFiles);
    }

    void RemoveKey(TInstallScope scope, const std::string& key) {
        platform::TRegistry registry(scope.RegistryRoot());
        if (!registry.KeyExists(key) || registry.DeleteKey(key)) return;
        Stays(std::string(scope.RegistryRootName()) + "\\" + key, TStayReason::KeyNotDeleted);
    }

    bool FileGoes(const std::string& path) {
        if (platform::FileExists(path)) return true;
        if (platform::DirectoryExists(path)) Stays(path, TStayReason::FolderNotFile);
        return false;
    }

    bool FolderGoes(const std::string& path, const std::vector<std::string>& going) {
        if (!platform::DirectoryExists(path)) return false;
        if (HoldsOnly(path, going)) return true;
        Stays(path, TStayReason::HoldsOtherFiles);
        return false;
    }

    void RemoveEndedProgram(const std::string& path) {
        if (!platform::FileExists(path) || RetriedAfterExit([&] { return RemoveEvenReadOnly(path); })) return;
        MarkForRestart(path);
    }

    void RemoveEmptiedFolder(const std::string& path) {
        if (!platform::DirectoryExists(path) || platform::RemoveDir(path)) return;
        if (!HoldsOnly(path, marked_)) {
            Stays(path, TStayReason::HoldsOtherFiles);  // something came meanwhile
            return;
        }
        // Empty, it may still be the ended program's current folder for a moment.
        if (HoldsOnly(path, {}) && RetriedAfterExit([&] { return platform::RemoveDir(path); })) return;
        MarkForRestart(path);
    }

    void MarkForRestart(const std::string& path) {
        if (!removeAtRestart_(path)) {
            Stays(path, TStayReason::NotMarked);
            return;
        }
        marked_.push_back(path);
        result_.RestartPending = true;
    }

    TRemovalResult& result_;
    const TRestartRemover removeAtRestart_;
    const TRemovalBounds* bounds_;  // null: nothing is checked for links
    std::vector<std::string> marked_;
};

}  // namespace

bool RemovedCompletely(const TRemovalResult& result) {
    for (const TLeftOver& item : result.LeftOvers)
        if (item.Reason != TStayReason::HoldsOtherFiles) return false;
    return true;
}

TRemovalResult CarryOutRemoval(const TRemovalPlan& plan, const TRemovalProgress& progress) {
    TRemovalResult result;
    result.LeftOvers = plan.Skipped;
    TRemoval removal(result, {}, plan.Bounds.InstalledLocation.empty() ? nullptr : &plan.Bounds);
    removal.Run(plan, progress);
    removal.LookAhead(plan.AfterExit);
    return result;
}

void FinishRemoval(TRemovalResult& result, const TRestartRemover& removeAtRestart) {
    TRemoval(result, removeAtRestart).RemoveAfterExit();
}
