// COM errors as exceptions, and the guard that keeps exceptions inside the
// methods a host calls.
//
// Code above COM raises EOleSysError (with an HRESULT or one of the
// framework's own codes such as 31105); OleCheck turns a failed HRESULT into
// one. Methods that a host calls (class factory, IDTExtensibility2, Invoke,
// event sinks) wrap their body in ComGuard (or DispatchGuard for Invoke), so a
// C++ exception becomes a failure HRESULT there and its message is kept for
// the caller (in EXCEPINFO for Invoke, else in this thread's error info).
#pragma once

#include "platform/com/HResult.h"
#include "platform/rtl/Exception.h"

#include <new>
#include <string>
#include <type_traits>

// An error with a COM result code (or one of the framework's own codes).
class EOleSysError : public Exception {
public:
    EOleSysError(std::string message, HRESULT errorCode, int helpContext = 0)
        : Exception(std::move(message)), ErrorCode(errorCode), HelpContext(helpContext) {}
    // The HRESULT, or the framework's own code (31100 series).
    HRESULT ErrorCode;
    // Help context of the error (0: none).
    int HelpContext;
};

// An automation error reported by the callee through EXCEPINFO (an Invoke
// that answered DISP_E_EXCEPTION); ErrorCode is the callee's scode.
class EOleException : public EOleSysError {
public:
    EOleException(std::string message, HRESULT errorCode, std::string source,
                  std::string helpFile = {}, int helpContext = 0)
        : EOleSysError(std::move(message), errorCode, helpContext), Source(std::move(source)),
          HelpFile(std::move(helpFile)) {}
    // Who raised it (EXCEPINFO's source).
    std::string Source;
    // Help file of the error, if any.
    std::string HelpFile;
};

// The system's text for an HRESULT ("No such interface supported", ...), or
// "Error 0x8XXXXXXX" for codes it has no text for.
std::string SysErrorMessage(HRESULT hr);

// Raises EOleSysError for a failed hr (with this thread's error info as the
// message when the callee left one, else the system text); returns hr otherwise.
HRESULT OleCheck(HRESULT hr);

// The failure code that an exception becomes at a COM boundary: an
// EOleSysError's code when it is a failure code, E_OUTOFMEMORY for
// std::bad_alloc, else E_FAIL. (A framework code such as 31105 is positive,
// a success code, so it becomes E_FAIL rather than reporting success.)
HRESULT HResultFromCurrentException() noexcept;
// The message of the exception being handled ("" for a foreign one).
std::string MessageOfCurrentException() noexcept;

// This thread's error info: the message of the last failure a guarded method
// returned, with its code, for a caller that wants more than the HRESULT.
void SetComErrorInfo(HRESULT code, std::string source, std::string description) noexcept;
void ClearComErrorInfo() noexcept;
// Takes (and clears) this thread's error info when it was left for code;
// false (leaving nothing) otherwise, so a stale message never explains
// another failure.
bool TakeComErrorInfo(HRESULT code, std::string& source, std::string& description) noexcept;

// Runs body (returning HRESULT or void) and returns its result, S_OK for a
// void body; an exception becomes HResultFromCurrentException() and its
// message goes to this thread's error info.
template <class F> HRESULT ComGuard(F&& body) noexcept {
    try {
        ClearComErrorInfo();
        if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
            body();
            return S_OK;
        } else {
            return body();
        }
    } catch (...) {
        HRESULT code = HResultFromCurrentException();
        SetComErrorInfo(code, {}, MessageOfCurrentException());
        return code;
    }
}
