#include "app/InstalledProduct.h"

#include "app/SetupArguments.h"
#include "platform/Text.h"
#include "shell/PathParts.h"

namespace {

// The program an uninstall command starts: up to the closing quotation mark,
// or the whole command when it has none (the setup writes it quoted; older
// entries may not be).
std::string ProgramOf(const std::string& command) {
    const std::string text = Trim(command);
    if (text.empty() || text.front() != '"') return text;
    const size_t close = text.find('"', 1);
    return text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

}  // namespace

std::string InstalledLocationOf(const std::string& installLocation, const std::string& uninstallString) {
    if (const std::optional<std::string> location = CanonicalDestination(Trim(installLocation))) return *location;
    return CanonicalDestination(FolderOfFile(ProgramOf(uninstallString))).value_or("");
}
