#include "app/PayloadEntries.h"

#include "platform/Text.h"

std::string PayloadKey(const std::string& path) {
    std::string key;
    key.reserve(path.size());
    for (const char c : path) {
        const char separated = c == '/' ? '\\' : c;
        if (separated == '\\' && (key.empty() || key.back() == '\\')) continue;
        key += separated;
    }
    return UpperCaseText(key);
}

std::string EntryPathOf(const TArchiveEntry& entry) {
    return entry.FilePath.empty() ? entry.FileName : entry.FilePath + "\\" + entry.FileName;
}

TPayloadEntries::TPayloadEntries(std::vector<TArchiveEntry> entries) : entries_(std::move(entries)) {
    byKey_.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        byKey_[PayloadKey(EntryPathOf(entries_[i]))] = static_cast<int>(i);
    }
}

std::optional<int> TPayloadEntries::IndexOf(const std::string& name) const {
    const auto found = byKey_.find(PayloadKey(name));
    if (found == byKey_.end()) return std::nullopt;
    return found->second;
}
