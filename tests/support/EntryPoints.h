// The registration entry points of an add-in library, called as an installer
// calls them, for the end-to-end tests and the product benchmark.
#pragma once

#include "platform/com/ComServer.h"
#include "platform/win/Library.h"

#include <string>

// Calls the entry point name ("DllRegisterServer", "DllUnregisterServer") of
// the library at path. E_FAIL when the library cannot be loaded or has no
// such entry point; why (when given) then says which.
inline HRESULT CallLibraryEntryPoint(const char* name, const std::string& path,
                                     std::string* why = nullptr) {
    HMODULE library = LoadLibrary(path.c_str());
    if (!library) {
        if (why)
            *why = "cannot load " + path + ": " + platform::LastLoadError();
        return E_FAIL;
    }
    auto entry = reinterpret_cast<DllRegisterServerFunc>(GetProcAddress(library, name));
    if (!entry && why)
        *why = path + " has no " + name;
    HRESULT hr = entry ? entry() : E_FAIL;
    FreeLibrary(library);
    return hr;
}
