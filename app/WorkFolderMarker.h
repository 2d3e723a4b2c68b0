#pragma once
// Telling the working folders of running setups from those left by setups
// that were killed: a running setup holds a marker file in its working
// folder open, so that no one else may delete it; a folder whose marker no
// one holds is left over, and the next run removes it. Folders are never
// recognised by their names alone. Windows only.
#include <string>

#include "platform/HeldFile.h"

// The marker's name: one no payload file has at the top of the working folder.
inline constexpr const char* kWorkFolderMarker = "~setup-running.lock";

class TWorkFolderMarker {
public:
    // Makes the marker in the working folder (ending in a backslash) and holds it.
    void Hold(const std::string& workFolder) { file_.Create(workFolder + kWorkFolderMarker); }
    // Lets it go, so that the working folder can be removed.
    void Release() { file_.Close(); }

private:
    platform::THeldFile file_;
};

// Removes the folders directly in folder (ending in a backslash) that hold a
// marker no running setup holds, with everything in them. With
// besideProgram, also those that hold nothing but the working folder's empty
// sub-folders: what a setup killed after making its folder and before its
// marker leaves.
void RemoveLeftWorkFolders(const std::string& folder, bool besideProgram = false);
