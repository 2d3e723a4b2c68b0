#pragma once
// Text fields over the system's edit control. TCustomEdit holds what the
// one-line field and the memo share: the text, read-only, the change event.
#include <string>

#include "platform/ui/WinControl.h"

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    // The text as the window holds it, once the window exists.
    std::string Text() const;
    // Raises OnChange when the text differs.
    void SetText(const std::string& text);
    void Clear() { SetText(std::string()); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);

    // On every change of the text, by the user or by the program.
    TNotifyEvent OnChange;

protected:
    void WindowParams(TCreateParams& params) override;
    void WindowCreated() override;
    void HandleCommand(uint32_t notifyCode) override;
    void TextChanged() override;
    virtual void Change();

private:
    bool readOnly_ = false;
    bool settingText_ = false;  // the program is putting the text into the window
};

// A one-line text field that scrolls sideways as the text grows.
class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);

protected:
    void WindowParams(TCreateParams& params) override;
};
