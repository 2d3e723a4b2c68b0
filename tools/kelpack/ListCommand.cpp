// kelpack list ARCHIVE
#include <cstdio>

#include "archive/ZLIBArchive.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/Windows1252.h"

int ListCommand(const TArguments& arguments) {
    const TCommandLine line = ParseCommandLine({"list", 1, 1, {}, {}}, arguments);
    TZLBArchive archive;
    archive.OpenArchive(line.Operands[0]);
    std::printf("%-32s %-24s %12s %-10s %s\n", "Name", "Path", "Size", "Method", "CRC");
    long long total = 0;
    for (int i = 0; i < archive.GetFileCount(); ++i) {
        TArchiveEntry entry;
        archive.GetFileEntry(i, entry);
        std::printf("%-32s %-24s %12d %-10s %08x\n", SystemNameOf(entry.FileName).c_str(), SystemNameOf(entry.FilePath).c_str(), entry.FileSize,
                    entry.IsStored() ? "stored" : "compressed", entry.FileCRC);
        total += entry.FileSize;
    }
    std::printf("%d entries, %lld bytes\n", archive.GetFileCount(), total);
    return 0;
}
