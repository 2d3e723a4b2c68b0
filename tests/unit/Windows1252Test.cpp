// Texts and names made Windows-1252 for the wizard: what a Linux editor or
// file system holds (UTF-8, with or without a byte-order mark) and what a
// Windows editor wrote (Windows-1252 already) come out the same, and a
// character the code page lacks is found on its line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/kelpack/PackedSetupIni.h"
#include "tools/kelpack/Windows1252.h"

namespace {

struct TConversionCase {
    const char* What;
    std::string Input;
    std::string Expected;                // the Windows-1252 text, "?" for each character it lacks
    std::vector<int32_t> UnwritableLines;
};

const TConversionCase ConversionCases[] = {
    {"ASCII stays", "Top=40\r\nend\r\n", "Top=40\r\nend\r\n", {}},
    {"UTF-8", "F\xC3\xBCr \xE2\x82\xAC 5 \xE2\x80\x93 \xC5\x93uvre", "F\xFCr \x80 5 \x96 \x9Cuvre", {}},
    {"UTF-8 with a byte-order mark", "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e", "Gr\xF6\xDF" "e", {}},
    {"Windows-1252 stays", "F\xFCr \x80 5", "F\xFCr \x80 5", {}},
    {"lines counted at LF, CR LF and lone CR", "a\nb\r\nc\rd \xCE\xA9\ne \xE2\x9C\x93", "a\nb\r\nc\rd ?\ne ?", {4, 5}},
    {"a character beyond the Basic Multilingual Plane", "\xF0\x9F\x99\x82", "?", {1}},
    {"a C1 control the code page lacks", "\xC2\x85", "?", {1}},
};

}  // namespace

TEST(Windows1252, MakesUtf8AndWindows1252TextsWindows1252AndFindsWhatItCannotHold) {
    for (const TConversionCase& c : ConversionCases) {
        const TWindows1252Text text = ToWindows1252(c.Input);
        EXPECT_EQ(text.Text, c.Expected) << c.What;
        std::vector<int32_t> lines;
        for (const TUnwritableCharacter& character : text.Unwritable) lines.push_back(character.Line);
        EXPECT_EQ(lines, c.UnwritableLines) << c.What;
    }
    const TWindows1252Text omega = ToWindows1252("\xCE\xA9");
    ASSERT_EQ(omega.Unwritable.size(), 1u);
    EXPECT_EQ(omega.Unwritable[0].Reason(), "the character \"\xCE\xA9\" (U+03A9) cannot be written in Windows-1252, "
                                            "the code page of the wizard; replace it");
}

TEST(Windows1252, EveryByteComesBackFromUtf8AsItWas) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_TRUE(IsUtf8(utf8));
    const TWindows1252Text back = ToWindows1252(utf8);
    EXPECT_TRUE(back.Ok());
    EXPECT_EQ(back.Text, all);
    EXPECT_EQ(Windows1252ToUtf8("F\xFCr \x80"), "F\xC3\xBCr \xE2\x82\xAC");
}

TEST(Windows1252, PayloadNamesAreConvertedOrRefused) {
    EXPECT_EQ(PayloadNameOf("F\xC3\xBCr.txt"), "F\xFCr.txt");
    EXPECT_EQ(PayloadNameOf("F\xFCr.txt"), "F\xFCr.txt") << "a name in Windows-1252 already";
    EXPECT_EQ(PayloadNameOf("\xCE\xA9.txt"), std::nullopt);
    EXPECT_EQ(SystemNameOf("F\xFCr.txt"), "F\xC3\xBCr.txt");
}

TEST(PackedSetupIni, AddsTheUninstallerToTheLastSetupBlockUnlessAnAddfileNamesIt) {
    struct TCase {
        const char* What;
        const char* Text;
        const char* Packed;  // nullptr: no line added
    };
    const TCase cases[] = {
        {"added before the end of the last Setup block",
         "title\nObject=Setup\nAddfile=a.exe\nend\nObject=Panel\nend\nObject=Setup\nFolder=F\nend\n",
         "title\r\nObject=Setup\r\nAddfile=a.exe\r\nend\r\nObject=Panel\r\nend\r\nObject=Setup\r\nFolder=F\r\n"
         "Addfile=uninstall.exe\r\nend\r\n"},
        {"named already, in another letter case", "title\nObject=Setup\nAddfile=Uninstall.EXE\nend\n", nullptr},
        {"no Setup block", "title\nObject=Panel\nend\n", nullptr},
        {"a Setup line that opens no block", "title\nObject = Setup\nend\n", nullptr},
        {"a block without its end", "title\nObject=Setup\nFolder=F\n", nullptr},
    };
    for (const TCase& c : cases) {
        TStringList lines;
        lines.SetText(c.Text);
        const std::string before = lines.Text();
        EXPECT_EQ(AddUninstallerLine(lines), c.Packed != nullptr) << c.What;
        EXPECT_EQ(lines.Text(), c.Packed ? c.Packed : before) << c.What;
    }
}
