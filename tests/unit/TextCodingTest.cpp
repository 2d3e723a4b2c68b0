// Text inside the programs is UTF-8; 8-bit files hold Windows-1252 or marked
// UTF-8. The conversions between the forms, and letter case over the
// alphabets Windows folds in file names.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Text.h"
#include "platform/TextCoding.h"

namespace {

const std::string kMark = "\xEF\xBB\xBF";

// The text in both directions: its 8-bit file form decodes to utf8, and
// utf8 encodes to it again; a form without a mark is Windows-1252.
void ExpectBothWays(const char* what, const std::string& file, const std::string& utf8) {
    EXPECT_EQ(DecodeText8(file), utf8) << what;
    EXPECT_EQ(EncodeText8(utf8), file) << what;
    EXPECT_TRUE(IsUtf8(utf8)) << what;
    if (StartsWithByteOrderMark(file)) return;
    EXPECT_EQ(Utf8ToWindows1252(utf8), file) << what;
    EXPECT_EQ(Windows1252ToUtf8(file), utf8) << what;
}

}  // namespace

TEST(TextCoding, WesternTextsStayWindows1252AndOthersGetTheMark) {
    const struct {
        const char* What;
        std::string File;
        std::string Utf8;
    } cases[] = {
        {"empty", "", ""},
        {"ASCII", "Setup\r\nend", "Setup\r\nend"},
        {"Latin-1 letters", "F\xFCr Gr\xF6\xDF" "e", "Für Größe"},
        {"the code page's own 0x80 to 0x9F", "\x80 \x8C \x89 \x9F \x96", "€ Œ ‰ Ÿ –"},
        {"undefined bytes stand for their control characters", "\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
        {"Cyrillic", kMark + "Ёлка", "Ёлка"},
        {"Polish", kMark + "Łódź", "Łódź"},
        {"a C1 control the code page replaced", kMark + "\u0085", "\u0085"},
        {"CJK and a character beyond the Basic Multilingual Plane", kMark + "日本 😀", "日本 😀"},
        {"a Western text that begins like a mark", kMark + "ï»¿x", "ï»¿x"},
    };
    for (const auto& c : cases) ExpectBothWays(c.What, c.File, c.Utf8);

    std::string every;
    for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(every)), every) << "every byte comes back";
    EXPECT_EQ(DecodeText8(kMark), "");
    for (const std::string beyond : {"Ω", "Ł", "\u0085", "😀"}) EXPECT_EQ(Utf8ToWindows1252("a" + beyond), std::nullopt) << beyond;
}

TEST(TextCoding, OnlyWellFormedUtf8IsTakenForIt) {
    const struct {
        const char* What;
        std::string Bytes;
        size_t FirstLength;  // of the sequence at 0; 0: none starts there
        char32_t First;
    } cases[] = {
        {"ASCII", "A", 1, U'A'},
        {"two bytes", "é", 2, U'é'},
        {"three bytes", "€", 3, U'€'},
        {"four bytes", "😀", 4, U'😀'},
        {"the last character", "\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
        {"beyond the last character", "\xF4\x90\x80\x80", 0, 0},
        {"an overlong slash", "\xC0\xAF", 0, 0},
        {"an overlong three-byte form", "\xE0\x80\xAF", 0, 0},
        {"a surrogate", "\xED\xA0\x80", 0, 0},
        {"cut short", "\xE2\x82", 0, 0},
        {"a lone continuation byte", "\x80", 0, 0},
        {"Windows-1252", "F\xFCr", 1, U'F'},
    };
    for (const auto& c : cases) {
        char32_t character = 0;
        const size_t length = NextCharacter(c.Bytes, 0, character);
        EXPECT_EQ(length, c.FirstLength) << c.What;
        if (length) EXPECT_EQ(character, c.First) << c.What;
        const bool whole = length == c.Bytes.size();
        EXPECT_EQ(IsUtf8(c.Bytes), whole) << c.What;
        if (whole) {
            std::string again;
            AppendUtf8(again, character);
            EXPECT_EQ(again, c.Bytes) << c.What;
        }
    }
}

TEST(Text, LetterCaseFoldsLatinGreekAndCyrillicInTheSameNumberOfBytes) {
    const struct {
        std::string Text;
        std::string Upper;
    } cases[] = {
        {"setup.ini", "SETUP.INI"},
        {"grüße àéîõÿ", "GRÜßE ÀÉÎÕŸ"},  // ß has no capital of one letter
        {"łódź Łódź", "ŁÓDŹ ŁÓDŹ"},
        {"œuvre ščž", "ŒUVRE ŠČŽ"},
        {"ёлка Ёлка щ", "ЁЛКА ЁЛКА Щ"},
        {"ђ ў џ ґ", "Ђ Ў Џ Ґ"},
        {"οδυσσευς ς σ", "ΟΔΥΣΣΕΥΣ Σ Σ"},  // final sigma too
        {"άέήίόύώ", "ΆΈΉΊΌΎΏ"},
        {"ｆｕｌｌ", "ＦＵＬＬ"},
        {"ı ſ 日本 😀", "ı ſ 日本 😀"},  // no capital of its own, or no case
        {"F\xFCr", "F\xFCr"},              // not UTF-8: kept byte for byte
    };
    for (const auto& c : cases) {
        const std::string upper = UpperCaseText(c.Text);
        EXPECT_EQ(upper, c.Upper) << c.Text;
        EXPECT_EQ(upper.size(), c.Text.size()) << c.Text;
        EXPECT_TRUE(SameText(c.Text, c.Upper)) << c.Text;
    }
    for (const auto& [a, b] : {std::pair<std::string, std::string>{"ł", "l"}, {"ё", "е"}, {"ß", "SS"}, {"ı", "i"},
                               {"σ", "ο"}, {"a", "ä"}})
        EXPECT_FALSE(SameText(a, b)) << a << " " << b;
}
