// Setups whose names reach beyond the system's code page, installed with /S
// and removed by their uninstaller with /S: from the Downloads folder of a
// user whose name the code page cannot hold, in German on Cyrillic and
// Japanese systems, into folders in other scripts, beyond the Basic
// Multilingual Plane and deeper than 260 characters, and a project written
// in Cyrillic throughout. Names are compared exactly: the files as the Unix
// side lists them (UTF-8), the registry as its tool exports it (UTF-16).
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/TextCoding.h"
#include "tests/e2e/Leftovers.h"
#include "tests/e2e/LinkFile.h"
#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WineSystem.h"

namespace {

const std::string kRunLog = "C:\\kel-unicode-run.log";
// The prefix made once for a user whose name Windows-1252 cannot hold.
const std::string kProfileUser = "Łukasz";
const std::string kProfileUserPrefix = KEL_BUILD_DIR "/wine-profile-user";

// A product made from the sample project.
struct Product {
    std::string Title;        // the entry's key and name, the program's and the desktop's links
    std::string Folder;       // the program folder in the Start menu
    std::string Destination;  // proposed below Program Files
    std::string Language = "English";
    std::string Licence = "Licence.txt";
    std::string ReadMe = "ReadMe.txt";
    std::vector<std::pair<std::string, std::string>> Files;  // added to the sample's: name, text
};

const Product kSample{kSampleTitle, kSampleTitle, "Larkspur\\Notes", "English", "Licence.txt", "ReadMe.txt", {}};
const Product kGerman{"Grüße Café", "Grüße Café", "Grüße\\Café", "German", "Licence.txt", "ReadMe.txt",
                      {{"Übersicht.txt", "Übersicht der Größen"}}};
const Product kCyrillic{"Заметки Ларкспур", "Ларкспур Заметки", "Ларкспур\\Заметки", "English",
                        "Лицензия.txt", "Прочти меня.txt",
                        {{"Лицензия.txt", "Лицензионное соглашение\r\nВсе права защищены.\r\n"},
                         {"Прочти меня.txt", "Заметки для всех.\r\n"},
                         {"Первая заметка.txt", "Привет, мир!"}}};

struct UnicodeCase {
    const char* Name;
    Product Made;
    std::string Locale;       // the system's code page and language for the Windows programs; "" keeps 1252
    std::string Destination;  // given with /D=, below a folder that the setup makes; "" for the proposed one
    bool FromProfileUser = false;  // run from the Downloads of kProfileUser's prefix
};

void PrintTo(const UnicodeCase& c, std::ostream* out) { *out << c.Name; }

const std::string kLongDestination = [] {
    std::string path = "C:\\Kel Long";
    for (int level = 1; path.size() <= 280; ++level) path += "\\Verzeichnis mit einem langen Namen " + std::to_string(level);
    return path + "\\Notes";
}();

const UnicodeCase kCases[] = {
    {"ProfileUserDownloads", kSample, "", "", true},
    {"GermanOnCyrillicSystem", kGerman, "ru_RU.UTF-8", ""},
    {"GermanOnJapaneseSystem", kGerman, "ja_JP.UTF-8", ""},
    {"CyrillicDestination", kSample, "", "C:\\Кириллица\\Заметки"},
    {"GreekDestination", kSample, "", "C:\\Ελληνικά\\Σημειώσεις"},
    {"CjkDestination", kSample, "", "C:\\統一碼\\ノート"},
    {"BeyondTheBmpDestination", kSample, "", "C:\\Noten 𝄞 😀\\Notes"},
    {"DestinationBeyond260Characters", kSample, "", kLongDestination},
    {"CyrillicProject", kCyrillic, "", ""},
};

// The sample's description with the product's entries in its Setup block.
std::string DescriptionOf(const Product& product) {
    std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
    const auto set = [&](const std::string& key, const std::string& value) {
        const size_t at = ini.find("\n" + key + "=") + 1, end = ini.find("\r\n", at);
        ini.replace(at, end - at, key + "=" + value);
    };
    set("SiteletTitle", product.Title);
    set("Publisher", product.Title.substr(0, product.Title.find(' ')));
    set("Folder", product.Folder);
    set("Destination", product.Destination);
    set("Language", product.Language);
    set("Licence", product.Licence);
    set("ReadMe", product.ReadMe);
    std::string more;
    for (const auto& [name, text] : product.Files) more += "Addfile=" + name + "\r\n";
    ini.insert(ini.find("Addfile="), more);
    return ini;
}

std::vector<std::string> FilesOf(const Product& product) {
    std::vector<std::string> files{"LarkNotes.exe", "uninstall.exe", "setup.log", product.Licence, product.ReadMe};
    for (const auto& [name, text] : product.Files) files.push_back(name);
    return files;
}

bool Exists(const std::string& windowsPath) {
    const std::string path = UnixPathOf(windowsPath);
    return platform::FileExists(path) || platform::DirectoryExists(path);
}

std::string WithoutByteOrderMark(const std::string& bytes) {
    return StartsWithByteOrderMark(bytes) ? bytes.substr(kUtf8ByteOrderMark.size()) : bytes;
}

class UnicodeInstall : public SetupWizardTest, public testing::WithParamInterface<UnicodeCase> {
protected:
    SamplePlaces places;
    Leftovers leftovers;

    void SetUp() override {
        const UnicodeCase& c = GetParam();
        if (c.FromProfileUser) {
            setenv("KEL_WINEPREFIX", kProfileUserPrefix.c_str(), 1);
            setenv("KEL_WINEUSER", kProfileUser.c_str(), 1);
            // Made on the first run, then kept in the build folder.
            RunProcess("bash " + Quoted(KEL_SOURCE_DIR "/scripts/wine-run.sh") + " cmd /c exit 0");
        }
        if (!c.Locale.empty()) setenv("LC_ALL", c.Locale.c_str(), 1);
        places = ProductPlacesInThePrefix(c.Made.Title, c.Made.Folder, c.Made.Destination);
        if (!c.Destination.empty()) {
            places.Destination = c.Destination;
            places.ProductRoot = c.Destination.substr(0, c.Destination.find('\\', 3));
        }
        RemoveInstallation();
        std::vector<std::string> watched{places.ProductRoot, places.Group, places.DesktopLink};
        if (c.FromProfileUser) watched.push_back("C:\\users\\" + kProfileUser);
        leftovers.Watch(watched);
    }

    void TearDown() override {
        EndWinePrograms();
        RemoveInstallation();
        leftovers.Remove();
        SetupWizardTest::TearDown();
        for (const char* name : {"LC_ALL", "KEL_WINEPREFIX", "KEL_WINEUSER"}) unsetenv(name);
    }

    void RemoveInstallation() {
        RemoveSampleAndTraces(places, kRunLog);
        if (GetParam().FromProfileUser)
            for (const char* file : {"Setup.exe", "Data.Kel"}) platform::RemoveFile(UnixPathOf(Downloads() + "\\" + file));
    }

    std::string Downloads() {
        return RegistryValue32("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                               "{374DE290-123F-4565-9164-39C4925E467B}")
            .value_or("C:\\(no Downloads folder)");
    }

    // The setup made by kelpack, where the case runs it from: as Windows names Setup.exe.
    std::string MakeTheSetup() {
        const Product& product = GetParam().Made;
        const std::string more = platform::NativePath(Scratch() / "more");
        platform::ForceDirectories(more);
        for (const auto& [name, text] : product.Files) WriteFile(more + "/" + name, text);
        MakeSetupWith(DescriptionOf(product), more);
        if (!GetParam().FromProfileUser) return WinePath(setupFolder) + "\\Setup.exe";
        for (const char* file : {"Setup.exe", "Data.Kel"})
            EXPECT_TRUE(platform::CopyFileTo(setupFolder + "/" + file, UnixPathOf(Downloads() + "\\" + file), false));
        setupFolder = UnixPathOf(Downloads());
        return Downloads() + "\\Setup.exe";
    }

    std::string RunLog() {
        const std::string log = UnixPathOfDriveC(kRunLog);
        if (!platform::FileExists(log)) return "(no run log)";
        const std::string bytes = ReadFile(log);
        return IsUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
    }

    // Every place of the installation with its name as written is there, or
    // after the removal none is; what is wrong, when anything is.
    testing::AssertionResult PlacesAre(bool installed) {
        const Product& product = GetParam().Made;
        std::string wrong;
        const auto expect = [&](bool there, const std::string& what) {
            if (there != installed) wrong += "\n  " + what + (there ? " is there" : " is missing");
        };
        for (const std::string& file : FilesOf(product)) expect(Exists(places.Destination + "\\" + file), file);
        for (const std::string& link : {product.Title, std::string("Uninstall"), product.ReadMe})
            expect(Exists(places.Group + "\\" + link + ".lnk"), "the program folder's link " + places.Group + "\\" + link);
        expect(Exists(places.DesktopLink), "the desktop link " + places.DesktopLink);
        expect(Exists(places.ProductRoot), "the folder " + places.ProductRoot);
        expect(RegistryValue32(places.UninstallKey, "DisplayName") == product.Title, "the entry " + product.Title);
        if (platform::DirectoryExists(setupFolder + "/temp")) wrong += "\n  the setup's working folder is left";
        if (!installed && leftovers.NewEntry()) wrong += "\n  another uninstall entry";
        if (wrong.empty()) return testing::AssertionSuccess();
        std::string entries;
        for (const std::string& entry : RegistrySubkeys32(kUninstallKeys)) entries += " [" + entry + "]";
        return testing::AssertionFailure() << (installed ? "installed" : "removed") << ", but:" << wrong
                                           << "\nuninstall entries:" << entries << "\nrun log:\n" << RunLog();
    }

    // What the names lead to holds what was written: the shortcuts' folder
    // and name, the uninstall command, the log, the files' texts.
    void ExpectContentsAsWritten() {
        const Product& product = GetParam().Made;
        const std::optional<LinkFile> link = ReadLinkFile(UnixPathOf(places.DesktopLink));
        ASSERT_TRUE(link.has_value());
        EXPECT_EQ(link->WorkingFolder, places.Destination);
        EXPECT_EQ(link->Description, product.Title);
        EXPECT_EQ(RegistryValue32(places.UninstallKey, "UninstallString"), "\"" + places.Destination + "\\uninstall.exe\"");
        const std::string log = DecodeText8(ReadFile(UnixPathOf(places.Destination + "\\setup.log")));
        EXPECT_NE(log.find("\r\nNAME=" + product.Title + "\r\n"), std::string::npos) << log;
        EXPECT_NE(log.find("\r\nCOPYFILE=" + places.Destination + "\\LarkNotes.exe\r\n"), std::string::npos) << log;
        for (const auto& [name, text] : product.Files)
            EXPECT_EQ(WithoutByteOrderMark(ReadFile(UnixPathOf(places.Destination + "\\" + name))), text) << name;
    }
};

}  // namespace

TEST_P(UnicodeInstall, InstallsSilentlyWithEveryNameAsWrittenAndTheUninstallerLeavesNothing) {
    CheckPrerequisites(kSetupExe);
    if (HasFatalFailure()) return;
    const std::string setup = MakeTheSetup();
    if (HasFatalFailure()) return;
    std::vector<std::string> arguments{"/LOG=" + kRunLog};
    if (!GetParam().Destination.empty()) arguments.push_back("/D=" + GetParam().Destination);
    EXPECT_EQ(RunSilently(setup, arguments), 0) << RunLog();
    ASSERT_TRUE(PlacesAre(true));
    ExpectContentsAsWritten();

    EXPECT_EQ(RunSilently(places.Destination + "\\uninstall.exe", {}), 0);
    testing::AssertionResult removed = testing::AssertionSuccess();
    WaitUntil([&] { return bool(removed = PlacesAre(false)); }, 10s, 1s);
    EXPECT_TRUE(removed);
}

INSTANTIATE_TEST_SUITE_P(Names, UnicodeInstall, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<UnicodeCase>& info) { return std::string(info.param.Name); });
