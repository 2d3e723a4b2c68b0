#pragma once
// The languages the programs bring along: their English names, which name
// them in Setup.ini, on the command line and in language files, and the
// primary Windows language id each serves. Portable.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/InterfaceFont.h"

struct TBuiltInLanguage {
    std::string_view Name;
    uint16_t PrimaryLanguage;  // the low ten bits of a Windows language id
    std::optional<platform::TIdeographs> Ideographs;  // written in Chinese characters or kana
};

std::span<const TBuiltInLanguage> BuiltInLanguages();

constexpr std::string_view kEnglish = "English";

// The built-in language for a Windows language id (0x040C French, 0x0411
// Japanese); English for a language none serves.
std::string_view LanguageOfInterface(uint16_t languageId);

// The ideographs a language (by its English name) is written in; none for
// an alphabetic one or a language not built in.
std::optional<platform::TIdeographs> IdeographsOf(std::string_view language);
