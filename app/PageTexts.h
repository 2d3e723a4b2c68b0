#pragma once
// The texts of the wizard's boxes that are put together from several of
// the language's texts: the files, folder and shortcuts the copy phase
// could not make.
#include <optional>
#include <string>
#include <vector>

#include "app/SetupTexts.h"

// A file that could not be copied, with the system's reason ("Access is denied.").
struct TFailedCopy {
    std::string Target;
    std::string Reason;
};

// The error box's text for files that could not be copied: the first of
// them by name, each as "target (reason)", the rest counted.
std::string CopyFailureText(const TSetupWords& words, const std::vector<TFailedCopy>& files);

// The error box's text for every step of the copy phase that failed: the
// files that could not be copied, then a program folder that could not be
// made (its path and the system's reason), which was left out, then each
// shortcut that could not be saved.
std::string FailedStepsText(const TSetupWords& words, const std::vector<TFailedCopy>& files,
                            const std::optional<TFailedCopy>& programFolder,
                            const std::vector<TFailedCopy>& shortcuts = {});
