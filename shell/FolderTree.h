#pragma once
#include <string>

// Deletes a folder with everything in it, depth first, stopping at the first
// failure. A missing folder is left alone. A symbolic link or junction inside
// is removed as a link, and so is a folder that is itself one; what it
// points to is left untouched. A failure raises an error naming
// the folder and the entry of it under which the failure happened.
void DeleteFolderTree(const std::string& folder);
