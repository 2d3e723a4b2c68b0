// The languages: the language file format, the text tables the built-in
// languages and a vendor's file fill, and how the wizard chooses its language.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "app/SetupTexts.h"
#include "app/WizardKeys.h"
#include "platform/Text.h"
#include "shell/LanguageFile.h"
#include "shell/Languages.h"
#include "uninstall/UninstallTexts.h"

namespace {

// The keys a language file of the kit holds: the wizard's and the uninstaller's.
std::vector<TTextKey> AllKeys() {
    std::vector<TTextKey> keys(SetupTextKeys().begin(), SetupTextKeys().end());
    keys.insert(keys.end(), UninstallTexts().Keys().begin(), UninstallTexts().Keys().end());
    return keys;
}

std::string LanguageFileOf(std::string_view language) {
    std::ifstream file(std::string(KEL_LANGUAGE_FOLDER) + "/" + std::string(language) + ".lng", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Described(const std::vector<TTextProblem>& problems) {
    std::string text;
    for (const TTextProblem& problem : problems) text += std::to_string(problem.Line) + ": " + problem.Message + "\n";
    return text;
}

}  // namespace

// Every language file of the kit is complete and keeps every placeholder;
// each text is translated, but for words that are the same in both languages.
TEST(Languages, EveryBuiltInLanguageHasEveryTextTranslated) {
    const std::vector<TTextKey> keys = AllKeys();
    TTextTable table(keys);
    for (const TBuiltInLanguage& language : BuiltInLanguages()) {
        const std::string text = LanguageFileOf(language.Name);
        ASSERT_FALSE(text.empty()) << language.Name;
        EXPECT_EQ(Described(table.Fill(std::string(language.Name), text)), "") << language.Name;
    }
    const std::set<std::string> sameInBothLanguages = {"OK", "&No", "Confirmation", "Setup Status", "KB MB GB TB", "."};
    for (size_t column = 1; column < table.Languages(); ++column) {
        for (size_t key = 0; key < keys.size(); ++key) {
            const std::string& text = table.Text(column, key);
            EXPECT_FALSE(text.empty()) << table.LanguageOf(column) << " " << keys[key].Name;
            if (!sameInBothLanguages.contains(text)) {
                EXPECT_NE(text, table.Text(0, key)) << table.LanguageOf(column) << " " << keys[key].Name;
            }
        }
        std::set<std::string> letters;
        for (TSetupText button : {TSetupText::BackButton, TSetupText::NextButton, TSetupText::CancelButton}) {
            const std::string letter = AccessKeyOf(table.Text(column, size_t(button)));
            EXPECT_NE(letter, "") << table.LanguageOf(column) << " " << keys[size_t(button)].Name;
            letters.insert(UpperCaseText(letter));
        }
        EXPECT_EQ(letters.size(), 3u) << table.LanguageOf(column) << ": Back, Next and Cancel share an access letter";
    }
}

// The programs hold the same languages, English first.
TEST(Languages, TheProgramsHoldEveryBuiltInLanguage) {
    const TTextTable setup = BuiltInSetupTexts();
    ASSERT_EQ(setup.Languages(), BuiltInLanguages().size());
    ASSERT_EQ(UninstallTexts().Languages(), BuiltInLanguages().size());
    EXPECT_EQ(setup.LanguageOf(0), "English");
    for (const TBuiltInLanguage& language : BuiltInLanguages()) {
        EXPECT_NE(setup.ColumnOf(std::string(language.Name)), std::string::npos) << language.Name;
        EXPECT_NE(UninstallTexts().ColumnOf(std::string(language.Name)), std::string::npos) << language.Name;
    }
    EXPECT_EQ(TSetupWords(setup, "Japanese", "Lark")[TSetupText::WelcomeHead], "Lark セットアップ ウィザードへようこそ");
}

TEST(LanguageFile, ReadsKeysValuesAndEscapesAndTellsBadLines) {
    const TLanguageFile file = ParseLanguageFile(
        "\xEF\xBB\xBF# comment\r\n\r\nA=one\\ntwo \\\\n\r\n  B = spaced  \r\nno equals sign\n=no key\nC=x=y");
    ASSERT_EQ(file.Lines.size(), 3u);
    EXPECT_EQ(file.Lines[0].Key, "A");
    EXPECT_EQ(file.Lines[0].Value, "one\ntwo \\n");
    EXPECT_EQ(file.Lines[0].Line, 3u);
    EXPECT_EQ(file.Lines[1].Key, "B");
    EXPECT_EQ(file.Lines[1].Value, "spaced");
    EXPECT_EQ(file.Lines[2].Value, "x=y");
    EXPECT_EQ(Described(file.Problems), "5: not a \"key=value\" line\n6: not a \"key=value\" line\n");
}

TEST(LanguageFile, PlaceholdersAreFoundAndFilledOnce) {
    EXPECT_EQ(PlaceholdersOf("{a} and {count}, not { x} nor {X} nor {}"), (std::vector<std::string>{"{a}", "{count}"}));
    EXPECT_EQ(FillPlaceholders("{name} ({reason}) {name} {other}", {{"{name}", "{reason}"}, {"{reason}", "full"}}),
              "{reason} (full) {reason} {other}");
}

TEST(TextTable, FillReportsEachProblemByLineAndKeepsTheRest) {
    static constexpr TTextKey kKeys[] = {{"Head", "{title}"}, {"Failed", "{file} {reason}"}, {"Plain", "", "{title}"}};
    TTextTable table(kKeys);
    EXPECT_TRUE(table.Fill("English", "Head=Welcome {title}\nFailed={file}: {reason}\nPlain=Plain").empty());
    const std::vector<TTextProblem> problems =
        table.Fill("Swedish", "Head=Välkommen\nFailed={file} {why}\nFailed={file} {reason}\nExtra=x\nPlain=Enkel {title}\n");
    EXPECT_EQ(Described(problems),
              "1: Head drops the placeholder {title}\n"
              "2: Failed drops the placeholder {reason}\n"
              "2: Failed has the unknown placeholder {why}\n"
              "3: Failed is given twice\n"
              "4: unknown key Extra\n");
    EXPECT_EQ(Described(table.Fill("Danish", "Head=Velkommen {title}")),
              "0: missing key Failed\n0: missing key Plain\n");
    // A text the file lacks is the first language's; one it gives is its own.
    EXPECT_EQ(table.Text(table.ColumnOf("Danish"), 1), "{file}: {reason}");
    EXPECT_EQ(table.Text(table.ColumnOf("Danish"), 0), "Velkommen {title}");
    // A file for a language the table has replaces its texts.
    table.Fill("English", "Head=Hello {title}\nFailed={file} {reason}\nPlain=P");
    EXPECT_EQ(table.Languages(), 3u);
    EXPECT_EQ(table.Text(0, 0), "Hello {title}");
}

TEST(SetupLanguage, CommandLineDescriptionAndInterfaceChooseTheLanguage) {
    TTextTable table = BuiltInSetupTexts();
    table.Fill("Swedish", "");
    const struct {
        const char* Ini;
        const char* CommandLine;
        uint16_t Interface;
        const char* Expected;
    } cases[] = {
        {"German", "", 0x0409, "German"},      // as written in Setup.ini
        {"german", "", 0x0407, "English"},     // exactly as written, or English as always
        {"Klingon", "", 0x0407, "English"},
        {"", "", 0x040C, "English"},
        {"Portuguese (Brazil)", "", 0x0409, "Portuguese (Brazil)"},
        {"Swedish", "", 0x0409, "Swedish"},    // a vendor's language
        {"Auto", "", 0x0C0A, "Spanish"},
        {"Auto", "", 0x0415, "Polish"},
        {"Auto", "", 0x041D, "English"},       // an interface language none serves
        {"German", "french", 0x0409, "French"},  // the command line wins, in any letter case
        {"German", "AUTO", 0x0411, "Japanese"},
        {"German", "Klingon", 0x0407, "English"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseSetupLanguage(table, c.Ini, c.CommandLine, c.Interface), c.Expected)
            << c.Ini << " /LANG=" << c.CommandLine;
}
