#include "uninstall/UninstallTexts.h"

#include <array>

#include "shell/EmbeddedLanguages.h"
#include "shell/Languages.h"

extern const TEmbeddedLanguages kUninstallLanguages;

namespace {

using K = TTextKey;
constexpr std::array<TTextKey, size_t(TUninstallText::Count)> kKeys = {{
    K{"Uninstall.Yes", ""}, K{"Uninstall.No", ""}, K{"Uninstall.OK", ""}, K{"Uninstall.Unnamed", ""},
    K{"Uninstall.Uninstaller", ""}, K{"Uninstall.Caption", "{name}"}, K{"Uninstall.Question", "{name}"},
    K{"Uninstall.Removed", "{name}"}, K{"Uninstall.RemovedExcept", "{name}"}, K{"Uninstall.More", "{count}"},
    K{"Uninstall.Restart", ""}, K{"Uninstall.ProgressHead", "{name}"}, K{"Uninstall.Removing", "{item}"},
    K{"Uninstall.TheEntry", ""},
    K{"Uninstall.NotUnderstood", ""}, K{"Uninstall.NotFullPath", ""}, K{"Uninstall.InvalidKeyName", ""},
    K{"Uninstall.NoKeyNamed", ""}, K{"Uninstall.FolderNotFile", ""}, K{"Uninstall.InUse", ""},
    K{"Uninstall.HoldsOtherFiles", ""}, K{"Uninstall.KeyNotDeleted", ""}, K{"Uninstall.NotMarked", ""},
    K{"Uninstall.OutsideProduct", ""}, K{"Uninstall.ThroughLink", ""},
    K{"Uninstall.LogMissing", "{file}"}, K{"Uninstall.NotALog", "{file}"}, K{"Uninstall.LogUnreadable", "{file} {detail}"},
    K{"Uninstall.ArgumentNotUnderstood", "{argument}"},
}};

// The boxes break lines with carriage return and line feed.
std::string WithBoxLineBreaks(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

std::string TextOf(const TUninstallLanguage& language, TUninstallText key, const TPlaceholderValues& values = {}) {
    const TTextTable& table = UninstallTexts();
    return WithBoxLineBreaks(FillPlaceholders(table.Text(table.ColumnOrFirst(language), size_t(key)), values));
}

std::string NameOf(const TUninstallLanguage& language, const TRemovalPlan& plan) {
    return plan.Name.empty() ? TextOf(language, TUninstallText::Unnamed) : plan.Name;
}

std::string LineOf(const TUninstallLanguage& language, const TLeftOver& item) {
    const std::string reason = TextOf(language, TUninstallText(size_t(TUninstallText::FirstReason) + size_t(item.Reason)));
    return (item.Item.empty() ? TextOf(language, TUninstallText::TheEntry) : item.Item) + " (" + reason + ")";
}

}  // namespace

const TTextTable& UninstallTexts() {
    static const TTextTable table = [] {
        TTextTable built(kKeys);
        const std::string_view texts(reinterpret_cast<const char*>(kUninstallLanguages.Data), kUninstallLanguages.Size);
        ForEachLanguage(texts, [&](std::string_view name, std::string_view text) { built.Fill(std::string(name), text); });
        return built;
    }();
    return table;
}

TUninstallLanguage UninstallLanguageOf(uint16_t languageId) { return std::string(LanguageOfInterface(languageId)); }

TUninstallLanguage UninstallLanguageOf(const std::string& installationLanguage, const TUninstallLanguage& otherwise) {
    return UninstallTexts().ColumnOf(installationLanguage) != std::string::npos ? installationLanguage : otherwise;
}

TUninstallWords WordsOf(const TUninstallLanguage& language) {
    return {TextOf(language, TUninstallText::Yes), TextOf(language, TUninstallText::No),
            TextOf(language, TUninstallText::Ok)};
}

std::string UninstallCaption(const TUninstallLanguage& language, const std::string& name) {
    return name.empty() ? TextOf(language, TUninstallText::Uninstaller)
                        : TextOf(language, TUninstallText::Caption, {{"{name}", name}});
}

std::string RemovalQuestion(const TUninstallLanguage& language, const TRemovalPlan& plan) {
    return TextOf(language, TUninstallText::Question, {{"{name}", NameOf(language, plan)}});
}

std::string RemovalSummary(const TUninstallLanguage& language, const TRemovalPlan& plan, const TRemovalResult& result) {
    const std::string name = NameOf(language, plan);
    std::string text = TextOf(language, TUninstallText::Removed, {{"{name}", name}});
    if (!result.LeftOvers.empty()) {
        text = TextOf(language, TUninstallText::RemovedExcept, {{"{name}", name}}) + "\r\n";
        const size_t count = result.LeftOvers.size();
        const size_t listed = count > kMaxListedLeftOvers ? kMaxListedLeftOvers - 1 : count;
        for (size_t i = 0; i < listed; ++i) text += "\r\n" + LineOf(language, result.LeftOvers[i]);
        if (listed < count) text += "\r\n" + TextOf(language, TUninstallText::More, {{"{count}", std::to_string(count - listed)}});
    }
    if (result.RestartPending) text += "\r\n\r\n" + TextOf(language, TUninstallText::Restart);
    return text;
}

std::string RemovalProgressHead(const TUninstallLanguage& language, const TRemovalPlan& plan) {
    return TextOf(language, TUninstallText::ProgressHead, {{"{name}", NameOf(language, plan)}});
}

std::string RemovingText(const TUninstallLanguage& language, const std::string& item) {
    return TextOf(language, TUninstallText::Removing, {{"{item}", item}});
}

std::string LogProblemText(const TUninstallLanguage& language, TLogProblem problem, const std::string& logFile,
                           const std::string& detail) {
    return TextOf(language, TUninstallText(size_t(TUninstallText::LogMissing) + size_t(problem)),
                  {{"{file}", logFile}, {"{detail}", detail}});
}

std::string ArgumentNotUnderstoodText(const TUninstallLanguage& language, const std::string& argument) {
    return TextOf(language, TUninstallText::ArgumentNotUnderstood, {{"{argument}", argument}});
}
