// The add-in library as an installer sees it: a file with the COM server's
// registration entry points, called the way the system's registration tool
// calls them (load, DllRegisterServer or DllUnregisterServer, unload).
#pragma once

#include <string>

class AddInLibrary {
public:
    // The library's file name.
    static constexpr const char* FileName = "LorvaneOL.so";
    // The ProgID under which the add-in registers.
    static constexpr const char* ProgId = "LorvaneOL.coLorvaneOL";

    // The library beside the host program.
    AddInLibrary();
    // The library at path.
    explicit AddInLibrary(std::string path) : path_(std::move(path)) {}

    // The library's full path.
    const std::string& Path() const { return path_; }
    // Registers the add-in; raises Exception with the library's reason when
    // it refuses or does not load.
    void Register() const;
    // Unregisters it, raising as Register does.
    void Unregister() const;

private:
    void CallEntryPoint(const char* name) const;

    std::string path_;
};
