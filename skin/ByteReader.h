#pragma once
// A bounded little-endian reader over bytes in memory. Every read is checked
// against the end first; running past it raises EInvalidGraphic with the
// message the reader was made with.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/DecodedPicture.h"

class TByteReader {
public:
    TByteReader(const uint8_t* data, size_t size, std::string truncatedMessage)
        : data_(data), size_(size), truncated_(std::move(truncatedMessage)) {}

    size_t Position() const { return position_; }
    size_t Remaining() const { return size_ - position_; }

    uint8_t U8() { return *Take(1); }
    uint16_t U16() {
        const uint8_t* p = Take(2);
        return uint16_t(p[0] | p[1] << 8);
    }
    uint32_t U32() {
        const uint8_t* p = Take(4);
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    int32_t I32() { return int32_t(U32()); }
    // The next count bytes, consumed; valid as long as the data is.
    const uint8_t* Bytes(size_t count) { return Take(count); }
    void Skip(size_t count) { Take(count); }

private:
    const uint8_t* Take(size_t count) {
        if (count > Remaining()) throw EInvalidGraphic(truncated_);
        const uint8_t* p = data_ + position_;
        position_ += count;
        return p;
    }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    std::string truncated_;
};
