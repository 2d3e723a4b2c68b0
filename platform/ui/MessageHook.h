#pragma once
// Lets a component see the messages of a window that is not its own (its
// owner's, say) before that window does. The handler answers a message by
// setting its Result and returning true; every other message goes on to the
// window as before. The hook is removed when the object goes, or with the
// window.
#include <functional>

#include "platform/ui/UiTypes.h"

class TMessageHook {
public:
    using THandler = std::function<bool(TMessage& message)>;

    TMessageHook(TWindowHandle window, THandler handler);
    ~TMessageHook();
    TMessageHook(const TMessageHook&) = delete;
    TMessageHook& operator=(const TMessageHook&) = delete;

    TWindowHandle Window() const { return window_; }

private:
    TWindowHandle window_;
    THandler handler_;
};
