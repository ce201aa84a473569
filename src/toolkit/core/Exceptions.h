#pragma once
// The toolkit's exception hierarchy. Every failure travels as one of these;
// the message is the text the user sees in the default error display.

#include <cstdint>
#include <exception>
#include <string>

namespace tk {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// Memory
class EOutOfMemory : public Exception {
public:
    EOutOfMemory() : Exception("Out of memory") {}
};

// Streams and files
class EStreamError : public Exception { using Exception::Exception; };
class EFileStreamError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EFileStreamError { using EFileStreamError::EFileStreamError; };
class EFOpenError : public EFileStreamError { using EFileStreamError::EFileStreamError; };
class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
};
class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError("Stream write error") {}
};
class EInvalidStreamOperation : public EStreamError {
public:
    EInvalidStreamOperation() : EStreamError("Invalid stream operation") {}
};
class EZlibError : public EStreamError {
public:
    EZlibError() : EStreamError("error") {}
};

// Resources
class EResNotFound : public Exception { using Exception::Exception; };

// Registry and conversions
class ERegistryException : public Exception { using Exception::Exception; };
class EConvertError : public Exception { using Exception::Exception; };

// Run-time input/output errors, keyed by the system error code.
class EInOutError : public Exception {
public:
    explicit EInOutError(std::int32_t code);
    std::int32_t ErrorCode() const noexcept { return code_; }

private:
    std::int32_t code_;
};

// COM
class EOleError : public Exception { using Exception::Exception; };
class EOleSysError : public EOleError {
public:
    EOleSysError(std::string message, std::int32_t errorCode)
        : EOleError(std::move(message)), errorCode_(errorCode) {}
    std::int32_t ErrorCode() const noexcept { return errorCode_; }

private:
    std::int32_t errorCode_;
};
class EIntfCastError : public Exception {
public:
    EIntfCastError() : Exception("Interface not supported") {}
};

} // namespace tk
