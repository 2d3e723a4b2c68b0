#pragma once
// What a run settles before it installs, with a window or without: the
// language the setup speaks, the installed product it meets, and the
// destination it proposes. Windows only.
#include <functional>
#include <optional>
#include <string>

#include "app/DiskSpace.h"
#include "app/InstalledProduct.h"
#include "app/PayloadEntries.h"
#include "app/SetupRun.h"
#include "app/SetupSettings.h"
#include "app/VersionOrder.h"
#include "shell/TextTable.h"

// The setup's settings from the "Setup" block of the description in the
// working folder, the command line's scope replacing the description's.
// Raises as the description's reader does.
void ReadSetupSettings(const std::string& workFolder, const TSetupRun& run, TSetupSettings& settings);

// Adds the vendor's languages that the payload brought to texts and
// chooses the language the run speaks: the command line's, the
// description's, or the user's interface language. Its English name.
std::string ChooseRunLanguage(TTextTable& texts, const std::string& workFolder, const TSetupSettings& settings,
                              const TSetupRun& run);

// The product as installed in the scope the settings name, found by its
// entry; none when it is not installed. The run log says what this run
// does to it.
std::optional<TInstalledProduct> FindEarlierInstallation(const TSetupSettings& settings, const TSetupRun& run);

// What this run does to the installed product.
TVersionMeeting VersionMeetingOf(const std::optional<TInstalledProduct>& installed, const TSetupSettings& settings);

// Whether this run may install over the installed product: an older version
// replaces a newer one only when /ALLOWDOWNGRADE says so, or ask (the
// user's answer; never asked silently) agrees. The run log says why not.
bool MayReplaceInstalledVersion(const std::optional<TInstalledProduct>& installed, const TSetupSettings& settings,
                                const TSetupRun& run, const std::function<bool()>& ask);

// The room the product's files need on the drive of destination, and the
// room there is now.
TDiskSpace DiskSpaceFor(const TSetupSettings& settings, const TPayloadEntries& entries, const std::string& destination);

// The destination: the command line's; else where the product is installed;
// else the description's below the scope's root.
std::string ProposedDestination(const TSetupSettings& settings, const TSetupRun& run,
                                const std::optional<TInstalledProduct>& installed);
