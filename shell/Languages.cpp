#include "shell/Languages.h"

#include <array>

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x03FF;

// Portuguese serves Brazil and Portugal alike, Simplified Chinese every Chinese locale.
constexpr std::array<TBuiltInLanguage, 12> kLanguages = {{
    {"English", 0x09, false},
    {"German", 0x07, false},
    {"French", 0x0C, false},
    {"Spanish", 0x0A, false},
    {"Italian", 0x10, false},
    {"Dutch", 0x13, false},
    {"Portuguese (Brazil)", 0x16, false},
    {"Polish", 0x15, false},
    {"Czech", 0x05, false},
    {"Russian", 0x19, false},
    {"Japanese", 0x11, true},
    {"Chinese (Simplified)", 0x04, true},
}};

}  // namespace

std::span<const TBuiltInLanguage> BuiltInLanguages() { return kLanguages; }

std::string_view LanguageOfInterface(uint16_t languageId) {
    for (const TBuiltInLanguage& language : kLanguages)
        if (language.PrimaryLanguage == (languageId & kPrimaryLanguageMask)) return language.Name;
    return kEnglish;
}

bool UsesIdeographicScript(std::string_view name) {
    for (const TBuiltInLanguage& language : kLanguages)
        if (language.Name == name) return language.IdeographicScript;
    return false;
}
