#pragma once
// The wizard's texts as data: a table with a row per text and a column per
// language, filled from the built-in language files and from a vendor's.
// Portable.
#include <cstdint>
#include <span>
#include <string>

#include "shell/TextTable.h"

enum class TSetupText : uint8_t {
    WelcomeHead, WelcomeText,
    LicenceHead1, LicenceHead2, LicenceCheck,
    DestinationHead1, DestinationHead2, DestinationGroup, DestinationButton,
    FolderHead1, FolderHead2, FolderEditHead, FolderListHead,
    CopyHead1, CopyHead2,
    FinishHead1, FinishHead2,
    DesktopCheck, LaunchProgCheck, ReadMeCheck,
    BackButton, NextButton, CancelButton,  // with "&" before the access letter
    CancelQuestion,
    ShutdownBlock,  // why Windows should wait with logging off while files are copied
    CopyFailureHead, CopyFailureMore, CopyFailureAdvice, ProgramFolderFailed, ShortcutFailed,
    DowngradeQuestion,  // before an older version replaces the installed newer one
    RestartNeeded,      // the Finish page's note when files in use are replaced at the next restart
    SpaceRequired, SpaceAvailable,  // the Destination page's lines below the folder
    SpaceShortage,                  // the box when the destination's drive has too little room
    SizeUnits, DecimalMark,         // "KB MB GB TB", and the mark before the tenths
    QuestionCaption, ErrorCaption, Yes, No, OK,  // the boxes' captions and buttons
    Count
};

std::span<const TTextKey> SetupTextKeys();

// A table of the wizard's texts holding the built-in languages, English first.
TTextTable BuiltInSetupTexts();

// The language the wizard speaks: the one named on the command line (in
// any letter case) when one is, else Setup.ini's (exactly as written).
// "Auto" is the user's interface language; a name of no language, English.
std::string ChooseSetupLanguage(const TTextTable& table, const std::string& iniValue, const std::string& commandLine,
                                uint16_t interfaceLanguage);

// The texts of one language, with the product's title filled in.
class TSetupWords {
public:
    TSetupWords(const TTextTable& table, const std::string& language, std::string title);

    std::string operator[](TSetupText text) const { return Filled(text, {}); }
    // The text with its placeholders ("{count}") filled; {title} always is.
    std::string Filled(TSetupText text, TPlaceholderValues values) const;
    const std::string& Language() const { return table_.LanguageOf(column_); }

private:
    const TTextTable& table_;
    size_t column_;
    std::string title_;
};
