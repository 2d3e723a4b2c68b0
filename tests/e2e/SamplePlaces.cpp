#include "tests/e2e/SamplePlaces.h"

#include "tests/e2e/WineSystem.h"
#include "tests/support/RunProcess.h"

namespace {

const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A shell folder the prefix names in the registry ("HKCU" or "HKLM").
std::string ShellFolder(const std::string& root, const std::string& name) {
    return RegistryValue32(root + "\\" + kShellFolders, name).value_or("C:\\(no " + name + " folder)");
}

}  // namespace

SamplePlaces SamplePlacesInThePrefix(SampleScope scope) {
    return ProductPlacesInThePrefix(kSampleTitle, kSampleTitle, "Larkspur\\Notes", scope);
}

std::string UserProgramsFolderInThePrefix() { return ShellFolder("HKCU", "Local AppData") + "\\Programs"; }

SamplePlaces ProductPlacesInThePrefix(const std::string& title, const std::string& folder,
                                      const std::string& destination, SampleScope scope) {
    SamplePlaces places;
    const bool user = scope == SampleScope::User;
    const std::string programFiles =
        user ? UserProgramsFolderInThePrefix()
             : RegistryValue32("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir").value_or("C:\\Program Files");
    places.ProductRoot = programFiles + "\\" + destination.substr(0, destination.find('\\'));
    places.Destination = programFiles + "\\" + destination;
    places.Group = (user ? ShellFolder("HKCU", "Programs") : ShellFolder("HKLM", "Common Programs")) + "\\" + folder;
    places.DesktopLink = (user ? ShellFolder("HKCU", "Desktop") : ShellFolder("HKLM", "Common Desktop")) + "\\" + title + ".lnk";
    places.UninstallKey = (user ? kUserUninstallKeys : kUninstallKeys) + "\\" + title;
    return places;
}

void RemoveSample(const SamplePlaces& places, const std::string& folder) {
    for (const std::string& path : {folder.empty() ? places.ProductRoot : folder, places.Group, places.DesktopLink})
        RunProcess("rm -rf " + Quoted(UnixPathOf(path)));
    DeleteRegistryKey32(places.UninstallKey);
}

void RemoveSampleAndTraces(const SamplePlaces& places, const std::string& runLog, const std::string& folder) {
    RemoveSample(places, folder);
    RunProcess("rm -f " + Quoted(UnixPathOfDriveC(runLog)));
    RunProcess("rm -rf " + Quoted(UnixPathOfDriveC("C:\\users")) + "/*/Temp/Uninstall-*");
}
