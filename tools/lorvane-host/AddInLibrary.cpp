// Registration through the library's own entry points, so that what is
// written is exactly what the add-in writes when an installer registers it.
//
// The add-in's ProgID is read back from the registry: of the Outlook add-in
// keys, the one whose ProgID names a class whose InprocServer32 is this very
// file. The add-in keys, not the classes, decide, since a library may also
// register classes that are no add-in (controls, task panes); and the file,
// not the key's name, since a kept machine may hold other add-ins as well.
#include "AddInLibrary.h"

#include "platform/com/ComClasses.h"
#include "platform/com/ComServer.h"
#include "platform/com/OleError.h"
#include "platform/rtl/FileUtils.h"
#include "platform/text/Text.h"
#include "platform/win/Library.h"
#include "platform/win/Registry.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// Whether both paths name the same existing file.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

// The InprocServer32 library of the class that progId names, or "".
std::string ServerOf(const std::string& progId) {
    GUID clsid;
    if (FAILED(CLSIDFromProgID(text::Wide(progId), &clsid)))
        return {};
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    if (!reg.OpenKeyReadOnly("\\CLSID\\" + clsid.ToString() + "\\InprocServer32"))
        return {};
    return reg.ReadString("");
}

} // namespace

AddInLibrary::AddInLibrary()
    : path_(ExtractFilePath(platform::ModuleFileName(nullptr)) + ProductFileName) {}

AddInLibrary::AddInLibrary(const std::string& path)
    : path_(std::filesystem::absolute(path).lexically_normal().string()) {}

AddInLibrary::~AddInLibrary() {
    LetGo();
}

AddInLibrary::AddInLibrary(AddInLibrary&& other) noexcept
    : path_(std::move(other.path_)), progId_(std::move(other.progId_)),
      held_(std::exchange(other.held_, nullptr)) {}

AddInLibrary& AddInLibrary::operator=(AddInLibrary&& other) noexcept {
    if (this != &other) {
        LetGo();
        path_ = std::move(other.path_);
        progId_ = std::move(other.progId_);
        held_ = std::exchange(other.held_, nullptr);
    }
    return *this;
}

std::string AddInLibrary::FileName() const {
    return std::filesystem::path(path_).filename().string();
}

void AddInLibrary::Register() {
    CallEntryPoint("DllRegisterServer", true);
    progId_ = FindProgId();
    if (progId_.empty()) {
        LetGo();
        throw Exception(path_ + " registers no " + HostName +
                        " add-in: no add-in key names a class of this library");
    }
}

void AddInLibrary::LetGo() noexcept {
    if (HMODULE library = std::exchange(held_, nullptr))
        FreeLibrary(library);
}

void AddInLibrary::Unregister() {
    CallEntryPoint("DllUnregisterServer", false);
}

const std::string& AddInLibrary::ProgId() const {
    if (progId_.empty())
        progId_ = FindProgId();
    return progId_;
}

std::string AddInLibrary::FindProgId() const {
    const std::string addInsKey =
        std::string("\\Software\\Microsoft\\Office\\") + HostName + "\\AddIns";
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        TRegistry reg;
        reg.SetRootKey(root);
        if (!reg.OpenKeyReadOnly(addInsKey))
            continue;
        for (const std::string& progId : reg.GetKeyNames()) {
            if (SameFile(ServerOf(progId), path_))
                return progId;
        }
    }
    return {};
}

void AddInLibrary::CallEntryPoint(const char* name, bool keep) {
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
    if (keep && entry && SUCCEEDED(hr)) {
        // The new use first: a library kept already is not unloaded between.
        std::swap(held_, library);
    }
    if (library)
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
