#include "tests/e2e/SamplePlaces.h"

#include "tests/e2e/WineSystem.h"
#include "tests/support/RunProcess.h"

namespace {

const std::string kShellFolders = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

SamplePlaces SamplePlacesInThePrefix() { return ProductPlacesInThePrefix(kSampleTitle, kSampleTitle, "Larkspur\\Notes"); }

SamplePlaces ProductPlacesInThePrefix(const std::string& title, const std::string& folder,
                                      const std::string& destination) {
    SamplePlaces places;
    const std::string programFiles =
        RegistryValue32("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir").value_or("C:\\Program Files");
    places.ProductRoot = programFiles + "\\" + destination.substr(0, destination.find('\\'));
    places.Destination = programFiles + "\\" + destination;
    const auto shellFolders = RegistryValues32(kShellFolders);
    const auto shellFolder = [&](const std::string& name) {
        const auto found = shellFolders.find(name);
        return found == shellFolders.end() ? "C:\\(no " + name + " folder)" : found->second;
    };
    places.Group = shellFolder("Programs") + "\\" + folder;
    places.DesktopLink = shellFolder("Desktop") + "\\" + title + ".lnk";
    places.UninstallKey = kUninstallKeys + "\\" + title;
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
