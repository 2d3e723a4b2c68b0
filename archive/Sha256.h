#pragma once
// SHA-256 as FIPS 180-4 defines it, for the digest that ties a setup's
// payload to its program. Portable.
#include <array>
#include <cstddef>
#include <cstdint>

using TSha256Digest = std::array<uint8_t, 32>;

class TSha256 {
public:
    TSha256();
    void Update(const void* bytes, size_t count);
    // The digest of everything given; the object is spent afterwards.
    TSha256Digest Finish();

private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> block_{};
    size_t filled_ = 0;
    uint64_t length_ = 0;  // bytes given so far
};
