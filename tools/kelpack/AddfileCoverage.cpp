#include "tools/kelpack/AddfileCoverage.h"

#include <map>
#include <unordered_map>
#include <utility>

#include "tools/kelpack/PayloadNames.h"

namespace {

// The files of one line that an earlier line installs already.
struct TRepeat {
    std::string FirstName;
    int Count = 0;
};

std::string RepeatReason(int32_t earlierLine, const TRepeat& repeat) {
    const std::string line = std::to_string(earlierLine);
    if (repeat.Count == 1)
        return "\"" + repeat.FirstName + "\" is installed already by line " + line + "; the wizard would copy it twice";
    return std::to_string(repeat.Count) + " files, \"" + repeat.FirstName + "\" the first, are installed already by line " +
           line + "; the wizard would copy them twice";
}

}  // namespace

TAddfileCoverage CheckAddfileCoverage(const TAddfileExpansion& expansion, const std::vector<std::string>& productFiles) {
    std::unordered_map<std::string, int32_t> installedBy;          // file key -> the first line installing it
    std::map<std::pair<int32_t, int32_t>, TRepeat> repeats;  // (line, earlier line) -> its repeated files
    for (const TAddfileEntry& entry : expansion.Entries) {
        const auto [first, isNew] = installedBy.emplace(FileNameKey(entry.Name), entry.SourceLine);
        if (isNew) continue;
        TRepeat& repeat = repeats[{entry.SourceLine, first->second}];
        if (repeat.Count++ == 0) repeat.FirstName = entry.Name;
    }
    TAddfileCoverage coverage;
    for (const auto& [lines, repeat] : repeats) coverage.Repeated.push_back({lines.first, RepeatReason(lines.second, repeat), true});
    for (size_t i = 0; i < productFiles.size(); ++i)
        if (!installedBy.count(FileNameKey(productFiles[i]))) coverage.NotInstalled.push_back(i);
    return coverage;
}
