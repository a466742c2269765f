// The add-in library as an installer sees it: a file with the COM server's
// registration entry points, called the way the system's registration tool
// calls them (load, DllRegisterServer or DllUnregisterServer, unload). The
// library is the product's LorvaneOL.so beside the host unless --addin names
// another; the ProgID of its add-in is found in what its registration wrote.
#pragma once

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

    // The library's full path.
    const std::string& Path() const { return path_; }
    // Its file name, as transcripts show it.
    std::string FileName() const;
    // Registers the add-in and finds its ProgID; raises Exception with the
    // library's reason when it refuses or does not load, and when what it
    // registered holds no Outlook add-in of its own.
    void Register();
    // Unregisters it, raising as Register does.
    void Unregister() const;
    // The ProgID of the add-in the library registered: found by Register, or
    // else looked up in the registry as it stands (empty when none is found).
    const std::string& ProgId() const;

private:
    void CallEntryPoint(const char* name) const;
    // The first Outlook add-in, current user's keys first, whose ProgID
    // names a class served by this library; empty when there is none.
    std::string FindProgId() const;

    std::string path_;
    mutable std::string progId_;
};
