#include "app/VersionOrder.h"

#include "platform/Text.h"

namespace {

// The part from `at` up to the next "." (or the end), without its blanks;
// `at` moves past the ".". An empty part, or one past the end, is "0".
std::string NextPart(const std::string& version, size_t& at) {
    if (at > version.size()) return "0";
    const size_t dot = version.find('.', at);
    const size_t end = dot == std::string::npos ? version.size() : dot;
    const std::string part = Trim(version.substr(at, end - at));
    at = end + 1;
    return part.empty() ? "0" : part;
}

bool IsNumber(const std::string& part) {
    if (part.empty()) return false;
    for (const char c : part)
        if (c < '0' || c > '9') return false;
    return true;
}

// Numbers of any length: without leading zeros, the longer is the larger.
int CompareNumbers(const std::string& a, const std::string& b) {
    const std::string x = a.substr(std::min(a.find_first_not_of('0'), a.size()));
    const std::string y = b.substr(std::min(b.find_first_not_of('0'), b.size()));
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

int Sign(int n) { return (n > 0) - (n < 0); }

}  // namespace

int CompareVersions(const std::string& a, const std::string& b) {
    for (size_t atA = 0, atB = 0; atA <= a.size() || atB <= b.size();) {
        const std::string partA = NextPart(a, atA);
        const std::string partB = NextPart(b, atB);
        const int order = IsNumber(partA) && IsNumber(partB) ? CompareNumbers(partA, partB) : partA.compare(partB);
        if (order != 0) return Sign(order);
    }
    return 0;
}

TVersionMeeting MeetVersions(const std::optional<std::string>& installed, const std::string& setup) {
    if (!installed) return TVersionMeeting::vmFresh;
    if (Trim(*installed).empty() || Trim(setup).empty()) return TVersionMeeting::vmUpgrade;
    const int order = CompareVersions(setup, *installed);
    if (order == 0) return TVersionMeeting::vmRepair;
    return order > 0 ? TVersionMeeting::vmUpgrade : TVersionMeeting::vmDowngrade;
}
