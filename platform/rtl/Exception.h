// The class library's base exception: every exception the system raises
// derives from it and carries its text in Message.
#pragma once

#include <exception>
#include <string>

// Base of the system's exception classes; Message is 8-bit text.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    // The exception's text, as the class library's Exception.Message.
    std::string Message;
    const char* what() const noexcept override { return Message.c_str(); }
};
