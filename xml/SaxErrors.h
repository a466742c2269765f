// The SAX error objects handed to an error handler, and the SAX exceptions.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/rtl/Exception.h"
#include "xml/SaxInterfaces.h"

// A document that cannot be read, or a handler that failed while reading it.
class ESAXException : public Exception {
public:
    using Exception::Exception;
};

// An operation or feature the reader does not offer.
class ESAXNotSupportedException : public ESAXException {
public:
    using ESAXException::ESAXException;
};

// The message part of an error object, shared by both kinds below.
template <class Interface> class TSAXErrorBase : public ComObject<Interface> {
public:
    // Nil: the reader's errors have no native object.
    IUnknown* getNativeError() override { return nullptr; }
    // Replaces the message.
    virtual void init(const SAXString& message) { message_ = message; }
    SAXString getMessage() override { return message_; }

protected:
    explicit TSAXErrorBase(const SAXString& message) : message_(message) {}
    ~TSAXErrorBase() override = default;

private:
    SAXString message_;
};

// A problem found by the reader.
class TSAXError : public TSAXErrorBase<ISAXError> {
    friend struct ComMaker;

protected:
    explicit TSAXError(const SAXString& message) : TSAXErrorBase(message) {}
    ~TSAXError() override = default;
};

// A problem found by the reader with its line and column (-1 when unknown);
// public and system identifier are empty.
class TSAXParseError : public TSAXErrorBase<ISAXParseError> {
    friend struct ComMaker;

public:
    // A new error object, adopted by the returned pointer.
    static ComPtr<ISAXParseError> Create(const SAXString& message, int32_t line, int32_t column);
    int32_t getLineNumber() override { return line_; }
    int32_t getColumnNumber() override { return column_; }
    SAXString getPublicId() override { return {}; }
    SAXString getSystemId() override { return {}; }

protected:
    TSAXParseError(const SAXString& message, int32_t line, int32_t column)
        : TSAXErrorBase(message), line_(line), column_(column) {}
    ~TSAXParseError() override = default;

private:
    int32_t line_;
    int32_t column_;
};
