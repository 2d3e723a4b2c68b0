#include "app/DroppedItems.h"

#include "platform/Text.h"

namespace {

bool Lists(const TRemovalPlan& plan, const std::string& path) {
    for (const auto* steps : {&plan.Steps, &plan.AfterExit})
        for (const TRemovalStep& step : *steps)
            if (step.Kind != TRemovalKind::RegistryKey && SameText(step.Path, path)) return true;
    return false;
}

}  // namespace

std::vector<TRemovalStep> DroppedItems(const TRemovalPlan& earlier, const TRemovalPlan& now) {
    std::vector<TRemovalStep> dropped;
    for (const auto* steps : {&earlier.Steps, &earlier.AfterExit})
        for (const TRemovalStep& step : *steps)
            if (step.Kind != TRemovalKind::RegistryKey && !Lists(now, step.Path)) dropped.push_back(step);
    return dropped;
}
