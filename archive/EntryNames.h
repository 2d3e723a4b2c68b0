#pragma once
// Whether an entry's names keep the extracted file inside the destination
// folder. Archives come from outside, so a name must not climb out of it.
#include <string>

#include "archive/ArchiveFormat.h"

// A name that Windows gives to a device (CON, PRN, AUX, NUL, COM1 to COM9,
// LPT1 to LPT9), with or without an extension, in any letter case: a file
// of that name cannot be made, and writing to it reaches the device.
bool IsDeviceName(const std::string& name);

// A bare file name: no separator, no drive or stream colon, not a
// dots-only name that would mean the folder itself or its parent, not a device.
bool IsSafeFileName(const std::string& name);

// A folder relative to the destination: not absolute, no drive, no
// component that climbs to a parent or names a device.
bool IsSafeRelativePath(const std::string& path);

// Whether extracting the entry keeps it inside the destination folder; its
// folder counts only when extraction places files under their folders.
bool IsSafeEntry(const TArchiveEntry& entry, bool withPath);

// The error text for an entry refused by IsSafeEntry.
std::string UnsafeEntryMessage(int index, const TArchiveEntry& entry, bool withPath);
