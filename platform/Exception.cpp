#include "platform/Exception.h"

#include "platform/Text.h"

// The framework's own texts are German, as the rest of the user-facing framework.
EInOutError::EInOutError(int errorCode)
    : Exception(Format("E/A-Fehler %d", errorCode)), errorCode_(errorCode) {}

EFOpenError::EFOpenError(const std::string& fileName)
    : EStreamError(Format("Datei %s kann nicht geöffnet werden", fileName.c_str())) {}

EFCreateError::EFCreateError(const std::string& fileName)
    : EStreamError(Format("Datei %s kann nicht erstellt werden", fileName.c_str())) {}
