#pragma once
// Picture files decoded by the system's own picture support. Windows only.
#include <string>

#include "platform/DecodedPicture.h"

namespace platform {

// Loads a JPEG, GIF, ICO, WMF or EMF file through the system's picture
// object and draws it at its natural size for the screen's resolution
// (metafiles: their frame converted at the screen's pixels per inch).
// Whatever the picture leaves undrawn (transparent parts of icons and GIFs,
// empty areas of metafiles) comes out white. The result is opaque
// (HasAlpha false). Raises EInvalidGraphic when the file cannot be read or
// is not a picture the system can load, naming the file.
TDecodedPicture DecodePictureFile(const std::string& fileName);

}  // namespace platform
