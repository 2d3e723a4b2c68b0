// kelpack list ARCHIVE
#include <algorithm>
#include <cstdio>
#include <string>

#include "archive/ZLIBArchive.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "platform/TextCoding.h"

namespace {

// The text padded with blanks to width characters rather than bytes, so that
// the columns of names in UTF-8 line up as those of ASCII names do.
std::string Padded(const std::string& text, size_t width) {
    size_t characters = 0;
    char32_t character = 0;
    for (size_t at = 0; at < text.size(); ++characters) at += std::max<size_t>(1, NextCharacter(text, at, character));
    return text + std::string(characters < width ? width - characters : 0, ' ');
}

}  // namespace

int ListCommand(const TArguments& arguments) {
    const TCommandLine line = ParseCommandLine({"list", 1, 1, {}, {}}, arguments);
    TZLBArchive archive;
    archive.OpenArchive(line.Operands[0]);
    std::printf("%-32s %-24s %12s %-10s %s\n", "Name", "Path", "Size", "Method", "CRC");
    long long total = 0;
    for (int i = 0; i < archive.GetFileCount(); ++i) {
        TArchiveEntry entry;
        archive.GetFileEntry(i, entry);
        std::printf("%s %s %12lld %-10s %08x\n", Padded(entry.FileName, 32).c_str(), Padded(entry.FilePath, 24).c_str(),
                    static_cast<long long>(entry.FileSize),
                    entry.IsStored() ? "stored" : "compressed", entry.FileCRC);
        total += entry.FileSize;
    }
    std::printf("%d entries, %lld bytes\n", archive.GetFileCount(), total);
    return 0;
}
