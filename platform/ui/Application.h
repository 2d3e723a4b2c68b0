#pragma once
// The application object: it makes the forms, runs the message loop until
// the main form closes, shows errors that escape event handlers, keeps the
// application-wide cursor and tells controls when the mouse enters or
// leaves them.
#include <exception>
#include <string>
#include <utility>

#include "platform/Component.h"
#include "platform/ui/Form.h"

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Makes a form owned by the application; the first becomes the main form.
    template <class T, class... Args>
    T& CreateForm(Args&&... args) {
        T& form = Make<T>(std::forward<Args>(args)...);
        FormCreated(form);
        return form;
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and handles messages until it closes, then
    // destroys the forms.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles the messages waiting now and returns.
    void ProcessMessages();
    // Paints what waits to be painted (an area uncovered, a control changed)
    // and leaves every other message, input included, waiting.
    void ProcessPaintMessages();
    // Drops the keyboard and mouse input that waits, unhandled: what the user
    // typed or clicked while the program took no input. Mouse moves stay.
    void DiscardInput();
    // Handles one message, waiting for it; false once the loop should end.
    bool HandleOneMessage();

    // Shows the error in the error box and carries on.
    void HandleException(const std::exception& error);
    void ShowException(const std::string& message);

    // The hidden window that owns the forms.
    TWindowHandle Handle();

    // The application-wide cursor; crDefault lets each window choose.
    TCursor ScreenCursor() const { return screenCursor_; }
    void SetScreenCursor(TCursor cursor);

    // Sends mouse-leave and mouse-enter to the controls the mouse left and entered.
    void UpdateMouseControl();
    void ControlDestroyed(TWinControl* control);

private:
    void FormCreated(TForm& form);

    TForm* mainForm_ = nullptr;
    TWinControl* mouseControl_ = nullptr;
    TWindowHandle handle_ = nullptr;
    TCursor screenCursor_ = crDefault;
    bool terminated_ = false;
};

// The process's application object.
TApplication& Application();
