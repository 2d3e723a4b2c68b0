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

// Initialises COM for this thread for the object's lifetime.
class TComInitializer {
public:
    TComInitializer();
    ~TComInitializer();
    TComInitializer(const TComInitializer&) = delete;
    TComInitializer& operator=(const TComInitializer&) = delete;

private:
    bool initialized_;
};

}  // namespace platform
