#include "app/PayloadEntries.h"

#include <algorithm>
#include <unordered_set>

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
    keys_.reserve(entries_.size());
    byKey_.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        keys_.push_back(PayloadKey(EntryPathOf(entries_[i])));
        byKey_[keys_.back()] = static_cast<int>(i);
    }
}

uint64_t ProductBytesOf(const std::vector<std::string>& names, const TPayloadEntries& entries) {
    std::unordered_set<int> counted;
    uint64_t bytes = 0;
    for (const std::string& name : names)
        if (const std::optional<int> index = entries.IndexOf(name); index && counted.insert(*index).second)
            bytes += static_cast<uint64_t>(std::max<int64_t>(entries[*index].FileSize, 0));
    return bytes;
}

std::optional<int> TPayloadEntries::IndexOf(const std::string& name) const {
    const auto found = byKey_.find(PayloadKey(name));
    if (found == byKey_.end()) return std::nullopt;
    return found->second;
}
