// "kelpack build" and "kelpack init" as a user runs them: the setup folder they
// write is what the wizard unpacks, and a refused project writes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "archive/ZLIBArchive.h"
#include "platform/FileSystem.h"
#include "app/PayloadDigest.h"
#include "tests/support/FileTree.h"
#include "tests/support/RunProcess.h"
#include "tests/support/ScratchFolder.h"

#ifndef _WIN32
#include <sys/stat.h>

#include "platform/posix/NativePath.h"
#endif

namespace {

ProcessResult Kelpack(const std::string& arguments) { return RunProcess(std::string(KELPACK_EXE) + " " + arguments); }

ProcessResult Build(const std::string& project, const std::string& out, const std::string& setupExe) {
    return Kelpack("build " + Quoted(project) + " " + Quoted(out) + " --setup " + Quoted(setupExe));
}

// A copy of the sample project with the program files its Setup.ini names, which are built elsewhere.
std::string StageSample(const ScratchFolder& scratch) {
    const std::string project = scratch / "project";
    CopyTree(KEL_SAMPLE_PROJECT, project);
    WriteFile(project + "\\Files\\LarkNotes.exe", "MZ notes");
    WriteFile(project + "\\Files\\uninstall.exe", "MZ uninstall");
    return project;
}

std::vector<std::string> EntryNames(const std::string& archiveName) {
    TZLBArchive archive;
    archive.OpenArchive(archiveName);
    std::vector<std::string> names;
    for (int i = 0; i < archive.GetFileCount(); ++i) {
        TArchiveEntry entry;
        archive.GetFileEntry(i, entry);
        names.push_back(entry.FilePath.empty() ? entry.FileName : entry.FilePath + "\\" + entry.FileName);
    }
    return names;
}

void Extract(const std::string& archiveName, const std::string& folder, bool withPaths = false) {
    TZLBArchive archive;
    archive.ExtractWithPath = withPaths;
    archive.OpenArchive(archiveName);
    archive.ExtractFiles(folder + "\\");
    archive.CloseArchive();
}

// Unpacks the setup folder as the wizard does: Data.Kel with its folders into
// the working folder, each inner archive flat into its own folder there.
std::map<std::string, std::string> Unpacked(const std::string& setupFolder, const ScratchFolder& work) {
    Extract(setupFolder + "\\Data.Kel", work.Path(), true);
    const std::pair<const char*, const char*> inner[] = {{"gfx.x", "Graphics"}, {"snd.x", "Sounds"}, {"add.x", "Additional"}};
    for (const auto& [archive, folder] : inner)
        if (platform::FileExists(work / archive)) {
            Extract(work / archive, work / folder);
            platform::RemoveFile(work / archive);
        }
    return FileTree(work.Path());
}

std::string LastLine(const std::string& text) {
    const size_t cut = text.find_last_of('\n', text.size() >= 2 ? text.size() - 2 : 0);
    return cut == std::string::npos ? text : text.substr(cut + 1);
}

// kelpack copied to a folder of its own, where nothing lies beside it; the
// command that runs it.
std::string LoneKelpack(const std::string& folder) {
    EXPECT_TRUE(platform::ForceDirectories(folder));
#ifdef _WIN32
    const std::string copy = folder + "\\kelpack.exe";
    EXPECT_TRUE(platform::CopyFileTo(KELPACK_EXE, copy, false));
    return Quoted(copy);
#else
    const std::string copy = platform::NativePath(folder + "\\kelpack");
    EXPECT_TRUE(platform::CopyFileTo(KELPACK_EXE, copy, false));
    ::chmod(copy.c_str(), 0755);
    return Quoted(copy);
#endif
}

}  // namespace

TEST(KelpackBuild, WritesSetupAndPayloadInTheWizardsOrder) {
    ScratchFolder scratch;
    const std::string project = StageSample(scratch);
    WriteFile(scratch / "Setup.exe", "MZ the wizard");
    const std::string out = scratch / "cd\\disk1";  // made with its parents

    ProcessResult run = Build(project, out, scratch / "Setup.exe");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("Ready to ship: " + out), std::string::npos) << run.Out;
    EXPECT_EQ(EntryNames(out + "\\Data.Kel"), (std::vector<std::string>{"Setup.ini", "gfx.x", "First-note.txt",
                                                                         "LarkNotes.exe", "Licence.txt", "ReadMe.txt",
                                                                         "uninstall.exe"}));

    // Sounds and Additional join as snd.x and add.x; the new files replace the old ones.
    ASSERT_TRUE(platform::CreateDir(project + "\\Sounds"));
    WriteFile(project + "\\Sounds\\click.wav", "RIFF click");
    ASSERT_TRUE(platform::CreateDir(project + "\\Additional"));
    WriteFile(project + "\\Additional\\extra.txt", "extra");
    WriteFile(scratch / "Setup.exe", "MZ a newer wizard");
    run = Build(project, out, scratch / "Setup.exe");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const std::vector<std::string> names = EntryNames(out + "\\Data.Kel");
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 5),
              (std::vector<std::string>{"Setup.ini", "gfx.x", "snd.x", "add.x", "First-note.txt"}));

    const auto written = FileTree(out);
    EXPECT_EQ(written.size(), 2u) << "no temporary file is left";
    EXPECT_EQ(written.at("Setup.exe"), "MZ a newer wizard");

    // The working folder holds the project's files, each where the description names it.
    ScratchFolder work;
    std::map<std::string, std::string> expected;
    for (const auto& [path, bytes] : FileTree(project)) {
        const bool product = path.rfind("Files\\", 0) == 0;
        expected[product ? path.substr(6) : path] = bytes;
    }
    EXPECT_EQ(Unpacked(out, work), expected);
}

// A product with folders: each file travels with its folder, the wildcards
// reach the wizard as literal lines, and the project's own file stays as written.
TEST(KelpackBuild, PacksATreeAndExpandsItsWildcardsInThePackedDescriptionOnly) {
    ScratchFolder scratch;
    const std::string project = StageSample(scratch);
    WriteFile(scratch / "Setup.exe", "MZ");
    ASSERT_TRUE(platform::ForceDirectories(project + "\\Files\\plugins\\de"));
    WriteFile(project + "\\Files\\plugins\\codec.dll", "codec");
    WriteFile(project + "\\Files\\plugins\\de\\strings.txt", "Zeichen");
    WriteFile(project + "\\Files\\spare.txt", "never installed");
    ASSERT_TRUE(platform::ForceDirectories(project + "\\Files\\docs\\empty"));
    std::string ini = ReadFile(project + "\\Setup.ini");
    ini.replace(ini.find("Addfile=LarkNotes.exe"), 21, "Addfile=plugins\\*\r\nAddfile=docs\\*\r\nAddfile=LarkNotes.exe");
    ini.replace(ini.find("Addfile=ReadMe.txt"), 18, "Addfile=ReadMe.txt\r\nAddfile=PLUGINS/codec.dll");
    WriteFile(project + "\\Setup.ini", ini);

    const ProcessResult run = Build(project, scratch / "out", scratch / "Setup.exe");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadFile(project + "\\Setup.ini"), ini) << "the project's file stays as written";
    for (const std::string warning : {
             "Setup.ini:8: warning: \"Addfile=docs\\*\" matches no file of Files",
             "Setup.ini:12: warning: \"PLUGINS/codec.dll\" is installed already by line 7",
             "spare.txt: warning: no Addfile installs this file",
             "empty: warning: an empty folder",
         })
        EXPECT_NE(run.Err.find(warning), std::string::npos) << warning << "\n" << run.Err;

    ScratchFolder work;
    const std::map<std::string, std::string> unpacked = Unpacked(scratch / "out", work);
    EXPECT_EQ(unpacked.at("plugins\\de\\strings.txt"), "Zeichen");
    const std::string packed = unpacked.at("Setup.ini");
    const std::string lines = "Addfile=plugins\\codec.dll\r\nAddfile=plugins\\de\\strings.txt\r\nAddfile=LarkNotes.exe\r\n";
    EXPECT_NE(packed.find("Object=Setup\r\nSiteletTitle=Larkspur Notes\r\n"), std::string::npos) << packed;
    EXPECT_NE(packed.find(lines), std::string::npos) << packed;
    EXPECT_EQ(packed.find('*'), std::string::npos) << packed;
}

TEST(KelpackBuild, RefusedProjectWritesNothing) {
    ScratchFolder scratch;
    const std::string project = StageSample(scratch);
    WriteFile(scratch / "Setup.exe", "MZ");
    const std::string out = scratch / "out";
    ASSERT_TRUE(platform::CreateDir(out));
    WriteFile(out + "\\Data.Kel", "the previous payload");

    // Problems of the layout and of the description, every one reported.
    ASSERT_TRUE(platform::CreateDir(project + "\\Graphics\\Buttons"));
    WriteFile(project + "\\Files\\GFX.X", "clashes with the skin archive");
    ASSERT_TRUE(platform::CreateDir(project + "\\Files\\sounds"));
    WriteFile(project + "\\Files\\sounds\\click.wav", "a folder that clashes with the sounds' folder");
    WriteFile(project + "\\Setup.ini", "[Setup]\r\nObject=Toolweb\r\nTop = 40\r\nLeft=20 \r\nend\r\n"
                                       "Object=Panel\r\nBitmap=Graphics\\Gone.bmp\r\nend\r\n"
                                       "Object=Button\r\nName=b\r\nRole=Back\r\n");
    const ProcessResult run = Build(project, out, scratch / "Setup.exe");
    EXPECT_EQ(run.ExitCode, 1);
    for (const char* part : {"Setup.ini:3: \"Top = 40\" is ignored by the wizard",
                             "Setup.ini:4: Left: the wizard cannot read \"20 \"",
                             "Setup.ini:7: the picture \"Graphics\\Gone.bmp\" is not in the payload",
                             "Setup.ini:9: the \"Button\" block has no \"end\" line", "Buttons: a sub-folder",
                             "GFX.X: the setup uses this name", "sounds: the setup uses this name"})
        EXPECT_NE(run.Err.find(part), std::string::npos) << part << "\n" << run.Err;
    EXPECT_EQ(LastLine(run.Err), "7 errors in the setup project; nothing was written\n");
    EXPECT_EQ(FileTree(out), (std::map<std::string, std::string>{{"Data.Kel", "the previous payload"}}));

    // A project without its skin, or a wizard that is not there, writes nothing either.
    ScratchFolder bare;
    WriteFile(bare / "Setup.ini", "[Setup]\r\n");
    EXPECT_NE(Build(bare.Path(), out, scratch / "Setup.exe").Err.find("Graphics: not found"), std::string::npos);
    const ProcessResult noWizard = Build(StageSample(bare), out, scratch / "none.exe");
    EXPECT_EQ(noWizard.ExitCode, 1);
    EXPECT_EQ(LastLine(noWizard.Err), "No such file: " + scratch / "none.exe" + " (--setup)\n");
    EXPECT_EQ(FileTree(out).size(), 1u);
}

// A language file of the vendor's: a complete one travels in the payload as
// lng.x; a broken one is refused with its file and line, and nothing is written.
TEST(KelpackBuild, ChecksTheVendorsLanguageFilesAndPacksThem) {
    ScratchFolder scratch;
    const std::string project = StageSample(scratch);
    WriteFile(scratch / "Setup.exe", "MZ");
    ASSERT_TRUE(platform::CreateDir(project + "\\Languages"));
    ASSERT_EQ(Kelpack("init " + Quoted(scratch / "template")).ExitCode, 0);
    std::string swedish = ReadFile(scratch / "template\\Languages\\English.lng");
    const auto replace = [&](const std::string& from, const std::string& to) {
        const size_t at = swedish.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        swedish.replace(at, from.size(), to);
    };
    replace("WelcomeHead=Welcome to the Setup Wizard for {title}", "WelcomeHead=V\xC3\xA4lkommen till {title}");
    WriteFile(project + "\\Languages\\Swedish.lng", swedish);
    const std::string out = scratch / "out";
    ProcessResult run = Build(project, out, scratch / "Setup.exe");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    ScratchFolder work;
    Extract(out + "\\Data.Kel", work.Path(), true);
    Extract(work / "lng.x", work / "Languages");
    EXPECT_EQ(ReadFile(work / "Languages\\Swedish.lng"), swedish);

    const size_t welcomeLine = size_t(std::count(swedish.begin(), swedish.begin() + swedish.find("WelcomeHead="), '\n')) + 1;
    replace("WelcomeHead=V\xC3\xA4lkommen till {title}", "WelcomeHead=V\xC3\xA4lkommen\nGreeting=Hej");
    replace("\nShortcutFailed=", "\n#ShortcutFailed=");
    WriteFile(project + "\\Languages\\Swedish.lng", swedish);
    WriteFile(project + "\\Languages\\notes.txt", "not a language");
    WriteFile(out + "\\Data.Kel", "the previous payload");
    run = Build(project, out, scratch / "Setup.exe");
    EXPECT_EQ(run.ExitCode, 1);
    const std::string file = "Swedish.lng";
    for (const std::string& part : {file + ":" + std::to_string(welcomeLine) + ": WelcomeHead drops the placeholder {title}",
                                    file + ":" + std::to_string(welcomeLine + 1) + ": unknown key Greeting",
                                    file + ": missing key ShortcutFailed",
                                    std::string("notes.txt: not a language file")})
        EXPECT_NE(run.Err.find(part), std::string::npos) << part << "\n" << run.Err;
    EXPECT_EQ(ReadFile(out + "\\Data.Kel"), "the previous payload");
}

#ifndef _WIN32
// Windows could not unpack a file named after a device; Linux can hold one.
TEST(KelpackBuild, RefusesFilesNamedAfterDevices) {
    ScratchFolder scratch;
    const std::string project = StageSample(scratch);
    WriteFile(scratch / "Setup.exe", "MZ");
    WriteFile(project + "\\Files\\aux.txt", "device?");
    WriteFile(project + "\\Graphics\\PRN", "device?");
    const ProcessResult run = Build(project, scratch / "out", scratch / "Setup.exe");
    EXPECT_EQ(run.ExitCode, 1);
    for (const char* file : {"Files/aux.txt", "Graphics/PRN"})
        EXPECT_NE(run.Err.find(std::string(file) + ": Windows reserves this name for a device; rename it\n"), std::string::npos)
            << run.Err;
    EXPECT_FALSE(platform::DirectoryExists(scratch / "out"));
}
#endif

// The kit lies beside kelpack in a build tree, and in share/kelpack beside
// its bin folder once installed.
TEST(KelpackBuild, TakesTheWizardAndTheSampleFromTheKit) {
    for (const char* kit : {"bin", "share\\kelpack"}) {
        ScratchFolder scratch;
        const std::string kelpack = LoneKelpack(scratch / "bin");
        ASSERT_TRUE(platform::ForceDirectories(scratch / kit));
        const std::string project = StageSample(scratch);
        const std::string out = scratch / "out";

        ProcessResult run = RunProcess(kelpack + " build " + Quoted(project) + " " + Quoted(out));
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_NE(run.Err.find("No Setup.exe in kelpack's kit"), std::string::npos) << run.Err;
        EXPECT_FALSE(platform::DirectoryExists(out));

        WriteFile(scratch / kit + "\\Setup.exe", "MZ beside");
        run = RunProcess(kelpack + " build " + Quoted(project) + " " + Quoted(out));
        ASSERT_EQ(run.ExitCode, 0) << kit << ": " << run.Err;
        EXPECT_EQ(ReadFile(out + "\\Setup.exe"), "MZ beside") << kit;

        run = RunProcess(kelpack + " init " + Quoted(scratch / "new"));
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_NE(run.Err.find("No sample project in kelpack's kit"), std::string::npos) << run.Err;
        CopyTree(KEL_SAMPLE_PROJECT, scratch / kit + "\\sample");
        EXPECT_EQ(RunProcess(kelpack + " init " + Quoted(scratch / "new")).ExitCode, 0) << kit;
        auto made = FileTree(scratch / "new");
        EXPECT_EQ(made.erase("Languages\\English.lng"), 1u) << kit << ": the language template";
        EXPECT_EQ(made, FileTree(KEL_SAMPLE_PROJECT)) << kit;
    }
}

TEST(KelpackInit, WritesTheSampleProjectReadyToBuild) {
    ScratchFolder scratch;
    const std::string project = scratch / "new";
    ProcessResult run = Kelpack("init " + Quoted(project));
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("kelpack build"), std::string::npos);
    // The sample project with the sample product's program from the kit.
    // With the English texts as the template of a language of the vendor's own.
    auto expected = FileTree(KEL_SAMPLE_PROJECT);
    const std::string program = std::string(KEL_KIT_DIR) + "\\sample\\Files\\LarkNotes.exe";
    if (platform::FileExists(program)) expected["Files\\LarkNotes.exe"] = ReadFile(program);
    auto written = FileTree(project);
    const std::string languageTemplate = written["Languages\\English.lng"];
    written.erase("Languages\\English.lng");
    EXPECT_EQ(written, expected);
    EXPECT_EQ(languageTemplate.rfind("# The wizard's texts in English, as a template", 0), 0u) << languageTemplate;
    EXPECT_NE(languageTemplate.find("\nWelcomeHead=Welcome to the Setup Wizard for {title}\n"), std::string::npos);

    run = Kelpack("init " + Quoted(project));
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, project + " is not empty; name a new or an empty folder\n");
    WriteFile(scratch / "file", "");
    EXPECT_EQ(Kelpack("init " + Quoted(scratch / "file")).ExitCode, 1);
    ASSERT_TRUE(platform::CreateDir(scratch / "empty"));
    EXPECT_EQ(Kelpack("init " + Quoted(scratch / "empty")).ExitCode, 0);

    // Built as it is, with the kit's wizard and uninstaller.
    if (!platform::FileExists(program) || !platform::FileExists(std::string(KEL_KIT_DIR) + "\\Setup.exe"))
        GTEST_SKIP() << "the kit beside kelpack lacks the Windows programs (build them first)";
    run = Kelpack("build " + Quoted(project) + " " + Quoted(scratch / "out"));
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(EntryNames(scratch / "out\\Data.Kel"),
              (std::vector<std::string>{"Setup.ini", "gfx.x", "lng.x", "First-note.txt", "LarkNotes.exe",
                                        "Licence.txt", "ReadMe.txt", "uninstall.exe"}));
    // The kit's wizard, with the payload's digest in the slot after its marker.
    std::string built = ReadFile(scratch / "out\\Setup.exe");
    const std::string kit = ReadFile(std::string(KEL_KIT_DIR) + "\\Setup.exe");
    const std::string marker(kPayloadDigestMarker, sizeof kPayloadDigestMarker);
    const size_t slot = kit.find(marker) + marker.size();
    ASSERT_EQ(built.size(), kit.size());
    ASSERT_NE(kit.find(marker), std::string::npos);
    EXPECT_NE(built.compare(slot, 32, kit, slot, 32), 0) << "the digest is written";
    built.replace(slot, 32, kit, slot, 32);
    EXPECT_EQ(built, kit);
}
