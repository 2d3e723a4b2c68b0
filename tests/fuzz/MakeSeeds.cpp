// Writes a small seed corpus for the archive fuzzer: valid archives with plain
// and compressed tables, with and without entry digests, stored and
// compressed entries, nested folders.
// Usage: make_seeds FOLDER
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/FileSystem.h"
#include "tests/support/ArchiveBuilder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    int written = 0;
    const auto write = [&](const char* name, const ArchiveBuilder& builder) {
        builder.WriteTo(folder + "\\" + name);
        ++written;
    };
    try {
        if (!platform::ForceDirectories(folder)) throw std::runtime_error("cannot make " + folder);

        ArchiveBuilder empty;
        write("empty.kel", empty);

        ArchiveBuilder flat;
        flat.Add("readme.txt", TextData(900, 1));
        flat.Add("blob.bin", NoiseData(300, 2), "", true);
        flat.Add("zero.txt", "");
        write("flat-plain.kel", flat);

        ArchiveBuilder nested;
        nested.CompressTable = true;
        nested.Add("Setup.ini", "[Setup]\r\nTitle=Sample\r\n");
        nested.Add("button.bmp", NoiseData(200, 3), "skin", true);
        nested.Add("notes.txt", TextData(2000, 4), "docs\\en\\extra");
        nested.Add(".hidden", "h", ".\\sub");
        nested.Add("a..b", TextData(64, 5), "sub/deeper");
        write("nested-compressed.kel", nested);

        ArchiveBuilder tableFirst;
        tableFirst.TableFirst = true;
        tableFirst.CompressTable = true;
        tableFirst.Add("first.txt", TextData(500, 6), "one");
        tableFirst.Add("second.bin", NoiseData(100, 7), "one\\two", true);
        write("table-first.kel", tableFirst);

        ArchiveBuilder plainFirst;
        plainFirst.TableFirst = true;
        plainFirst.Add("x.txt", TextData(100, 8), "p");
        write("table-first-plain.kel", plainFirst);

        ArchiveBuilder same;
        same.Add("twice.txt", "first");
        same.Add("twice.txt", "second", "", true);
        same.Add("twice.txt", TextData(300, 9), "dir");
        write("same-name.kel", same);

        ArchiveBuilder longNames;
        longNames.CompressTable = true;
        longNames.Add(std::string(200, 'n') + ".txt", TextData(50, 10), std::string(120, 'p') + "\\" + std::string(100, 'q'));
        write("long-names.kel", longNames);

        // Names beyond Windows-1252 under the trailer's UTF-8 tag; Windows-1252
        // names without it; and a tagged name that is not UTF-8, which is refused.
        ArchiveBuilder utf8Names;
        utf8Names.NamesInUtf8 = true;
        utf8Names.CompressTable = true;
        utf8Names.Add("Файл.txt", TextData(300, 13), "Папка\\日本");
        utf8Names.Add("😀 Ωmega.bin", NoiseData(100, 14), "", true);
        write("utf8-names.kel", utf8Names);

        ArchiveBuilder latinNames;
        latinNames.Add("\xDC" "bersicht \x80.txt", TextData(200, 15), "Stra\xDF" "e");
        write("latin-names.kel", latinNames);

        ArchiveBuilder badUtf8;
        badUtf8.NamesInUtf8 = true;
        badUtf8.Add("good.txt", "g");
        badUtf8.Add("\xDC" "bersicht.txt", "b", "a\xC0\xAF" "b");
        write("utf8-tag-bad-name.kel", badUtf8);

        ArchiveBuilder larger;
        larger.CompressTable = true;
        larger.Add("big.txt", TextData(12000, 11), "text");
        larger.Add("big.bin", NoiseData(3000, 12), "bin", true);
        write("larger.kel", larger);

        // The same layouts with each entry's SHA-256 after the records, and
        // one entry whose digest is not of its bytes.
        for (const auto& [name, builder] : {std::pair{"digests-flat.kel", flat}, std::pair{"digests-nested.kel", nested},
                                            std::pair{"digests-table-first.kel", tableFirst},
                                            std::pair{"digests-utf8-names.kel", utf8Names}}) {
            ArchiveBuilder tagged = builder;
            tagged.EntryDigests = true;
            write(name, tagged);
        }
        ArchiveBuilder wrongDigest;
        wrongDigest.EntryDigests = true;
        wrongDigest.Add("right.txt", TextData(400, 16));
        wrongDigest.Add("wrong.txt", TextData(400, 17)).Sha256 = ArchiveBuilder::Sha256("other");
        write("digests-wrong.kel", wrongDigest);

        // The wide table of archives beyond 32 bits, here with small values:
        // plain and compressed, the table last and first.
        for (const auto& [name, builder] : {std::pair{"wide-flat.kel", flat}, std::pair{"wide-larger.kel", larger},
                                            std::pair{"wide-table-first.kel", tableFirst}}) {
            ArchiveBuilder wide = builder;
            wide.Wide = true;
            wide.EntryDigests = true;
            write(name, wide);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_seeds: %s\n", error.what());
        return 1;
    }
    std::printf("%d seed archives in %s\n", written, folder.c_str());
    return 0;
}
