// The folder tree on a real window over real folders: what it lists and in
// which order, how paths select nodes, the filters, the drive roots and a
// change of medium.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/ui/Panel.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/FolderTreeWindow.h"

namespace {

// One shown form for all tests (hiding an activated window under Wine
// without a window manager waits for an answer that never comes).
TForm& TreeHostForm() {
    Application();
    static TForm form(nullptr);
    if (!form.Visible()) {
        form.SetBorderStyle(bsNone);
        form.SetBounds(60, 60, 420, 420);
        form.Show();
    }
    return form;
}

// A tree whose drive C holds the test's medium once one is put in.
class TMediaTree : public TDirTree {
public:
    using TDirTree::TDirTree;
    std::optional<platform::TVolumeInfo> MediumInC;

protected:
    platform::TVolumeInfo ReadVolume(char letter) const override {
        return letter == 'C' && MediumInC ? *MediumInC : TDirTree::ReadVolume(letter);
    }
};

platform::TVolumeInfo Medium(const std::string& label, uint32_t serial) {
    return platform::TVolumeInfo{true, label, serial};
}

// A tree that fills a panel on the shown form; the panel owns the tree and
// so hears the system's device changes for it.
class FolderManTree : public ::testing::Test {
protected:
    FolderManTree() : host(nullptr) {
        host.SetBounds(0, 0, 400, 400);
        host.SetParent(&TreeHostForm());
        host.BringToFront();
        tree.SetBounds(0, 0, 400, 400);
        tree.SetParent(&host);
        Pump();
    }

    void Folders(std::initializer_list<const char*> names) {
        for (const char* name : names) MakeFolder(scratch / name);
    }
    TTreeNode Node(const std::string& relative) const { return tree.FindNodeByPath(scratch / relative); }
    TTreeNode ScratchNode() const { return tree.FindNodeByPath(scratch.Path()); }
    bool Selects(const std::string& path) const { return SameText(tree.GetDirectory(), path); }

    ScratchFolder scratch;
    TPanel host;
    TMediaTree& tree = host.Make<TMediaTree>();
};

TEST_F(FolderManTree, ListsEveryFolderSortedWithoutRegardToCase) {
    Folders({"b", "A", "C", "A\\Inner"});
    MakeFolder(scratch / "Hidden", FILE_ATTRIBUTE_HIDDEN);
    MakeFolder(scratch / "System", FILE_ATTRIBUTE_SYSTEM);
    WriteFile(scratch / "file.txt", "not a folder");

    tree.SetDirectory(scratch.Path());
    TTreeNode folder = ScratchNode();
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(tree.ChildrenLoaded(folder));
    tree.SetExpanded(folder, true);
    EXPECT_EQ(ChildCaptions(tree, folder), (std::vector<std::string>{"A", "b", "C", "Hidden", "System"}));

    // A folder with a subfolder gets an expander (a placeholder), an empty one none.
    TTreeNode a = Node("A");
    ASSERT_EQ(ChildCaptions(tree, a), std::vector<std::string>{""});
    EXPECT_EQ(tree.NodePath(tree.FirstChild(a)), "");
    EXPECT_FALSE(tree.ChildrenLoaded(a));
    EXPECT_EQ(tree.FirstChild(Node("b")), nullptr);
    EXPECT_TRUE(SameText(tree.NodePath(a), scratch / "A\\"));

    tree.SetExpanded(a, true);
    EXPECT_EQ(ChildCaptions(tree, a), std::vector<std::string>{"Inner"});
    EXPECT_TRUE(tree.ChildrenLoaded(a));
}

TEST_F(FolderManTree, SelectingAPathReadsOnlyTheLevelsOnTheWay) {
    Folders({"Kel", "Kel\\Setup", "Kel\\Setup\\Data", "Kel\\Setup\\Data\\Deep", "Other", "Other\\Below"});

    // Any case, no trailing backslash: the node's path is stored as on disk.
    tree.SetDirectory(scratch / "kel\\SETUP");
    EXPECT_EQ(tree.GetDirectory().substr(scratch.Path().size()), "\\Kel\\Setup\\");
    EXPECT_TRUE(tree.ChildrenLoaded(Node("Kel\\Setup")));
    EXPECT_NE(Node("Kel\\Setup\\Data"), nullptr);
    EXPECT_FALSE(tree.ChildrenLoaded(Node("Kel\\Setup\\Data")));
    EXPECT_FALSE(tree.ChildrenLoaded(Node("Other")));
    // Looking a node up loads nothing.
    EXPECT_EQ(Node("Kel\\Setup\\Data\\Deep"), nullptr);
    EXPECT_EQ(Node("Other\\Below"), nullptr);
}

TEST_F(FolderManTree, SelectionRulesForUnusualPaths) {
    EXPECT_EQ(tree.GetDirectory(), "?");
    tree.SetDirectory("?");
    EXPECT_EQ(tree.GetDirectory(), "?");

    MakeFolder(scratch / "Kel");
    tree.SetDirectory(scratch / "Kel");
    const std::string selected = tree.GetDirectory();
    tree.SetDirectory("?");
    EXPECT_EQ(tree.GetDirectory(), selected);
    EXPECT_EQ(MessageOf([&] { tree.SetDirectory(""); }), "Invalid Path Name");
    EXPECT_EQ(tree.GetDirectory(), selected);

    // A missing folder selects the root of the current folder's drive.
    tree.SetDirectory(scratch / "Missing\\Deeper");
    EXPECT_EQ(tree.GetDirectory(), platform::CurrentFolder().substr(0, 1) + ":\\");
}

TEST_F(FolderManTree, DriveTypesAddAndRemoveRootsInLetterOrder) {
    // Under Wine, C and Z are fixed drives.
    ASSERT_EQ(tree.NodePath(tree.FirstChild(nullptr)), "C:\\");
    MakeFolder(scratch / "Kel");
    tree.SetDirectory(scratch / "Kel");

    tree.SetDriveTypes(drtRemote | drtCDRom);
    EXPECT_EQ(tree.FirstChild(nullptr), nullptr);
    EXPECT_EQ(tree.GetDirectory(), "?");
    // A folder on a drive that is not shown leaves the selection as it is.
    tree.SetDirectory(scratch / "Kel");
    EXPECT_EQ(tree.GetDirectory(), "?");

    tree.SetDriveTypes(drtUnknown | drtFixed | drtRemote);
    std::vector<std::string> roots;
    for (TTreeNode root = tree.FirstChild(nullptr); root; root = tree.NextSibling(root))
        roots.push_back(tree.NodePath(root));
    EXPECT_EQ(roots, (std::vector<std::string>{"C:\\", "Z:\\"}));
    tree.SetDirectory(scratch / "Kel");
    EXPECT_TRUE(Selects(scratch / "Kel\\"));
}

TEST_F(FolderManTree, NothingBelowARecycleFolderUnlessAsked) {
    Folders({"Recycled", "Recycled\\Inner"});
    tree.SetDirectory(scratch.Path());
    tree.SetExpanded(ScratchNode(), true);
    TTreeNode recycled = Node("Recycled");
    ASSERT_NE(recycled, nullptr);
    EXPECT_EQ(tree.FirstChild(recycled), nullptr);
    // A folder that is not listed cannot be selected: the selection stays.
    tree.SetDirectory(scratch / "Recycled\\Inner");
    EXPECT_TRUE(Selects(scratch.Path() + "\\"));

    // The tree is read again and the selection kept.
    tree.SetGoBelowRecycleBin(true);
    EXPECT_TRUE(Selects(scratch.Path() + "\\"));
    tree.SetExpanded(ScratchNode(), true);
    EXPECT_NE(tree.FirstChild(Node("Recycled")), nullptr);
    tree.SetDirectory(scratch / "Recycled\\Inner");
    EXPECT_TRUE(Selects(scratch / "Recycled\\Inner\\"));
}

TEST_F(FolderManTree, NarrowerDirTypesDropHiddenFoldersAndKeepTheSelection) {
    MakeFolder(scratch / "Plain");
    MakeFolder(scratch / "Hidden", FILE_ATTRIBUTE_HIDDEN);
    tree.SetDirectory(scratch / "Plain");

    tree.SetDirTypes(dtNormal | dtArchive | dtSystem);
    EXPECT_TRUE(Selects(scratch / "Plain\\"));
    EXPECT_EQ(ChildCaptions(tree, ScratchNode()), std::vector<std::string>{"Plain"});
    tree.SetDirectory(scratch / "Hidden");
    EXPECT_TRUE(Selects(scratch / "Plain\\"));

    tree.SetDirTypes(dtNormal | dtAll);
    EXPECT_EQ(ChildCaptions(tree, ScratchNode()), (std::vector<std::string>{"Hidden", "Plain"}));
}

TEST_F(FolderManTree, ReadFormSelectsTheInitialFolderOrElseTheCurrentOne) {
    MakeFolder(scratch / "Kel");
    // Read before the window exists: the selection waits for the window.
    TMediaTree waiting(&host);
    waiting.SetInitialDirectory(scratch / "Kel");
    waiting.AfterLoading();
    EXPECT_EQ(waiting.GetDirectory(), "?");
    waiting.SetParent(&host);
    EXPECT_TRUE(SameText(waiting.GetDirectory(), scratch / "Kel\\"));

    tree.SetInitialDirectory(scratch / "Missing");
    tree.AfterLoading();
    EXPECT_TRUE(SameText(tree.GetDirectory(), platform::CurrentFolder() + "\\")) << tree.GetDirectory();
}

TEST_F(FolderManTree, DriveRootIsCaptionedWithItsLabelOrItsLetterAlone) {
    // Wine's drives carry no label: the caption keeps the space before the letter.
    EXPECT_EQ(tree.NodeText(tree.FindNodeByPath("Z:\\")), " (Z:)");
    tree.MediumInC = Medium("Data", 0x1234ABCD);
    tree.LoadDrives();
    EXPECT_EQ(tree.NodeText(tree.FindNodeByPath("C:\\")), "Data (C:)");
    tree.MediumInC = platform::TVolumeInfo{};
    tree.LoadDrives();
    EXPECT_EQ(tree.NodeText(tree.FindNodeByPath("c:")), "(C:)");
}

TEST_F(FolderManTree, ChangedMediumIsReadAfreshInsteadOfClicked) {
    tree.MediumInC = Medium("First", 0x11111111);
    MakeFolder(scratch / "Kel");
    tree.LoadDrives();
    tree.SetDirectory(scratch / "Kel");
    int clicks = 0;
    tree.OnClick = [&](TComponent&) { ++clicks; };
    ClickNode(tree, tree.Selected());
    Pump();
    EXPECT_EQ(clicks, 1);

    // Another medium: the click reads the drive's root afresh and passes no further.
    tree.MediumInC = Medium("Second", 0x22222222);
    ClickNode(tree, tree.Selected());
    Pump();
    EXPECT_EQ(clicks, 1);
    TTreeNode root = tree.FindNodeByPath("C:\\");
    EXPECT_EQ(tree.Selected(), root);
    EXPECT_EQ(tree.NodeText(root), "Second (C:)");
    EXPECT_FALSE(tree.ChildrenLoaded(root));
    EXPECT_EQ(Node("Kel"), nullptr);
    ClickNode(tree, root);
    Pump();
    EXPECT_EQ(clicks, 2);
}

TEST_F(FolderManTree, OwnerWindowReportsDeviceChangesWhileTheTreeLives) {
    tree.MediumInC = Medium("First", 0x11111111);
    MakeFolder(scratch / "Kel");
    tree.LoadDrives();
    tree.SetDirectory(scratch / "Kel");
    std::vector<std::string> changes;
    tree.OnChange = [&](TComponent&, TTreeNode node) { changes.push_back(tree.NodePath(node)); };

    // Nothing changed: the tree stays, and the selection is reported again.
    SendMessageW(WindowOf(host), WM_DEVICECHANGE, 0x0007, 0);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(SameText(changes[0], scratch / "Kel\\"));
    EXPECT_NE(Node("Kel"), nullptr);

    // A new medium in C: its root is read afresh and selected.
    tree.MediumInC = Medium("Second", 0x22222222);
    SendMessageW(WindowOf(host), WM_DEVICECHANGE, 0x0007, 0);
    EXPECT_EQ(tree.NodeText(tree.FindNodeByPath("C:\\")), "Second (C:)");
    EXPECT_EQ(Node("Kel"), nullptr);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1], "C:\\");

    // Two trees of one owner both hear of it; a tree that is gone hears nothing more.
    {
        TDirTree second(&host);
        second.SetParent(&host);
        second.OnChange = [&](TComponent&, TTreeNode) { changes.push_back("second"); };
        SendMessageW(WindowOf(host), WM_DEVICECHANGE, 0x0007, 0);
    }
    EXPECT_EQ(changes.size(), 4u);
    SendMessageW(WindowOf(host), WM_DEVICECHANGE, 0x0007, 0);
    EXPECT_EQ(changes.size(), 5u);
}

}  // namespace
