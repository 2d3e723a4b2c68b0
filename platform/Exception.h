#pragma once
// The one error type of the system and the framework's named subclasses.
// Every failure travels as an exception carrying the text shown to the user.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// An operating-system input/output failure, carrying the system's error code.
class EInOutError : public Exception {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const noexcept { return errorCode_; }

private:
    int errorCode_;
};

// Stream failures of the framework (file streams, read and write of whole buffers).
class EStreamError : public Exception { using Exception::Exception; };
class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(const std::string& fileName);
};
class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(const std::string& fileName);
};
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };

// A text that is not what a conversion expects ("'x' ist kein gültiger Integerwert").
class EConvertError : public Exception { using Exception::Exception; };
// An index outside a list.
class EListError : public Exception { using Exception::Exception; };
