#include "skin/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <string>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/Text.h"
#include "skin/Color32.h"

// libjpeg reports a fatal error by calling error_exit, which must not return.
// Ours longjmps back to the setjmp of the decoding step that is running.
// That step is a function whose locals are all trivially destructible, so
// the jump skips no destructor; it returns false, and the C++ caller turns
// the saved message into an exception. No exception ever crosses libjpeg.

namespace {

struct TJpegErrorManager {
    jpeg_error_mgr Base;  // first, so libjpeg's err pointer is ours too
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

// Everything libjpeg works on, owned by the C++ caller; the destructor
// frees libjpeg's memory on every path.
struct TJpegSession {
    jpeg_decompress_struct Info;
    TJpegErrorManager Error;
    jpeg_source_mgr Source;
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    bool Created = false;

    TJpegSession() = default;
    TJpegSession(const TJpegSession&) = delete;
    TJpegSession& operator=(const TJpegSession&) = delete;
    ~TJpegSession() {
        if (Created) jpeg_destroy_decompress(&Info);
    }
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
    auto* error = reinterpret_cast<TJpegErrorManager*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

// Warnings are printed nowhere. Most of them (stray bytes before a marker,
// a bad code in the middle) leave a usable picture, and decoding goes on as
// viewers do. Running into a marker while the scan still needs data means
// the compressed data ended early and the rest would be made up as grey:
// that is treated like a truncated file.
void EmitMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_HIT_MARKER) ErrorExit(info);
}

// The whole file is in memory, handed over at once by InitSource. Asking
// for more means the file ended early: that is an error, not a reason to
// feed the decoder a fake end marker and grey-filled rows.
void InitSource(j_decompress_ptr info) {
    auto* session = reinterpret_cast<TJpegSession*>(info->client_data);
    info->src->next_input_byte = session->Data;
    info->src->bytes_in_buffer = session->Size;
}

boolean FillInputBuffer(j_decompress_ptr info) {
    ERREXIT(info, JERR_INPUT_EOF);
    return FALSE;  // not reached
}

void SkipInputData(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = info->src;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer) ERREXIT(info, JERR_INPUT_EOF);
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

// Step 1: set up libjpeg and read the header up to the first scan.
bool ReadHeader(TJpegSession& session) {
    if (setjmp(session.Error.Jump)) return false;
    jpeg_create_decompress(&session.Info);
    session.Created = true;
    session.Info.client_data = &session;
    session.Source.init_source = InitSource;
    session.Source.fill_input_buffer = FillInputBuffer;
    session.Source.skip_input_data = SkipInputData;
    session.Source.resync_to_restart = jpeg_resync_to_restart;
    session.Source.term_source = TermSource;
    session.Source.next_input_byte = nullptr;
    session.Source.bytes_in_buffer = 0;
    session.Info.src = &session.Source;
    jpeg_read_header(&session.Info, TRUE);
    return true;
}

inline uint8_t Scale(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// One decoded row of samples to 0xAARRGGBB pixels. For CMYK the ink is
// taken off white; files with an Adobe marker store the ink inverted.
void ConvertRow(const JSAMPLE* samples, uint32_t* pixels, JDIMENSION width, J_COLOR_SPACE space, bool inverted) {
    switch (space) {
        case JCS_GRAYSCALE:
            for (JDIMENSION x = 0; x < width; ++x) {
                const uint8_t v = samples[x];
                pixels[x] = MakeColor32(v, v, v);
            }
            break;
        case JCS_RGB:
            for (JDIMENSION x = 0; x < width; ++x, samples += 3)
                pixels[x] = MakeColor32(samples[0], samples[1], samples[2]);
            break;
        default:  // JCS_CMYK
            for (JDIMENSION x = 0; x < width; ++x, samples += 4) {
                unsigned c = samples[0], m = samples[1], y = samples[2], k = samples[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    y = 255 - y;
                    k = 255 - k;
                }
                pixels[x] = MakeColor32(Scale(c, k), Scale(m, k), Scale(y, k));
            }
            break;
    }
}

// Step 2: decode every row into pixels, width x height of them already
// allocated for the size the header gave.
bool DecodeRows(TJpegSession& session, uint32_t* pixels, JDIMENSION width, JDIMENSION height) {
    if (setjmp(session.Error.Jump)) return false;
    jpeg_decompress_struct& info = session.Info;
    jpeg_start_decompress(&info);
    const int components = info.out_color_space == JCS_GRAYSCALE ? 1 : info.out_color_space == JCS_RGB ? 3 : 4;
    if (info.output_width != width || info.output_height != height || info.output_components != components) {
        std::snprintf(session.Error.Message, sizeof session.Error.Message, "unexpected output format");
        return false;
    }
    const bool inverted = info.saw_Adobe_marker;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               width * static_cast<JDIMENSION>(components), 1);
    while (info.output_scanline < info.output_height) {
        const JDIMENSION y = info.output_scanline;
        if (jpeg_read_scanlines(&info, row, 1) != 1) ERREXIT(&info, JERR_INPUT_EOF);
        ConvertRow(row[0], pixels + static_cast<size_t>(y) * width, width, info.out_color_space, inverted);
    }
    jpeg_finish_decompress(&info);
    return true;
}

[[noreturn]] void Fail(const std::string& reason) {
    throw EInvalidGraphic("Cannot decode the JPEG picture: " + reason);
}

}  // namespace

TDecodedPicture DecodeJpeg(const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0) Fail("the file is empty");

    TJpegSession session;
    session.Data = data;
    session.Size = size;
    session.Info.err = jpeg_std_error(&session.Error.Base);
    session.Error.Base.error_exit = ErrorExit;
    session.Error.Base.emit_message = EmitMessage;
    session.Error.Message[0] = '\0';

    if (!ReadHeader(session)) Fail(session.Error.Message);

    jpeg_decompress_struct& info = session.Info;
    switch (info.jpeg_color_space) {
        case JCS_GRAYSCALE: info.out_color_space = JCS_GRAYSCALE; break;
        case JCS_YCbCr:
        case JCS_RGB: info.out_color_space = JCS_RGB; break;
        case JCS_CMYK:
        case JCS_YCCK: info.out_color_space = JCS_CMYK; break;  // libjpeg turns YCCK into CMYK
        default: Fail(Format("unsupported colour space with %d components", info.num_components));
    }

    const uint32_t width = info.image_width;
    const uint32_t height = info.image_height;
    if (width == 0 || height == 0) Fail("the picture has no pixels");
    if (!PictureSizeAllowed(width, height))
        Fail(Format("the picture is too large (%u x %u pixels)", width, height));

    TDecodedPicture picture;
    picture.Width = static_cast<int32_t>(width);
    picture.Height = static_cast<int32_t>(height);
    picture.HasAlpha = false;
    picture.Pixels.resize(static_cast<size_t>(width) * height);

    if (!DecodeRows(session, picture.Pixels.data(), width, height)) Fail(session.Error.Message);
    return picture;
}
