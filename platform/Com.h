#pragma once
// COM for the calling thread, and the error a failed COM call raises. Windows only.
#include <string>

#include "platform/Exception.h"

namespace platform {

class EOleSysError : public Exception {
public:
    explicit EOleSysError(long result);
    long Result() const { return result_; }

private:
    long result_;
};

// Initialises COM for this thread for the object's lifetime: at once, or
// on first use, when something on the thread first calls NeedCom, so that a
// program whose start needs no COM does not pay for it before its window.
class TComInitializer {
public:
    enum TWhen { Now, OnFirstUse };
    explicit TComInitializer(TWhen when = Now);
    ~TComInitializer();
    TComInitializer(const TComInitializer&) = delete;
    TComInitializer& operator=(const TComInitializer&) = delete;

private:
    friend void NeedCom();
    void Initialize();

    bool initialized_ = false;
    TComInitializer* outer_;  // the thread's session before this one
};

// Initialises the thread's deferred COM session, if it waits; called before
// using COM objects or shell functions that may rely on them.
void NeedCom();

}  // namespace platform
