#pragma once
// Temporary folders in the system's temporary folder, removed with
// everything in them when the object ends, whether the work succeeded or not.
#include <string>
#include <vector>

class TScratchFolders {
public:
    TScratchFolders() = default;
    ~TScratchFolders();
    TScratchFolders(const TScratchFolders&) = delete;
    TScratchFolders& operator=(const TScratchFolders&) = delete;

    // A new empty folder; raises Exception when none can be made.
    std::string NewFolder();

private:
    std::vector<std::string> folders_;
    std::vector<std::string> markers_;  // the empty files that keep the folders' names taken
};
