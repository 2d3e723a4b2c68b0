#include "platform/LibrarySearch.h"

namespace platform {

// The programs built here load no library by name.
void RestrictLibrarySearch() {}

}  // namespace platform
