#include "platform/ui/Dialogs.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/Exception.h"
#include "platform/ui/Application.h"
#include "platform/win32/WideText.h"
#include "platform/win32/ui/FormsDisabled.h"
#include "platform/win32/ui/StandardControls.h"

using platform::ui::DrawUtf8Text;
using platform::ui::SetWindowUtf8Text;

namespace {

TBoxWords& CurrentBoxWords() {
    static TBoxWords words;
    return words;
}

constexpr int kIconId = 100;
constexpr int kTextId = 101;

// Places in pixels.
constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

// A dialog template in memory: the box's frame and its four controls. Texts
// are left empty in the template and set when the box starts.
class TDialogTemplate {
public:
    TDialogTemplate() {
        Put32(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
        Put32(0);     // extended style
        Put16(4);     // controls
        Put16(0); Put16(0); Put16(200); Put16(60);  // placed and sized when it starts
        Put16(0);     // no menu
        Put16(0);     // the dialog class
        Put16(0);     // no caption yet
        Put16(8);     // font size in points
        for (const char* c = "MS Shell Dlg"; *c; ++c) Put16(uint16_t(*c));
        Put16(0);
        AddItem(WS_CHILD | WS_VISIBLE | SS_ICON, kIconId, 0x0082);
        AddItem(WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX, kTextId, 0x0082);
        AddItem(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, IDYES, 0x0080);
        AddItem(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDNO, 0x0080);
    }

    const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Put16(uint16_t value) {
        if (count_ < words_.size()) words_[count_++] = value;
    }
    void Put32(uint32_t value) {
        Put16(uint16_t(value & 0xFFFF));
        Put16(uint16_t(value >> 16));
    }
    // Each control starts on a 4-byte boundary; the class is a system atom.
    void AddItem(uint32_t style, int id, uint16_t classAtom) {
        if (count_ % 2) Put16(0);
        Put32(style);
        Put32(0);
        Put16(0); Put16(0); Put16(10); Put16(10);
        Put16(uint16_t(id));
        Put16(0xFFFF);
        Put16(classAtom);
        Put16(0);  // no text yet
        Put16(0);  // no creation data
    }

    // The template takes 81 words; it starts on a 4-byte boundary.
    alignas(4) std::array<uint16_t, 96> words_{};
    size_t count_ = 0;
};

// Sizes the text to its wrapped height and places the icon, the text and
// the buttons (Yes and No, or Yes alone) around it; the box is centred on
// the screen.
void LayOut(HWND box, const std::string& text, bool twoButtons) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int iconSize = GetSystemMetrics(SM_CXICON);
    HDC dc = GetDC(box);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    RECT textRect{0, 0, std::max(screenWidth / 2, 200), 0};
    DrawUtf8Text(dc, text, textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    const int textWidth = textRect.right, textHeight = textRect.bottom;

    const int textLeft = kMargin + iconSize + kMargin;
    const int contentHeight = std::max(iconSize, textHeight);
    const int buttonsWidth = twoButtons ? 2 * kButtonWidth + kButtonGap : kButtonWidth;
    const int clientWidth = std::max(textLeft + textWidth + kMargin, buttonsWidth + 2 * kMargin);
    const int buttonsTop = kMargin + contentHeight + kMargin;
    const int clientHeight = buttonsTop + kButtonHeight + kMargin;

    MoveWindow(GetDlgItem(box, kIconId), kMargin, kMargin, iconSize, iconSize, FALSE);
    MoveWindow(GetDlgItem(box, kTextId), textLeft, kMargin + (contentHeight - textHeight) / 2, textWidth, textHeight, FALSE);
    const int buttonsLeft = (clientWidth - buttonsWidth) / 2;
    MoveWindow(GetDlgItem(box, IDYES), buttonsLeft, buttonsTop, kButtonWidth, kButtonHeight, FALSE);
    MoveWindow(GetDlgItem(box, IDNO), buttonsLeft + kButtonWidth + kButtonGap, buttonsTop, kButtonWidth, kButtonHeight,
               FALSE);

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(box, GWL_STYLE)), FALSE, DWORD(GetWindowLongW(box, GWL_EXSTYLE)));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    MoveWindow(box, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height, FALSE);
}

// What a box shows: its text, caption, icon and button texts; without a No
// text the Yes button stands alone and answers OK.
struct TBoxContent {
    const std::string& Text;
    const std::string& Caption;
    LPCWSTR Icon;
    const std::string& Yes;
    const std::string& No;
};

void StartBox(HWND box, const TBoxContent& content) {
    SetWindowUtf8Text(box, content.Caption);
    SetWindowUtf8Text(GetDlgItem(box, kTextId), content.Text);
    SetWindowUtf8Text(GetDlgItem(box, IDYES), content.Yes);
    SetWindowUtf8Text(GetDlgItem(box, IDNO), content.No);
    if (content.No.empty()) ShowWindow(GetDlgItem(box, IDNO), SW_HIDE);
    SendDlgItemMessageW(box, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, content.Icon)), 0);
    LayOut(box, content.Text, !content.No.empty());
    SendMessageW(box, DM_SETDEFID, IDYES, 0);
    SetFocus(GetDlgItem(box, IDYES));
    // Without an owner the box would hide behind other programs' windows.
    if (!GetWindow(box, GW_OWNER)) SetForegroundWindow(box);
}

INT_PTR CALLBACK ConfirmationProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    // Without its No button the box only tells: every way out answers OK.
    const auto answer = [box](TModalResult result) {
        const bool asks = GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & WS_VISIBLE;
        EndDialog(box, asks ? result : mrOk);
        return TRUE;
    };
    switch (message) {
        case WM_INITDIALOG:
            StartBox(box, *reinterpret_cast<const TBoxContent*>(lParam));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDYES: return answer(mrYes);
                case IDNO:
                case IDCANCEL: return answer(mrNo);
                default: return FALSE;
            }
        case WM_CLOSE: return answer(mrNo);
        default: return FALSE;
    }
}

LPCWSTR IconOf(TMsgDlgType type) {
    switch (type) {
        case mtInformation: return reinterpret_cast<LPCWSTR>(IDI_INFORMATION);
        case mtWarning: return reinterpret_cast<LPCWSTR>(IDI_WARNING);
        case mtError: return reinterpret_cast<LPCWSTR>(IDI_ERROR);
        case mtConfirmation: break;
    }
    return reinterpret_cast<LPCWSTR>(IDI_QUESTION);
}

// The main form's window, or the active window while there is none.
HWND BoxOwner() {
    TForm* mainForm = Application().MainForm();
    return mainForm && mainForm->HandleAllocated() ? static_cast<HWND>(mainForm->Handle()) : GetActiveWindow();
}

}  // namespace

void SetBoxWords(TBoxWords words) { CurrentBoxWords() = std::move(words); }

const TBoxWords& BoxWords() { return CurrentBoxWords(); }

TModalResult ConfirmationDlg(const std::string& text) {
    const TBoxWords& words = BoxWords();
    return OwnMessageDlg(text, words.QuestionCaption, mtConfirmation, words.Yes, words.No);
}

TModalResult OwnMessageDlg(const std::string& text, const std::string& caption, TMsgDlgType type,
                           const std::string& yes, const std::string& no) {
    HWND owner = BoxOwner();
    const TDialogTemplate dialog;
    const TBoxContent content{text, caption, IconOf(type), yes, no};
    const TFormsDisabled disabled(owner);
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Data(), owner, ConfirmationProcedure,
                                                   reinterpret_cast<LPARAM>(&content));
    if (result == -1 || result == 0) throw Exception("Error creating the confirmation box");
    return TModalResult(result);
}

void ErrorBox(const std::string& caption, const std::string& text) { MessageDlg(text, caption, mtError, mbOK); }

TModalResult MessageDlg(const std::string& text, const std::string& caption, TMsgDlgType type, TMsgDlgButtons buttons) {
    HWND owner = BoxOwner();
    const TFormsDisabled disabled(owner);
    UINT style = buttons == mbYesNo ? MB_YESNO : buttons == mbYesNoDefaultNo ? MB_YESNO | MB_DEFBUTTON2 : MB_OK;
    switch (type) {
        case mtInformation: style |= MB_ICONINFORMATION; break;
        case mtWarning: style |= MB_ICONWARNING; break;
        case mtError: style |= MB_ICONERROR; break;
        case mtConfirmation: style |= MB_ICONQUESTION; break;
    }
    // Without an owner the box would hide behind other programs' windows.
    if (!owner) style |= MB_SETFOREGROUND;
    switch (MessageBoxW(owner, platform::Wide(text).c_str(), platform::Wide(caption).c_str(), style)) {
        case IDYES: return mrYes;
        case IDNO: return mrNo;
        case IDOK: return mrOk;
        case 0: throw Exception("Error creating the message box");
        default: return buttons == mbOK ? mrOk : mrNo;
    }
}
