#pragma once
// The digest that ties a setup's payload to its program. kelpack writes the
// payload's digest into Setup.exe, into a slot that follows a marker,
// before the program is signed, so that the signature covers it. A
// Setup.exe whose slot holds a digest takes only that payload; one whose
// slot is all zeros (the kit's program as it is built) takes any. Portable.
//
// The payload's digest is the SHA-256 of its entry table and trailer when
// the table holds each entry's SHA-256 (each entry is then checked as it is
// unpacked, so the payload need not be read whole), of all of Data.Kel otherwise.
#include <cstdint>
#include <memory>
#include <string>

#include "archive/Sha256.h"

class TFileStream;

// The marker that precedes the slot; it appears once in the program.
inline constexpr char kPayloadDigestMarker[16] = {'K', 'e', 'l', 'P', 'a', 'y', 'l', 'o',
                                                   'a', 'd', 'T', 'a', 'b', 'l', 'e', 's'};
// The marker of the programs that checked the whole of Data.Kel, whichever
// its table: kelpack still stamps them with the digest of the whole file.
inline constexpr char kWholePayloadDigestMarker[16] = {'K', 'e', 'l', 'P', 'a', 'y', 'l', 'o',
                                                        'a', 'd', 'D', 'i', 'g', 'e', 's', 't'};

// Whether the slot holds a digest: any byte set.
bool HoldsDigest(const TSha256Digest& slot);

// The SHA-256 of the stream from its start; the stream is read to its end.
TSha256Digest DigestOf(TFileStream& stream);

// The payload's digest, as kelpack writes it and the setup checks it; the
// stream is read to its end.
TSha256Digest PayloadDigestOf(TFileStream& payload);

// Opens the payload so that nobody can write to it while the setup runs,
// and checks it against the digest: the open file when it matches.
// Raises Exception with the message for files that do not belong together,
// or EFOpenError when it cannot be opened.
std::unique_ptr<TFileStream> OpenPayloadOf(const std::string& payloadFile, const TSha256Digest& digest);

// The program's own slot (all zeros unless kelpack wrote a digest into it).
TSha256Digest OwnPayloadDigest();
