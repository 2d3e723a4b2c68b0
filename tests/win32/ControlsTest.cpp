// The standard controls on real windows: sizes, layout, painting, the
// notifications the user's input produces, and the question box.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <string>

#include "platform/FileStream.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/ProgressBar.h"
#include "platform/ui/TreeView.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/QuestionBox.h"

namespace {

bool IsDark(COLORREF pixel) { return GetRValue(pixel) < 0x40 && GetGValue(pixel) < 0x40 && GetBValue(pixel) < 0x40; }

// The pixels of the control's area on its parent's window that pass the test.
int CountPixels(TControl& control, const std::function<bool(COLORREF)>& test) {
    HWND window = WindowOf(*control.Parent());
    HDC dc = GetDC(window);
    int count = 0;
    const TRect r = control.BoundsRect();
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) count += test(GetPixel(dc, x, y)) ? 1 : 0;
    ReleaseDC(window, dc);
    return count;
}

// One shown form for all tests: under Wine without a window manager, hiding
// or destroying an activated top-level window waits two seconds for an
// answer that never comes.
TForm& HostForm() {
    static TForm form(nullptr);
    if (!form.Visible()) {
        form.SetBorderStyle(bsNone);
        form.SetBounds(40, 40, 420, 320);
        form.Show();
    }
    return form;
}

// A panel of 400 x 300 pixels on the shown form that holds the test's
// controls and goes with them at the end of the test.
class ControlsTest : public ::testing::Test {
protected:
    ControlsTest() : host(nullptr) {
        host.SetBounds(0, 0, 400, 300);
        host.SetParent(&HostForm());
        host.BringToFront();
        Pump();
    }

    template <class T>
    T& Add(TWinControl& parent) {
        T& control = host.Make<T>();
        control.SetParent(&parent);
        return control;
    }

    // A press and release of the left button at a point of the window.
    static void ClickAt(HWND window, int x, int y) {
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump();
    }

    TPanel host;
};

using ControlsLabel = ControlsTest;

TEST_F(ControlsLabel, WrappedLabelKeepsItsWidthAndFollowsItsTextDownwards) {
    auto& head = Add<TLabel>(host);
    head.SetWordWrap(true);
    head.SetAlign(alTop);
    auto& next = Add<TLabel>(host);
    next.SetAlign(alTop);
    next.SetCaption("Next");

    head.SetCaption("One line");
    const int32_t oneLine = head.Height();
    EXPECT_GT(oneLine, 0);
    EXPECT_EQ(head.Width(), 400);
    EXPECT_EQ(next.Top(), oneLine);

    const std::string longText =
        "This wizard will install the product on your computer. Click Next to continue. It takes a few minutes "
        "and asks a few questions on the way; the answers can be changed later.";
    head.SetCaption(longText);
    EXPECT_EQ(head.Width(), 400);
    EXPECT_GE(head.Height(), 2 * oneLine);
    EXPECT_EQ(next.Top(), head.Height());

    // Narrower: more lines at the new width.
    const int32_t wide = head.Height();
    host.SetWidth(200);
    EXPECT_EQ(head.Width(), 200);
    EXPECT_GT(head.Height(), wide);
    EXPECT_EQ(next.Top(), head.Height());

    head.SetCaption("Short");
    EXPECT_EQ(head.Height(), oneLine);
    EXPECT_EQ(next.Top(), oneLine);
    // An empty caption is one blank line high.
    head.SetCaption("");
    EXPECT_EQ(head.Height(), oneLine);

    // A bigger font makes the same text taller.
    head.SetCaption("Short");
    head.Font().SetSize(20);
    EXPECT_GT(head.Height(), oneLine);
    EXPECT_EQ(next.Top(), head.Height());
}

TEST_F(ControlsLabel, UnwrappedLabelTakesTheSizeOfItsText) {
    auto& label = Add<TLabel>(host);
    label.SetCaption("W");
    const int32_t narrow = label.Width();
    label.SetCaption("WWWWWWWWWW");
    EXPECT_GT(label.Width(), 5 * narrow);
    const int32_t oneLine = label.Height();
    label.SetCaption("Two\r\nlines");
    EXPECT_GE(label.Height(), 2 * oneLine);
    // Auto-sizing off keeps whatever size it is given.
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 7, 5);
    label.SetCaption("Something longer");
    EXPECT_EQ(label.Width(), 7);
    EXPECT_EQ(label.Height(), 5);
}

TEST_F(ControlsLabel, IsDrawnOverItsParentWithoutBackground) {
    constexpr TColor kPanelColor = 0x00C08040;
    auto& panel = Add<TPanel>(host);
    panel.SetBounds(10, 10, 300, 100);
    panel.SetColor(kPanelColor);
    auto& label = Add<TLabel>(panel);
    label.SetParentFont(false);
    label.Font().SetColor(clBlack);
    label.Font().SetSize(16);
    label.Font().SetStyle(fsBold);
    label.SetBounds(20, 20, 0, 0);
    label.SetCaption("HHHH");
    panel.Repaint();

    const COLORREF panelColor = ColorToRGB(kPanelColor);
    const int panelPixels = CountPixels(label, [&](COLORREF pixel) { return pixel == panelColor; });
    const int textPixels = CountPixels(label, IsDark);
    const int otherPixels = CountPixels(label, [](COLORREF pixel) {
        return pixel == ColorToRGB(clBtnFace) || pixel == ColorToRGB(clWindow);
    });
    EXPECT_GT(textPixels, 20);
    EXPECT_GT(panelPixels, textPixels);
    EXPECT_EQ(otherPixels, 0);
}

using ControlsPanel = ControlsTest;

TEST_F(ControlsPanel, HiddenAlignedPanelTakesNoRoom) {
    TPanel* panels[3];
    for (TPanel*& panel : panels) {
        panel = &Add<TPanel>(host);
        panel->SetHeight(20);
        panel->SetAlign(alTop);
    }
    EXPECT_EQ(panels[2]->Top(), 40);
    panels[1]->Hide();
    EXPECT_EQ(panels[2]->Top(), 20);
    EXPECT_FALSE(IsWindowVisible(WindowOf(*panels[1])));
    panels[0]->Hide();
    EXPECT_EQ(panels[2]->Top(), 0);
    panels[1]->Show();
    EXPECT_EQ(panels[1]->Top(), 0);
    EXPECT_EQ(panels[2]->Top(), 20);
}

TEST_F(ControlsPanel, PanelBroughtToFrontIsHitFirst) {
    auto& first = Add<TPanel>(host);
    first.SetAlign(alClient);
    auto& second = Add<TPanel>(host);
    second.SetAlign(alClient);
    EXPECT_EQ(first.BoundsRect(), second.BoundsRect());
    const POINT middle{200, 150};
    first.BringToFront();
    EXPECT_EQ(ChildWindowFromPointEx(WindowOf(host), middle, CWP_SKIPINVISIBLE), WindowOf(first));
    second.BringToFront();
    EXPECT_EQ(ChildWindowFromPointEx(WindowOf(host), middle, CWP_SKIPINVISIBLE), WindowOf(second));
    second.Hide();
    EXPECT_EQ(ChildWindowFromPointEx(WindowOf(host), middle, CWP_SKIPINVISIBLE), WindowOf(first));
}

TEST_F(ControlsPanel, ChildrenFollowTheColourOfTheirParent) {
    auto& panel = Add<TPanel>(host);
    auto& box = Add<TCheckBox>(panel);
    auto& edit = Add<TEdit>(panel);
    panel.SetColor(0x00123456);
    EXPECT_EQ(box.Color(), 0x00123456);
    EXPECT_EQ(edit.Color(), clWindow);
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int CountDescendants(HWND window) {
    int count = 0;
    EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(ControlsPanel, WindowAskedForBeforeItsParentsIsMadeOnce) {
    TForm form(nullptr);  // never shown
    auto& panel = form.Make<TPanel>();
    panel.SetParent(&form);
    auto& tree = form.Make<TTreeView>();
    tree.SetParent(&panel);
    // Adding a node makes the tree's window, and the panel's and form's before it.
    TTreeNode node = tree.AddChild(nullptr, "C:");
    EXPECT_EQ(GetParent(WindowOf(tree)), WindowOf(panel));
    EXPECT_EQ(CountDescendants(WindowOf(form)), 2);
    EXPECT_EQ(tree.FirstChild(nullptr), node);
}

using ControlsMemo = ControlsTest;

TEST_F(ControlsMemo, LoadsLinesOfAnyBreakAsCrLf) {
    ScratchFolder scratch;
    constexpr char kBytes[] = "First\nSecond\r\nThird\rFourth\n\nLast\0byte";
    WriteFile(scratch / "licence.txt", std::string(kBytes, sizeof kBytes - 1));
    auto& memo = Add<TMemo>(host);
    memo.SetReadOnly(true);
    memo.SetScrollBars(ssBoth);
    memo.LoadFromFile(scratch / "licence.txt");
    const std::string expected = "First\r\nSecond\r\nThird\r\nFourth\r\n\r\nLast byte";
    EXPECT_EQ(memo.Text(), expected);
    const LONG style = GetWindowLongW(WindowOf(memo), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_EQ(SendMessageW(WindowOf(memo), EM_GETLINECOUNT, 0, 0), 6);
}

TEST_F(ControlsMemo, MissingFileRaisesTheFileErrorAndKeepsTheText) {
    ScratchFolder scratch;
    auto& memo = Add<TMemo>(host);
    memo.SetText("Before");
    const std::string missing = scratch / "missing.txt";
    EXPECT_THROW(memo.LoadFromFile(missing), EFOpenError);
    EXPECT_NE(MessageOf([&] { memo.LoadFromFile(missing); }).find(missing), std::string::npos);
    EXPECT_EQ(memo.Text(), "Before");
}

using ControlsInput = ControlsTest;

TEST_F(ControlsInput, CheckBoxClicksWhenToggledByCodeOrUser) {
    TCheckBox& box = host.Make<TCheckBox>();
    int clicks = 0;
    box.OnClick = [&](TComponent&) { ++clicks; };

    // Before the window exists, and the window takes the state.
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box.SetParent(&host);
    EXPECT_EQ(SendMessageW(WindowOf(box), BM_GETCHECK, 0, 0), BST_CHECKED);
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);

    SendMessageW(WindowOf(box), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(box.Checked());
    SendMessageW(WindowOf(box), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 3);
    EXPECT_TRUE(box.Checked());
    box.SetChecked(false);
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(SendMessageW(WindowOf(box), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ControlsInput, ListBoxReportsEachClickOnceAndKeyboardChanges) {
    auto& list = Add<TListBox>(host);
    list.SetBounds(0, 0, 200, 200);
    for (const char* name : {"Games", "Accessories", "Tools"}) list.AddItem(name);
    int clicks = 0;
    int32_t clickedIndex = -2;
    list.OnClick = [&](TComponent&) {
        ++clicks;
        clickedIndex = list.ItemIndex();
    };
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemIndex(), -1);

    // Setting the selection in code is no click.
    list.SetItemIndex(2);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list.ItemIndex(), 2);

    // The system reporting a new selection (as for the keyboard) is one.
    HWND window = WindowOf(list);
    SendMessageW(window, LB_SETCURSEL, 1, 0);
    SendMessageW(WindowOf(host), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clickedIndex, 1);

    // A click on an item is one click, also on the item already selected.
    RECT item;
    SendMessageW(window, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    ClickAt(window, item.left + 5, (item.top + item.bottom) / 2);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(clickedIndex, 0);
    EXPECT_EQ(list.Item(list.ItemIndex()), "Games");
    ClickAt(window, item.left + 5, (item.top + item.bottom) / 2);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(clickedIndex, 0);
    // Below the last item: no item was clicked and nothing changed.
    ClickAt(window, 5, 190);
    EXPECT_EQ(clicks, 3);

    list.ClearItems();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(SendMessageW(window, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ControlsInput, SortedListBoxKeepsItemsAndWindowInOrder) {
    TListBox& list = host.Make<TListBox>();
    list.SetSorted(true);
    list.AddItem("b");
    list.AddItem("C");
    list.SetItemIndex(1);
    EXPECT_EQ(list.AddItem("A"), 0);
    EXPECT_EQ(list.ItemIndex(), 2);
    list.SetParent(&host);
    HWND window = WindowOf(list);
    wchar_t text[8];
    for (int32_t i = 0; i < list.Count(); ++i) {
        SendMessageW(window, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(list.Item(i), platform::Utf8Of(text));
    }
    EXPECT_EQ(list.Item(0), "A");
    EXPECT_EQ(list.Item(2), "C");
    EXPECT_EQ(list.ItemIndex(), 2);
}

TEST_F(ControlsInput, EditReportsEveryChangeOfItsText) {
    TEdit& edit = host.Make<TEdit>();
    std::string seen;
    int changes = 0;
    edit.OnChange = [&](TComponent&) {
        ++changes;
        seen = edit.Text();
    };

    // Before the window exists, and the window takes the text.
    edit.SetText("Kel");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, "Kel");
    edit.SetParent(&host);
    HWND window = WindowOf(edit);
    EXPECT_EQ(GetWindowTextLengthW(window), 3);
    edit.SetText("Kel");
    EXPECT_EQ(changes, 1);

    // Typing at the end.
    SendMessageW(window, EM_SETSEL, 3, 3);
    SendMessageW(window, WM_CHAR, 'X', 0);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(seen, "KelX");
    EXPECT_EQ(edit.Caption(), "KelX");

    // Back to the text the program set before: a change again.
    edit.SetText("Kel");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(edit.Text(), "Kel");
    edit.Clear();
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(GetWindowTextLengthW(window), 0);
}

TEST_F(ControlsInput, ButtonInsideGroupBoxDeliversItsClick) {
    auto& group = Add<TGroupBox>(host);
    group.SetCaption("Destination Folder");
    group.SetBounds(10, 10, 300, 80);
    auto& button = Add<TButton>(group);
    button.SetCaption("Browse...");
    button.SetBounds(200, 30, 75, 25);
    int clicks = 0;
    button.OnClick = [&](TComponent&) { ++clicks; };

    EXPECT_EQ(GetParent(WindowOf(button)), WindowOf(group));
    SendMessageW(WindowOf(button), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);

    // The group box draws the labels it holds.
    auto& path = Add<TLabel>(group);
    path.SetParentFont(false);
    path.Font().SetColor(clBlack);
    path.SetAutoSize(false);
    path.SetBounds(10, 30, 180, 16);
    path.SetCaption("C:\\Program Files\\Kel");
    group.Repaint();
    EXPECT_GT(CountPixels(path, IsDark), 10);
    // A new text replaces the old one instead of being drawn over it.
    path.SetCaption("");
    group.Repaint();
    EXPECT_EQ(CountPixels(path, IsDark), 0);
}

TEST_F(ControlsInput, ButtonWithModalResultEndsTheModalLoop) {
    TForm dialog(nullptr);
    dialog.SetBorderStyle(bsDialog);
    dialog.SetClientSize(200, 100);
    auto& ok = dialog.Make<TButton>();
    ok.SetParent(&dialog);
    ok.SetCaption("OK");
    ok.SetModalResult(mrOk);
    int clicks = 0;
    ok.OnClick = [&](TComponent&) { ++clicks; };

    PostMessageW(WindowOf(ok), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(IsWindowVisible(WindowOf(dialog)));
}

TEST_F(ControlsInput, ProgressBarKeepsItsPositionInRange) {
    auto& bar = Add<TProgressBar>(host);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 100);
    bar.SetPosition(42);
    EXPECT_EQ(SendMessageW(WindowOf(bar), PBM_GETPOS, 0, 0), 42);
    bar.SetPosition(150);
    EXPECT_EQ(bar.Position(), 100);
    bar.SetMax(10);
    EXPECT_EQ(bar.Position(), 10);
    EXPECT_EQ(SendMessageW(WindowOf(bar), PBM_GETRANGE, FALSE, 0), 10);
    EXPECT_EQ(SendMessageW(WindowOf(bar), PBM_GETPOS, 0, 0), 10);
}

using ControlsTreeView = ControlsTest;

TEST_F(ControlsTreeView, NodesKeepTheirOrderTextAndData) {
    auto& tree = Add<TTreeView>(host);
    tree.SetBounds(0, 0, 300, 300);
    int data[3];
    TTreeNode c = tree.AddChild(nullptr, "C:", 1, 2, &data[0]);
    TTreeNode e = tree.AddChild(nullptr, "E:", 1, 2, &data[1]);
    TTreeNode d = tree.InsertChild(nullptr, e, "D:", 1, 2, &data[2]);
    TTreeNode windows = tree.AddChild(c, std::string(300, 'w'));

    EXPECT_EQ(tree.FirstChild(nullptr), c);
    EXPECT_EQ(tree.NextSibling(c), d);
    EXPECT_EQ(tree.NextSibling(d), e);
    EXPECT_EQ(tree.ParentNode(windows), c);
    EXPECT_EQ(tree.NodeText(windows), std::string(300, 'w'));
    EXPECT_EQ(tree.NodeData(e), &data[1]);
    tree.SetNodeText(d, "Data (D:)");
    tree.SetNodeImages(d, 4, 5);
    EXPECT_EQ(tree.NodeText(d), "Data (D:)");
    EXPECT_EQ(tree.NodeImageIndex(d), 4);
    EXPECT_EQ(tree.NodeSelectedIndex(d), 5);

    EXPECT_FALSE(GetWindowLongW(WindowOf(tree), GWL_STYLE) & TVS_SHOWSELALWAYS);
    tree.SetHideSelection(false);
    EXPECT_TRUE(GetWindowLongW(WindowOf(tree), GWL_STYLE) & TVS_SHOWSELALWAYS);
}

TEST_F(ControlsTreeView, RaisesChangeExpandingAndDeletion) {
    auto& tree = Add<TTreeView>(host);
    tree.SetBounds(0, 0, 300, 300);
    TTreeNode root = tree.AddChild(nullptr, "C:");
    TTreeNode child = tree.AddChild(root, "Program Files");
    tree.AddChild(child, "Kel");

    std::vector<TTreeNode> changes;
    tree.OnChange = [&](TComponent&, TTreeNode node) { changes.push_back(node); };
    tree.SetSelected(child);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], child);
    EXPECT_EQ(tree.Selected(), child);

    bool allow = false;
    std::vector<TTreeNode> asked;
    tree.OnExpanding = [&](TComponent&, TTreeNode node, bool& allowExpansion) {
        asked.push_back(node);
        allowExpansion = allow;
    };
    tree.SetExpanded(child, true);
    EXPECT_FALSE(tree.Expanded(child));
    // The user's way of opening a node asks too.
    SendMessageW(WindowOf(tree), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_FALSE(tree.Expanded(child));
    ASSERT_EQ(asked.size(), 2u);
    allow = true;
    tree.SetExpanded(child, true);
    EXPECT_TRUE(tree.Expanded(child));
    EXPECT_EQ(asked.size(), 3u);

    std::vector<std::string> deleted;
    tree.OnDeletion = [&](TComponent&, TTreeNode node) { deleted.push_back(tree.NodeText(node)); };
    tree.OnChange = nullptr;
    tree.DeleteNode(child);
    EXPECT_EQ(deleted.size(), 2u);
    EXPECT_EQ(tree.FirstChild(root), nullptr);
    // The root goes with the tree after `deleted` has gone.
    tree.OnDeletion = nullptr;
}

TEST_F(ControlsTreeView, ClickIsRaisedAfterTheClickedNodeIsSelected) {
    auto& tree = Add<TTreeView>(host);
    tree.SetBounds(0, 0, 300, 300);
    tree.AddChild(nullptr, "First");
    TTreeNode second = tree.AddChild(nullptr, "Second");
    TTreeNode selectedAtClick = nullptr;
    int clicks = 0;
    tree.OnClick = [&](TComponent&) {
        ++clicks;
        selectedAtClick = tree.Selected();
    };

    // The item's rectangle: the message takes the item in the rectangle's place.
    RECT r{};
    const HTREEITEM item = reinterpret_cast<HTREEITEM>(second);
    std::memcpy(&r, &item, sizeof item);
    ASSERT_TRUE(SendMessageW(WindowOf(tree), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(tree.NodeAt(r.left + 2, (r.top + r.bottom) / 2), second);
    ClickAt(WindowOf(tree), r.left + 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(selectedAtClick, second);
}

TEST_F(ControlsTreeView, DestroyingTheTreeReportsEveryNodeOnce) {
    int deletions = 0;
    {
        TTreeView tree(nullptr);
        tree.SetParent(&host);
        tree.OnDeletion = [&](TComponent&, TTreeNode) { ++deletions; };
        TTreeNode root = tree.AddChild(nullptr, "C:");
        tree.AddChild(root, "Windows");
        tree.SetSelected(root);
        tree.OnChange = [](TComponent&, TTreeNode) { ADD_FAILURE() << "selection change while the tree goes"; };
    }
    EXPECT_EQ(deletions, 2);
}

// Runs the question box and lets `act` look at it and answer it from
// inside its modal loop.
TModalResult AnswerConfirmation(const std::string& text, std::function<void(HWND box)> act) {
    TModalResult result = mrNone;
    WithQuestionBoxAnswer([&] { result = ConfirmationDlg(text); }, std::move(act));
    return result;
}

// The box speaks the program's language: English until it sets its own words.
TEST(ControlsConfirmation, ShowsTheQuestionInTheBoxWordsAndYesAsDefault) {
    const TBoxWords english;
    const TBoxWords french{"Confirmation", "&Oui", "&Non", "Erreur de l'application"};
    for (const TBoxWords* words : {&english, &french}) {
        SetBoxWords(*words);
        std::string caption, question, yes, no;
        bool yesFocused = false;
        const TModalResult result = AnswerConfirmation("Voulez-vous annuler ?", [&](HWND box) {
            caption = TextOf(box);
            question = QuestionOf(box);
            yes = TextOf(GetDlgItem(box, IDYES));
            no = TextOf(GetDlgItem(box, IDNO));
            yesFocused = GetFocus() == GetDlgItem(box, IDYES);
            PostKey(VK_RETURN);
        });
        EXPECT_EQ(result, mrYes);
        EXPECT_EQ(caption, words->QuestionCaption);
        EXPECT_EQ(question, "Voulez-vous annuler ?");
        EXPECT_EQ(yes, words->Yes);
        EXPECT_EQ(no, words->No);
        EXPECT_TRUE(yesFocused);
    }
    SetBoxWords({});
}

TEST(ControlsConfirmation, EscapeAndTheCloseBoxAnswerNo) {
    EXPECT_EQ(AnswerConfirmation("Escape?", [](HWND) { PostKey(VK_ESCAPE); }), mrNo);
    EXPECT_EQ(AnswerConfirmation("Close?", [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); }), mrNo);
}

TEST(ControlsConfirmation, AnOwnBoxShowsItsCaptionAndButtonsAndAButtonAloneAnswersOk) {
    std::string caption, ok;
    bool noShown = true;
    TModalResult result = mrNone;
    WithQuestionBoxAnswer([&] { result = OwnMessageDlg("Removed.", "Uninstall X", mtInformation, "OK", ""); },
                          [&](HWND box) {
                              caption = TextOf(box);
                              ok = TextOf(GetDlgItem(box, IDYES));
                              noShown = IsWindowVisible(GetDlgItem(box, IDNO));
                              PostKey(VK_ESCAPE);
                          });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(caption, "Uninstall X");
    EXPECT_EQ(ok, "OK");
    EXPECT_FALSE(noShown);
    WithQuestionBoxAnswer([&] { result = OwnMessageDlg("Remove?", "Uninstall X", mtConfirmation, "&Yes", "&No"); },
                          [](HWND box) { PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0); });
    EXPECT_EQ(result, mrNo);
}

TEST(ControlsConfirmation, LongQuestionWrapsInsideTheBoxAndNoAnswersNo) {
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "word ";
    RECT label{}, box{};
    const TModalResult result = AnswerConfirmation(longText, [&](HWND dialog) {
        GetWindowRect(GetDlgItem(dialog, 101), &label);
        GetWindowRect(dialog, &box);
        PostMessageW(GetDlgItem(dialog, IDNO), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, mrNo);
    EXPECT_LT(box.right - box.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(label.bottom - label.top, 20);
    EXPECT_LE(label.right, box.right);
    EXPECT_LE(label.bottom, box.bottom);
}

TEST(ControlsConfirmation, BelongsToTheMainFormAndHoldsOffTheOtherForms) {
    TForm& main = Application().CreateForm<TForm>();
    TForm& other = Application().CreateForm<TForm>();
    main.Show();
    other.Show();
    HWND owner = nullptr;
    bool mainEnabled = true, otherEnabled = true;
    AnswerConfirmation("Owner?", [&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        mainEnabled = IsWindowEnabled(WindowOf(main));
        otherEnabled = IsWindowEnabled(WindowOf(other));
        PostKey(VK_ESCAPE);
    });
    EXPECT_EQ(owner, WindowOf(main));
    EXPECT_FALSE(mainEnabled);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(WindowOf(main)));
    EXPECT_TRUE(IsWindowEnabled(WindowOf(other)));
    Application().DestroyComponents();
    EXPECT_EQ(Application().MainForm(), nullptr);
}

TEST(ControlsMessageBox, ShowsTheCaptionAndTextWithYesAsDefault) {
    std::string caption, text;
    TModalResult result = mrNone;
    WithQuestionBoxAnswer([&] { result = MessageDlg("Remove it?", "Uninstall", mtConfirmation, mbYesNo); },
                          [&](HWND box) {
                              caption = TextOf(box);
                              text = TextOf(GetDlgItem(box, 0xFFFF));
                              PostKey(VK_RETURN);
                          });
    EXPECT_EQ(result, mrYes) << "Yes is the default";
    EXPECT_EQ(caption, "Uninstall");
    EXPECT_EQ(text, "Remove it?");
    WithQuestionBoxAnswer([&] { result = MessageDlg("Remove it?", "Uninstall", mtConfirmation, mbYesNo); },
                          [](HWND box) { PostMessageW(box, WM_COMMAND, IDNO, 0); });
    EXPECT_EQ(result, mrNo);
}

// The test program carries the manifest the shipped program has, with the
// execution level of a program that needs no elevation.
TEST(ControlsManifest, SelectsVersionSixOfTheCommonControlsWithoutElevation) {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(resource, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
                               SizeofResource(nullptr, resource));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);

    // Version 6 is the side-by-side assembly the manifest names; without it
    // the system folder's older library is loaded.
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(controls, path, MAX_PATH);
    std::string lowered = platform::Utf8Of(path);
    for (char& c : lowered) c = char(tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lowered.find("microsoft.windows.common-controls"), std::string::npos) << platform::Utf8Of(path);
}

}  // namespace

// However a modal form ends (a button with a result, the close box), the
// form that was active before is active again with the focus where it
// was, so that the keyboard goes on there.
TEST(ControlsModalForm, GivesTheActivationAndFocusBackHoweverItEnds) {
    TForm& owner = Application().CreateForm<TForm>();
    auto& browse = owner.Make<TButton>();
    browse.SetParent(&owner);
    owner.Show();
    TForm& dialog = Application().CreateForm<TForm>();
    dialog.SetBorderStyle(bsDialog);
    auto& ok = dialog.Make<TButton>();
    ok.SetParent(&dialog);
    ok.SetModalResult(mrOk);
    const std::pair<const char*, std::function<void()>> endings[] = {
        {"OK", [&] { PostMessageW(WindowOf(ok), BM_CLICK, 0, 0); }},
        {"the close box", [&] { PostMessageW(WindowOf(dialog), WM_CLOSE, 0, 0); }},
    };
    for (const auto& [ending, end] : endings) {
        browse.SetFocus();
        end();
        dialog.ShowModal();
        Pump();
        EXPECT_FALSE(IsWindowVisible(WindowOf(dialog))) << ending;
        EXPECT_EQ(GetActiveWindow(), WindowOf(owner)) << ending;
        EXPECT_EQ(GetFocus(), WindowOf(browse)) << ending;
    }
    Application().DestroyComponents();
}
