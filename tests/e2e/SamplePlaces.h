#pragma once
// Where the sample product (or another product made from it) lands in the
// project's Wine prefix, as Windows names the places, and their removal
// before and after a test.
#include <string>

inline const std::string kUninstallKeys = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The list of programs installed for the user alone.
inline const std::string kUserUninstallKeys = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline const std::string kSampleTitle = "Larkspur Notes";
inline const std::string kSampleUninstallKey = kUninstallKeys + "\\" + kSampleTitle;

// For whom the product is installed: every user of the machine (the common
// Start menu and desktop, the machine's list of programs) or the user alone
// (the user's own, and the user's programs folder instead of Program Files).
enum class SampleScope { Machine, User };

struct SamplePlaces {
    std::string ProductRoot;  // "Larkspur" below Program Files (or the user's programs folder), made by the setup
    std::string Destination;  // its "Notes"
    std::string Group;        // the program folder below the Start menu's Programs
    std::string DesktopLink;
    std::string UninstallKey;
};

SamplePlaces SamplePlacesInThePrefix(SampleScope scope = SampleScope::Machine);
// The places of a product with this title, program folder and proposed
// destination below Program Files ("Maker\Product"; its first folder is the root).
SamplePlaces ProductPlacesInThePrefix(const std::string& title, const std::string& folder,
                                      const std::string& destination, SampleScope scope = SampleScope::Machine);

// The user's own programs folder, where installations for the user alone go.
std::string UserProgramsFolderInThePrefix();

// Removes the folder (the product root unless another is given), the
// program folder, the desktop shortcut and the uninstall entry.
void RemoveSample(const SamplePlaces& places, const std::string& folder = "");

// RemoveSample, and the run log (a path on drive C:) and the uninstaller's
// copies in the temporary folders, which Windows would remove at the next restart.
void RemoveSampleAndTraces(const SamplePlaces& places, const std::string& runLog, const std::string& folder = "");
