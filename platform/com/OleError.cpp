// COM errors as exceptions: the system's message texts for HRESULTs, the
// conversion of a caught exception into an HRESULT at the COM boundary, and
// the thread's error information.

#include "platform/com/OleError.h"

#include <cstdio>
#include <exception>

namespace {

struct ErrorInfo {
    bool set = false;
    HRESULT code = S_OK;
    std::string source;
    std::string description;
};
thread_local ErrorInfo threadErrorInfo;

struct CodeText {
    HRESULT code;
    const char* text;
};

// Texts for the codes this system meets.
constexpr CodeText codeTexts[] = {
    {S_OK, "The operation completed successfully."},
    {S_FALSE, "The operation completed, answering false."},
    {E_NOTIMPL, "Not implemented"},
    {E_NOINTERFACE, "No such interface supported"},
    {E_POINTER, "Invalid pointer"},
    {E_ABORT, "Operation aborted"},
    {E_FAIL, "Unspecified error"},
    {E_UNEXPECTED, "Catastrophic failure"},
    {E_ACCESSDENIED, "Access is denied."},
    {E_HANDLE, "The handle is invalid."},
    {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."},
    {E_INVALIDARG, "The parameter is incorrect."},
    {DISP_E_UNKNOWNINTERFACE, "Unknown interface."},
    {DISP_E_MEMBERNOTFOUND, "Member not found."},
    {DISP_E_PARAMNOTFOUND, "Parameter not found."},
    {DISP_E_TYPEMISMATCH, "Type mismatch."},
    {DISP_E_UNKNOWNNAME, "Unknown name."},
    {DISP_E_NONAMEDARGS, "No named arguments."},
    {DISP_E_BADVARTYPE, "Bad variable type."},
    {DISP_E_EXCEPTION, "Exception occurred."},
    {DISP_E_OVERFLOW, "Out of present range."},
    {DISP_E_BADINDEX, "Invalid index."},
    {DISP_E_UNKNOWNLCID, "Unknown language."},
    {DISP_E_ARRAYISLOCKED, "Memory is locked."},
    {DISP_E_BADPARAMCOUNT, "Invalid number of parameters."},
    {DISP_E_PARAMNOTOPTIONAL, "Parameter not optional."},
    {DISP_E_BADCALLEE, "Invalid callee."},
    {DISP_E_NOTACOLLECTION, "Does not support a collection."},
    {DISP_E_DIVBYZERO, "Division by zero."},
    {TYPE_E_ELEMENTNOTFOUND, "Element not found."},
    {TYPE_E_LIBNOTREGISTERED, "Library not registered."},
    {CONNECT_E_NOCONNECTION, "The connection is not advised."},
    {CONNECT_E_ADVISELIMIT, "The connection point has reached its limit of connections."},
    {CONNECT_E_CANNOTCONNECT, "The sink does not support the connection's interface."},
    {CONNECT_E_OVERRIDDEN, "The connection point is overridden."},
    {CLASS_E_NOAGGREGATION, "Class does not support aggregation (or class object is remote)"},
    {CLASS_E_CLASSNOTAVAILABLE, "ClassFactory cannot supply requested class"},
    {CLASS_E_NOTLICENSED, "Class is not licensed for use"},
    {REGDB_E_READREGDB, "Could not read key from registry"},
    {REGDB_E_WRITEREGDB, "Could not write key to registry"},
    {REGDB_E_KEYMISSING, "Could not find the key in the registry"},
    {REGDB_E_INVALIDVALUE, "Invalid value for registry"},
    {REGDB_E_CLASSNOTREG, "Class not registered"},
    {REGDB_E_IIDNOTREG, "Interface not registered"},
    {MK_E_UNAVAILABLE, "Operation unavailable"},
    {CO_E_NOTINITIALIZED, "CoInitialize has not been called."},
    {CO_E_CLASSSTRING, "Invalid class string"},
    {CO_E_APPNOTFOUND, "Application not found"},
    {CO_E_DLLNOTFOUND, "DLL for class not found"},
    {CO_E_ERRORINDLL, "Error in the DLL"},
    {CO_E_OBJNOTREG, "Object is not registered"},
    {CO_E_OBJNOTCONNECTED, "Object is not connected to server"},
};

} // namespace

std::string SysErrorMessage(HRESULT hr) {
    for (const auto& entry : codeTexts)
        if (entry.code == hr)
            return entry.text;
    char buf[32];
    std::snprintf(buf, sizeof buf, "Error 0x%08X", static_cast<unsigned>(hr));
    return buf;
}

HRESULT OleCheck(HRESULT hr) {
    if (SUCCEEDED(hr))
        return hr;
    std::string source, description;
    if (TakeComErrorInfo(hr, source, description) && !description.empty())
        throw EOleException(description, hr, source);
    throw EOleSysError(SysErrorMessage(hr), hr);
}

HRESULT HResultFromCurrentException() noexcept {
    try {
        throw;
    } catch (const EOleSysError& e) {
        return FAILED(e.ErrorCode) ? e.ErrorCode : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

std::string MessageOfCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            return e.what();
        } catch (...) {
            return {};
        }
    } catch (...) {
        return {}; // copying the message itself failed
    }
}

void SetComErrorInfo(HRESULT code, std::string source, std::string description) noexcept {
    threadErrorInfo.set = true;
    threadErrorInfo.code = code;
    threadErrorInfo.source = std::move(source);
    threadErrorInfo.description = std::move(description);
}

void ClearComErrorInfo() noexcept {
    threadErrorInfo.set = false;
    threadErrorInfo.source.clear();
    threadErrorInfo.description.clear();
}

bool TakeComErrorInfo(HRESULT code, std::string& source, std::string& description) noexcept {
    if (!threadErrorInfo.set)
        return false;
    if (threadErrorInfo.code != code) {
        ClearComErrorInfo();
        return false;
    }
    source = std::move(threadErrorInfo.source);
    description = std::move(threadErrorInfo.description);
    ClearComErrorInfo();
    return true;
}
