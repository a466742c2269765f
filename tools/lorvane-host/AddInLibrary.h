// The add-in library as an installer sees it: a file with the COM server's
// registration entry points, called the way the system's registration tool
// calls them (load, DllRegisterServer or DllUnregisterServer, unload). The
// library is the product's LorvaneOL.so beside the host unless --addin names
// another; the ProgID of its add-in is found in what its registration wrote.
//
// After a registration the library stays loaded, as COM keeps an in-process
// server loaded until unused libraries are freed: a host started next loads
// it as one more use instead of loading and relocating it anew. LetGo ends
// that use once the host holds its own, so that the host's unload still
// unloads it; the use also ends with the object.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

class AddInLibrary {
public:
    // The product's library file name, beside the host program.
    static constexpr const char* ProductFileName = "LorvaneOL.so";
    // The host name whose add-in keys Outlook reads.
    static constexpr const char* HostName = "Outlook";

    // The product's library beside the host program.
    AddInLibrary();
    // The library at path; a relative path is taken from the working folder.
    explicit AddInLibrary(const std::string& path);
    // Lets go of the library (LetGo).
    ~AddInLibrary();
    AddInLibrary(AddInLibrary&& other) noexcept;
    AddInLibrary& operator=(AddInLibrary&& other) noexcept;
    AddInLibrary(const AddInLibrary&) = delete;
    AddInLibrary& operator=(const AddInLibrary&) = delete;

    // The library's full path.
    const std::string& Path() const { return path_; }
    // Its file name, as transcripts show it.
    std::string FileName() const;
    // Registers the add-in and finds its ProgID; raises Exception with the
    // library's reason when it refuses or does not load, and when what it
    // registered holds no Outlook add-in of its own. A library that
    // registered stays loaded until LetGo.
    void Register();
    // Ends the use that Register kept (nothing when none is kept): the
    // library is unloaded unless a host loaded it meanwhile.
    void LetGo() noexcept;
    // Unregisters it, raising as Register does.
    void Unregister();
    // The ProgID of the add-in the library registered: found by Register, or
    // else looked up in the registry as it stands (empty when none is found).
    const std::string& ProgId() const;

private:
    // Loads the library and calls its entry point name; on success, with
    // keep, the library stays loaded (held_).
    void CallEntryPoint(const char* name, bool keep);
    // The first Outlook add-in, current user's keys first, whose ProgID
    // names a class served by this library; empty when there is none.
    std::string FindProgId() const;

    std::string path_;
    mutable std::string progId_;
    // The use Register kept of the library, or null.
    HMODULE held_ = nullptr;
};
