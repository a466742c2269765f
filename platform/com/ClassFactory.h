// Class factories: the objects through which COM creates instances of a
// class. ComClassFactory is the class library's factory of one COM class of
// an in-process server: it creates objects for CreateInstance, counts server
// locks in its library's ComObjectCount, and writes or removes the class's
// registration. A server's factories live in its ComServer (ComServer.h)
// from the library's start to its unloading, so they are owner-managed.
#pragma once

#include "platform/com/ComObject.h"

#include <functional>
#include <string>

// {00000001-0000-0000-C000-000000000046}
constexpr GUID IID_IClassFactory = MakeGuid("{00000001-0000-0000-C000-000000000046}");

struct IClassFactory : IUnknown {
    static constexpr GUID Iid = IID_IClassFactory;
    // Creates an instance and returns its interface iid; outer must be null
    // (no aggregation here: CLASS_E_NOAGGREGATION).
    virtual HRESULT CreateInstance(IUnknown* outer, const GUID& iid, void** ppv) = 0;
    // Locks (true) or unlocks (false) the server in memory.
    virtual HRESULT LockServer(bool lock) = 0;
};

class ComServer;

class ComClassFactory : public ComComponent<IClassFactory> {
public:
    // Makes a new object of the class, owning its first reference.
    using Creator = std::function<ComPtr<IUnknown>()>;

    // The factory of class clsid named className ("coLorvaneOL") in server,
    // with its registry description and threading model; creator makes the
    // objects unless a derived class overrides CreateComObject.
    ComClassFactory(ComServer& server, const GUID& clsid, std::string className,
                    std::string description = {}, std::string threadingModel = "Apartment",
                    Creator creator = {});

    // Guarded: a C++ exception becomes the failure code (see OleError.h).
    HRESULT CreateInstance(IUnknown* outer, const GUID& iid, void** ppv) override;
    HRESULT LockServer(bool lock) override;

    // A new object of the class (controller: the aggregating object, always
    // null here). Raises on failure.
    virtual ComPtr<IUnknown> CreateComObject(IUnknown* controller);
    // The class's ProgID: the server's name, a full stop and the class name
    // (just the class name when the server has no name).
    virtual std::string GetProgID() const;
    // Writes (true) or removes (false) the class's registration: the CLSID
    // key with its description, ProgID and InprocServer32 (library path and
    // threading model), and the ProgID key. Raises on failure.
    virtual void UpdateRegistry(bool doRegister);

    const GUID& ClassID() const noexcept { return clsid_; }
    const std::string& ClassName() const noexcept { return className_; }
    const std::string& Description() const noexcept { return description_; }
    const std::string& ThreadingModel() const noexcept { return threadingModel_; }
    ComServer& Server() const noexcept { return server_; }

private:
    ComServer& server_;
    GUID clsid_;
    std::string className_;
    std::string description_;
    std::string threadingModel_;
    Creator creator_;
};
