#pragma once
// SHA-256's compression by the processor's SHA extensions, where it has them
// (most x86 processors of recent years): about five times faster than the
// portable rounds, which matters for the payload's digest, checked at every start.
#include <cstddef>
#include <cstdint>

// The 64 round constants, shared with the portable rounds.
extern const uint32_t kSha256RoundConstants[64];

// Whether this processor has the SHA extensions and the SSE levels they need.
bool HasShaExtensions();

// Runs count 64-byte blocks through the eight state words; only where
// HasShaExtensions().
void CompressWithShaExtensions(uint32_t* state, const uint8_t* blocks, size_t count);
