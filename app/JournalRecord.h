#pragma once
// One line of an installation's journal: a change to the machine, written
// and flushed before the change is made, with what undoing it needs. Lines
// are UTF-8, fields separated by tabs; a tab, line break or "%" inside a
// field is written as "%" and two hex digits. A last line without its line
// break was cut off by an abrupt end: its change was never made, so it is
// not read. Portable.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

enum class TChangeKind : char {
    FileCreated = 'F',     // Path: a file that was not there
    FileReplaced = 'R',    // Path: a file that was there; Detail: the copy of its earlier bytes
    FolderMade = 'D',      // Path: one folder level
    ShortcutMade = 'L',    // Path: a shortcut file that was not there
    FileRemoved = 'E',     // Path: a file that was removed; Detail: the copy of its bytes
    FolderRemoved = 'U',   // Path: an empty folder that was removed
    KeyMade = 'K',         // Path: a key below the scope's root (HKEY_LOCAL_MACHINE for the machine)
    ValueWritten = 'V',    // Path: its key below the scope's root; Detail: the value's name; Earlier: its value
    Committed = 'C',       // the installation is complete: nothing is undone
};

struct TJournalRecord {
    TChangeKind Kind = TChangeKind::Committed;
    std::string Path;
    std::string Detail;
    std::optional<platform::TRegistryValue> Earlier;  // none: the value was not there
    bool operator==(const TJournalRecord&) const = default;
};

// The record as one line, with its line break.
std::string JournalLine(const TJournalRecord& record);
// The complete records of a journal's text, in the order written; lines of
// an unknown kind are passed over.
std::vector<TJournalRecord> ReadJournalText(const std::string& text);
