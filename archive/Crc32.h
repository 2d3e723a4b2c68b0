#pragma once
// CRC-32 as zlib and IEEE 802.3 define it: reflected polynomial 0xEDB88320,
// register preset to all ones, result complemented.
#include <array>
#include <cstddef>
#include <cstdint>

using TCRCTable = std::array<uint32_t, 256>;

// For each byte value, eight rounds of shift right, XOR with the polynomial
// when the bit shifted out was 1.
void BuildCRCTable(TCRCTable& table);

class TCrc32 {
public:
    static constexpr uint32_t Preset = 0xFFFFFFFFu;

    TCrc32();

    // Runs bytes through the register; the caller presets and complements.
    uint32_t Update(uint32_t reg, const uint8_t* bytes, size_t count) const;
    // The complete CRC-32 of one block.
    uint32_t Of(const void* bytes, size_t count) const {
        return ~Update(Preset, static_cast<const uint8_t*>(bytes), count);
    }
    const TCRCTable& Table() const { return slices_[0]; }

private:
    // slices_[0] is the byte table; the others let eight bytes go at once.
    std::array<TCRCTable, 8> slices_;
};
