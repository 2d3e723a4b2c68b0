#include "platform/NewFolder.h"

#include "platform/FileSystem.h"

namespace platform {

// mkdir fails on any name that is taken, a link included.
bool CreateNewFolder(const std::string& path) { return CreateDir(path); }

}  // namespace platform
