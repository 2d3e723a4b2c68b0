#include "platform/ui/ListBox.h"

#include <windows.h>

#include <algorithm>

#include "platform/LocaleText.h"
#include "platform/win32/WideText.h"

namespace {

bool SortsBefore(const std::string& a, const std::string& b) { return platform::AnsiCompareText(a, b) < 0; }

}  // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    SetColor(clWindow);
    SetTabStop(true);
    SetControlStyle(csClickEvents | csDoubleClicks);
    SetBounds(0, 0, 121, 97);
}

int32_t TListBox::AddItem(const std::string& text) {
    auto place = items_.end();
    if (sorted_) place = std::upper_bound(items_.begin(), items_.end(), text, SortsBefore);
    const int32_t index = int32_t(place - items_.begin());
    items_.insert(place, text);
    if (itemIndex_ >= index) ++itemIndex_;
    if (reported_ >= index) ++reported_;
    if (HandleAllocated())
        SendMessageW(static_cast<HWND>(Handle()), LB_INSERTSTRING, WPARAM(index),
                     reinterpret_cast<LPARAM>(platform::Wide(text).c_str()));
    return index;
}

void TListBox::ClearItems() {
    items_.clear();
    itemIndex_ = reported_ = -1;
    if (HandleAllocated()) SendMessageW(static_cast<HWND>(Handle()), LB_RESETCONTENT, 0, 0);
}

int32_t TListBox::ItemIndex() const {
    if (!HandleAllocated()) return itemIndex_;
    return int32_t(SendMessageW(static_cast<HWND>(const_cast<TListBox*>(this)->Handle()), LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int32_t index) {
    if (index < 0 || index >= Count()) index = -1;
    itemIndex_ = reported_ = index;
    if (HandleAllocated()) SendMessageW(static_cast<HWND>(Handle()), LB_SETCURSEL, WPARAM(index), 0);
}

void TListBox::SetSorted(bool on) {
    if (on == sorted_) return;
    sorted_ = on;
    if (!on) return;
    const std::string selected = ItemIndex() >= 0 ? Item(ItemIndex()) : std::string();
    const bool hadSelection = ItemIndex() >= 0;
    // Each item goes in after those that sort before it or alike, so alike
    // items keep their order. Inserting as AddItem does, rather than a sorting
    // routine of its own, keeps the program small.
    std::vector<std::string> sorted;
    sorted.reserve(items_.size());
    for (const std::string& item : items_)
        sorted.insert(std::upper_bound(sorted.begin(), sorted.end(), item, SortsBefore), item);
    items_.swap(sorted);
    itemIndex_ = -1;
    if (hadSelection)
        itemIndex_ = int32_t(std::find(items_.begin(), items_.end(), selected) - items_.begin());
    reported_ = itemIndex_;
    if (HandleAllocated()) FillWindow();
}

void TListBox::WindowParams(TCreateParams& params) {
    TWinControl::WindowParams(params);
    params.ClassName = "LISTBOX";
    params.SystemClass = true;
    params.Style &= ~WS_CLIPCHILDREN;
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::WindowCreated() {
    TWinControl::WindowCreated();
    FillWindow();
}

void TListBox::FillWindow() {
    HWND window = static_cast<HWND>(Handle());
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(window, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_)
        SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Wide(item).c_str()));
    SendMessageW(window, LB_SETCURSEL, WPARAM(itemIndex_), 0);
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
}

// The system reports selection changes while the button is held and again
// when it is released, and none for a click on the selected item: one click
// of the user is reported once, when the button is released.
void TListBox::HandleMessage(TMessage& message) {
    HWND window = static_cast<HWND>(Handle());
    if (message.Msg != WM_LBUTTONUP || GetCapture() != window) {
        TWinControl::HandleMessage(message);
        return;
    }
    clickRaised_ = false;
    TWinControl::HandleMessage(message);
    if (clickRaised_) return;
    const LRESULT hit = SendMessageW(window, LB_ITEMFROMPOINT, 0, message.LParam);
    const bool onItem = HIWORD(hit) == 0;
    if (onItem || ItemIndex() != reported_) ReportSelection(true);
}

void TListBox::HandleCommand(uint32_t notifyCode) {
    if (notifyCode != LBN_SELCHANGE) return;
    // While the mouse is held in the list, the release decides.
    if (GetCapture() == static_cast<HWND>(Handle())) return;
    ReportSelection(false);
}

void TListBox::ReportSelection(bool force) {
    const int32_t index = ItemIndex();
    if (!force && index == reported_) return;
    itemIndex_ = reported_ = index;
    clickRaised_ = true;
    Click();
}
