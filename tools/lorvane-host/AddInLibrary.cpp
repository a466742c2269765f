// Registration through the library's own entry points, so that what is
// written is exactly what the add-in writes when an installer registers it.
#include "AddInLibrary.h"

#include "platform/com/ComServer.h"
#include "platform/com/OleError.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Library.h"

#include <cstdio>

AddInLibrary::AddInLibrary()
    : path_(ExtractFilePath(platform::ModuleFileName(nullptr)) + FileName) {}

void AddInLibrary::Register() const {
    CallEntryPoint("DllRegisterServer");
}

void AddInLibrary::Unregister() const {
    CallEntryPoint("DllUnregisterServer");
}

void AddInLibrary::CallEntryPoint(const char* name) const {
    HMODULE library = LoadLibrary(path_.c_str());
    if (!library)
        throw Exception(path_ + " does not load: " + platform::LastLoadError());
    HRESULT hr = E_FAIL;
    auto entry = reinterpret_cast<DllRegisterServerFunc>(GetProcAddress(library, name));
    if (entry) {
        ClearComErrorInfo();
        hr = entry();
    }
    std::string source, reason;
    bool explained = FAILED(hr) && TakeComErrorInfo(hr, source, reason) && !reason.empty();
    FreeLibrary(library);
    if (!entry)
        throw Exception(path_ + " has no entry point " + name + ".");
    if (FAILED(hr)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<uint32_t>(hr));
        throw Exception(std::string(name) + " failed (" + code +
                        "): " + (explained ? reason : SysErrorMessage(hr)));
    }
}
