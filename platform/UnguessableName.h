#pragma once
// Names that nobody can guess beforehand, for files and folders a program
// makes in places that others may write to.
#include <string>

namespace platform {

// 32 hexadecimal digits from the system's random number source; empty when
// it gives none.
std::string UnguessableName();

}  // namespace platform
