#include "app/SetupTexts.h"

#include <zlib.h>

#include <array>

#include "platform/Exception.h"
#include "platform/Text.h"
#include "shell/EmbeddedLanguages.h"
#include "shell/Languages.h"

extern const TEmbeddedLanguages kSetupLanguages;

namespace {

constexpr std::string_view kTitle = "{title}";
constexpr const char* kAuto = "Auto";

using K = TTextKey;
constexpr std::array<TTextKey, size_t(TSetupText::Count)> kKeys = {{
    K{"WelcomeHead", kTitle, kTitle}, K{"WelcomeText", kTitle, kTitle},
    K{"LicenceHead1", "", kTitle}, K{"LicenceHead2", "", kTitle}, K{"LicenceCheck", "", kTitle},
    K{"DestinationHead1", "", kTitle}, K{"DestinationHead2", "", kTitle}, K{"DestinationGroup", "", kTitle},
    K{"DestinationButton", "", kTitle},
    K{"FolderHead1", "", kTitle}, K{"FolderHead2", "", kTitle}, K{"FolderEditHead", "", kTitle},
    K{"FolderListHead", "", kTitle},
    K{"CopyHead1", "", kTitle}, K{"CopyHead2", kTitle, kTitle},
    K{"FinishHead1", "", kTitle}, K{"FinishHead2", kTitle, kTitle},
    K{"DesktopCheck", "", kTitle}, K{"LaunchProgCheck", "", kTitle}, K{"ReadMeCheck", "", kTitle},
    K{"BackButton", ""}, K{"NextButton", ""}, K{"CancelButton", ""},
    K{"CancelQuestion", "", kTitle},
    K{"ShutdownBlock", "", kTitle},
    K{"CopyFailureHead", ""}, K{"CopyFailureMore", "{count}"}, K{"CopyFailureAdvice", "", kTitle},
    K{"ProgramFolderFailed", "{folder} {reason}"}, K{"ShortcutFailed", "{file} {reason}"},
    K{"DowngradeQuestion", "{installed} {version}", kTitle}, K{"RestartNeeded", "", kTitle},
    K{"SpaceRequired", "{size}"}, K{"SpaceAvailable", "{size}"}, K{"SpaceShortage", "{needed} {free} {missing}", kTitle},
    K{"SizeUnits", ""}, K{"DecimalMark", ""},
    K{"QuestionCaption", "", kTitle}, K{"ErrorCaption", "", kTitle}, K{"Yes", ""}, K{"No", ""}, K{"OK", ""},
}};

std::string InflatedTexts(const TEmbeddedLanguages& languages) {
    if (!languages.Compressed) return std::string(reinterpret_cast<const char*>(languages.Data), languages.Size);
    std::string text(languages.TextSize, '\0');
    uLongf size = uLongf(text.size());
    if (uncompress(reinterpret_cast<Bytef*>(text.data()), &size, languages.Data, uLong(languages.Size)) != Z_OK ||
        size != text.size())
        throw Exception("The built-in texts are damaged");
    return text;
}

}  // namespace

std::span<const TTextKey> SetupTextKeys() { return kKeys; }

TTextTable BuiltInSetupTexts() {
    TTextTable table(kKeys);
    ForEachLanguage(InflatedTexts(kSetupLanguages), [&](std::string_view name, std::string_view text) {
        table.Fill(std::string(name), text);
    });
    return table;
}

std::string ChooseSetupLanguage(const TTextTable& table, const std::string& iniValue, const std::string& commandLine,
                                uint16_t interfaceLanguage) {
    const auto chosen = [&](size_t column, bool automatic) {
        if (automatic) return std::string(LanguageOfInterface(interfaceLanguage));
        return column == std::string::npos ? std::string(kEnglish) : table.LanguageOf(column);
    };
    if (!commandLine.empty())
        return chosen(table.ColumnOfAnyCase(commandLine), SameText(commandLine, kAuto));
    return chosen(table.ColumnOf(iniValue), iniValue == kAuto);
}

TSetupWords::TSetupWords(const TTextTable& table, const std::string& language, std::string title)
    : table_(table), column_(table.ColumnOrFirst(language)), title_(std::move(title)) {}

std::string TSetupWords::Filled(TSetupText text, TPlaceholderValues values) const {
    values.emplace_back(kTitle, title_);
    return FillPlaceholders(table_.Text(column_, size_t(text)), values);
}
