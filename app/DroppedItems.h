#pragma once
// What an upgrade removes of the version it replaces, read from the two
// versions' logs as the uninstaller reads them. Portable.
#include <vector>

#include "app/RemovalPlan.h"

// The files, shortcuts and folders of the earlier plan that the new plan
// does not list, in the earlier plan's order of removal (a folder after
// what lies in it; a folder is to go only when empty by then). The entry is
// never among them, as the new version's replaces it; the earlier log is,
// when the new one lies elsewhere.
std::vector<TRemovalStep> DroppedItems(const TRemovalPlan& earlier, const TRemovalPlan& now);
