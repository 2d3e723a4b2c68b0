#pragma once
// Copies a folder with everything below it.
#include <string>

// Creates target when missing. Raises Exception naming the file or folder
// that could not be made; what was copied before stays.
void CopyFolderTree(const std::string& source, const std::string& target);
