// kelpack as the kit a vendor installs: a new project builds at once with the
// kit's programs, texts and names written on Linux reach the wizard in its
// code page, the setup gets the modes the umask gives, and signing either
// signs both programs or writes nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/PayloadDigest.h"
#include "archive/Sha256.h"
#include "archive/ZLIBArchive.h"
#include "platform/FileSystem.h"
#include "tests/support/FileTree.h"
#include "tests/support/RunProcess.h"
#include "tests/support/ScratchFolder.h"

#ifndef _WIN32
#include <sys/stat.h>

#include "platform/posix/NativePath.h"
#endif

namespace {

ProcessResult Kelpack(const std::string& arguments) { return RunProcess(std::string(KELPACK_EXE) + " " + arguments); }

std::string KitFile(const std::string& name) { return std::string(KEL_KIT_DIR) + "\\" + name; }

bool KitIsComplete() {
    return platform::FileExists(KitFile("Setup.exe")) && platform::FileExists(KitFile("uninstall.exe")) &&
           platform::FileExists(KitFile("sample\\Files\\LarkNotes.exe"));
}
#define REQUIRE_KIT() \
    if (!KitIsComplete()) GTEST_SKIP() << "the kit beside kelpack lacks the Windows programs (build them first)"

// A new project made by "kelpack init".
std::string NewProject(const ScratchFolder& scratch) {
    const std::string project = scratch / "project";
    const ProcessResult made = Kelpack("init " + Quoted(project));
    EXPECT_EQ(made.ExitCode, 0) << made.Err;
    return project;
}

ProcessResult Build(const std::string& project, const std::string& out, const std::string& options = "") {
    return Kelpack("build " + Quoted(project) + " " + Quoted(out) + options);
}

// The payload's files by their names in the archive, with their bytes.
std::map<std::string, std::string> Payload(const std::string& setupFolder) {
    ScratchFolder unpacked;
    TZLBArchive archive;
    archive.OpenArchive(setupFolder + "\\Data.Kel");
    archive.ExtractFiles(unpacked.Path() + "\\");
    archive.CloseArchive();
    return FileTree(unpacked.Path());
}

// Whether the archive's trailer tags its names as UTF-8.
bool NamesInUtf8(const std::string& archiveName) {
    TZLBArchive archive;
    archive.OpenArchive(archiveName);
    return archive.Trailer().NamesInUtf8;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

#ifndef _WIN32
// Whether the program holds the payload's digest right after the marker of
// its slot: the SHA-256 of its table and trailer, which hold every entry's.
bool CarriesDigestOf(const std::string& program, const std::string& payload) {
    const std::string bytes = ReadFile(payload);
    const TArchiveTrailer trailer =
        TArchiveTrailer::Decode(reinterpret_cast<const uint8_t*>(bytes.data()) + bytes.size() - ArchiveTrailerSize);
    EXPECT_TRUE(trailer.HasEntryDigests) << payload;
    TSha256 sha;
    sha.Update(bytes.data() + trailer.TableOffset, bytes.size() - trailer.TableOffset);
    const TSha256Digest digest = sha.Finish();
    const std::string slot = std::string(kPayloadDigestMarker, sizeof(kPayloadDigestMarker)) +
                             std::string(digest.begin(), digest.end());
    return ReadFile(program).find(slot) != std::string::npos;
}
#endif

}  // namespace

TEST(KelpackKit, AddsItsUninstallerToAProjectWithoutOneAndItsLineToThePackedSetupIniOnly) {
    REQUIRE_KIT();
    struct TCase {
        const char* What;
        bool NamedInSetupIni;
        const char* OwnUninstaller;  // nullptr: none in Files
        const char* Told;            // the line build prints about it; "" for none
    };
    const TCase cases[] = {
        {"named, not held", true, nullptr, "Added the kit's uninstall.exe to the payload\n"},
        {"neither named nor held", false, nullptr,
         "Added the kit's uninstall.exe to the payload, with \"Addfile=uninstall.exe\" in the packed Setup.ini\n"},
        {"a project's own", true, "MZ the vendor's own", ""},
    };
    for (const TCase& c : cases) {
        ScratchFolder scratch;
        const std::string project = NewProject(scratch);
        std::string ini = ReadFile(project + "\\Setup.ini");
        if (!c.NamedInSetupIni) ini = Replaced(ini, "Addfile=uninstall.exe\r\n", "");
        WriteFile(project + "\\Setup.ini", ini);
        if (c.OwnUninstaller) WriteFile(project + "\\Files\\uninstall.exe", c.OwnUninstaller);

        const ProcessResult run = Build(project, scratch / "out");
        ASSERT_EQ(run.ExitCode, 0) << c.What << "\n" << run.Err;
        const size_t told = run.Out.find("uninstall.exe");
        EXPECT_EQ(told == std::string::npos ? "" : run.Out.substr(0, run.Out.find('\n') + 1), c.Told) << c.What;
        const auto payload = Payload(scratch / "out");
        EXPECT_EQ(payload.at("uninstall.exe"), c.OwnUninstaller ? c.OwnUninstaller : ReadFile(KitFile("uninstall.exe")))
            << c.What;
        const std::string packed =
            c.NamedInSetupIni ? ini : Replaced(ini, "DesktopIcon=1\r\n", "DesktopIcon=1\r\nAddfile=uninstall.exe\r\n");
        EXPECT_EQ(payload.at("Setup.ini"), packed) << c.What;
        EXPECT_EQ(ReadFile(project + "\\Setup.ini"), ini) << c.What << ": the project's file is left as it was";
    }
}

TEST(KelpackKit, PacksTheDescriptionAndTheShownTextsInWindows1252) {
    REQUIRE_KIT();
    const std::string title = "SiteletTitle=Notizen f\xFCr alle \x80";  // as Windows-1252 holds it
    const std::string utf8Title = "SiteletTitle=Notizen f\xC3\xBCr alle \xE2\x82\xAC";
    struct TCase {
        const char* What;
        std::string Title;
        std::string Licence;
    };
    const TCase cases[] = {
        {"UTF-8", utf8Title, "Lizenz f\xC3\xBCr alle\r\n"},
        {"UTF-8 with byte-order marks", "\xEF\xBB\xBF" + utf8Title, "\xEF\xBB\xBFLizenz f\xC3\xBCr alle\r\n"},
        {"Windows-1252", title, "Lizenz f\xFCr alle\r\n"},
    };
    for (const TCase& c : cases) {
        ScratchFolder scratch;
        const std::string project = NewProject(scratch);
        const std::string ini = ReadFile(project + "\\Setup.ini");
        // The first line is the title line; the BOM goes before it.
        const std::string bom = c.Title.substr(0, c.Title.find('S'));
        WriteFile(project + "\\Setup.ini", bom + Replaced(ini, "SiteletTitle=Larkspur Notes", c.Title.substr(bom.size())));
        WriteFile(project + "\\Files\\Licence.txt", c.Licence);
        WriteFile(project + "\\Files\\ReadMe.txt", c.Licence);

        const ProcessResult run = Build(project, scratch / "out");
        ASSERT_EQ(run.ExitCode, 0) << c.What << "\n" << run.Err;
        const auto payload = Payload(scratch / "out");
        EXPECT_EQ(payload.at("Setup.ini"), Replaced(ini, "SiteletTitle=Larkspur Notes", title)) << c.What;
        for (const char* text : {"Licence.txt", "ReadMe.txt"})
            EXPECT_EQ(payload.at(text), "Lizenz f\xFCr alle\r\n") << c.What << ": " << text;
    }

}

// A project in another script builds: its Setup.ini, licence and ReadMe are
// packed in UTF-8 after a byte-order mark, its names in UTF-8 under the
// archive's tag, and list shows them. A folder whose names take more bytes
// than an archive holds is named with the file in it, and nothing is written.
TEST(KelpackKit, AProjectInCyrillicBuildsWithItsTextsAndNamesInUtf8) {
    REQUIRE_KIT();
    ScratchFolder scratch;
    const std::string project = NewProject(scratch);
    std::string ini = Replaced(ReadFile(project + "\\Setup.ini"), "SiteletTitle=Larkspur Notes", "SiteletTitle=Заметки Ларкспур");
    ini = Replaced(ini, "Folder=Larkspur Notes", "Folder=Ларкспур Заметки");
    ini = Replaced(ini, "Addfile=Licence.txt\r\n", "Addfile=Licence.txt\r\nAddfile=Справка\\Описание.txt\r\n");
    WriteFile(project + "\\Setup.ini", ini);
    const std::string licence = "Лицензия\r\n\r\nГотово \xE2\x9C\x93\r\n";
    WriteFile(project + "\\Files\\Licence.txt", licence);
    ASSERT_TRUE(platform::ForceDirectories(project + "\\Files\\Справка"));
    WriteFile(project + "\\Files\\Справка\\Описание.txt", "описание");

    const ProcessResult run = Build(project, scratch / "out");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const auto payload = Payload(scratch / "out");
    EXPECT_EQ(payload.at("Setup.ini").substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(payload.at("Setup.ini").find("SiteletTitle=Заметки Ларкспур\r\n"), std::string::npos);
    EXPECT_EQ(payload.at("Licence.txt"), "\xEF\xBB\xBF" + licence);
    EXPECT_EQ(payload.at("Описание.txt"), "описание") << "extracted without paths, as Payload does";
    EXPECT_TRUE(NamesInUtf8(scratch / "out\\Data.Kel"));
    const ProcessResult list = Kelpack("list " + Quoted(scratch / "out\\Data.Kel"));
    EXPECT_NE(list.Out.find("Описание.txt"), std::string::npos) << list.Out;
    EXPECT_NE(list.Out.find("Справка"), std::string::npos) << list.Out;

    // 100 and 30 Cyrillic letters: 261 bytes of folder.
    std::string deep = project + "\\Files\\";
    for (int i = 0; i < 100; ++i) deep += "ж";
    deep += "\\";
    for (int i = 0; i < 30; ++i) deep += "ж";
    ASSERT_TRUE(platform::ForceDirectories(deep));
    WriteFile(deep + "\\a.txt", "deep");
    const ProcessResult refused = Build(project, scratch / "refused");
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_NE(refused.Err.find("a.txt: the name or its folder is longer than the 255 bytes an archive holds; shorten it"),
              std::string::npos) << refused.Err;
    EXPECT_FALSE(platform::DirectoryExists(scratch / "refused"));
}

#ifndef _WIN32
// The modes a user's umask gives new files, whatever the temporary files had.
TEST(KelpackKit, WritesTheSetupWithTheModesOfTheUmask) {
    REQUIRE_KIT();
    ScratchFolder scratch;
    const std::string project = NewProject(scratch);
    const struct {
        const char* Umask;
        mode_t DataKel, SetupExe;
    } cases[] = {{"022", 0644, 0755}, {"027", 0640, 0750}, {"077", 0600, 0700}};
    for (const auto& c : cases) {
        const std::string out = platform::NativePath(scratch / ("out-" + std::string(c.Umask)));
        const ProcessResult run = RunProcess(std::string("umask ") + c.Umask + " && " + KELPACK_EXE + " build " +
                                             Quoted(project) + " " + Quoted(out));
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        struct stat dataKel {}, setupExe {};
        ASSERT_EQ(::stat((out + "/Data.Kel").c_str(), &dataKel), 0);
        ASSERT_EQ(::stat((out + "/Setup.exe").c_str(), &setupExe), 0);
        EXPECT_EQ(dataKel.st_mode & 0777, c.DataKel) << c.Umask;
        EXPECT_EQ(setupExe.st_mode & 0777, c.SetupExe) << c.Umask;
    }
}

// Names on Linux are UTF-8; the payload holds Western ones in Windows-1252,
// as it always did, others in UTF-8, and list and extract give them back in UTF-8.
TEST(KelpackKit, NamesAreWindows1252InArchivesAndUtf8OnDisk) {
    REQUIRE_KIT();
    ScratchFolder scratch;
    const std::string project = NewProject(scratch);
    const std::string fuer = "F\xC3\xBCr alle.txt";
    WriteFile(project + "\\Files\\" + fuer, "notes");
    WriteFile(project + "\\Setup.ini",
              Replaced(ReadFile(project + "\\Setup.ini"), "Addfile=Licence.txt\r\n", "Addfile=Licence.txt\r\nAddfile=" + fuer + "\r\n"));
    ProcessResult run = Build(project, scratch / "out");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Payload(scratch / "out").count(fuer), 1u);
    EXPECT_FALSE(NamesInUtf8(scratch / "out\\Data.Kel")) << "Western names stay Windows-1252";

    const std::string tree = scratch / "tree";
    ASSERT_TRUE(platform::ForceDirectories(tree + "\\Gr\xC3\xBC\xC3\x9F" "e"));
    WriteFile(tree + "\\Gr\xC3\xBC\xC3\x9F" "e\\" + fuer, "greetings");
    ASSERT_EQ(Kelpack("pack " + Quoted(scratch / "names.kel") + " " + Quoted(tree)).ExitCode, 0);
    run = Kelpack("list " + Quoted(scratch / "names.kel"));
    EXPECT_NE(run.Out.find(fuer), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Gr\xC3\xBC\xC3\x9F" "e"), std::string::npos) << run.Out;
    ASSERT_EQ(Kelpack("extract " + Quoted(scratch / "names.kel") + " " + Quoted(scratch / "back") + " --with-paths").ExitCode, 0);
    EXPECT_EQ(FileTree(scratch / "back"), FileTree(tree));

    // A name Windows-1252 cannot hold is packed in UTF-8 rather than refused.
    const std::string omega = "\xCE\xA9.txt";
    WriteFile(tree + "\\" + omega, "omega");
    ASSERT_EQ(Kelpack("pack " + Quoted(scratch / "omega.kel") + " " + Quoted(tree)).ExitCode, 0);
    ASSERT_EQ(Kelpack("extract " + Quoted(scratch / "omega.kel") + " " + Quoted(scratch / "omega") + " --with-paths").ExitCode, 0);
    EXPECT_EQ(FileTree(scratch / "omega"), FileTree(tree));
}

// Signing with a certificate made here: both programs carry a signature that
// verifies, and every failure leaves the previous setup as it was.
TEST(KelpackKit, SignsTheWizardAndTheUninstallerOrWritesNothing) {
    REQUIRE_KIT();
    if (RunProcess("command -v osslsigncode && command -v openssl").ExitCode != 0)
        GTEST_SKIP() << "osslsigncode and openssl are needed (scripts/install-deps.sh installs them)";
    ScratchFolder scratch;
    const std::string dir = platform::NativePath(scratch.Path());
    const ProcessResult made = RunProcess(
        "cd " + Quoted(dir) + " && printf 'kit secret\\n' >pass.txt && printf 'wrong\\n' >wrong.txt && "
        "openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj '/CN=Kit Test' && "
        "openssl pkcs12 -export -inkey key.pem -in cert.pem -out vendor.pfx -passout file:pass.txt && "
        "head -c 600 vendor.pfx >damaged.pfx && mkdir temp");
    ASSERT_EQ(made.ExitCode, 0) << made.Err;
    const std::string project = NewProject(scratch);
    const std::string out = dir + "/out";
    const std::string sign = " --sign " + Quoted(dir + "/vendor.pfx") + " --sign-password-file " + Quoted(dir + "/pass.txt");
    // The staging files go to a temporary folder of the test's own, which must stay empty.
    const std::string env = "TMPDIR=" + Quoted(dir + "/temp") + " ";
    const auto verify = [&](const std::string& program) {
        return RunProcess("osslsigncode verify -CAfile " + Quoted(dir + "/cert.pem") + " -in " + Quoted(program));
    };

    ProcessResult run = RunProcess(env + KELPACK_EXE + " build " + Quoted(project) + " " + Quoted(out) + sign);
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("Signed Setup.exe and uninstall.exe with "), std::string::npos) << run.Out;
    EXPECT_EQ(verify(out + "/Setup.exe").ExitCode, 0) << verify(out + "/Setup.exe").Out;
    EXPECT_TRUE(CarriesDigestOf(out + "/Setup.exe", out + "/Data.Kel")) << "the signature covers the payload's digest";
    EXPECT_FALSE(CarriesDigestOf(KitFile("Setup.exe"), out + "/Data.Kel")) << "the kit's own program stays as built";
    WriteFile(dir + "/uninstall.exe", Payload(out).at("uninstall.exe"));
    EXPECT_EQ(verify(dir + "/uninstall.exe").ExitCode, 0) << verify(dir + "/uninstall.exe").Out;
    EXPECT_NE(verify(KitFile("uninstall.exe")).ExitCode, 0) << "the kit's own copy stays unsigned";
    const auto signedSetup = FileTree(out);

    const struct {
        const char* What;
        std::string Options;
        std::string Told;
    } failures[] = {
        {"wrong password", " --sign " + Quoted(dir + "/vendor.pfx") + " --sign-password-file " + Quoted(dir + "/wrong.txt"),
         "the password in " + dir + "/wrong.txt does not open " + dir + "/vendor.pfx"},
        {"no password", " --sign " + Quoted(dir + "/vendor.pfx"), dir + "/vendor.pfx needs a password"},
        {"damaged certificate", " --sign " + Quoted(dir + "/damaged.pfx") + " --sign-password-file " + Quoted(dir + "/pass.txt"),
         dir + "/damaged.pfx holds no readable certificate"},
        {"missing certificate", " --sign " + Quoted(dir + "/none.pfx"), "No such file: " + dir + "/none.pfx (--sign)"},
        {"no osslsigncode", sign, "Cannot sign: osslsigncode is not installed"},
    };
    for (const auto& c : failures) {
        const std::string path = std::string(c.What) == "no osslsigncode" ? "PATH=/nonexistent " : "";
        run = RunProcess(env + path + KELPACK_EXE + " build " + Quoted(project) + " " + Quoted(out) + c.Options);
        EXPECT_EQ(run.ExitCode, 1) << c.What;
        EXPECT_NE(run.Err.find(c.Told), std::string::npos) << c.What << "\n" << run.Err;
        EXPECT_EQ(FileTree(out), signedSetup) << c.What << ": the previous setup stays";
        EXPECT_EQ(FileTree(dir + "/temp").size(), 0u) << c.What << ": no staging file is left";
    }
    EXPECT_EQ(Build(project, out, " --timestamp http://tsa.invalid").ExitCode, 2) << "--timestamp needs --sign";
}
#endif
