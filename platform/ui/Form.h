#pragma once
// A top-level window holding controls: shown, closed, or run modally.
#include <cstdint>
#include <functional>

#include "platform/ui/WinControl.h"

enum TBorderStyle : uint8_t { bsNone, bsSingle, bsDialog, bsSizeable };
enum TPosition : uint8_t { poDesigned, poScreenCenter };

// Asked before a form closes; setting canClose to false keeps it open.
using TCloseQueryEvent = std::function<void(TComponent& sender, bool& canClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    TForm* AsForm() override { return this; }

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // Sizes the form so that its client area has this size.
    void SetClientSize(int32_t width, int32_t height);

    // Closing the main form ends the application's message loop. OnCloseQuery
    // is asked first and may keep the form open.
    void Close();
    // Shows the form with the other forms disabled until ModalResult is set.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    // A key on its way to the focused control of this form; true when the
    // form acted on it, and the control does not see it.
    virtual bool HandleDialogKey(const TKeyInput& input) { (void)input; return false; }

    // Whether a key was pressed in the form since it was made.
    bool KeyboardUsed() const { return keyboardUsed_; }
    void NoteKeyboardUse() { keyboardUsed_ = true; }
    // A control of the form got the focus.
    void NoteFocus(TWindowHandle control) { lastFocus_ = control; }

    TNotifyEvent OnShow;
    TCloseQueryEvent OnCloseQuery;
    // Asked when the user logs off or Windows shuts down; may ask it to wait.
    TCloseQueryEvent OnQueryEndSession;
    // While the reason is not empty, Windows shows it to a user who logs off
    // or shuts down, as the reason this form asks to wait.
    void SetEndSessionBlockReason(const std::string& reason);
    TNotifyEvent OnClose;

protected:
    void WindowParams(TCreateParams& params) override;
    void HandleMessage(TMessage& message) override;
    void VisibleChanged() override;
    // Where the keyboard starts when the form shows, before OnShow; the
    // default leaves the focus where the system puts it.
    virtual void FocusOnShow() {}

private:
    void CentreOnScreen();
    void FollowKeyboardCueSetting();
    void ChangeKeyboardCues(uint32_t action, uint32_t flags);
    bool RestoreLastFocus();

    TBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TModalResult modalResult_ = mrNone;
    bool shownOnce_ = false;
    bool modal_ = false;  // ShowModal runs
    bool keyboardUsed_ = false;
    TWindowHandle lastFocus_ = nullptr;  // the control that had the focus last
    uint32_t cueState_ = 0;  // the hidden cues (focus, access letters), as the system's flags
};
