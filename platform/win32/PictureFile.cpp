#include "platform/PictureFile.h"

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "platform/Com.h"
#include "platform/FileStream.h"
#include "platform/PixelSurface.h"
#include "platform/win32/ComRef.h"
#include "platform/Text.h"

namespace platform {

namespace {

constexpr LONG HimetricPerInch = 2540;

[[noreturn]] void Fail(const std::string& fileName, const std::string& reason) {
    throw EInvalidGraphic("Cannot load the picture file " + fileName + ": " + reason);
}

std::string Hresult(HRESULT result) { return Format("error 0x%08lX", static_cast<unsigned long>(result)); }

// Movable global memory, freed unless a stream took it over.
class TGlobalMemory {
public:
    explicit TGlobalMemory(SIZE_T size) : memory_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~TGlobalMemory() {
        if (memory_) GlobalFree(memory_);
    }
    TGlobalMemory(const TGlobalMemory&) = delete;
    TGlobalMemory& operator=(const TGlobalMemory&) = delete;
    HGLOBAL Get() const { return memory_; }
    void Release() { memory_ = nullptr; }

private:
    HGLOBAL memory_;
};

class TScreenDC {
public:
    TScreenDC() : dc_(GetDC(nullptr)) {}
    ~TScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

std::vector<uint8_t> ReadPictureBytes(const std::string& fileName) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadWholeFile(fileName, kMaxPictureFileSize);
    } catch (const EFileTooLarge&) {
        Fail(fileName, "the file is too large");
    } catch (const EFOpenError&) {
        Fail(fileName, "the file cannot be opened");
    } catch (const EStreamError&) {
        Fail(fileName, "the file cannot be read");
    }
    if (bytes.empty()) Fail(fileName, "the file is empty");
    return bytes;
}

// The picture object made from the file's bytes, through a stream over
// global memory that the stream owns once it exists.
void LoadPicture(const std::string& fileName, const std::vector<uint8_t>& bytes, TComRef<IPicture>& picture) {
    TGlobalMemory memory(bytes.size());
    if (!memory.Get()) Fail(fileName, "out of memory");
    void* target = GlobalLock(memory.Get());
    if (!target) Fail(fileName, "out of memory");
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.Get());

    TComRef<IStream> stream;
    HRESULT result = CreateStreamOnHGlobal(memory.Get(), TRUE, stream.Out());
    if (FAILED(result)) Fail(fileName, "cannot make a stream (" + Hresult(result) + ")");
    memory.Release();

    result = OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                            picture.OutVoid());
    if (FAILED(result) || !picture.Get())
        Fail(fileName, "not a picture format the system can load, or damaged (" + Hresult(result) + ")");
}

}  // namespace

TDecodedPicture DecodePictureFile(const std::string& fileName) {
    const std::vector<uint8_t> bytes = ReadPictureBytes(fileName);

    TComInitializer com;  // the picture object may need COM on this thread
    TComRef<IPicture> picture;
    LoadPicture(fileName, bytes, picture);

    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)) || type == PICTYPE_UNINITIALIZED || type == PICTYPE_NONE)
        Fail(fileName, "the file holds no picture");

    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    if (FAILED(picture->get_Width(&himetricWidth)) || FAILED(picture->get_Height(&himetricHeight)))
        Fail(fileName, "the picture has no size");

    TScreenDC screen;
    if (!screen.Get()) Fail(fileName, "no screen device context");
    const LONG width = MulDiv(himetricWidth, GetDeviceCaps(screen.Get(), LOGPIXELSX), HimetricPerInch);
    const LONG height = MulDiv(himetricHeight, GetDeviceCaps(screen.Get(), LOGPIXELSY), HimetricPerInch);
    if (width <= 0 || height <= 0) Fail(fileName, "the picture has no pixels");
    if (!PictureSizeAllowed(width, height))
        Fail(fileName, Format("the picture is too large (%ld x %ld pixels)", static_cast<long>(width),
                              static_cast<long>(height)));

    TPixelSurface surface;
    if (surface.Allocate(width, height) != TSurfaceResult::Ready) Fail(fileName, "out of memory for the picture");
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::memset(surface.Pixels(), 0xFF, count * sizeof(uint32_t));  // white under the picture
    // The source rectangle runs bottom-up in HIMETRIC, hence the start at
    // the height and the negative extent.
    const HRESULT result = picture->Render(static_cast<HDC>(surface.Context()), 0, 0, width, height, 0,
                                           himetricHeight, himetricWidth, -himetricHeight, nullptr);
    if (FAILED(result)) Fail(fileName, "cannot draw the picture (" + Hresult(result) + ")");
    surface.Flush();

    TDecodedPicture decoded;
    decoded.Width = width;
    decoded.Height = height;
    decoded.HasAlpha = false;
    decoded.Pixels.resize(count);
    const uint32_t* source = surface.Pixels();  // 0x00RRGGBB, as the 32-bit section lays it out
    for (size_t i = 0; i < count; ++i) decoded.Pixels[i] = source[i] | 0xFF000000u;
    return decoded;
}

}  // namespace platform
