#include "tools/kelpack/PackOptionsArguments.h"

#include "tools/kelpack/Deflater.h"

#include <optional>

namespace {

// A whole number from low to high, written in decimal digits only.
std::optional<int> NumberIn(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int value = std::stoi(text);
    if (value < low || value > high) return std::nullopt;
    return value;
}

int LevelNamed(const std::string& name, TCodecLibrary library) {
    if (name == "none") return DeflateLevelOf(fcNone, library);
    if (name == "fastest") return DeflateLevelOf(fcFastest, library);
    if (name == "default") return DeflateLevelOf(fcDefault, library);
    if (name == "maximum") return DeflateLevelOf(fcMaximum, library);
    const int highest = MaxDeflateLevel(library);
    if (const std::optional<int> level = NumberIn(name, 0, highest)) return *level;
    throw TUsageError("--level takes none, fastest, default, maximum or 0 to " + std::to_string(highest) +
                      ", not " + name);
}

}  // namespace

const std::set<std::string>& PackOptionNames() {
    static const std::set<std::string> names{"--level", "--threads"};
    return names;
}

TPackOptions PackOptionsFrom(const TCommandLine& line) {
    TPackOptions options;
    options.Level = LevelNamed(line.Value("--level", "default"), options.Library);
    const std::string threads = line.Value("--threads", "0");
    const std::optional<int> count = NumberIn(threads, 0, 1024);
    if (!count) throw TUsageError("--threads takes a number from 0 (one per core) to 1024, not " + threads);
    options.Threads = static_cast<unsigned>(*count);
    return options;
}
