// The journal's lines: what is written reads back the same, whatever the
// paths and values hold, and a line cut off by an abrupt end is not read.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "app/JournalRecord.h"

namespace {

const platform::TRegistryValue kText{1, {'A', 0, '\t', 0, '\n', 0}};
const platform::TRegistryValue kNumber{4, {7, 0, 0, 0}};

const TJournalRecord kRecords[] = {
    {TChangeKind::FileCreated, "C:\\Program Files\\Product\\tool.exe", "", {}},
    {TChangeKind::FileReplaced, "C:\\P\\100% sure\\a.txt", "C:\\ProgramData\\J\\1\\1.bak", {}},
    {TChangeKind::FolderMade, "C:\\P\\Ünïcödé 𝄞", "", {}},
    {TChangeKind::ShortcutMade, "C:\\Start\\x.lnk", "", {}},
    {TChangeKind::FileRemoved, "C:\\P\\dropped.dll", "C:\\ProgramData\\J\\1\\2.bak", {}},
    {TChangeKind::FolderRemoved, "C:\\P\\plugins", "", {}},
    {TChangeKind::KeyMade, "SOFTWARE\\Uninstall\\Title\twith tab\r\nand breaks", "", {}},
    {TChangeKind::ValueWritten, "SOFTWARE\\Uninstall\\T", "DisplayName", kText},
    {TChangeKind::ValueWritten, "SOFTWARE\\Uninstall\\T", "NoModify", kNumber},
    {TChangeKind::ValueWritten, "SOFTWARE\\Uninstall\\T", "Publisher", std::nullopt},
    {TChangeKind::ValueWritten, "SOFTWARE\\Uninstall\\T", "Empty", platform::TRegistryValue{3, {}}},
    {},
};

std::string AllLines() {
    std::string text;
    for (const TJournalRecord& record : kRecords) text += JournalLine(record);
    return text;
}

}  // namespace

TEST(JournalRecord, EveryKindReadsBackAsWrittenOneLineEach) {
    const std::string text = AllLines();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::size(kRecords)) << "breaks inside fields are escaped";
    EXPECT_EQ(ReadJournalText(text), std::vector<TJournalRecord>(std::begin(kRecords), std::end(kRecords)));
}

TEST(JournalRecord, ACutOffLastLineAndUnknownOrDamagedLinesAreNotRead) {
    const std::string whole = JournalLine(kRecords[0]);
    const std::string next = JournalLine(kRecords[1]);
    struct Case {
        const char* what;
        std::string text;
        size_t records;
    } cases[] = {
        {"cut off", whole + next.substr(0, next.size() - 1), 1},
        {"cut off in its first field", whole + "R", 1},
        {"unknown kind", whole + "X\ta\tb\t-\n" + next, 2},
        {"too few fields", "F\tC:\\a\n" + next, 1},
        {"empty", "", 0},
        {"bad escapes stay as written", "F\tC:\\%ZZ%4\t\t-\n", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadJournalText(c.text).size(), c.records) << c.what;
    EXPECT_EQ(ReadJournalText("F\tC:\\%ZZ%4\t\t-\n")[0].Path, "C:\\%ZZ%4");
}
