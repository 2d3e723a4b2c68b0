#include "tests/e2e/Leftovers.h"

#include <sstream>

#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/WineSystem.h"
#include "tests/support/RunProcess.h"

namespace {

std::set<std::string> EntriesOf(const std::string& folder) {
    std::istringstream lines(RunProcess("ls -1A " + Quoted(folder) + " 2>/dev/null").Out);
    std::set<std::string> names;
    for (std::string line; std::getline(lines, line);) names.insert(line);
    return names;
}

// The Unix path of the folder that holds a Windows path.
std::string UnixParentOf(const std::string& windowsPath) {
    const size_t cut = windowsPath.rfind('\\');
    return UnixPathOf(windowsPath.substr(0, cut == 2 ? 3 : cut));
}

}  // namespace

void Leftovers::Watch(const std::vector<std::string>& windowsPaths) {
    entries_ = RegistrySubkeys32(kUninstallKeys);
    for (const std::string& path : windowsPaths) held_[UnixParentOf(path)] = EntriesOf(UnixParentOf(path));
}

bool Leftovers::NewEntry() const { return RegistrySubkeys32(kUninstallKeys) != entries_; }

void Leftovers::Remove() const {
    for (const auto& [folder, held] : held_)
        for (const std::string& name : EntriesOf(folder))
            if (!held.count(name) && name[0] != '.') RunProcess("rm -rf " + Quoted(folder + "/" + name));
    for (const std::string& entry : RegistrySubkeys32(kUninstallKeys))
        if (!entries_.count(entry)) DeleteRegistryKey32(kUninstallKeys + "\\" + entry);
}
