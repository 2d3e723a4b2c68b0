#pragma once
// The face of the font the system shows its own messages in, which has the
// characters of the user's interface language. Windows only.
#include <string>

namespace platform {

std::string InterfaceFontName();

}  // namespace platform
