#pragma once
// Writing the digest of a setup's payload into its program, before the
// program is signed, so that the signature covers it.
#include <string>

#include "archive/Sha256.h"

// Writes the digest of the payload file into the slot of the program at
// setupExe: the payload's digest (PayloadDigestOf) for a program of this
// kit, the SHA-256 of the whole file for one of an earlier kit, whose slot
// has the earlier marker. False when the program has no slot (a kit older
// still): it then takes any payload, as it always did. Raises Exception
// when the program holds a marker more than once or cannot be written,
// EFOpenError or EReadError when the payload cannot be read.
bool StampPayloadDigest(const std::string& setupExe, const std::string& payloadFile);
