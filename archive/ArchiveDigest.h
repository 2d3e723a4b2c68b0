#pragma once
// The SHA-256 that ties a payload archive to the setup program built with it.
// For an archive whose table holds each entry's SHA-256 it covers the bytes
// from the table to the end of the file (table and trailer), and through the
// table every entry, which is checked as it is read; so the setup checks its
// payload without reading it whole. Other archives are covered whole.
#include <cstdint>
#include <optional>

#include "archive/ArchiveFormat.h"
#include "archive/Sha256.h"
#include "platform/Stream.h"

// The trailer from the stream's last bytes; nothing when the stream is shorter.
std::optional<TArchiveTrailer> ReadArchiveTrailer(TStream& archive);

// Where the digest starts: the table's offset for an archive with entry
// digests whose table lies inside it, 0 for every other.
int64_t DigestStart(const TArchiveTrailer& trailer, int64_t archiveSize);

// The SHA-256 of the stream from DigestStart to its end; the stream is read to its end.
TSha256Digest ArchiveDigestOf(TStream& archive);
