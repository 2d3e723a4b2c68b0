#pragma once
// SHA-256 as FIPS 180-4 defines it, for the digest that ties a setup's
// payload to its program. Portable, and faster by the processor's SHA
// extensions where it has them.
#include <array>
#include <cstddef>
#include <cstdint>

using TSha256Digest = std::array<uint8_t, 32>;

// Fastest: the processor's SHA extensions where it has them, else the
// portable rounds, which give the same digest.
enum class TSha256Engine : uint8_t { Fastest, Portable };

class TSha256 {
public:
    explicit TSha256(TSha256Engine engine = TSha256Engine::Fastest);
    void Update(const void* bytes, size_t count);
    // The digest of everything given; the object is spent afterwards.
    TSha256Digest Finish();

private:
    void Compress(const uint8_t* blocks, size_t count);
    void CompressPortably(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> block_{};
    size_t filled_ = 0;
    uint64_t length_ = 0;  // bytes given so far
    bool extensions_;
};
