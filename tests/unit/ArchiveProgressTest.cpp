// Progress reports: their percentages, their rounding and their order.
#include "tests/support/ArchiveFixture.h"

using ProgressTest = ArchiveFixture;

TEST_F(ProgressTest, PiecesOfFourKilobytesRoundHalvesToEven) {
    ArchiveBuilder builder;
    builder.Add("ten.txt", TextData(10000));
    builder.Add("zero.txt", "");
    builder.Add("big.bin", NoiseData(32768), "", true);
    builder.WriteTo(archiveName);
    RecordProgress();
    archive.OpenArchive(archiveName);
    EXPECT_EQ(reports, (Reports{{"", 0}, {archiveName, 0}}));
    reports.clear();

    archive.ExtractFiles(destination);
    EXPECT_EQ(reports, (Reports{{"Extracting ten.txt", 41},
                                {"Extracting ten.txt", 82},
                                {"Extracting ten.txt", 100},
                                {"Extracting big.bin", 12},
                                {"Extracting big.bin", 25},
                                {"Extracting big.bin", 38},
                                {"Extracting big.bin", 50},
                                {"Extracting big.bin", 62},
                                {"Extracting big.bin", 75},
                                {"Extracting big.bin", 88},
                                {"Extracting big.bin", 100},
                                {archiveName, 0}}));
    EXPECT_EQ(archive.ProgressActivity(), paIdle);
}

TEST_F(ProgressTest, CompressedTableReportsWhileItIsRead) {
    ArchiveBuilder builder;
    for (int i = 0; i < 10; ++i) builder.Add(std::string("f").append(std::to_string(i)), "x");
    builder.CompressTable = true;
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    RecordProgress();
    archive.OpenArchive(archiveName);  // closing first reports the cleared name
    // 5320 bytes of records: a piece of 4096, then the rest.
    EXPECT_EQ(reports, (Reports{{"", 0},
                                {"Extracting archive registry", 77},
                                {"Extracting archive registry", 100},
                                {archiveName, 0}}));
}

TEST_F(ProgressTest, ClosingAndFailuresEndIdleWithTheArchiveName) {
    ArchiveBuilder builder;
    builder.Add("good.txt", "fine");
    builder.Add("bad.txt", "x").FileSize = 10;
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    RecordProgress();
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }), "File (1) is corrupt");
    EXPECT_EQ(reports, (Reports{{"Extracting good.txt", 100}, {archiveName, 0}}));
    reports.clear();
    archive.CloseArchive();
    EXPECT_EQ(reports, (Reports{{"", 0}}));
}

TEST_F(ProgressTest, HandlerErrorInsideAnEntryIsACorruptFile) {
    ArchiveBuilder builder;
    builder.Add("a.txt", "fine");
    builder.Add("b.txt", "fine");
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    archive.OnProgress = [](const std::string& message, int) {
        if (message == "Extracting b.txt") throw Exception("stop");
    };
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }), "File (1) is corrupt");
}

TEST(ProgressOnDestruction, DestroyedComponentReportsNothing) {
    ScratchFolder scratch;
    ArchiveBuilder builder;
    builder.Add("a.txt", "x");
    builder.WriteTo(scratch / "a.kel");
    Reports reports;
    {
        TZLBArchive archive;
        archive.OpenArchive(scratch / "a.kel");
        archive.OnProgress = [&](const std::string& m, int p) { reports.emplace_back(m, p); };
    }
    EXPECT_TRUE(reports.empty());

    {
        TComponent owner;
        TZLBArchive& owned = owner.Make<TZLBArchive>();
        EXPECT_EQ(owned.Owner(), &owner);
        owned.OpenArchive(scratch / "a.kel");
        owned.OnProgress = [&](const std::string& m, int p) { reports.emplace_back(m, p); };
    }
    EXPECT_TRUE(reports.empty());
}
