#pragma once
// A list of text items, one of which may be selected. OnClick comes once for
// each click of the user on an item (also on the item already selected) and
// whenever the keyboard moves the selection.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/WinControl.h"

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);

    // The items; kept here too, so that they outlive the window and come back with it.
    int32_t Count() const { return int32_t(items_.size()); }
    const std::string& Item(int32_t index) const { return items_.at(size_t(index)); }
    // Adds an item at the end, or at its place in the order when Sorted; returns its index.
    int32_t AddItem(const std::string& text);
    void ClearItems();

    // The selected item, or -1 for none. Setting it does not raise OnClick.
    int32_t ItemIndex() const;
    void SetItemIndex(int32_t index);

    // Keeps the items in the case-insensitive order of the user's locale.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool on);

protected:
    void WindowParams(TCreateParams& params) override;
    void WindowCreated() override;
    void HandleMessage(TMessage& message) override;
    void HandleCommand(uint32_t notifyCode) override;

private:
    void FillWindow();
    // Raises OnClick for the current selection, when it changed or when forced.
    void ReportSelection(bool force);

    std::vector<std::string> items_;
    int32_t itemIndex_ = -1;   // the selection while there is no window
    int32_t reported_ = -1;    // the selection last reported by OnClick
    bool sorted_ = false;
    bool clickRaised_ = false;
};
