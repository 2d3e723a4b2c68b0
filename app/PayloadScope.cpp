#include "app/PayloadScope.h"

#include <exception>
#include <vector>

#include "app/SetupIni.h"
#include "app/WorkFolder.h"
#include "archive/DecompressionStream.h"
#include "archive/ZLIBArchive.h"
#include "platform/FileStream.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/TextCoding.h"
#include "shell/IniLine.h"

namespace {

// A description larger than this is no description.
constexpr int32_t kLargestDescription = 1 << 20;

std::optional<TArchiveEntry> DescriptionEntry(const TZLBArchive& archive) {
    for (int i = 0; i < archive.GetFileCount(); ++i) {
        TArchiveEntry entry;
        archive.GetFileEntry(i, entry);
        if (entry.FilePath.empty() && SameText(entry.FileName, kSetupIniFile)) return entry;
    }
    return std::nullopt;
}

std::string EntryBytes(const std::string& archiveFile, const TArchiveEntry& entry) {
    if (entry.FileSize < 0 || entry.FileSize > kLargestDescription) throw Exception("description too large");
    TFileStream file(archiveFile, TFileMode::fmOpenRead);
    file.Seek(entry.DataOffset, TSeekOrigin::soBeginning);
    std::string bytes(static_cast<size_t>(entry.FileSize), '\0');
    if (entry.IsStored()) {
        if (file.Read(bytes.data(), entry.FileSize) != entry.FileSize) throw Exception("description cut short");
    } else {
        TDecompressionStream stream(file);
        stream.Read(bytes.data(), entry.FileSize);
    }
    return bytes;
}

}  // namespace

std::optional<TInstallScope> DescribedScope(const std::string& payloadFile) {
    try {
        TZLBArchive archive;
        archive.OpenArchive(payloadFile);
        const std::optional<TArchiveEntry> entry = DescriptionEntry(archive);
        if (!entry) return std::nullopt;
        TStringList lines;
        lines.SetText(DecodeText8(EntryBytes(payloadFile, *entry)));
        std::optional<TInstallScope> scope = TInstallScope();
        TSetupIniHandlers handlers;
        handlers.Setup = [&](const std::string& line) {
            if (IniKeyOf(line) == "Scope") scope = TInstallScope::Named(IniValueOf(line));
        };
        ApplySetupLines(lines, handlers);
        return scope;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}
