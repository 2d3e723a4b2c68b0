// Texts of any script through the window framework: what a control is given
// as UTF-8 its window holds as the same characters in UTF-16, and the
// framework gives back byte for byte; typing, measuring, the boxes and the
// memo's files count characters, not bytes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "platform/TextCoding.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TextExtent.h"
#include "platform/ui/TreeView.h"
#include "platform/win32/WideText.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/QuestionBox.h"

namespace {

// One text written twice: as the UTF-8 the program holds and as the UTF-16
// the system holds.
struct TSample {
    const char* Script;
    std::string Utf8;
    std::wstring Wide;
};

const TSample kSamples[] = {
    {"Cyrillic", "Установка программы «Ёж»", L"Установка программы «Ёж»"},
    {"Greek", "Εγκατάσταση ΑΒΓ ώ", L"Εγκατάσταση ΑΒΓ ώ"},
    {"CJK", "安装程序 セットアップ 설치", L"安装程序 セットアップ 설치"},
    {"beyond the Basic Multilingual Plane", "Noten \U0001D11E und \U0001F600", L"Noten \U0001D11E und \U0001F600"},
};

// What the window holds, and what reading it back gives as UTF-8.
using TReadBack = std::pair<std::wstring, std::string>;

void ExpectHoldsExactly(const TSample& sample, const TReadBack& readBack, const char* control) {
    EXPECT_EQ(readBack.first, sample.Wide) << control << ", " << sample.Script;
    EXPECT_EQ(readBack.second, sample.Utf8) << control << ", " << sample.Script;
}

std::wstring ListItemOf(HWND list, int index) {
    std::wstring item(size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(index), 0)) + 1, L'\0');
    item.resize(size_t(SendMessageW(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(item.data()))));
    return item;
}

std::wstring TreeItemOf(HWND tree, TTreeNode node) {
    wchar_t text[256] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(node);
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.pszText;
}

TForm& ShownForm() {
    static TForm form(nullptr);
    if (!form.Visible()) {
        form.SetBorderStyle(bsNone);
        form.SetBounds(60, 60, 420, 320);
        form.Show();
    }
    return form;
}

class UnicodeText : public ::testing::Test {
protected:
    UnicodeText() : host(nullptr) {
        host.SetBounds(0, 0, 400, 300);
        host.SetParent(&ShownForm());
        host.BringToFront();
        Pump();
    }

    template <class T>
    T& Add() {
        T& control = host.Make<T>();
        control.SetParent(&host);
        return control;
    }

    TPanel host;
};

// Each control given the text, read back from its window.
const std::pair<const char*, std::function<TReadBack(TPanel&, const std::string&)>> kControls[] = {
    {"edit",
     [](TPanel& host, const std::string& text) {
         auto& edit = host.Make<TEdit>();
         edit.SetParent(&host);
         edit.SetText(text);
         return TReadBack{WideTextOf(WindowOf(edit)), edit.Text()};
     }},
    {"memo",
     [](TPanel& host, const std::string& text) {
         auto& memo = host.Make<TMemo>();
         memo.SetParent(&host);
         memo.SetText(text);
         return TReadBack{WideTextOf(WindowOf(memo)), memo.Text()};
     }},
    {"list box",
     [](TPanel& host, const std::string& text) {
         auto& list = host.Make<TListBox>();
         list.AddItem("first");
         list.SetParent(&host);
         list.AddItem(text);
         const std::wstring item = ListItemOf(WindowOf(list), 1);
         return TReadBack{item, platform::Utf8Of(item)};
     }},
    {"check box",
     [](TPanel& host, const std::string& text) {
         auto& box = host.Make<TCheckBox>();
         box.SetParent(&host);
         box.SetCaption(text);
         return TReadBack{WideTextOf(WindowOf(box)), TextOf(WindowOf(box))};
     }},
    {"tree view item",
     [](TPanel& host, const std::string& text) {
         auto& tree = host.Make<TTreeView>();
         tree.SetParent(&host);
         TTreeNode node = tree.AddChild(tree.AddChild(nullptr, "C:"), text);
         return TReadBack{TreeItemOf(WindowOf(tree), node), tree.NodeText(node)};
     }},
};

TEST_F(UnicodeText, EveryControlHoldsTheTextItWasGivenAndGivesItBackByteForByte) {
    for (const auto& [control, give] : kControls)
        for (const TSample& sample : kSamples) ExpectHoldsExactly(sample, give(host, sample.Utf8), control);
}

// Typed as the keyboard sends it: one message for each UTF-16 unit, a
// character beyond the plane as a pair of surrogates.
TEST_F(UnicodeText, TypingIntoAnEditGivesTheTypedTextAsUtf8) {
    for (const TSample& sample : kSamples) {
        auto& edit = Add<TEdit>();
        std::string seen;
        edit.OnChange = [&](TComponent&) { seen = edit.Text(); };
        for (wchar_t unit : sample.Wide) SendMessageW(WindowOf(edit), WM_CHAR, WPARAM(unit), 1);
        EXPECT_EQ(edit.Text(), sample.Utf8) << sample.Script;
        EXPECT_EQ(seen, sample.Utf8) << sample.Script;
        EXPECT_EQ(edit.Caption(), sample.Utf8) << sample.Script;
    }
}

// The width of the characters in the font, as the system measures them.
int32_t WidthOf(const std::wstring& text, const TFont& font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font.Handle()));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return size.cx;
}

TEST_F(UnicodeText, MeasuringCountsTheCharactersNotTheirBytes) {
    for (const TSample& sample : kSamples) {
        auto& label = Add<TLabel>();
        label.SetCaption(sample.Utf8);
        const int32_t width = WidthOf(sample.Wide, label.Font());
        EXPECT_EQ(TextExtentOf(label.Font(), sample.Utf8).Width, width) << sample.Script;
        EXPECT_EQ(label.Width(), width) << "the label sizes itself to its text, " << sample.Script;
        // Each byte taken for a character of its own, as a Western code page would, is wider.
        EXPECT_GT(WidthOf(platform::Wide(Windows1252ToUtf8(sample.Utf8)), label.Font()), width) << sample.Script;
    }
}

// The question box and the system's message box show caption, text and
// button exactly as given.
TEST(UnicodeBoxes, ShowTheirCaptionTextAndButtonsExactly) {
    const auto look = [](const std::function<void()>& show, int textId, int buttonId, const TSample& sample) {
        std::wstring caption, text, button;
        WithQuestionBoxAnswer(show, [&](HWND box) {
            caption = WideTextOf(box);
            text = WideTextOf(GetDlgItem(box, textId));
            button = WideTextOf(GetDlgItem(box, buttonId));
            PostMessageW(box, WM_COMMAND, IDNO, 0);
        });
        EXPECT_EQ(caption, sample.Wide) << sample.Script;
        EXPECT_EQ(text, sample.Wide + L"?") << sample.Script;
        return button;
    };
    for (const TSample& sample : kSamples) {
        const std::string& s = sample.Utf8;
        EXPECT_EQ(look([&] { OwnMessageDlg(s + "?", s, mtConfirmation, s, "&No"); }, 101, IDYES, sample), sample.Wide)
            << sample.Script;
        look([&] { MessageDlg(s + "?", s, mtConfirmation, mbYesNo); }, 0xFFFF, IDYES, sample);
    }
}

// Files of Windows-1252 text read as they always did; those that start with
// a UTF-8 byte-order mark hold any script.
TEST_F(UnicodeText, MemoReadsWestern8BitFilesAndMarkedUtf8Files) {
    ScratchFolder scratch;
    const std::pair<std::string, std::string> files[] = {
        {"Lizenz f\xFCr \x80 5\r\n", "Lizenz für € 5\r\n"},
        {"\xEF\xBB\xBF" + kSamples[0].Utf8 + "\n" + kSamples[3].Utf8, kSamples[0].Utf8 + "\r\n" + kSamples[3].Utf8},
        {"\xEF\xBB\xBF", ""},
    };
    auto& memo = Add<TMemo>();
    for (const auto& [bytes, text] : files) {
        WriteFile(scratch / "licence.txt", bytes);
        memo.LoadFromFile(scratch / "licence.txt");
        EXPECT_EQ(memo.Text(), text);
    }
}

}  // namespace
