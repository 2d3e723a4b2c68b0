#pragma once
// The installation that "/S" asks for: as the description says, with no
// window and no box at all. The licence counts as accepted by whoever runs
// the command, the desktop shortcut follows DesktopIcon, and neither the
// ReadMe nor the program is started. Windows only.
#include <string>

#include "app/SetupRun.h"

enum class TSilentOutcome { soInstalled, soRestartNeeded, soFailed, soNewerInstalled, soNoRoom };

// Installs from the payload beside the program in programFolder (ending in
// a backslash). A failed step undoes everything made; the run log has the
// failed step, and every other failure's message. Never raises.
TSilentOutcome InstallSilently(const std::string& programFolder, const TSetupRun& run);
