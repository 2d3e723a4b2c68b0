#pragma once
// Picture files decoded by their extension: BMP by our own decoder, JPEG
// through libjpeg (natively) or the system, GIF, ICO, WMF and EMF through
// the system (Windows only).
#include <string>

#include "platform/DecodedPicture.h"

// Raises EInvalidGraphic for an unknown extension or undecodable data, and
// the file errors of the platform for a file that cannot be read.
TDecodedPicture LoadPictureFile(const std::string& fileName);
