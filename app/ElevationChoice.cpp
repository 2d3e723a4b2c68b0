#include "app/ElevationChoice.h"

TElevationChoice ElevationChoiceFor(TInstallScope scope, bool elevated, bool restarted) {
    if (!scope.NeedsElevation() || elevated) return TElevationChoice::RunHere;
    return restarted ? TElevationChoice::RunWithout : TElevationChoice::RestartElevated;
}
