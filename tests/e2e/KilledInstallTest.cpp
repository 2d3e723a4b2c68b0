// A silent installation of a few hundred files killed with SIGKILL at
// random moments: each time, the next run of the same setup undoes what the
// killed one left and completes, and the uninstaller then leaves nothing
// behind: no file, folder, shortcut or entry, no journal, and beside
// Setup.exe only Setup.exe and Data.Kel. KEL_KILL_POINTS sets how many
// moments are tried (2 by default, to keep the run short); the seed is fixed.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SampleProductTest.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WineSystem.h"

namespace {

const std::string kRunLog = "C:\\kel-killed-run.log";
const std::string kJournals = "C:\\windows\\Kel Setup Journals";

std::string EntriesOf(const std::string& folder) { return RunProcess("ls -1A " + Quoted(folder) + " 2>&1").Out; }

// The last line of a text, without its line break.
std::string LastLine(const std::string& text) {
    const size_t end = text.find_last_not_of("\r\n");
    if (end == std::string::npos) return "";
    const size_t start = text.find_last_of('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

class KilledInstall : public SampleProductTest {
protected:
    KilledInstall() : SampleProductTest(kRunLog) {}

    // The sample product with a few hundred more files in ten folders.
    void MakeLargeSetup() {
        const std::string more = platform::NativePath(Scratch() / "more");
        std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
        const std::string first = "Addfile=LarkNotes.exe";
        ini.replace(ini.find(first), first.size(), first + "\r\nAddfile=extra\\*");
        for (int i = 0; i < 200; ++i) {
            const std::string folder = more + "/extra/part" + std::to_string(i % 10);
            platform::ForceDirectories(folder);
            WriteFile(folder + "/file" + std::to_string(i) + ".dat", std::string(10000 + i, char('a' + i % 26)));
        }
        MakeSetupWith(ini, more);
    }

    std::optional<int> Run(const std::string& program, const std::vector<std::string>& arguments) {
        std::vector<std::string> command{program};
        command.insert(command.end(), arguments.begin(), arguments.end());
        Launch(command);
        WaitUntil([&] { return !Program().Running(); }, 120s, 20ms);
        const std::optional<int> exitCode = Program().WaitForExit(5s);
        Program().Stop();
        return exitCode;
    }

    std::optional<int> Install() { return Run(setupFolder + "/Setup.exe", {"/S", "/LOG=" + kRunLog}); }
    std::optional<int> Uninstall() { return Run(sample.Destination + "\\uninstall.exe", {"/S"}); }

    // What is left of the product; empty when nothing is.
    std::string Left() {
        std::string left;
        for (const std::string& path : {sample.ProductRoot, sample.Group, sample.DesktopLink}) {
            const std::string unix = UnixPathOfDriveC(path);
            if (platform::FileExists(unix) || platform::DirectoryExists(unix)) left += path + "\n";
        }
        if (RegistryValue32(kSampleUninstallKey, "DisplayName")) left += "the uninstall entry\n";
        const std::string journals = UnixPathOfDriveC(kJournals);
        if (platform::DirectoryExists(journals) && !EntriesOf(journals).empty()) left += "journals: " + EntriesOf(journals);
        if (EntriesOf(setupFolder) != "Data.Kel\nSetup.exe\n") left += "beside Setup.exe: " + EntriesOf(setupFolder);
        return left;
    }
};

}  // namespace

TEST_F(KilledInstall, TheNextRunCompletesAndTheUninstallerThenLeavesNothing) {
    CheckPrerequisites(kSetupExe);
    MakeLargeSetup();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Install(), 0) << ReadFile(UnixPathOfDriveC(kRunLog));
    const auto whole = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(Uninstall(), 0);
    WaitUntil([&] { return Left().empty(); }, 10s);
    ASSERT_EQ(Left(), "") << "after a complete installation and its removal";

    const char* points = std::getenv("KEL_KILL_POINTS");
    const int count = points ? std::atoi(points) : 2;
    std::mt19937 random(24);
    // Moments while the run still works; one that ends before is removed before the next run.
    std::uniform_int_distribution<long> moment(0, long(whole.count()) * 9 / 10);
    for (int i = 0; i < count; ++i) {
        const auto delay = std::chrono::milliseconds(moment(random));
        platform::RemoveFile(UnixPathOfDriveC(kRunLog));
        Launch({setupFolder + "/Setup.exe", "/S", "/LOG=" + kRunLog});
        std::this_thread::sleep_for(delay);
        const bool ended = !Program().Running();
        Program().Kill();
        const std::string runLog = UnixPathOfDriveC(kRunLog);
        const std::string reached = platform::FileExists(runLog) ? LastLine(ReadFile(runLog)) : "(none logged yet)";
        // Killed once its log and entry were written, the installation may
        // be complete: it is removed first, as a second installation over a
        // complete one is not what this test is about.
        const bool written = reached == "Installed" || (reached.starts_with("Wrote ") && reached.ends_with("setup.log"));
        if (written) Uninstall();
        const std::optional<int> next = Install();
        const std::string nextLog = ReadFile(UnixPathOfDriveC(kRunLog));
        const bool rolledBack = nextLog.find("Rolled back the interrupted installation") != std::string::npos;
        const std::optional<int> removal = Uninstall();
        WaitUntil([&] { return Left().empty(); }, 10s);
        const std::string left = Left();
        std::printf("kill %d after %ld ms (%s: %s): next run %s%s, removal %s, left: %s\n", i + 1,
                    long(delay.count()), ended ? "ended before, last step" : "last step",
                    (reached + (written ? ", removed first" : "")).c_str(), next == 0 ? "installed" : "FAILED",
                    rolledBack ? " after rolling back" : "", removal == 0 ? "complete" : "FAILED",
                    left.empty() ? "nothing" : left.c_str());
        std::fflush(stdout);
        EXPECT_EQ(next, 0) << "kill " << i + 1 << ":\n" << nextLog;
        EXPECT_EQ(removal, 0) << "kill " << i + 1;
        EXPECT_EQ(left, "") << "kill " << i + 1;
        if (!left.empty()) RemoveSampleAndTraces(sample, kRunLog);
    }
}
