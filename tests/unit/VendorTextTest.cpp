// A vendor's texts and names as kelpack takes them: what a Linux editor or
// file system holds (UTF-8, with or without a byte-order mark) and what a
// Windows editor wrote (Windows-1252) come out as the same UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/kelpack/PackedSetupIni.h"
#include "tools/kelpack/PayloadNames.h"
#include "tools/kelpack/VendorText.h"

TEST(VendorText, EveryFormAnEditorWritesBecomesUtf8) {
    const struct {
        const char* What;
        std::string Bytes;
        std::string Utf8;
    } cases[] = {
        {"ASCII stays", "Top=40\r\nend\r\n", "Top=40\r\nend\r\n"},
        {"UTF-8 stays", "F\xC3\xBCr \xE2\x82\xAC \xD0\x81\xF0\x9F\x99\x82", "F\xC3\xBCr \xE2\x82\xAC \xD0\x81\xF0\x9F\x99\x82"},
        {"the byte-order mark goes", "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e", "Gr\xC3\xB6\xC3\x9F" "e"},
        {"Windows-1252", "F\xFCr \x80 5 \x96", "F\xC3\xBCr \xE2\x82\xAC 5 \xE2\x80\x93"},
        {"a mark before bytes that are not UTF-8", "\xEF\xBB\xBF" "F\xFCr", "F\xC3\xBCr"},
    };
    for (const auto& c : cases) EXPECT_EQ(VendorTextOf(c.Bytes), c.Utf8) << c.What;
}

TEST(VendorText, PayloadNamesAreUtf8WhateverTheDiskHolds) {
    EXPECT_EQ(PayloadNameOf("\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB.txt"), "\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB.txt");
    EXPECT_EQ(PayloadNameOf("F\xFCr.txt"), "F\xC3\xBCr.txt") << "a name written in Windows-1252";
}

// Windows takes names that differ only in letter case for one file, in any
// script it folds; a clash among the payload's names is found by that rule.
TEST(PayloadNames, NamesClashWhateverTheirScriptsLetterCase) {
    const struct {
        const char* A;
        const char* B;
        bool Same;
    } cases[] = {
        {"Файл.txt", "ФАЙЛ.TXT", true},  {"ёлка\\Ёж", "ЁЛКА/ёж", true}, {"Łódź", "łÓDŹ", true},
        {"ΟΔΟΣ", "οδος", true},          {"οδοσ", "οδος", true},           {"日本", "日本", true},
        {"ёлка", "елка", false},         {"Łodz", "Lodz", false},           {"Straße", "STRASSE", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameFileName(c.A, c.B), c.Same) << c.A << " " << c.B;
        TPayloadNames names;
        names.Add(c.A);
        EXPECT_EQ(names.Contains(c.B), c.Same) << c.A << " " << c.B;
    }
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
