#include "app/SetupPreparation.h"

#include "app/RunLog.h"
#include "app/ScopeFolders.h"
#include "app/SetupIni.h"
#include "app/SetupTexts.h"
#include "app/WorkFolder.h"
#include "platform/Drives.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/UserLanguage.h"

namespace {

constexpr const char* kLanguageFolder = "Languages\\";
constexpr const char* kLanguageExtension = ".lng";
constexpr int64_t kMaxLanguageFileSize = 1 << 20;

void Step(const TSetupRun& run, const std::string& text) {
    if (run.Log) run.Log->Step(text);
}

// Each "<English name>.lng" the payload brought adds that language or
// replaces the texts of a built-in one; kelpack checked them when it built
// the payload. One that cannot be read is passed over.
void AddVendorLanguages(TTextTable& texts, const std::string& workFolder, const TSetupRun& run) {
    const std::string folder = workFolder + kLanguageFolder;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(folder + "*" + kLanguageExtension, 0, found); more; more = find.Next(found)) {
        const std::string& name = found.Name;
        if (name.size() <= 4 || !SameText(name.substr(name.size() - 4), kLanguageExtension)) continue;
        try {
            const std::vector<uint8_t> bytes = ReadWholeFile(folder + name, kMaxLanguageFileSize);
            texts.Fill(name.substr(0, name.size() - 4), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            Step(run, "Added the language file " + name);
        } catch (const std::exception& error) {
            Step(run, "Passed over the language file " + name + ": " + error.what());
        }
    }
}

}  // namespace

void ReadSetupSettings(const std::string& workFolder, const TSetupRun& run, TSetupSettings& settings) {
    TSetupIniHandlers handlers;
    handlers.Setup = [&](const std::string& line) { ApplySetupEntry(settings, line); };
    Step(run, "Reading " + workFolder + kSetupIniFile);
    ReadSetupIni(workFolder + kSetupIniFile, handlers);
    if (run.Scope) settings.Scope = *run.Scope;
}

std::string ChooseRunLanguage(TTextTable& texts, const std::string& workFolder, const TSetupSettings& settings,
                              const TSetupRun& run) {
    AddVendorLanguages(texts, workFolder, run);
    const std::string language =
        ChooseSetupLanguage(texts, settings.Language, run.Language, platform::UserInterfaceLanguage());
    Step(run, "Language: " + language);
    return language;
}

TVersionMeeting VersionMeetingOf(const std::optional<TInstalledProduct>& installed, const TSetupSettings& settings) {
    return MeetVersions(installed ? std::optional(installed->Version) : std::nullopt, settings.Version);
}

// An installation of the product is known by its entry, whose key name is
// the title; the destination follows it, and its version decides whether
// this run upgrades, repairs or downgrades it.
std::optional<TInstalledProduct> FindEarlierInstallation(const TSetupSettings& settings, const TSetupRun& run) {
    std::optional<TInstalledProduct> installed = FindInstalledProduct(settings.SiteletTitle, settings.Scope.RegistryRoot());
    if (!installed) return installed;
    const auto shown = [](const std::string& version) { return version.empty() ? std::string("(no version)") : version; };
    const char* meeting = "Upgrading";
    if (VersionMeetingOf(installed, settings) == TVersionMeeting::vmRepair) meeting = "Repairing";
    else if (VersionMeetingOf(installed, settings) == TVersionMeeting::vmDowngrade) meeting = "Downgrading";
    Step(run, std::string(meeting) + ": installed version " + shown(installed->Version) + " in " +
                  (installed->Location.empty() ? "(an unknown folder)" : installed->Location) + ", this setup's version " +
                  shown(settings.Version));
    return installed;
}

bool MayReplaceInstalledVersion(const std::optional<TInstalledProduct>& installed, const TSetupSettings& settings,
                                const TSetupRun& run, const std::function<bool()>& ask) {
    if (VersionMeetingOf(installed, settings) != TVersionMeeting::vmDowngrade) return true;
    const std::string versions =
        "version " + settings.Version + " of this setup is older than the installed version " + installed->Version;
    if (run.AllowDowngrade) {
        Step(run, "Installing although " + versions + " (/ALLOWDOWNGRADE)");
        return true;
    }
    if (!run.Silent && ask()) return true;
    if (run.Log) run.Log->Failure("Not installed: " + versions + "; /ALLOWDOWNGRADE installs it anyway");
    return false;
}

TDiskSpace DiskSpaceFor(const TSetupSettings& settings, const TPayloadEntries& entries, const std::string& destination) {
    return {ProductBytesOf(settings.AddFiles.Lines(), entries), platform::FreeBytesFor(destination)};
}

std::string ProposedDestination(const TSetupSettings& settings, const TSetupRun& run,
                                const std::optional<TInstalledProduct>& installed) {
    if (run.Destination) return *run.Destination;
    if (installed && !installed->Location.empty()) return installed->Location;
    return DestinationRootOf(settings.Scope) + settings.Destination;
}
