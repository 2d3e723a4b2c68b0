#include "shell/DirTree.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "platform/Exception.h"
#include "platform/LocaleText.h"
#include "platform/ui/Application.h"
#include "shell/PathParts.h"

namespace {

constexpr uint32_t kNoVolume = 0xFFFFFFFF;       // the serial of a volume that cannot be read
constexpr uint32_t kDeviceChangeMessage = 0x0219;  // the system's "a device came or went"

// The hourglass while the tree reads folders.
class THourGlass {
public:
    THourGlass() : previous_(Application().ScreenCursor()) { Application().SetScreenCursor(crHourGlass); }
    ~THourGlass() { Application().SetScreenCursor(previous_); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

private:
    TCursor previous_;
};

// The tree is drawn once when the bracket closes.
class TTreeUpdate {
public:
    explicit TTreeUpdate(TTreeView& tree) : tree_(tree) { tree_.BeginUpdate(); }
    ~TTreeUpdate() { tree_.EndUpdate(); }
    TTreeUpdate(const TTreeUpdate&) = delete;
    TTreeUpdate& operator=(const TTreeUpdate&) = delete;

private:
    TTreeView& tree_;
};

}  // namespace

bool FolderPresent(const std::string& path) {
    platform::TCriticalErrorGuard guard;
    return platform::DirectoryExists(path);
}

// Selection changes made while the lock is held are neither handled nor reported.
class TDirTree::TChangeLock {
public:
    explicit TChangeLock(TDirTree& tree) : tree_(tree) { ++tree_.changeLock_; }
    ~TChangeLock() { --tree_.changeLock_; }
    TChangeLock(const TChangeLock&) = delete;
    TChangeLock& operator=(const TChangeLock&) = delete;

private:
    TDirTree& tree_;
};

TDirTree::TDirTree(TComponent* owner) : TTreeView(owner) {
    SetHideSelection(false);
    SetImageList(platform::SmallSystemImageList());
    windowsFolderIcons_ = platform::PlainFolderIcons();
    const std::string current = platform::CurrentFolder();
    initialDirectory_ = current;
    for (int i = 0; i < 26; ++i) lastFolders_[size_t(i)] = RootOf(char('A' + i));
    if (!current.empty() && LetterIndex(current[0]) >= 0)
        lastFolders_[size_t(LetterIndex(current[0]))] = platform::AnsiUpperCase(current);
}

// The window goes here, while the tree can still hear of it and free its entries.
TDirTree::~TDirTree() {
    MarkDestroying();
    DestroyWindowHandle();
}

// --- Options ---

void TDirTree::SetDirTypes(TDirTypes types) {
    if (types == dirTypes_) return;
    dirTypes_ = types;
    ReloadTree();
}

void TDirTree::SetGoBelowRecycleBin(bool on) {
    if (on == goBelowRecycleBin_) return;
    goBelowRecycleBin_ = on;
    ReloadTree();
}

void TDirTree::SetDriveTypes(TDriveTypes types) {
    if (types == driveTypes_) return;
    driveTypes_ = types;
    UpdateDrives();
}

// --- Entries ---

TDirTree::TDirEntry* TDirTree::EntryOf(TTreeNode node) {
    return const_cast<TDirEntry*>(static_cast<const TDirTree&>(*this).EntryOf(node));
}

// Where the node's entry is or would go.
std::vector<std::pair<TTreeNode, TDirTree::TDirEntry>>::const_iterator TDirTree::SlotOf(TTreeNode node) const {
    return std::lower_bound(entries_.begin(), entries_.end(), node,
                            [](const auto& entry, TTreeNode key) { return std::less<TTreeNode>()(entry.first, key); });
}

const TDirTree::TDirEntry* TDirTree::EntryOf(TTreeNode node) const {
    const auto found = SlotOf(node);
    return node && found != entries_.end() && found->first == node ? &found->second : nullptr;
}

std::string TDirTree::NodePath(TTreeNode node) const {
    const TDirEntry* entry = EntryOf(node);
    return entry ? entry->Path : std::string();
}

bool TDirTree::ChildrenLoaded(TTreeNode node) const {
    const TDirEntry* entry = EntryOf(node);
    return entry && entry->Loaded;
}

void TDirTree::Delete(TTreeNode node) {
    if (EntryOf(node)) entries_.erase(SlotOf(node));
    TTreeView::Delete(node);
}

// --- Nodes ---

TTreeNode TDirTree::AddFolderNode(TTreeNode parent, TTreeNode before, const std::string& path,
                                  const std::string& caption) {
    TTreeNode node = InsertChild(parent, before, caption);
    if (TDirEntry* entry = EntryOf(node)) *entry = TDirEntry{path, false};
    else entries_.insert(SlotOf(node), {node, TDirEntry{path, false}});
    SetIcons(node, path);
    return node;
}

// An empty child without an entry: the tree draws an expander for its parent.
void TDirTree::AddPlaceholder(TTreeNode node) { AddChild(node, std::string()); }

void TDirTree::SetIcons(TTreeNode node, const std::string& path) {
    const int image = platform::SmallIconIndex(path, false);
    const int selected =
        image == windowsFolderIcons_.Closed ? windowsFolderIcons_.Open : platform::SmallIconIndex(path, true);
    SetNodeImages(node, image, selected);
    if (OnGetIcon) OnGetIcon(*this, node);
}

// Slow and empty drives (removable, CD-ROM, unknown) are not touched: they
// get an expander whether or not they hold anything.
TTreeNode TDirTree::AddDriveNode(char letter, TTreeNode before) {
    const uint32_t kind = platform::DriveKindOf(letter);
    const std::string root = RootOf(letter);
    const std::string caption = kind == platform::dkRemovable ? platform::ShellDisplayName(root) : DriveCaption(letter);
    TTreeNode node = AddFolderNode(nullptr, before, root, caption);
    const bool probe =
        !fastLoad_ && (kind == platform::dkFixed || kind == platform::dkRemote || kind == platform::dkRamDisk);
    if (probe) ProbeChildren(node);
    else AddPlaceholder(node);
    return node;
}

// --- Drives ---

uint32_t TDirTree::DriveMask() const {
    platform::TCriticalErrorGuard guard;
    return ShownDrives(platform::LogicalDrives(), driveTypes_, platform::DriveKindOf);
}

platform::TVolumeInfo TDirTree::ReadVolume(char letter) const {
    platform::TCriticalErrorGuard guard;
    return platform::VolumeInformation(letter);
}

uint32_t TDirTree::CurrentSerial(char letter) const {
    const platform::TVolumeInfo volume = ReadVolume(letter);
    return volume.Read ? volume.Serial : kNoVolume;
}

bool TDirTree::MediumChanged(char letter) const {
    const int index = LetterIndex(letter);
    return index >= 0 && CurrentSerial(letter) != serials_[size_t(index)];
}

// The caption of a drive root; records the volume's serial number, by which
// a change of medium is noticed later.
std::string TDirTree::DriveCaption(char letter) {
    const int index = LetterIndex(letter);
    const platform::TVolumeInfo volume = ReadVolume(letter);
    if (index >= 0) serials_[size_t(index)] = volume.Read ? volume.Serial : kNoVolume;
    const uint32_t kind = platform::DriveKindOf(letter);
    if (kind == platform::dkRemovable || kind == platform::dkRemote) return platform::ShellDisplayName(RootOf(letter));
    return DriveCaptionText(volume.Read, volume.Label, letter);
}

void TDirTree::LoadDrives() {
    if (!HandleAllocated()) return;
    TChangeLock lock(*this);
    THourGlass cursor;
    TTreeUpdate update(*this);
    Clear();
    entries_.clear();
    driveMask_ = DriveMask();
    for (int i = 0; i < 26; ++i) {
        const char letter = char('A' + i);
        if ((driveMask_ & (1u << i)) && FolderAllowed(RootOf(letter))) AddDriveNode(letter, nullptr);
    }
}

bool TDirTree::UpdateDrives() {
    if (!HandleAllocated()) return false;
    const uint32_t mask = DriveMask();
    bool changed = false;
    {
        TChangeLock lock(*this);
        TTreeUpdate update(*this);
        for (int i = 0; i < 26; ++i) {
            const uint32_t bit = 1u << i;
            if ((driveMask_ & bit) && !(mask & bit)) changed |= RemoveDriveRoot(char('A' + i));
            if ((mask & bit) && !(driveMask_ & bit)) changed |= InsertDriveRoot(char('A' + i));
        }
        driveMask_ = mask;
    }
    if (changed) Change(Selected());
    return changed;
}

bool TDirTree::RemoveDriveRoot(char letter) {
    TTreeNode root = FindNodeByPath(RootOf(letter));
    if (root) DeleteNode(root);
    return root != nullptr;
}

// The new root goes among the others in the order of their letters.
bool TDirTree::InsertDriveRoot(char letter) {
    const std::string root = RootOf(letter);
    if (!FolderAllowed(root)) return false;
    TTreeNode before = FirstChild(nullptr);
    while (before && NodePath(before) <= root) before = NextSibling(before);
    AddDriveNode(letter, before);
    return true;
}

// Reads the drive's root afresh after its medium changed. A selection on
// the drive moves to its root, as the folders below are gone from the tree.
void TDirTree::RefreshDriveRoot(TTreeNode root) {
    const char letter = NodePath(root)[0];
    const std::string selected = NodePath(Selected());
    const bool selectedOnDrive = !selected.empty() && selected[0] == letter;
    ResetNode(root);
    SetNodeText(root, DriveCaption(letter));
    if (serials_[size_t(LetterIndex(letter))] != kNoVolume && !FirstChild(root)) AddPlaceholder(root);
    if (selectedOnDrive) {
        TChangeLock lock(*this);
        SetSelected(root);
    }
}

// A drive came or went, or a medium changed: the roots follow, or else the
// highest drive shown whose medium changed is read afresh.
void TDirTree::DeviceChanged() {
    {
        TChangeLock lock(*this);
        if (!UpdateDrives()) {
            for (int i = 25; i >= 0; --i) {
                const char letter = char('A' + i);
                TTreeNode root = FindNodeByPath(RootOf(letter));
                if (!root || !MediumChanged(letter)) continue;
                RefreshDriveRoot(root);
                break;
            }
        }
    }
    Change(Selected());
}

// --- Folders ---

bool TDirTree::FolderAllowed(const std::string& path) {
    if (!goBelowRecycleBin_ && BelowRecycleFolder(path)) return false;
    bool add = true;
    if (OnAddDir) OnAddDir(*this, path, add);
    return add;
}

bool TDirTree::Listable(const std::string& folder, const platform::TSearchRec& found) {
    if (!(found.Attr & platform::faDirectory) || found.Name == "." || found.Name == "..") return false;
    return FolderAllowed(folder + found.Name + "\\") && DirTypeAllowed(found.Attr);
}

void TDirTree::ProbeChildren(TTreeNode node) {
    const TDirEntry* entry = EntryOf(node);
    if (!entry || entry->Loaded || FirstChild(node)) return;
    const std::string folder = entry->Path;
    platform::TCriticalErrorGuard guard;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(folder + "*.*", platform::faAnyFile, found); more; more = find.Next(found)) {
        if (Listable(folder, found)) {
            AddPlaceholder(node);
            return;
        }
    }
}

// A folder that cannot be listed gets no children and still counts as read.
void TDirTree::LoadChildren(TTreeNode node) {
    TDirEntry* entry = EntryOf(node);
    if (!entry || entry->Loaded) return;
    entry->Loaded = true;
    const std::string folder = entry->Path;
    DeleteChildren(node);
    std::vector<std::string> names;
    {
        platform::TCriticalErrorGuard guard;
        platform::TFindEnum find;
        platform::TSearchRec found;
        for (bool more = find.First(folder + "*.*", platform::faAnyFile, found); more; more = find.Next(found))
            if (Listable(folder, found)) names.push_back(found.Name);
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return platform::AnsiCompareText(a, b) < 0;
    });
    for (const std::string& name : names) AddFolderNode(node, nullptr, folder + name + "\\", name);
}

bool TDirTree::CanExpand(TTreeNode node) {
    {
        THourGlass cursor;
        LoadChildren(node);
        for (TTreeNode child = FirstChild(node); child; child = NextSibling(child)) ProbeChildren(child);
    }
    return TTreeView::CanExpand(node);
}

void TDirTree::ResetNode(TTreeNode node) {
    if (!EntryOf(node)) return;
    {
        TChangeLock lock(*this);
        DeleteChildren(node);
    }
    // Deleting the children moved the entries: the node's own is looked up anew.
    EntryOf(node)->Loaded = false;
    ProbeChildren(node);
}

// --- Paths ---

TTreeNode TDirTree::MatchingChild(TTreeNode parent, const std::string& path) const {
    for (TTreeNode child = FirstChild(parent); child; child = NextSibling(child)) {
        const TDirEntry* entry = EntryOf(child);
        if (entry && platform::AnsiCompareText(entry->Path, path) == 0) return child;
    }
    return nullptr;
}

TTreeNode TDirTree::FindNodeByPath(const std::string& path) const {
    TTreeNode node = nullptr;
    for (const std::string& level : PathLevels(WithTrailingBackslash(path))) {
        node = MatchingChild(node, level);
        if (!node) return nullptr;
    }
    return node;
}

void TDirTree::SetDirectory(const std::string& path) {
    if (path.empty()) throw Exception("Invalid Path Name");
    if (path == "?") return;
    std::string target = WithTrailingBackslash(path);
    if (!FolderPresent(target.substr(0, target.size() - 1))) {
        const std::string current = platform::CurrentFolder();
        if (current.empty()) return;
        target = RootOf(current[0]);
    }
    Handle();
    THourGlass cursor;
    TTreeUpdate update(*this);
    target = platform::AnsiUpperCase(target);
    TTreeNode node = nullptr;
    for (const std::string& level : PathLevels(target)) {
        node = MatchingChild(node, level);
        if (!node) return;
        LoadChildren(node);
    }
    SetSelected(node);
    MakeVisible(node);
}

std::string TDirTree::GetDirectory() const {
    const TDirEntry* entry = EntryOf(Selected());
    return entry ? entry->Path : std::string("?");
}

namespace {

// The name of the folder as stored on disk, or the given name when it cannot be found.
std::string StoredName(const std::string& parent, const std::string& name) {
    platform::TCriticalErrorGuard guard;
    platform::TFindEnum find;
    platform::TSearchRec found;
    return find.First(parent + name, platform::faAnyFile, found) ? found.Name : name;
}

}  // namespace

void TDirTree::DeleteDirectoryNode(const std::string& path) {
    if (TTreeNode node = FindNodeByPath(path)) DeleteNode(node);
}

void TDirTree::AddDirectoryPath(const std::string& path) {
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) {
        const std::string prefix = path.substr(0, at + 1);
        const size_t end = path.find('\\', at + 1);
        const std::string name = path.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        TTreeNode parent = FindNodeByPath(prefix);
        if (name.empty() || !parent || FindNodeByPath(prefix + name)) continue;
        const std::string parentPath = NodePath(parent);
        TTreeNode child = AddFolderNode(parent, nullptr, parentPath + name + "\\", StoredName(parentPath, name));
        ProbeChildren(child);
        SortChildren(parent);
    }
}

void TDirTree::ReloadTree() {
    if (!HandleAllocated()) return;
    const std::string previous = GetDirectory();
    LoadDrives();
    SetDirectory(previous);
    if (FirstChild(nullptr) && !Selected()) SelectFallbackAfterReload(previous);
}

// The previous folder is gone from the tree: its drive's root, or else the
// folder last selected on a drive the user has not opened.
void TDirTree::SelectFallbackAfterReload(const std::string& previous) {
    try {
        if (previous.size() >= 3) SetDirectory(previous.substr(0, 3));
        if (Selected()) return;
        TTreeNode root = FirstChild(nullptr);
        while (NextSibling(root) && FirstChild(root) && !Expanded(FirstChild(root))) root = NextSibling(root);
        const int index = LetterIndex(NodePath(root)[0]);
        if (index < 0) return;
        const std::string folder = lastFolders_[size_t(index)];
        SetDirectory(folder);
        if (platform::AnsiCompareText(GetDirectory(), WithTrailingBackslash(folder)) != 0) SetSelected(root);
    } catch (const std::exception&) {
        // The fallback is a courtesy; the tree stays as it is.
    }
}

// --- Framework hooks ---

void TDirTree::AfterLoading() {
    TTreeView::AfterLoading();
    if (HandleAllocated()) SelectInitialDirectory();
    else selectInitial_ = true;
}

void TDirTree::SelectInitialDirectory() {
    selectInitial_ = false;
    const std::string start = !initialDirectory_.empty() && FolderPresent(initialDirectory_)
                                  ? initialDirectory_
                                  : platform::CurrentFolder();
    if (!start.empty()) SetDirectory(start);
}

void TDirTree::WindowCreated() {
    TTreeView::WindowCreated();
    HookOwner();
    if (readOnStart_) LoadDrives();
    if (restorePath_) {
        restorePath_ = false;
        SetDirectory(pathAtDestruction_);
    } else if (selectInitial_) {
        SelectInitialDirectory();
    }
}

void TDirTree::WindowDestroying() {
    pathAtDestruction_ = GetDirectory();
    restorePath_ = true;
    {
        TChangeLock lock(*this);
        Clear();
    }
    entries_.clear();
    ownerHook_.reset();
    TTreeView::WindowDestroying();
}

// The owner's window hears of devices that come and go; the tree listens in.
void TDirTree::HookOwner() {
    auto* owner = Owner() ? Owner()->AsWinControl() : nullptr;
    if (!owner || !owner->HandleAllocated()) return;
    ownerHook_ = std::make_unique<TMessageHook>(owner->Handle(), [this](TMessage& message) {
        return HandleOwnerMessage(message);
    });
}

// The notice goes on to the owner afterwards: the owner, and any other
// tree it holds, may want it too.
bool TDirTree::HandleOwnerMessage(TMessage& message) {
    if (message.Msg == kDeviceChangeMessage) DeviceChanged();
    return false;
}

// A medium that changed is read afresh instead; the selection then moves to the drive's root.
void TDirTree::Change(TTreeNode node) {
    if (Destroying() || changeLock_ > 0) return;
    if (const TDirEntry* entry = EntryOf(node); entry && MediumChanged(entry->Path[0])) {
        if (TTreeNode root = FindNodeByPath(RootOf(entry->Path[0]))) {
            node = root;
            RefreshDriveRoot(root);
        }
    }
    if (const TDirEntry* entry = EntryOf(node); entry && LetterIndex(entry->Path[0]) >= 0)
        lastFolders_[size_t(LetterIndex(entry->Path[0]))] = platform::AnsiUpperCase(entry->Path);
    TTreeView::Change(node);
}

// A click passes only when the drive still holds the medium the tree shows.
void TDirTree::Click() {
    TTreeNode node = Selected();
    const TDirEntry* entry = EntryOf(node);
    if (!entry) return;
    if (MediumChanged(entry->Path[0])) {
        Change(node);
        return;
    }
    TTreeView::Click();
}
