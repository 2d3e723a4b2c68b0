#include "tests/e2e/SamplePlaces.h"

#include "tests/e2e/WineSystem.h"
#include "tests/support/RunProcess.h"

namespace {

const std::string kShellFolders = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

SamplePlaces SamplePlacesInThePrefix() {
    SamplePlaces places;
    places.ProductRoot = RegistryValue32("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir")
                             .value_or("C:\\Program Files") + "\\Larkspur";
    places.Destination = places.ProductRoot + "\\Notes";
    places.Group = RegistryValue32(kShellFolders, "Programs").value_or("C:\\(no Programs folder)") + "\\" + kSampleTitle;
    places.DesktopLink =
        RegistryValue32(kShellFolders, "Desktop").value_or("C:\\(no desktop)") + "\\" + kSampleTitle + ".lnk";
    return places;
}

void RemoveSample(const SamplePlaces& places, const std::string& folder) {
    for (const std::string& path : {folder.empty() ? places.ProductRoot : folder, places.Group, places.DesktopLink})
        RunProcess("rm -rf " + Quoted(UnixPathOf(path)));
    DeleteRegistryKey32(kSampleUninstallKey);
}

void RemoveSampleAndTraces(const SamplePlaces& places, const std::string& runLog, const std::string& folder) {
    RemoveSample(places, folder);
    RunProcess("rm -f " + Quoted(UnixPathOfDriveC(runLog)));
    RunProcess("rm -f " + Quoted(UnixPathOfDriveC("C:\\users")) + "/*/Temp/Uninstall-*.exe");
}
