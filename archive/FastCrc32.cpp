#include "archive/FastCrc32.h"

#include <zlib.h>
#ifdef KEL_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

uint32_t Crc32After(uint32_t crc, const uint8_t* bytes, size_t count) {
    if (count == 0) return crc;  // zlib takes a null buffer as a call to start again
#ifdef KEL_HAVE_LIBDEFLATE
    return libdeflate_crc32(crc, bytes, count);
#else
    return static_cast<uint32_t>(crc32_z(crc, bytes, count));
#endif
}
