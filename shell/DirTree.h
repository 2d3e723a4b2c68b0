#pragma once
// A tree of the machine's drives and folders. The drives are the roots; a
// folder's level is read only when the folder is opened, and each of its
// subfolders only up to its first listable entry, which decides whether
// the subfolder gets an expander (a placeholder child until it is opened).
// Nodes map to paths ending in a backslash and back. The icons are the
// shell's. A drive whose medium changed is read afresh when one of its
// folders is selected or the system reports a device change.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/ShellIcons.h"
#include "platform/ui/MessageHook.h"
#include "platform/ui/TreeView.h"
#include "shell/DirTreeRules.h"

// Whether the folder exists, asked with the drives' error dialogs held back.
bool FolderPresent(const std::string& path);

// May veto a folder before it is listed; path ends in a backslash.
using TAddFileEvent = std::function<void(TComponent& sender, const std::string& path, bool& doAdd)>;

class TDirTree : public TTreeView {
public:
    explicit TDirTree(TComponent* owner);
    ~TDirTree() override;

    // Read the drives as soon as the window exists.
    bool ReadOnStart() const { return readOnStart_; }
    void SetReadOnStart(bool on) { readOnStart_ = on; }
    // Which folders are listed; a change reads the tree again.
    TDirTypes DirTypes() const { return dirTypes_; }
    void SetDirTypes(TDirTypes types);
    // List the folders below a recycle folder; a change reads the tree again.
    bool GoBelowRecycleBin() const { return goBelowRecycleBin_; }
    void SetGoBelowRecycleBin(bool on);
    // Which drives are roots; a change adds and removes roots.
    TDriveTypes DriveTypes() const { return driveTypes_; }
    void SetDriveTypes(TDriveTypes types);
    // Give every drive a placeholder child instead of probing it.
    bool FastLoad() const { return fastLoad_; }
    void SetFastLoad(bool on) { fastLoad_ = on; }
    // The folder selected once the form is read, when it exists; the
    // current folder otherwise.
    const std::string& InitialDirectory() const { return initialDirectory_; }
    void SetInitialDirectory(const std::string& path) { initialDirectory_ = path; }

    // Selects the node of the path, reading the levels on the way. An empty
    // path raises "Invalid Path Name"; "?" does nothing; a missing folder
    // selects the root of the current folder's drive; a path on a drive or
    // below a folder that is not shown leaves the selection as it is.
    void SetDirectory(const std::string& path);
    // The selected folder with a trailing backslash; "?" with none.
    std::string GetDirectory() const;

    // Reads the roots afresh.
    void LoadDrives();
    // Reads the node's level in full, sorted; once per node.
    void LoadChildren(TTreeNode node);
    // Gives the node an expander when it has a listable subfolder.
    void ProbeChildren(TTreeNode node);
    // The node of the path among the levels read so far, or null.
    TTreeNode FindNodeByPath(const std::string& path) const;
    // Forgets what was read below the node and probes it again.
    void ResetNode(TTreeNode node);
    void DeleteDirectoryNode(const std::string& path);
    // Adds the nodes of the path's levels that are missing below a shown level.
    void AddDirectoryPath(const std::string& path);
    // Adds and removes roots for drives that came or went; true when any did.
    bool UpdateDrives();
    // Reads the whole tree again and selects what was selected, as far as it can.
    void ReloadTree();

    // The folder of a node (ending in a backslash), or empty for a placeholder.
    std::string NodePath(TTreeNode node) const;
    bool ChildrenLoaded(TTreeNode node) const;

    // Whether a folder (a path ending in a backslash) may be listed: not below
    // a recycle folder unless asked, and not vetoed by OnAddDir.
    bool FolderAllowed(const std::string& path);
    bool DirTypeAllowed(uint32_t attributes) const { return ::DirTypeAllowed(attributes, dirTypes_); }

    // Selects the initial folder (or else the current one), at once or as
    // soon as the window exists.
    void AfterLoading() override;

    TAddFileEvent OnAddDir;
    TTVChangedEvent OnGetIcon;   // after the tree gave a node its icons

protected:
    // The label and serial number of the volume in the drive; the tree
    // notices a change of medium by the serial number.
    virtual platform::TVolumeInfo ReadVolume(char letter) const;

    void WindowCreated() override;
    void WindowDestroying() override;
    void Change(TTreeNode node) override;
    bool CanExpand(TTreeNode node) override;
    void Delete(TTreeNode node) override;
    void Click() override;

private:
    struct TDirEntry {
        std::string Path;     // ends in a backslash
        bool Loaded = false;  // the children are exactly the listable subfolders
    };
    class TChangeLock;

    std::vector<std::pair<TTreeNode, TDirEntry>>::const_iterator SlotOf(TTreeNode node) const;
    TDirEntry* EntryOf(TTreeNode node);
    const TDirEntry* EntryOf(TTreeNode node) const;
    TTreeNode AddFolderNode(TTreeNode parent, TTreeNode before, const std::string& path, const std::string& caption);
    TTreeNode AddDriveNode(char letter, TTreeNode before);
    bool RemoveDriveRoot(char letter);
    bool InsertDriveRoot(char letter);
    void AddPlaceholder(TTreeNode node);
    void SetIcons(TTreeNode node, const std::string& path);
    std::string DriveCaption(char letter);
    uint32_t CurrentSerial(char letter) const;
    bool MediumChanged(char letter) const;
    void RefreshDriveRoot(TTreeNode root);
    uint32_t DriveMask() const;
    bool Listable(const std::string& folder, const platform::TSearchRec& found);
    TTreeNode MatchingChild(TTreeNode parent, const std::string& path) const;
    void SelectInitialDirectory();
    void SelectFallbackAfterReload(const std::string& previous);
    void HookOwner();
    bool HandleOwnerMessage(TMessage& message);
    void DeviceChanged();

    bool readOnStart_ = true;
    TDirTypes dirTypes_ = dtNormal | dtAll;
    bool goBelowRecycleBin_ = false;
    TDriveTypes driveTypes_ = drtAllDrives;
    bool fastLoad_ = false;
    std::string initialDirectory_;

    // Sorted by node: a search in a short list, without a hash table's code.
    std::vector<std::pair<TTreeNode, TDirEntry>> entries_;
    platform::TFolderIcons windowsFolderIcons_;
    std::array<uint32_t, 26> serials_{};          // per letter, as recorded with its caption
    std::array<std::string, 26> lastFolders_;     // per letter, the folder last selected there
    uint32_t driveMask_ = 0;
    int changeLock_ = 0;
    bool selectInitial_ = false;                  // the form was read before the window existed
    std::string pathAtDestruction_;
    bool restorePath_ = false;
    std::unique_ptr<TMessageHook> ownerHook_;
};
