#include "shell/Languages.h"

#include <array>

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x03FF;

// Portuguese serves Brazil and Portugal alike, Simplified Chinese every Chinese locale.
constexpr std::array<TBuiltInLanguage, 12> kLanguages = {{
    {"English", 0x09, {}},
    {"German", 0x07, {}},
    {"French", 0x0C, {}},
    {"Spanish", 0x0A, {}},
    {"Italian", 0x10, {}},
    {"Dutch", 0x13, {}},
    {"Portuguese (Brazil)", 0x16, {}},
    {"Polish", 0x15, {}},
    {"Czech", 0x05, {}},
    {"Russian", 0x19, {}},
    {"Japanese", 0x11, platform::TIdeographs::Japanese},
    {"Chinese (Simplified)", 0x04, platform::TIdeographs::SimplifiedChinese},
}};

}  // namespace

std::span<const TBuiltInLanguage> BuiltInLanguages() { return kLanguages; }

std::string_view LanguageOfInterface(uint16_t languageId) {
    for (const TBuiltInLanguage& language : kLanguages)
        if (language.PrimaryLanguage == (languageId & kPrimaryLanguageMask)) return language.Name;
    return kEnglish;
}

std::optional<platform::TIdeographs> IdeographsOf(std::string_view name) {
    for (const TBuiltInLanguage& language : kLanguages)
        if (language.Name == name) return language.Ideographs;
    return {};
}
