#pragma once
// The texts and file names of a vendor's project as the programs hold them:
// UTF-8, whatever the vendor's editor or file system wrote.
#include <string>

#include "platform/TextCoding.h"

// A text file's bytes as UTF-8, a byte-order mark dropped: well-formed
// UTF-8 as it stands; anything else as Windows-1252, as Windows editors
// write it.
std::string VendorTextOf(const std::string& bytes);

// The file's text (at most 16 MiB) as above; raises EFOpenError, EReadError
// or EFileTooLarge.
std::string ReadVendorText(const std::string& path);

// A file name as the payload holds it, in UTF-8: the system's name, or, for
// a name that is not UTF-8 (written in Windows-1252 on a Linux disk), its
// Windows-1252 characters. The archive writer chooses how to store it.
std::string PayloadNameOf(const std::string& systemName);
