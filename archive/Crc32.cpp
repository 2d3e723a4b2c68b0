#include "archive/Crc32.h"

#include <bit>
#include <cstring>

void BuildCRCTable(TCRCTable& table) {
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
}

TCrc32::TCrc32() {
    BuildCRCTable(slices_[0]);
    for (size_t n = 0; n < 256; ++n)
        for (size_t k = 1; k < slices_.size(); ++k)
            slices_[k][n] = (slices_[k - 1][n] >> 8) ^ slices_[0][slices_[k - 1][n] & 0xFF];
}

uint32_t TCrc32::Update(uint32_t reg, const uint8_t* bytes, size_t count) const {
    const auto& t = slices_;
    // Eight bytes per step; the same result as one table look-up per byte.
    while (count >= 8) {
        uint32_t low, high;
        std::memcpy(&low, bytes, 4);
        std::memcpy(&high, bytes + 4, 4);
        if constexpr (std::endian::native == std::endian::big) {
            low = __builtin_bswap32(low);
            high = __builtin_bswap32(high);
        }
        low ^= reg;
        reg = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
              t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
        bytes += 8;
        count -= 8;
    }
    while (count--) reg = t[0][(reg ^ *bytes++) & 0xFF] ^ (reg >> 8);
    return reg;
}
