#include "app/PageTexts.h"

namespace {

constexpr size_t kFilesNamed = 15;  // more would push the box off the screen

}  // namespace

std::string CopyFailureText(const TSetupWords& words, const std::vector<TFailedCopy>& files) {
    std::string text = words[TSetupText::CopyFailureHead] + "\n\n";
    for (size_t i = 0; i < files.size() && i < kFilesNamed; ++i) text += files[i].Target + " (" + files[i].Reason + ")\n";
    if (files.size() > kFilesNamed)
        text += words.Filled(TSetupText::CopyFailureMore, {{"{count}", std::to_string(files.size() - kFilesNamed)}}) + "\n";
    return text + "\n" + words[TSetupText::CopyFailureAdvice];
}

std::string FailedStepsText(const TSetupWords& words, const std::vector<TFailedCopy>& files,
                            const std::optional<TFailedCopy>& programFolder,
                            const std::vector<TFailedCopy>& shortcuts) {
    std::string text = files.empty() ? std::string() : CopyFailureText(words, files);
    const auto add = [&](TSetupText pattern, std::string_view place, const TFailedCopy& step) {
        if (!text.empty()) text += "\n\n";
        text += words.Filled(pattern, {{place, step.Target}, {"{reason}", step.Reason}});
    };
    if (programFolder) add(TSetupText::ProgramFolderFailed, "{folder}", *programFolder);
    for (const TFailedCopy& shortcut : shortcuts) add(TSetupText::ShortcutFailed, "{file}", shortcut);
    return text;
}
