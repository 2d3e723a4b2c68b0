#pragma once
// What the processor offers, read once through its identification instruction.

struct TProcessorFeatures {
    bool PackedIntegers = false;  // 64-bit packed-integer instructions (family 5 or later)
    bool Vector128 = false;       // 128-bit packed-integer instructions
    bool Vector256 = false;       // 256-bit packed-integer instructions, enabled by the system
};

const TProcessorFeatures& HostProcessor();
