// The class library's base exception and the standard exceptions derived from
// it. Every exception raised here derives from Exception and carries its
// text in Message; the class library's own routines raise the classes below
// with the texts of RtlConsts.h.
#pragma once

#include "platform/rtl/Format.h"

#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// Base of every exception class here; Message is 8-bit text.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    // The message formatted from a Format pattern and its arguments (the class
    // library's CreateFmt).
    Exception(std::string_view format, std::initializer_list<TVarRec> args)
        : Message(Format(format, args)) {}
    // The exception's text, as the class library's Exception.Message.
    std::string Message;
    const char* what() const noexcept override { return Message.c_str(); }
};

// A text that is not a valid value (numbers, booleans, dates, Format arguments).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index or capacity outside a TList or a TCollection.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// An index error, a duplicate or a forbidden operation on a TStringList.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

// The silent exception: it unwinds an operation on purpose and is not reported
// as an error (Abort raises it).
class EAbort : public Exception {
public:
    using Exception::Exception;
};

// An operation that the object's state does not allow.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A failed Assert.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// A stream could not deliver or take the bytes asked for.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
// ReadBuffer found fewer bytes than it needed.
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// WriteBuffer could not write every byte.
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// A file stream that could not be opened or created.
class EFileStreamError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// A file that could not be opened: "Cannot open file "%s". %s".
class EFOpenError : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};
// A file that could not be created or written: "Cannot create file "%s". %s".
class EFCreateError : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};

// A failed input or output operation, with its error code.
class EInOutError : public Exception {
public:
    EInOutError(std::string message, int errorCode)
        : Exception(std::move(message)), ErrorCode(errorCode) {}
    // The operating system's error number.
    int ErrorCode;
};

// Raises EAbort with the class library's text "Operation aborted".
[[noreturn]] void Abort();
