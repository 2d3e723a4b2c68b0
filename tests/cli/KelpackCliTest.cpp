// kelpack as a user runs it: exit codes, exact messages, output and round trips.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "archive/ZLIBArchive.h"
#include "platform/FileSystem.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/FileTree.h"
#include "tests/support/RunProcess.h"
#include "tests/support/ScratchFolder.h"

namespace {

ProcessResult Kelpack(const std::string& arguments) { return RunProcess(std::string(KELPACK_EXE) + " " + arguments); }

#ifdef _WIN32
const std::string kLatinName = "Umlaut-äöü.txt";  // names on Windows reach the programs in UTF-8
#else
const std::string kLatinName = "Umlaut-\xE4\xF6\xFC.txt";  // written in Windows-1252 on a Linux disk, not UTF-8
#endif

void MakeProduct(const std::string& root) {
    ASSERT_TRUE(platform::ForceDirectories(root + "\\bin\\plugins"));
    ASSERT_TRUE(platform::ForceDirectories(root + "\\docs"));
    WriteFile(root + "\\readme.txt", TextData(20000));
    WriteFile(root + "\\.hidden", "hidden but packed");
    WriteFile(root + "\\empty.dat", "");
    WriteFile(root + "\\bin\\app.exe", NoiseData(50000));
    WriteFile(root + "\\bin\\plugins\\one.dll", NoiseData(3000, 2) + TextData(9000, 2));
    WriteFile(root + "\\docs\\licence.txt", TextData(7000, 3));
    WriteFile(root + "\\docs\\" + kLatinName, "Latin-1 name");
}

// The tree of a product made by MakeProduct as extraction writes it back:
// on POSIX in UTF-8, whatever the name was written in.
std::map<std::string, std::string> ExtractedProduct(const std::string& root) {
    std::map<std::string, std::string> tree = FileTree(root);
#ifndef _WIN32
    auto latin = tree.extract("docs\\" + kLatinName);
    latin.key() = "docs\\Umlaut-\xC3\xA4\xC3\xB6\xC3\xBC.txt";
    tree.insert(std::move(latin));
#endif
    return tree;
}

// The archive as kelpack wrote it before tables carried the entries'
// digests: a plain table's records alone, under a trailer without the tag.
std::string WithoutEntryDigests(const std::string& archive) {
    const size_t trailerAt = archive.size() - ArchiveTrailerSize;
    TArchiveTrailer trailer = TArchiveTrailer::Decode(reinterpret_cast<const uint8_t*>(archive.data()) + trailerAt);
    std::string older = archive.substr(0, static_cast<size_t>(trailer.TableOffset) + trailer.FileCount * ArchiveEntrySize);
    trailer.HasEntryDigests = false;
    trailer.ArchiveCRC = ArchiveBuilder::Crc(older);
    std::string bytes(ArchiveTrailerSize, '\0');
    trailer.Encode(reinterpret_cast<uint8_t*>(bytes.data()));
    return older + bytes;
}

// The bytes before the table and the records as the reader gives them.
std::string DataAndRecords(const std::string& archiveName) {
    TZLBArchive archive;
    archive.OpenArchive(archiveName);
    std::string records(static_cast<size_t>(archive.GetFileCount()) * ArchiveEntrySize, '\0');
    for (int i = 0; i < archive.GetFileCount(); ++i) {
        TArchiveEntry entry;
        archive.GetFileEntry(i, entry);
        entry.Encode(reinterpret_cast<uint8_t*>(records.data()) + i * ArchiveEntrySize);
    }
    return ReadFile(archiveName).substr(0, static_cast<size_t>(archive.Trailer().TableOffset)) + records;
}

}  // namespace

TEST(KelpackCli, HelpAndUsageErrors) {
    const ProcessResult help = Kelpack("--help");
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("kelpack pack ARCHIVE PATH..."), std::string::npos);
    EXPECT_EQ(Kelpack("").ExitCode, 2);
    EXPECT_EQ(Kelpack("frobnicate x").ExitCode, 2);
    EXPECT_EQ(Kelpack("pack only-archive").ExitCode, 2);
    const ProcessResult level = Kelpack("pack a.kel . --level huge");
    EXPECT_EQ(level.ExitCode, 2);
    EXPECT_NE(level.Err.find("--level takes none, fastest, default, maximum or 0 to"), std::string::npos);
    EXPECT_EQ(Kelpack("extract a.kel out --bogus").ExitCode, 2);
}

TEST(KelpackCli, FolderRoundTripsExactlyAtEveryLevel) {
    ScratchFolder scratch;
    MakeProduct(scratch / "product");
    for (const std::string level : {"none", "fastest", "default", "maximum"}) {
        const std::string archive = scratch / (level + ".kel");
        const std::string out = scratch / ("out-" + level);
        const ProcessResult pack = Kelpack("pack " + Quoted(archive) + " " + Quoted(scratch / "product") + " --level " + level);
        ASSERT_EQ(pack.ExitCode, 0) << pack.Err;
        const ProcessResult extract = Kelpack("extract " + Quoted(archive) + " " + Quoted(out) + " --with-paths --check-crc");
        ASSERT_EQ(extract.ExitCode, 0) << extract.Err;
        EXPECT_EQ(extract.Out, "");
        EXPECT_EQ(FileTree(out), ExtractedProduct(scratch / "product")) << level;
        EXPECT_EQ(Kelpack("verify " + Quoted(archive)).ExitCode, 0);
    }
}

TEST(KelpackCli, ListShowsEveryEntry) {
    ScratchFolder scratch;
    WriteFile(scratch / "noise.bin", NoiseData(5000));
    ASSERT_TRUE(platform::CreateDir(scratch / "dir"));
    WriteFile(scratch / "dir\\text.txt", TextData(5000));
    const std::string archive = scratch / "a.kel";
    ASSERT_EQ(Kelpack("pack " + Quoted(archive) + " " + Quoted(scratch / "noise.bin") + " " + Quoted(scratch / "dir") +
                      " --plain-table")
                  .ExitCode,
              0);
    const ProcessResult list = Kelpack("list " + Quoted(archive));
    ASSERT_EQ(list.ExitCode, 0) << list.Err;
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08x", ArchiveBuilder::Crc(NoiseData(5000)));
    EXPECT_NE(list.Out.find("noise.bin"), std::string::npos);
    EXPECT_NE(list.Out.find("stored"), std::string::npos);
    EXPECT_NE(list.Out.find(crc), std::string::npos);
    EXPECT_NE(list.Out.find("compressed"), std::string::npos);
    EXPECT_NE(list.Out.find("2 entries, 10000 bytes"), std::string::npos);
}

// A wide table's sizes beyond 32 bits are listed and summed as they are.
TEST(KelpackCli, ListGivesSizesBeyond32Bits) {
    ScratchFolder scratch;
    ArchiveBuilder builder;
    builder.Wide = true;
    builder.EntryDigests = true;
    builder.Add("huge.bin", "x", "", true).FileSize = int64_t{5} << 30;
    builder.Add("more.bin", "y", "", true).FileSize = int64_t{3} << 30;
    builder.WriteTo(scratch / "wide.kel");
    const ProcessResult list = Kelpack("list " + Quoted(scratch / "wide.kel"));
    ASSERT_EQ(list.ExitCode, 0) << list.Err;
    EXPECT_NE(list.Out.find(" 5368709120 stored"), std::string::npos) << list.Out;
    EXPECT_NE(list.Out.find("2 entries, 8589934592 bytes"), std::string::npos) << list.Out;
}

// Archives whose names all fit Windows-1252 are, but for the entries'
// digests, byte for byte what kelpack wrote before names in other scripts
// were possible (the CRC-32 of the whole file as it wrote it; a compressed
// table holds the same records); names beyond it are packed in UTF-8, listed
// and extracted as they were.
TEST(KelpackCli, WesternNamesPackAsTheyAlwaysDidAndOthersRoundTripInUtf8) {
    ScratchFolder scratch;
    ASSERT_TRUE(platform::ForceDirectories(scratch / "in\\Doc"));
    WriteFile(scratch / "in\\a.txt", "hello\n");
    std::string greetings;
    for (int i = 0; i < 50; ++i) greetings += "Grüße ";
    WriteFile(scratch / "in\\Übersicht.txt", greetings);
    WriteFile(scratch / "in\\Doc\\Straße €.txt", "x");
    const std::string files = Quoted(scratch / "in\\a.txt") + " " + Quoted(scratch / "in\\Übersicht.txt") + " " +
                              Quoted(scratch / "in\\Doc");
    ASSERT_EQ(Kelpack("pack " + Quoted(scratch / "western.kel") + " " + Quoted(scratch / "in") + " --plain-table").ExitCode, 0);
    EXPECT_EQ(ArchiveBuilder::Crc(WithoutEntryDigests(ReadFile(scratch / "western.kel"))), 0x90592ca4u);
    ASSERT_EQ(Kelpack("pack " + Quoted(scratch / "compressed.kel") + " " + files).ExitCode, 0);
    ASSERT_EQ(Kelpack("pack " + Quoted(scratch / "plain.kel") + " " + files + " --plain-table").ExitCode, 0);
    EXPECT_EQ(DataAndRecords(scratch / "compressed.kel"), DataAndRecords(scratch / "plain.kel"));

    const std::string tree = scratch / "tree";
    const std::string folder = tree + "\\Папка Ωmega";
    ASSERT_TRUE(platform::ForceDirectories(folder));
    for (const std::string name : {"Файл.txt", "日本語.txt", "😀 astral.txt", "Übersicht.txt"}) WriteFile(folder + "\\" + name, name);
    ASSERT_EQ(Kelpack("pack " + Quoted(scratch / "unicode.kel") + " " + Quoted(tree)).ExitCode, 0);
    const ProcessResult list = Kelpack("list " + Quoted(scratch / "unicode.kel"));
    for (const char* shown : {"Файл.txt", "日本語.txt", "😀 astral.txt", "Папка Ωmega"})
        EXPECT_NE(list.Out.find(shown), std::string::npos) << shown << "\n" << list.Out;
    EXPECT_EQ(Kelpack("verify " + Quoted(scratch / "unicode.kel")).ExitCode, 0);
    ASSERT_EQ(Kelpack("extract " + Quoted(scratch / "unicode.kel") + " " + Quoted(scratch / "back") + " --with-paths --check-crc").ExitCode, 0);
    EXPECT_EQ(FileTree(scratch / "back"), FileTree(tree));
}

TEST(KelpackCli, FailuresPrintTheMessageExactlyAndExitWithOne) {
    ScratchFolder scratch;
    const ProcessResult missing = Kelpack("extract " + Quoted(scratch / "none.kel") + " " + Quoted(scratch / "out"));
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_EQ(missing.Err, "Archive file not found\n");
    EXPECT_EQ(missing.Out, "");

    ArchiveBuilder builder;
    builder.Add("a.txt", "x");
    std::string bytes = builder.Build();
    bytes[bytes.size() - 36] ^= 0x80;
    WriteFile(scratch / "bad.kel", bytes);
    for (const std::string command : {"list", "verify"}) {
        const ProcessResult corrupt = Kelpack(command + " " + Quoted(scratch / "bad.kel"));
        EXPECT_EQ(corrupt.ExitCode, 1);
        EXPECT_EQ(corrupt.Err, "The archive file appears to be corrupted\n");
    }
    EXPECT_EQ(Kelpack("pack " + Quoted(scratch / "x.kel") + " " + Quoted(scratch / "nothing")).Err,
              "No such file or folder: " + scratch / "nothing" + "\n");
}

TEST(KelpackCli, ProgressLogHoldsEveryReportAndNothingElse) {
    ScratchFolder scratch;
    ArchiveBuilder builder;
    builder.Add("ten.txt", TextData(10000));
    builder.Add("zero.txt", "");
    builder.CompressTable = true;
    builder.WriteTo(scratch / "a.kel");
    const std::string archive = scratch / "a.kel";
    const ProcessResult run = Kelpack("extract " + Quoted(archive) + " " + Quoted(scratch / "out") + " --progress-log");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, "\t0\n"                                // closing before opening
                       "Extracting archive registry\t100\n"   // 1064 bytes of records
                       + archive + "\t0\n"                    // opened
                       "Extracting ten.txt\t41\nExtracting ten.txt\t82\nExtracting ten.txt\t100\n" +
                       archive + "\t0\n");                    // idle after extraction
}

TEST(KelpackCli, VerifyNamesEachDamagedEntryAndWritesNothing) {
    ScratchFolder scratch;
    ArchiveBuilder builder;
    builder.Add("good.txt", TextData(3000));
    builder.Add("flipped.bin", "abc", "", true).FileCRC = 12345;
    builder.Add("short.txt", TextData(100)).FileSize = 200;
    builder.WriteTo(scratch / "a.kel");
    const ProcessResult verify = Kelpack("verify " + Quoted(scratch / "a.kel"));
    EXPECT_EQ(verify.ExitCode, 1);
    EXPECT_EQ(verify.Err, "File (1) is corrupt\nFile (2) is corrupt\n");
    EXPECT_EQ(FileTree(scratch.Path()).size(), 1u);  // the archive alone

    // With entry digests, bytes that are not the digest's are found even where the CRC is right.
    builder.EntryDigests = true;
    builder.Add("digest.txt", "these").Sha256 = ArchiveBuilder::Sha256("other");
    builder.WriteTo(scratch / "a.kel");
    EXPECT_EQ(Kelpack("verify " + Quoted(scratch / "a.kel")).Err,
              "File (1) is corrupt\nFile (2) is corrupt\nFile (3) is corrupt\n");
}

TEST(KelpackCli, IndependentArchivesOfEveryKindExtract) {
    ScratchFolder scratch;
    for (const bool compressedTable : {false, true})
        for (const bool tableFirst : {false, true}) {
            ArchiveBuilder builder;
            builder.Add("stored.bin", NoiseData(9000), "raw", true);
            builder.Add("packed.txt", TextData(70000), "text\\deep");
            builder.CompressTable = compressedTable;
            builder.TableFirst = tableFirst;
            builder.WriteTo(scratch / "a.kel");
            ScratchFolder out;
            const ProcessResult run = Kelpack("extract " + Quoted(scratch / "a.kel") + " " + Quoted(out.Path()) + " --with-paths --check-crc");
            ASSERT_EQ(run.ExitCode, 0) << run.Err;
            EXPECT_EQ(ReadFile(out / "raw\\stored.bin"), NoiseData(9000));
            EXPECT_EQ(ReadFile(out / "text\\deep\\packed.txt"), TextData(70000));
        }
}

TEST(KelpackCli, UnsafeEntryIsRefusedWithNothingWrittenOutside) {
    ScratchFolder scratch;
    ArchiveBuilder builder;
    builder.Add("evil.txt", "payload", "..\\..");
    builder.WriteTo(scratch / "a.kel");
    const ProcessResult run = Kelpack("extract " + Quoted(scratch / "a.kel") + " " + Quoted(scratch / "x\\y") + " --with-paths");
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "File (0) would be written outside the destination folder (..\\..\\evil.txt)\n");
    EXPECT_FALSE(platform::FileExists(scratch / "evil.txt"));
    EXPECT_EQ(Kelpack("verify " + Quoted(scratch / "a.kel")).ExitCode, 1);
}

#ifndef _WIN32
// Linux holds names that Windows takes for devices; such a file would not
// unpack there, so no archive is written.
TEST(KelpackCli, PackRefusesNamesOfDevices) {
    for (const std::string name : {"CON", "nul.txt", "Com1.log", "lpt9\\inside.txt"}) {
        ScratchFolder scratch;
        const std::string file = scratch / ("product\\docs\\" + name);
        ASSERT_TRUE(platform::ForceDirectories(file.substr(0, file.find_last_of('\\'))));
        WriteFile(file, "device?");
        const ProcessResult run = Kelpack("pack " + Quoted(scratch / "a.kel") + " " + Quoted(scratch / "product"));
        EXPECT_EQ(run.ExitCode, 1) << name;
        const std::string device = scratch / ("product\\docs\\" + name.substr(0, name.find('\\')));
        EXPECT_EQ(run.Err, device + ": Windows reserves this name for a device; rename it\n");
        EXPECT_FALSE(platform::FileExists(scratch / "a.kel"));
    }
}

// A disk that takes no more bytes is named as such, not taken for a damaged archive.
TEST(KelpackCli, ExtractNamesAFullDiskWithTheSystemsReason) {
    ScratchFolder scratch;
    ArchiveBuilder builder;
    builder.Add("full", TextData(20000));
    builder.WriteTo(scratch / "a.kel");
    const ProcessResult run = Kelpack("extract " + Quoted(scratch / "a.kel") + " /dev");
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "Unable to write file /dev\\full (No space left on device)\n");
}
#endif
