#pragma once
// Writing the digest of a setup's payload into its program, before the
// program is signed, so that the signature covers it.
#include <string>

#include "archive/Sha256.h"

// The payload digest (PayloadDigestOf) of an archive file; raises EFOpenError or EReadError.
TSha256Digest PayloadFileDigest(const std::string& file);

// Writes digest into the slot of the program at setupExe. False when the
// program has no slot (a kit of an earlier version): it then takes any
// payload, as it always did. Raises Exception when the program holds the
// marker more than once or cannot be written.
bool StampPayloadDigest(const std::string& setupExe, const TSha256Digest& digest);
