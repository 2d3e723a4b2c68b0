// Names in any script, and paths longer than the old 260-character limit,
// through the Windows layer: files and folders, the registry, shell links,
// the program's own file and its command line.
#include <windows.h>

#include <set>

#include <gtest/gtest.h>

#include "app/SetupArguments.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/LocaleText.h"
#include "platform/Registry.h"
#include "platform/ShellLink.h"
#include "platform/win32/WideText.h"
#include "shell/FolderTree.h"
#include "shell/Shortcut.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Cyrillic, Greek, CJK, a character beyond the Basic Multilingual Plane
// (a surrogate pair in UTF-16), and Latin letters outside Windows-1252.
const char* const kNames[] = {"Привет мир", "Ελληνικά", "中文字体", "Smile 😀", "Łódź ŒŠ"};

std::set<std::string> Listed(const std::string& folder) {
    std::set<std::string> names;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, found); more; more = find.Next(found))
        names.insert(found.Name);
    return names;
}

// A folder of that name with a file in it: made, listed, copied, renamed
// and removed, every step checked by another call than the one that made it.
void ExpectFileCycle(const std::string& parent, const std::string& name) {
    SCOPED_TRACE(name);
    const std::string folder = parent + "\\" + name;
    ASSERT_TRUE(platform::CreateDir(folder));
    EXPECT_TRUE(platform::DirectoryExists(folder));
    EXPECT_EQ(Listed(parent).count(name), 1u);

    const std::string file = folder + "\\" + name + ".txt";
    WriteFile(file, name);
    EXPECT_TRUE(platform::FileExists(file));
    EXPECT_EQ(platform::FileSizeOf(file), static_cast<int64_t>(name.size()));
    EXPECT_EQ(Listed(folder), (std::set<std::string>{".", "..", name + ".txt"}));

    const std::string copy = folder + "\\Kopie " + name + ".txt";
    ASSERT_TRUE(platform::CopyFileTo(file, copy, true));
    EXPECT_FALSE(platform::CopyFileTo(file, copy, true));
    const std::string renamed = folder + "\\" + name + " (2).txt";
    ASSERT_TRUE(platform::RenameFile(copy, renamed));
    EXPECT_EQ(ReadFile(renamed), name);
    EXPECT_EQ(Listed(folder), (std::set<std::string>{".", "..", name + ".txt", name + " (2).txt"}));

    EXPECT_TRUE(platform::RemoveFile(file));
    EXPECT_TRUE(platform::RemoveFile(renamed));
    EXPECT_TRUE(platform::RemoveDir(folder));
    EXPECT_FALSE(platform::DirectoryExists(folder));
}

// The lines of a program's output; a pipe takes its text with CR LF.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

}  // namespace

// Wine takes long paths in either form, so the form is checked where it is made.
TEST(WideNames, LongPathsTakeTheLongFormShortOnesStayAsTheyAre) {
    const std::string level(100, 'x');
    const std::string deep = "C:\\" + level + "\\" + level + "\\" + level;
    const std::wstring wideLevel(100, L'x');
    const std::wstring wideDeep = L"C:\\" + wideLevel + L"\\" + wideLevel + L"\\" + wideLevel;
    struct TCase {
        std::string Path;
        std::wstring Expected;
    };
    const TCase cases[] = {
        {"C:\\Программы\\😀.txt", L"C:\\Программы\\\U0001F600.txt"},
        {deep, L"\\\\?\\" + wideDeep},
        {"C:/" + level + "/" + level + "/../" + level + "/" + level, L"\\\\?\\" + wideDeep},
        {"\\\\server\\share\\" + level + "\\" + level + "\\" + level,
         L"\\\\?\\UNC\\server\\share\\" + wideLevel + L"\\" + wideLevel + L"\\" + wideLevel},
        {"\\\\?\\" + deep, L"\\\\?\\" + wideDeep},
    };
    for (const TCase& c : cases) EXPECT_EQ(platform::FilePath(c.Path), c.Expected) << c.Path;
}

TEST(WideNames, FilesAndFoldersKeepTheirNames) {
    ScratchFolder scratch;
    for (const char* name : kNames) ExpectFileCycle(scratch.Path(), name);
}

TEST(WideNames, AFolderTreeDeeperThan260CharactersIsMadeUsedAndRemoved) {
    ScratchFolder scratch;
    const std::string root = scratch / "Глубоко";
    std::string deep = root;
    for (int level = 0; deep.size() < 1000; ++level) deep += "\\" + std::to_string(level) + " " + kNames[level % 5];
    ASSERT_TRUE(platform::ForceDirectories(deep + "\\"));
    EXPECT_TRUE(platform::DirectoryExists(deep));
    // A path already in the long form, as a user may give it.
    ASSERT_TRUE(platform::ForceDirectories("\\\\?\\" + deep + "\\" + kNames[2]));
    EXPECT_TRUE(platform::DirectoryExists(deep + "\\" + kNames[2]));
    EXPECT_TRUE(platform::RemoveDir(deep + "\\" + kNames[2]));

    for (const char* name : kNames) ExpectFileCycle(deep, name);
    const std::string file = deep + "\\Daten 😀.bin";
    WriteFile(file, std::string("\0\1\2\xFF", 4));
    EXPECT_EQ(ReadFile(file), std::string("\0\1\2\xFF", 4));
    const std::string temporary = platform::CreateTempFile(deep, "kel");
    EXPECT_EQ(temporary.rfind(deep + "\\kel", 0), 0u) << temporary;
    EXPECT_TRUE(platform::FileExists(temporary));
    EXPECT_NE(platform::CreateTempFile(deep, "kel"), temporary);

    // Windows keeps the current folder within 260 characters.
    const std::string started = platform::CurrentFolder();
    EXPECT_FALSE(platform::SetCurrentFolder(deep));
    EXPECT_EQ(platform::CurrentFolder(), started);

    DeleteFolderTree(root);
    EXPECT_FALSE(platform::DirectoryExists(root));
}

TEST(WideNames, RegistryStringsAreStoredAsUtf16AndReadBack) {
    const std::string key = std::string("Software\\Kel Tests\\") + kNames[0];
    platform::TRegistry registry(platform::TRootKey::rkCurrentUser);
    ASSERT_TRUE(registry.OpenKey(key, true));
    for (const char* name : kNames) {
        const std::string value = std::string(name) + " = " + kNames[3];
        registry.WriteString(name, value);
        EXPECT_EQ(registry.ReadString(name), value) << name;
    }
    // Other programs read the value with the system's own wide call.
    wchar_t stored[64] = L"";
    DWORD size = sizeof stored;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Kel Tests\\Привет мир", L"中文字体", RRF_RT_REG_SZ, nullptr,
                           stored, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(stored, L"中文字体 = Smile \U0001F600");
    // A value taken as it is and put back, as an undone registration does.
    const std::optional<platform::TRegistryValue> saved = registry.ReadValue(kNames[2]);
    ASSERT_TRUE(saved.has_value());
    registry.WriteValue("copy", *saved);
    EXPECT_EQ(registry.ReadString("copy"), registry.ReadString(kNames[2]));
    registry.CloseKey();
    EXPECT_TRUE(registry.DeleteKey(key));
    EXPECT_TRUE(registry.DeleteKey("Software\\Kel Tests"));
}

TEST(WideNames, AShellLinkKeepsItsTargetAndTexts) {
    ScratchFolder scratch;
    const std::string folder = scratch / kNames[2];
    ASSERT_TRUE(platform::CreateDir(folder));
    const std::string target = folder + "\\" + kNames[0] + ".exe";
    WriteFile(target, "MZ");
    const std::string link = folder + "\\" + kNames[3] + ".lnk";
    CreateShortcut(link, target, std::string("\"") + kNames[1] + "\"", folder, kNames[4], 0, "", 0, 0, 0, 1);
    platform::TShellLink shortcut;
    ASSERT_TRUE(shortcut.Load(link));
    EXPECT_EQ(shortcut.Path(), target);
    EXPECT_EQ(shortcut.Arguments(), std::string("\"") + kNames[1] + "\"");
    EXPECT_EQ(shortcut.WorkingDirectory(), folder);
    EXPECT_EQ(shortcut.Description(), kNames[4]);
}

// Letter case and order as the user's locale has them, for the folder tree.
TEST(WideNames, LetterCaseCoversEveryScript) {
    EXPECT_EQ(platform::AnsiUpperCase("привет ελληνικά łódź 中文 😀"), "ПРИВЕТ ΕΛΛΗΝΙΚΆ ŁÓDŹ 中文 😀");
    EXPECT_EQ(platform::AnsiCompareText("ПРИВЕТ", "привет"), 0);
    EXPECT_LT(platform::AnsiCompareText("альфа", "Бета"), 0);
    EXPECT_GT(platform::AnsiCompareText("Ωμέγα", "άλφα"), 0);
}

// A copy of this program in a folder of such a name, started with such
// arguments, finds its own file and reads its command line as it was given,
// whole and split.
TEST(WideNames, AProgramInSuchAFolderKnowsItsFileAndItsArguments) {
    ScratchFolder scratch;
    const std::string folder = scratch / "Загрузки 中文 😀";
    ASSERT_TRUE(platform::CreateDir(folder));
    const std::string program = folder + "\\Установка.exe";
    ASSERT_TRUE(platform::CopyFileTo(platform::ProgramFile(), program, true));
    const std::vector<std::string> arguments{"/S", "/D=C:\\Программы\\" + std::string(kNames[3])};
    std::vector<std::string> command{program, "--tell-start"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const std::optional<platform::TChildResult> run = platform::RunChildProcess(command);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->ExitCode, 0);
    const std::vector<std::string> lines = LinesOf(run->Output);
    ASSERT_EQ(lines.size(), 3 + arguments.size()) << run->Output;
    EXPECT_EQ(lines[0], program);
    EXPECT_EQ(lines[1], folder);
    const TSetupArguments setup = ParseSetupArguments(lines[2]);
    EXPECT_TRUE(setup.Silent);
    EXPECT_EQ(setup.Destination, arguments[1].substr(3));
    EXPECT_EQ(setup.Unknown, "");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()), arguments);
}
