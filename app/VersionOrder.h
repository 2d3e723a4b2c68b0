#pragma once
// The order of product versions, and what a setup does when it meets an
// installed version of its product. Portable.
#include <optional>
#include <string>

// Compares two versions part by part, the parts separated by ".": parts that
// are both numbers compare as numbers ("1.10" is above "1.9", "007" equals
// "7", however long), any other pair as text; a missing part counts as "0"
// ("2" equals "2.0.0"). Blanks around a part do not count. Below zero when a
// is older, zero when the same, above zero when newer.
int CompareVersions(const std::string& a, const std::string& b);

// What installing one version over another is.
enum class TVersionMeeting {
    vmFresh,      // nothing of the product is installed
    vmUpgrade,    // newer over older, or a version missing on either side
    vmRepair,     // the same version again
    vmDowngrade,  // older over newer
};

// installed: the installed product's version, none when it is not installed.
TVersionMeeting MeetVersions(const std::optional<std::string>& installed, const std::string& setup);
