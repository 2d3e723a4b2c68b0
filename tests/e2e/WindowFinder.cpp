#include "tests/e2e/WindowFinder.h"

#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "tests/support/RunProcess.h"

namespace {

// "KEY=value" lines of xdotool's --shell output.
std::map<std::string, int32_t> ShellValues(const std::string& text) {
    std::map<std::string, int32_t> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        try {
            values[line.substr(0, equals)] = std::stoi(line.substr(equals + 1));
        } catch (const std::exception&) {
        }
    }
    return values;
}

}  // namespace

std::optional<TRect> FindShownWindow(const std::string& title, int32_t width, int32_t height) {
    // Exit code 1 only says that nothing matched (yet).
    const ProcessResult search = RunProcess("xdotool search --onlyvisible --name " + Quoted("^" + title + "$"));
    std::istringstream ids(search.Out);
    std::vector<TRect> found;
    for (std::string id; ids >> id;) {
        const ProcessResult geometry = RunProcess("xdotool getwindowgeometry --shell " + id);
        if (geometry.ExitCode != 0) continue;  // gone meanwhile
        auto values = ShellValues(geometry.Out);
        if (width && (values["WIDTH"] != width || values["HEIGHT"] != height)) continue;
        found.push_back(TRect{values["X"], values["Y"], values["X"] + values["WIDTH"], values["Y"] + values["HEIGHT"]});
    }
    if (found.size() > 1)
        throw std::runtime_error(std::to_string(found.size()) + " windows titled " + title + " are shown at once");
    if (found.empty()) return std::nullopt;
    return found.front();
}
