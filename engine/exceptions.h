#pragma once
// The error kinds the program raises. Every one carries the message that the general
// error report shows; EAbort is the silent kind that the report ignores.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sumbrook {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message), m_message(message) {}
    // The whole text, even where it holds a NUL that what() would cut at.
    const std::string& message() const { return m_message; }

private:
    std::string m_message;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

class EIntfCastError : public Exception {
public:
    using Exception::Exception;
};

class EAbort : public Exception {
public:
    using Exception::Exception;
};

// A failed COM call: the result code travels with the system's text for it.
class EOleSysError : public Exception {
public:
    EOleSysError(const std::string& message, std::int32_t errorCode)
        : Exception(message), m_errorCode(errorCode) {}
    std::int32_t errorCode() const { return m_errorCode; }

private:
    std::int32_t m_errorCode;
};

} // namespace sumbrook
