// Without a window system a font has no system object.
#include "platform/ui/Font.h"

void* TFont::Handle() const { return nullptr; }

void TFont::ReleaseHandle() const {}
