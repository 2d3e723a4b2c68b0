#pragma once
// Where the product to be removed lies, as the machine records it: the
// installed location from its uninstall entry in the installation's scope,
// and the folders that hold shortcuts. Windows only.
#include <string>

#include "app/RemovalPlan.h"

// The bounds for the plan read by the uninstaller at programFile.
TRemovalBounds ProductBounds(const TRemovalPlan& plan, const std::string& programFile);
