#pragma once
// The entries of the payload, found by the names that the description's
// "Addfile" lines give them in constant time, so that looking up every file
// of a product of thousands costs no more than reading its table. Portable.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "archive/ArchiveFormat.h"

// A path as Windows compares it, whatever separators it was written with:
// upper case, "\" only, no doubled or leading "\".
std::string PayloadKey(const std::string& path);

// The entry's path below the folder it is unpacked into ("plugins\\de\\x.dll").
std::string EntryPathOf(const TArchiveEntry& entry);

class TPayloadEntries;

// The bytes of the files that the names give (the description's "Addfile"
// lines), as the payload's table gives their sizes; a file named twice, in
// any letter case, counts once, and a name the payload lacks takes no room.
uint64_t ProductBytesOf(const std::vector<std::string>& names, const TPayloadEntries& entries);

class TPayloadEntries {
public:
    TPayloadEntries() = default;
    explicit TPayloadEntries(std::vector<TArchiveEntry> entries);

    // The index of the entry that name ("plugins\de\x.dll") stands for; the
    // last one when the payload holds the name twice, as that one was
    // unpacked last. Nothing when it does not hold the name.
    std::optional<int> IndexOf(const std::string& name) const;
    const TArchiveEntry& operator[](int index) const { return entries_[static_cast<size_t>(index)]; }
    const std::vector<TArchiveEntry>& All() const { return entries_; }
    // The entry's path as PayloadKey gives it.
    const std::string& KeyOf(int index) const { return keys_[static_cast<size_t>(index)]; }

private:
    std::vector<TArchiveEntry> entries_;
    std::vector<std::string> keys_;  // by entry
    std::unordered_map<std::string, int> byKey_;
};
