// The setup log's file, the uninstall entry's values, the path parts they
// are made from, and the report of files that could not be copied.
#include <gtest/gtest.h>

#include "app/PageTexts.h"
#include "app/RemovalPlan.h"
#include "app/RunLog.h"
#include "app/SetupLogBook.h"
#include "platform/Exception.h"
#include "shell/PathParts.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/WideText.h"
#else
#include <unistd.h>

#include "platform/posix/NativePath.h"
#endif

TEST(SetupLogBook, SavesNewestFirstUnderThreeHeadLinesReplacingAnOldLog) {
    ScratchFolder scratch;
    TSetupLogBook log;
    log.AddDirectory("C:\\P");
    log.AddCopyFile("C:\\P\\a.exe");
    log.AddLink("C:\\Menu\\P.lnk");
    log.LogFileName = scratch / "setup.log";
    log.KeyName = "Key";
    log.AppName = "Name";
    WriteFile(log.LogFileName, std::string(300, 'x'));
    log.SaveLog();
    EXPECT_EQ(ReadFile(log.LogFileName),
              "SetupLOG\r\nNAME=Name\r\nKEY=Key\r\nLINK=C:\\Menu\\P.lnk\r\nCOPYFILE=C:\\P\\a.exe\r\nDIRECTORY=C:\\P\r\n");
}

namespace {

// Saves the log of a product of this name that copied one file; the log's name.
std::string SavedLog(const std::string& logFile, const std::string& name, const std::string& file) {
    TSetupLogBook log;
    log.AddCopyFile(file);
    log.LogFileName = logFile;
    log.KeyName = std::string(1, 'K');
    log.AppName = name;
    log.SaveLog();
    return logFile;
}

}  // namespace

// A log whose lines all fit Windows-1252 is written in it, as logs always
// were; one with other characters is UTF-8 after a byte-order mark. The
// uninstaller reads both, and an old log without a mark as Windows-1252.
TEST(SetupLogBook, TheLogIsWindows1252WhenItFitsElseMarkedUtf8AndTheUninstallerReadsBoth) {
    const struct {
        const char* What;
        std::string Name;  // of the product and of its folder, in UTF-8
        std::string Written;
    } cases[] = {
        {"Western", "Grüße Café", "SetupLOG\r\nNAME=Gr\xFC\xDF" "e Caf\xE9\r\nKEY=K\r\nCOPYFILE=C:\\Gr\xFC\xDF" "e Caf\xE9\\a\r\n"},
        {"Cyrillic and CJK", "Заметки 日本",
         "\xEF\xBB\xBFSetupLOG\r\nNAME=Заметки 日本\r\nKEY=K\r\nCOPYFILE=C:\\Заметки 日本\\a\r\n"},
        {"one character beyond the Basic Multilingual Plane", "Notes 😀",
         "\xEF\xBB\xBFSetupLOG\r\nNAME=Notes 😀\r\nKEY=K\r\nCOPYFILE=C:\\Notes 😀\\a\r\n"},
    };
    for (const auto& c : cases) {
        ScratchFolder scratch;
        const std::string file = std::string("C:\\").append(c.Name).append("\\a");
        const std::string logFile = SavedLog(scratch / "setup.log", c.Name, file);
        EXPECT_EQ(ReadFile(logFile), c.Written) << c.What << ": the Western form is what setups always wrote";
        const TRemovalPlan plan = PlanOfLogFile(logFile, scratch / "uninstall.exe").value();
        EXPECT_EQ(plan.Name, c.Name) << c.What;
        ASSERT_FALSE(plan.Steps.empty()) << c.What;
        EXPECT_EQ(plan.Steps[0].Path, file) << c.What;
    }
}

TEST(SetupLogBook, ALogThatCannotBeMadeRaisesTheFileError) {
    ScratchFolder scratch;
    TSetupLogBook log;
    log.LogFileName = scratch / "missing folder\\setup.log";
    EXPECT_EQ(MessageOf([&] { log.SaveLog(); }), "Datei " + log.LogFileName + " kann nicht erstellt werden");
}

TEST(SetupLogBook, TheUninstallerSitsBesideTheLogQuoted) {
    EXPECT_EQ(UninstallStringOf("C:\\Program Files\\X\\setup.log"), "\"C:\\Program Files\\X\\Uninstall.exe\"");
    EXPECT_EQ(UninstallStringOf("C:\\X\\\\setup.log"), "\"C:\\X\\\\Uninstall.exe\"") << "a chosen folder keeps its backslash";
    EXPECT_EQ(UninstallKeyOf("X"), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\X");
}

TEST(PathParts, SplitAtTheLastBackslashOrColon) {
    EXPECT_EQ(ExtractFileName("docs\\read me.txt"), "read me.txt");
    EXPECT_EQ(ExtractFileName("ReadMe.txt"), "ReadMe.txt");
    EXPECT_EQ(ExtractFileName("C:ReadMe.txt"), "ReadMe.txt");
    EXPECT_EQ(ExtractFilePath("C:\\a\\b.txt"), "C:\\a\\");
    EXPECT_EQ(ExtractFilePath("b.txt"), "");
}

TEST(CopyFailureText, NamesTheFirstFifteenFilesWithTheirReasonsAndCountsTheRest) {
    std::vector<TFailedCopy> files;
    for (int i = 0; i < 17; ++i) files.push_back({"C:\\P\\f" + std::to_string(i), "Reason " + std::to_string(i) + "."});
    const TTextTable table = BuiltInSetupTexts();
    const std::string german = CopyFailureText(TSetupWords(table, "German", "Tool"), files);
    EXPECT_EQ(german.rfind("Die folgenden Dateien konnten nicht kopiert werden:\n\nC:\\P\\f0 (Reason 0.)\n", 0), 0u);
    EXPECT_NE(german.find("C:\\P\\f14 (Reason 14.)\n... und 2 weitere\n\n"), std::string::npos);
    EXPECT_EQ(german.find("C:\\P\\f15"), std::string::npos);
    EXPECT_EQ(CopyFailureText(TSetupWords(table, "English", "Tool"), {{"C:\\P\\a", "Access denied."}})
                  .rfind("The following files could not be copied:\n\nC:\\P\\a (Access denied.)\n\n", 0),
              0u);
}

// The /LOG file holds the steps in UTF-8: ASCII lines as they always were,
// paths in other scripts as they are.
TEST(RunLog, WritesEachStepAsAUtf8Line) {
    ScratchFolder scratch;
    {
        TRunLog log;
        log.Open(scratch / "run.log");
        log.Step("Copying C:\\Tool\\a.txt");
        log.Failure("Datei C:\\Заметки\\日本 😀.txt kann nicht erstellt werden");
    }
    EXPECT_EQ(ReadFile(scratch / "run.log"),
              "Copying C:\\Tool\\a.txt\r\nError: Datei C:\\Заметки\\日本 😀.txt kann nicht erstellt werden\r\n");
}

// A log named by a link is refused; neither the link's target nor a file
// with a second name is emptied. A plain file is replaced. (Under Wine only
// a hard link can be tried, the one kind of link a program can make there.)
TEST(RunLog, ReplacesOnlyAPlainFileNeverALink) {
    ScratchFolder scratch;
    const std::string target = scratch / "system.cfg";
    WriteFile(target, "keep");
    WriteFile(scratch / "old.log", "old");
#ifdef _WIN32
    ASSERT_TRUE(CreateHardLinkW(platform::Wide(scratch / "hard.log").c_str(), platform::Wide(target).c_str(), nullptr));
    const char* const links[] = {"hard.log"};
#else
    ASSERT_EQ(::symlink(platform::NativePath(target).c_str(), platform::NativePath(scratch / "soft.log").c_str()), 0);
    ASSERT_EQ(::link(platform::NativePath(target).c_str(), platform::NativePath(scratch / "hard.log").c_str()), 0);
    const char* const links[] = {"soft.log", "hard.log"};
#endif
    for (const char* name : links) {
        TRunLog log;
        EXPECT_THROW(log.Open(scratch / name), EFCreateError) << name;
    }
    EXPECT_EQ(ReadFile(target), "keep");
    TRunLog log;
    log.Open(scratch / "old.log");
    log.Step("new");
    EXPECT_EQ(ReadFile(scratch / "old.log"), "new\r\n");
}
