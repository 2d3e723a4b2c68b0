#include "archive/Sha256.h"

#include <algorithm>
#include <cstring>

#include "archive/Sha256Extensions.h"

const uint32_t kSha256RoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

namespace {

constexpr uint32_t Rotate(uint32_t value, int bits) { return (value >> bits) | (value << (32 - bits)); }

}  // namespace

TSha256::TSha256(TSha256Engine engine)
    : state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19},
      extensions_(engine == TSha256Engine::Fastest && HasShaExtensions()) {}

void TSha256::Compress(const uint8_t* blocks, size_t count) {
    if (extensions_) return CompressWithShaExtensions(state_.data(), blocks, count);
    for (; count > 0; --count, blocks += 64) CompressPortably(blocks);
}

void TSha256::CompressPortably(const uint8_t* block) {
    uint32_t w[64];
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t(block[4 * i]) << 24 | uint32_t(block[4 * i + 1]) << 16 | uint32_t(block[4 * i + 2]) << 8 |
               block[4 * i + 3];
    for (int i = 16; i < 64; ++i) {
        const uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    // The working variables are named, not an array shifted each round, so
    // that they stay in registers: several times faster.
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    uint32_t e = state_[4], f = state_[5], g = state_[6], h = state_[7];
    for (int i = 0; i < 64; ++i) {
        const uint32_t t1 =
            h + (Rotate(e, 6) ^ Rotate(e, 11) ^ Rotate(e, 25)) + ((e & f) ^ (~e & g)) + kSha256RoundConstants[i] + w[i];
        const uint32_t t2 = (Rotate(a, 2) ^ Rotate(a, 13) ^ Rotate(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    const uint32_t worked[8] = {a, b, c, d, e, f, g, h};
    for (int i = 0; i < 8; ++i) state_[i] += worked[i];
}

void TSha256::Update(const void* bytes, size_t count) {
    const uint8_t* in = static_cast<const uint8_t*>(bytes);
    length_ += count;
    if (filled_ == 0 && count >= block_.size()) {
        const size_t whole = count / block_.size();
        Compress(in, whole);
        in += whole * block_.size();
        count -= whole * block_.size();
    }
    while (count > 0) {
        const size_t take = std::min(count, block_.size() - filled_);
        std::memcpy(block_.data() + filled_, in, take);
        filled_ += take;
        in += take;
        count -= take;
        if (filled_ == block_.size()) {
            Compress(block_.data(), 1);
            filled_ = 0;
        }
    }
}

// A one bit, zeros up to 8 bytes before a block's end, and the length in bits.
TSha256Digest TSha256::Finish() {
    const uint64_t bits = length_ * 8;
    const uint8_t one = 0x80, zero = 0;
    Update(&one, 1);
    while (filled_ != block_.size() - 8) Update(&zero, 1);
    uint8_t tail[8];
    for (int i = 0; i < 8; ++i) tail[i] = uint8_t(bits >> (56 - 8 * i));
    Update(tail, 8);
    TSha256Digest digest;
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 4; ++j) digest[4 * i + j] = uint8_t(state_[i] >> (24 - 8 * j));
    return digest;
}
