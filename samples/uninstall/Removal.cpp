#include "samples/uninstall/Removal.h"

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace {

class TRemoval {
public:
    TRemoval(const TRemovalPlan& plan, const TRestartRemover& removeAtRestart)
        : plan_(plan), removeAtRestart_(removeAtRestart) {
        result_.LeftOvers = plan.Skipped;
    }

    TRemovalResult Run() {
        for (const TRemovalStep& step : plan_.Steps) {
            switch (step.Kind) {
                case TRemovalKind::File: RemoveFile(step.Path); break;
                case TRemovalKind::FileAtRestart: RemoveOwnFile(step.Path); break;
                case TRemovalKind::Folder: RemoveFolder(step.Path); break;
                case TRemovalKind::RegistryKey: RemoveKey(step.Path); break;
                case TRemovalKind::Log: RemoveFile(step.Path); break;
            }
        }
        return result_;
    }

private:
    void Stays(const std::string& item, const std::string& reason) { result_.LeftOvers.push_back({item, reason}); }

    void RemoveFile(const std::string& path) {
        if (!platform::FileExists(path)) {
            if (platform::DirectoryExists(path)) Stays(path, "a folder where a file was expected");
            return;
        }
        if (platform::RemoveFile(path)) return;
        // Files copied from read-only media keep that attribute.
        if (platform::SetReadOnly(path, false) && platform::RemoveFile(path)) return;
        Stays(path, "in use or protected");
    }

    void RemoveOwnFile(const std::string& path) {
        if (!platform::FileExists(path)) return;
        if (MarkForRestart(path)) return;
        Stays(path, "the running uninstaller, which could not be marked for removal at restart");
    }

    void RemoveFolder(const std::string& path) {
        if (!platform::DirectoryExists(path) || platform::RemoveDir(path)) return;
        if (HoldsOnlyMarked(path)) {
            if (MarkForRestart(path)) return;
            Stays(path, "could not be marked for removal at restart");
            return;
        }
        Stays(path, "holds other files");
    }

    void RemoveKey(const std::string& key) {
        platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
        if (!registry.KeyExists(key) || registry.DeleteKey(key)) return;
        Stays("HKEY_LOCAL_MACHINE\\" + key, "could not be deleted");
    }

    bool MarkForRestart(const std::string& path) {
        if (!removeAtRestart_(path)) return false;
        marked_.push_back(path);
        result_.RestartPending = true;
        return true;
    }

    // Whether the folder can be listed and every entry in it is marked for removal at restart.
    bool HoldsOnlyMarked(const std::string& folder) {
        platform::TFindEnum find;
        platform::TSearchRec entry;
        if (!find.First(folder + "\\*.*", platform::faAnyFile, entry)) return false;
        do {
            if (entry.Name != "." && entry.Name != ".." && !IsMarked(folder + "\\" + entry.Name)) return false;
        } while (find.Next(entry));
        return true;
    }

    bool IsMarked(const std::string& path) const {
        for (const std::string& marked : marked_)
            if (SameText(marked, path)) return true;
        return false;
    }

    const TRemovalPlan& plan_;
    const TRestartRemover& removeAtRestart_;
    TRemovalResult result_;
    std::vector<std::string> marked_;
};

}  // namespace

TRemovalResult CarryOutRemoval(const TRemovalPlan& plan, const TRestartRemover& removeAtRestart) {
    return TRemoval(plan, removeAtRestart).Run();
}
