#pragma once
// Writes one entry of the payload into a file, checked by the reader as its
// bytes come. Portable.
#include <cstdint>
#include <functional>
#include <string>

class TEntryReader;
class TFileStream;

// Writes the entry's bytes into the file open in stream; false when the
// system refused to write them, with its code as LastErrorCode gives it.
// Raises Exception when the payload's entry is damaged. Each block written
// is told to onBytes with its size.
bool WriteEntryFile(TEntryReader& reader, int index, uint64_t size, TFileStream& stream,
                    const std::function<void(uint64_t bytes)>& onBytes = {});
