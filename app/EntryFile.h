#pragma once
// Writes one entry of the payload into a file, checked by the reader as its
// bytes come. Portable.
#include <cstdint>
#include <functional>
#include <string>

class TEntryReader;

// Makes or empties file and writes the entry's bytes into it; false when
// the system refused to make or write it, with its code as LastErrorCode
// gives it. Raises Exception when the payload's entry is damaged. Each
// block written is told to onBytes with its size.
bool WriteEntryFile(TEntryReader& reader, int index, uint64_t size, const std::string& file,
                    const std::function<void(uint64_t bytes)>& onBytes = {});
