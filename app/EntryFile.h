#pragma once
// Writes entries of the payload into files, checked by the reader as their
// bytes come, through one block that is kept from file to file. Portable.
#include <cstdint>
#include <functional>
#include <memory>

class TEntryReader;
class TFileStream;

class TEntryFileWriter {
public:
    TEntryFileWriter();

    // Writes the entry's bytes into the file open in stream; false when the
    // system refused to write them, with its code as LastErrorCode gives it.
    // Raises Exception when the payload's entry is damaged. Each block
    // written is told to onBytes with its size.
    bool Write(TEntryReader& reader, int index, TFileStream& stream,
               const std::function<void(uint64_t bytes)>& onBytes = {});

private:
    std::unique_ptr<uint8_t[]> block_;
};
