#pragma once
// Making a folder together with the levels above it that are missing, and
// telling which levels were made, so that they can be logged and later
// removed again.
#include <functional>
#include <string>
#include <vector>

// The levels of the folder that do not exist, outermost first.
std::vector<std::string> MissingFolderLevels(const std::string& folder);

// Creates the folder and each missing level above it, outermost first, and
// returns the levels made, in that order. Stops at the first level that
// cannot be made; the folder then does not exist.
std::vector<std::string> CreateFolderLevels(const std::string& folder);
// The same, each level made by createDir (one level; false when it failed).
std::vector<std::string> CreateFolderLevels(const std::string& folder,
                                            const std::function<bool(const std::string&)>& createDir);
