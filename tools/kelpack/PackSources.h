#pragma once
// Turns the paths given to "kelpack pack" into the files to pack: a file as
// itself, a folder with everything below it, each file keeping its folder
// relative to the packed folder.
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "tools/kelpack/ArchiveWriter.h"

// The entries of one folder without "." and "..", sorted by name so that
// archives come out the same every time.
std::vector<platform::TSearchRec> ListFolder(const std::string& folder);

// Raises Exception for a path that does not exist. Empty folders cannot be
// held by the format; each is named in warnings.
std::vector<TPackItem> CollectPackItems(const std::vector<std::string>& paths, std::vector<std::string>& warnings);
