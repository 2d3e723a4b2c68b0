#pragma once
// The operating system's own words for an error code.
#include <string>

namespace platform {

// The system's message for an error code as LastErrorCode gives it, in one
// line without a trailing line break ("Access is denied."). A code the system
// has no text for gives "Error N".
std::string SystemErrorMessage(int errorCode);
// The same, empty when the system has no text for the code.
std::string SystemErrorText(int errorCode);

}  // namespace platform
