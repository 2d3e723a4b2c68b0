// The folder chooser as the destination page uses it: shown modally over a
// real tree, answered by posted input from inside its modal loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "shell/FolderMan.h"
#include "shell/ShellFolders.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/FolderTreeWindow.h"

namespace {

// One dialog for all tests, as the program makes one and shows it again
// for each use.
TFolderMan& Dialog() {
    Application();
    static TFolderMan dialog(nullptr);
    return dialog;
}

void Press(TButton& button) { PostButtonClick(button); }

void PostKey(TWinControl& control, WPARAM key) { PostKeyTo(WindowOf(control), key); }

// Runs Execute with `act` called once the dialog is on screen; `act` must
// end it (with a posted press of a button, say).
bool ExecuteWith(const std::string& path, const std::function<void(TFolderMan&)>& act) {
    TFolderMan& dialog = Dialog();
    dialog.SetFolderPath(path);
    dialog.OnShow = [&](TComponent&) { act(dialog); };
    const bool result = dialog.Execute();
    dialog.OnShow = nullptr;
    return result;
}

class FolderManDialog : public ::testing::Test {
protected:
    ~FolderManDialog() override { Dialog().DirTree().OnClick = originalClick; }

    ScratchFolder scratch;
    TNotifyEvent originalClick = Dialog().DirTree().OnClick;
};

TEST_F(FolderManDialog, MissingPathOpensProgramFilesAndIsHandedBackUnchanged) {
    const std::string missing = scratch / "Not\\There";
    std::string selected, shownText;
    bool expanded = false, visible = false;
    const bool ok = ExecuteWith(missing, [&](TFolderMan& dialog) {
        selected = dialog.DirTree().GetDirectory();
        expanded = dialog.DirTree().Expanded(dialog.DirTree().Selected());
        shownText = dialog.PathEdit().Text();
        visible = IsWindowVisible(WindowOf(dialog)) != FALSE;
        Press(dialog.OKBut());
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(SameText(selected, GetProgramFilesDir())) << selected;
    EXPECT_TRUE(expanded);
    EXPECT_EQ(shownText, missing);
    EXPECT_EQ(Dialog().FolderPath(), missing);
    EXPECT_FALSE(IsWindowVisible(WindowOf(Dialog())));

    // A drive root that is shown is selected itself.
    ExecuteWith("C:\\", [&](TFolderMan& dialog) {
        selected = dialog.DirTree().GetDirectory();
        Press(dialog.CancelBut());
    });
    EXPECT_EQ(selected, "C:\\");
}

TEST_F(FolderManDialog, ClickInTheTreeChoosesTheFolderButTheArrowKeysDoNot) {
    MakeFolder(scratch / "Alpha");
    MakeFolder(scratch / "Beta");
    std::string afterClick, textAfterClick, afterKey, selectedAfterKey;
    TDirTree& tree = Dialog().DirTree();
    tree.OnClick = [&](TComponent& sender) {
        originalClick(sender);
        afterClick = Dialog().FolderPath();
        textAfterClick = Dialog().PathEdit().Text();
        SendMessageW(WindowOf(tree), WM_KEYDOWN, VK_DOWN, 1);
        afterKey = Dialog().FolderPath();
        selectedAfterKey = tree.GetDirectory();
        Press(Dialog().OKBut());
    };
    const bool ok = ExecuteWith(scratch.Path(), [&](TFolderMan& dialog) {
        dialog.DirTree().SetExpanded(dialog.DirTree().Selected(), true);
        ClickNode(dialog.DirTree(), dialog.DirTree().FindNodeByPath(scratch / "Alpha"));
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(SameText(afterClick, scratch / "Alpha\\")) << afterClick;
    EXPECT_EQ(textAfterClick, afterClick);
    EXPECT_EQ(afterKey, afterClick);
    EXPECT_TRUE(SameText(selectedAfterKey, scratch / "Beta\\")) << selectedAfterKey;
    EXPECT_EQ(Dialog().FolderPath(), afterClick);
}

TEST_F(FolderManDialog, TypedTextIsThePathAsTypedEvenWhenEmpty) {
    TFolderMan& dialog = Dialog();
    dialog.SetFolderPath(scratch.Path());
    dialog.PathEdit().SetText("");
    EXPECT_EQ(dialog.FolderPath(), "");
    dialog.DirTree().SetDirectory(scratch.Path());
    const std::string selected = dialog.DirTree().GetDirectory();
    std::string typed;
    for (char c : std::string("Q:\\Nowhere")) {
        SendMessageW(WindowOf(dialog.PathEdit()), WM_CHAR, WPARAM(c), 1);
        typed += c;
        EXPECT_EQ(dialog.FolderPath(), typed);
    }
    EXPECT_EQ(dialog.DirTree().GetDirectory(), selected);

    // Cleared by the user and confirmed: an empty path goes back.
    const bool ok = ExecuteWith(scratch.Path(), [](TFolderMan& shown) {
        SendMessageW(WindowOf(shown.PathEdit()), EM_SETSEL, 0, -1);
        SendMessageW(WindowOf(shown.PathEdit()), WM_CHAR, VK_BACK, 1);
        Press(shown.OKBut());
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Dialog().FolderPath(), "");
}

TEST_F(FolderManDialog, OnlyOKConfirmsNotEnterAndEscapeNorTheCloseBox) {
    MakeFolder(scratch / "Alpha");
    EXPECT_FALSE(ExecuteWith(scratch.Path(), [&](TFolderMan& dialog) {
        dialog.DirTree().SetDirectory(scratch / "Alpha");
        dialog.DirTreeClick(dialog.DirTree());
        Press(dialog.CancelBut());
    }));
    EXPECT_FALSE(ExecuteWith(scratch.Path(), [](TFolderMan& dialog) {
        PostMessageW(WindowOf(dialog), WM_CLOSE, 0, 0);
    }));
    // Enter is not OK: the Cancel pressed after it decides.
    EXPECT_FALSE(ExecuteWith(scratch.Path(), [](TFolderMan& dialog) {
        PostKey(dialog.PathEdit(), VK_RETURN);
        Press(dialog.CancelBut());
    }));
    // Escape is not Cancel: the OK pressed after it decides.
    EXPECT_TRUE(ExecuteWith(scratch.Path(), [](TFolderMan& dialog) {
        PostKey(dialog.PathEdit(), VK_ESCAPE);
        Press(dialog.OKBut());
    }));
}

// With the keys alone: the focus starts at the path, and Enter presses the
// focused button.
TEST_F(FolderManDialog, TheKeysStartAtThePathAndEnterPressesTheFocusedButton) {
    bool startsAtPath = false;
    EXPECT_TRUE(ExecuteWith(scratch.Path(), [&](TFolderMan& dialog) {
        startsAtPath = dialog.PathEdit().Focused();
        dialog.OKBut().SetFocus();
        PostKey(dialog.OKBut(), VK_RETURN);
    }));
    EXPECT_TRUE(startsAtPath);
    EXPECT_FALSE(ExecuteWith(scratch.Path(), [](TFolderMan& dialog) {
        dialog.CancelBut().SetFocus();
        PostKey(dialog.CancelBut(), VK_RETURN);
    }));
}

TEST_F(FolderManDialog, ButtonsSitAtTheBottomRightOfTheClientArea) {
    TFolderMan& dialog = Dialog();
    RECT client{};
    GetClientRect(WindowOf(dialog), &client);
    const TRect ok = dialog.OKBut().BoundsRect(), cancel = dialog.CancelBut().BoundsRect();
    EXPECT_EQ(cancel.Right, client.right - 8);
    EXPECT_EQ(cancel.Bottom, client.bottom - 8);
    EXPECT_EQ(ok.Top, cancel.Top);
    EXPECT_LT(ok.Right, cancel.Left);
    EXPECT_LT(dialog.Panel1().BoundsRect().Bottom, ok.Top);
    EXPECT_FALSE(dialog.NewBut().Visible());
}

TEST_F(FolderManDialog, NewFolderIsNumberedMadeAndSelected) {
    TFolderMan& dialog = Dialog();
    dialog.SetFolderPath(scratch.Path() + "\\");
    dialog.DirTree().SetDirectory(scratch.Path());
    dialog.NewButClick(dialog.NewBut());
    EXPECT_TRUE(platform::DirectoryExists(scratch / "New Folder"));
    EXPECT_EQ(dialog.FolderPath(), scratch / "New Folder");
    EXPECT_TRUE(SameText(dialog.DirTree().GetDirectory(), scratch / "New Folder\\"));

    dialog.SetFolderPath(scratch.Path() + "\\");
    dialog.NewButClick(dialog.NewBut());
    EXPECT_EQ(dialog.FolderPath(), scratch / "New Folder 2");
    EXPECT_TRUE(SameText(dialog.DirTree().GetDirectory(), scratch / "New Folder 2\\"));
    EXPECT_EQ(ChildCaptions(dialog.DirTree(), dialog.DirTree().FindNodeByPath(scratch.Path())),
              (std::vector<std::string>{"New Folder", "New Folder 2"}));

    // Never relative to the current folder, never in a folder that is not there.
    for (const std::string& path : {std::string(), scratch / "Missing\\"}) {
        dialog.SetFolderPath(path);
        EXPECT_NE(MessageOf([&] { dialog.NewButClick(dialog.NewBut()); }), "");
        EXPECT_EQ(dialog.FolderPath(), path);
    }
}

TEST(FolderManExists, DriveRootsByTheDriveMaskFoldersBySearch) {
    ScratchFolder scratch;
    MakeFolder(scratch / "Plain");
    MakeFolder(scratch / "Hidden", FILE_ATTRIBUTE_HIDDEN);
    MakeFolder(scratch / "System", FILE_ATTRIBUTE_SYSTEM);
    WriteFile(scratch / "file.txt", "");

    EXPECT_TRUE(FolderExists("C:\\"));
    EXPECT_TRUE(FolderExists("c:\\"));
    EXPECT_FALSE(FolderExists("Q:\\"));
    EXPECT_FALSE(FolderExists("1:\\"));
    EXPECT_TRUE(FolderExists(scratch / "Plain"));
    EXPECT_TRUE(FolderExists(scratch / "plain\\"));
    EXPECT_FALSE(FolderExists(scratch / "Hidden"));
    EXPECT_FALSE(FolderExists(scratch / "System"));
    EXPECT_FALSE(FolderExists(scratch / "file.txt"));
    EXPECT_FALSE(FolderExists(scratch / "Missing"));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_FALSE(FolderExists("\\"));
    // A pattern names no folder, even when it matches one.
    EXPECT_FALSE(FolderExists(scratch / "Pl*"));
    EXPECT_FALSE(FolderExists(scratch / "Plai?"));
}

}  // namespace
