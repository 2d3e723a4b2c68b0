#pragma once
// Where the program lets the system look for the libraries it loads by
// name. A setup often starts from a downloads folder, where anybody may have
// put a file named like a system library; so before anything else runs, the
// search is narrowed to the system folder. Does nothing outside Windows.

namespace platform {

// Limits the search for libraries loaded by name to the system folder; where
// the system cannot do that, takes at least the program's current folder
// out of it. Called first thing in main.
void RestrictLibrarySearch();

}  // namespace platform
