// The slot of Setup.exe that kelpack fills with the SHA-256 of Data.Kel: the
// marker, then 32 bytes. It is read through a volatile object, so that the
// compiler cannot take its zeros for granted.

#include "app/PayloadDigest.h"

namespace {

struct TDigestSlot {
    char Marker[sizeof(kPayloadDigestMarker)];
    uint8_t Digest[32];
};

const volatile TDigestSlot digestSlot = {{'K', 'e', 'l', 'P', 'a', 'y', 'l', 'o', 'a', 'd', 'T', 'a', 'b', 'l', 'e', 's'},
                                         {}};

}  // namespace

TSha256Digest OwnPayloadDigest() {
    TSha256Digest digest;
    for (size_t i = 0; i < digest.size(); ++i) digest[i] = digestSlot.Digest[i];
    return digest;
}
