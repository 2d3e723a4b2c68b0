// "kelpack build" of one project gives the same bytes whatever the folder,
// the time, the files' modification times and the number of threads, and
// --verify-reproducible says so before it writes the setup.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/FileSystem.h"
#include "platform/posix/NativePath.h"
#include "tests/support/FileTree.h"
#include "tests/support/RunProcess.h"
#include "tests/support/ScratchFolder.h"

namespace {

// A copy of the sample project with stand-ins for the programs built elsewhere.
std::string StageProject(const std::string& project) {
    CopyTree(KEL_SAMPLE_PROJECT, project);
    WriteFile(project + "\\Files\\LarkNotes.exe", "MZ notes");
    WriteFile(project + "\\Files\\uninstall.exe", "MZ uninstall");
    return project;
}

ProcessResult Build(const std::string& environment, const std::string& project, const std::string& out,
                    const std::string& options) {
    return RunProcess(environment + " " + KELPACK_EXE + " build " + Quoted(project) + " " + Quoted(out) + " " + options);
}

}  // namespace

TEST(KelpackReproducible, SameProjectGivesTheSameBytesUnderOtherConditions) {
    ScratchFolder scratch;
    WriteFile(scratch / "Setup.exe", "MZ the wizard");
    const std::string setup = " --setup " + Quoted(scratch / "Setup.exe");
    const std::string project = StageProject(scratch / "project");
    const ProcessResult first = Build("", project, scratch / "first", setup);
    ASSERT_EQ(first.ExitCode, 0) << first.Err;
    const std::map<std::string, std::string> expected = FileTree(scratch / "first");

    // A copy elsewhere, deeper, whose files are decades older.
    const std::string moved = StageProject(scratch / "elsewhere\\deeper\\project");
    ASSERT_EQ(RunProcess("find " + Quoted(platform::NativePath(moved)) + " -exec touch -h -d @1000000000 {} +").ExitCode, 0);
    const struct {
        const char* What;
        std::string Environment;
        std::string Project;
        std::string Options;
    } conditions[] = {
        {"one thread", "", project, "--threads 1"},
        {"three threads", "", project, "--threads 3"},
        {"another folder, older files", "", moved, ""},
        {"a source date", "SOURCE_DATE_EPOCH=1", project, ""},
        {"another time zone and locale", "TZ=Asia/Tokyo LC_ALL=de_DE.UTF-8", moved, "--threads 2"},
    };
    for (const auto& c : conditions) {
        const std::string out = scratch / (std::string("out-") + c.What);
        const ProcessResult run = Build(c.Environment, c.Project, out, c.Options + setup);
        ASSERT_EQ(run.ExitCode, 0) << c.What << ": " << run.Err;
        EXPECT_EQ(FileTree(out), expected) << c.What;
    }
}

TEST(KelpackReproducible, VerifiedBuildWritesTheSameSetupAfterComparing) {
    ScratchFolder scratch;
    WriteFile(scratch / "Setup.exe", "MZ the wizard");
    const std::string setup = " --setup " + Quoted(scratch / "Setup.exe");
    const std::string project = StageProject(scratch / "project");
    ASSERT_EQ(Build("", project, scratch / "plain", setup).ExitCode, 0);

    const ProcessResult verified = Build("", project, scratch / "verified", "--verify-reproducible" + setup);
    ASSERT_EQ(verified.ExitCode, 0) << verified.Err;
    EXPECT_NE(verified.Out.find("Reproducible: a second build"), std::string::npos) << verified.Out;
    EXPECT_EQ(FileTree(scratch / "verified"), FileTree(scratch / "plain"));

    // Signatures are outside the promise; a refused project writes nothing.
    EXPECT_EQ(Build("", project, scratch / "signed", "--verify-reproducible --sign x.pfx" + setup).ExitCode, 2);
    platform::RemoveFile(project + "\\Setup.ini");
    EXPECT_EQ(Build("", project, scratch / "refused", "--verify-reproducible" + setup).ExitCode, 1);
    EXPECT_FALSE(platform::DirectoryExists(scratch / "refused"));
}
