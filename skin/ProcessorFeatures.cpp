#include "skin/ProcessorFeatures.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {

#if defined(__i386__) || defined(__x86_64__)

// The system saves the 256-bit registers on a task switch.
bool SystemSavesWideRegisters(unsigned ecx1) {
    const bool osxsave = ecx1 & (1u << 27);
    if (!osxsave) return false;
    unsigned lo, hi;
    __asm__("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
    return (lo & 6u) == 6u;
}

TProcessorFeatures ReadFeatures() {
    TProcessorFeatures f;
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return f;
    const unsigned family = (eax >> 8) & 0xF;
    f.PackedIntegers = family >= 5 && (edx & (1u << 23));
    f.Vector128 = f.PackedIntegers && (edx & (1u << 26));
    unsigned eax7, ebx7, ecx7, edx7;
    if (f.Vector128 && SystemSavesWideRegisters(ecx) &&
        __get_cpuid_count(7, 0, &eax7, &ebx7, &ecx7, &edx7))
        f.Vector256 = ebx7 & (1u << 5);
    return f;
}

#else

TProcessorFeatures ReadFeatures() { return {}; }

#endif

}  // namespace

const TProcessorFeatures& HostProcessor() {
    static const TProcessorFeatures features = ReadFeatures();
    return features;
}
