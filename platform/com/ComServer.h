// The in-process server plumbing behind a library's four exports. Each COM
// server library owns one ComServer (with its factories and its own live
// object count) and forwards its exports to it, in one source file:
//
//   ComServer& Server() { static ComServer server("LorvaneOL"); return server; }
//   COM_SERVER_ENTRY_POINTS(Server())
//
// and adds its classes at start-up: Server().AddFactory<ComClassFactory>(CLSID_X, "coX", ...).
#pragma once

#include "platform/com/ClassFactory.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Gives a library export C linkage and default visibility (the library itself
// is built with hidden visibility).
#define COM_SERVER_EXPORT extern "C" __attribute__((visibility("default")))

// Defines the library's four exports, each forwarding to server (an
// expression giving the library's own ComServer). The definitions are
// compiled into the library that expands this, so its exports answer with its
// own factories and its own live-object count.
#define COM_SERVER_ENTRY_POINTS(server)                                                            \
    COM_SERVER_EXPORT HRESULT DllGetClassObject(const GUID& clsid, const GUID& iid, void** ppv) {  \
        return (server).GetClassObject(clsid, iid, ppv);                                           \
    }                                                                                              \
    COM_SERVER_EXPORT HRESULT DllCanUnloadNow() {                                                  \
        return (server).CanUnloadNow();                                                            \
    }                                                                                              \
    COM_SERVER_EXPORT HRESULT DllRegisterServer() {                                                \
        return (server).RegisterServer();                                                          \
    }                                                                                              \
    COM_SERVER_EXPORT HRESULT DllUnregisterServer() {                                              \
        return (server).UnregisterServer();                                                        \
    }

// The exports' types, for hosts that find them with GetProcAddress.
using DllGetClassObjectFunc = HRESULT (*)(const GUID& clsid, const GUID& iid, void** ppv);
using DllCanUnloadNowFunc = HRESULT (*)();
using DllRegisterServerFunc = HRESULT (*)();
using DllUnregisterServerFunc = HRESULT (*)();

// An address inside the library that evaluates it (one per library).
__attribute__((visibility("hidden"))) inline const void* ThisLibraryAddress() {
    static const char anchor = 0;
    return &anchor;
}

class ComServer {
public:
    // The server named serverName (the type library's name, first part of
    // its ProgIDs). count and anchor default to those of the library that
    // constructs it; anchor locates the library's file.
    explicit ComServer(std::string serverName, ComObjectCount& count = LibraryObjectCount(),
                       const void* anchor = ThisLibraryAddress());
    ComServer(const ComServer&) = delete;
    ComServer& operator=(const ComServer&) = delete;
    ~ComServer();

    // Creates and keeps a factory F (constructed with this server first).
    template <class F, class... A> F& AddFactory(A&&... args) {
        auto factory = std::make_unique<F>(*this, std::forward<A>(args)...);
        F& ref = *factory;
        factories_.push_back(std::move(factory));
        return ref;
    }
    // The factory of clsid, or nullptr.
    ComClassFactory* FindFactory(const GUID& clsid) const noexcept;
    const std::vector<std::unique_ptr<ComClassFactory>>& Factories() const noexcept {
        return factories_;
    }

    // DllGetClassObject: the class object of clsid (CLASS_E_CLASSNOTAVAILABLE
    // for a class this server does not have).
    HRESULT GetClassObject(const GUID& clsid, const GUID& iid, void** ppv) noexcept;
    // DllCanUnloadNow: S_OK when no object lives and no lock is held, else S_FALSE.
    HRESULT CanUnloadNow() const noexcept;
    // DllRegisterServer / DllUnregisterServer: every factory's UpdateRegistry,
    // guarded: a failure answers its code (E_FAIL for codes that are not
    // failures) with the message in this thread's error info.
    HRESULT RegisterServer() noexcept;
    HRESULT UnregisterServer() noexcept;

    // The server's name.
    const std::string& ServerName() const noexcept { return serverName_; }
    // The full path of the library file.
    std::string LibraryPath() const;
    // The library's live objects and locks.
    ComObjectCount& ObjectCount() const noexcept { return count_; }

private:
    HRESULT UpdateRegistry(bool doRegister) noexcept;

    std::string serverName_;
    ComObjectCount& count_;
    const void* anchor_;
    std::vector<std::unique_ptr<ComClassFactory>> factories_;
};
