// COM classes on this machine: their registration under HKEY_CLASSES_ROOT
// (the view of HKEY_LOCAL_MACHINE\Software\Classes), ProgID look-ups, and
// object creation, either from an in-process server library named by the
// class's InprocServer32 key (loaded and asked through DllGetClassObject) or
// from a class object that this process registered (the simulated hosts).
//
// Registration layout:
//   CLSID\{clsid}                     (default) description
//   CLSID\{clsid}\ProgID              (default) progId
//   CLSID\{clsid}\InprocServer32      (default) library path, "ThreadingModel"
//   {progId}                          (default) description
//   {progId}\CLSID                    (default) {clsid}
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"

#include <cstdint>
#include <string>
#include <string_view>

// Class contexts.
constexpr uint32_t CLSCTX_INPROC_SERVER = 0x1;
constexpr uint32_t CLSCTX_INPROC_HANDLER = 0x2;
constexpr uint32_t CLSCTX_LOCAL_SERVER = 0x4;
constexpr uint32_t CLSCTX_REMOTE_SERVER = 0x10;
constexpr uint32_t CLSCTX_SERVER =
    CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr uint32_t CLSCTX_ALL = CLSCTX_SERVER | CLSCTX_INPROC_HANDLER;

// How a registered class object may be used.
constexpr uint32_t REGCLS_SINGLEUSE = 0;
constexpr uint32_t REGCLS_MULTIPLEUSE = 1;

// What registers one class of an in-process server.
struct ComClassRegistration {
    GUID ClassID;
    std::string ProgID; // none when empty
    std::string Description;
    std::string LibraryPath;
    std::string ThreadingModel = "Apartment";
};

// Writes the class's keys (see the top of the file); raises ERegistryException.
void RegisterComClass(const ComClassRegistration& registration);
// Removes the class's CLSID key and its ProgID key (the latter only while it
// still names this class, so another class's ProgID is never removed).
void UnregisterComClass(const GUID& clsid, std::string_view progId);

// The class of a ProgID; CO_E_CLASSSTRING when the ProgID is not registered
// or names no valid CLSID.
HRESULT CLSIDFromProgID(std::u16string_view progId, GUID* clsid) noexcept;
// A CLSID from "{...}" text or a ProgID.
HRESULT CLSIDFromString(std::u16string_view text, GUID* clsid) noexcept;
// The ProgID of a class; REGDB_E_CLASSNOTREG when it has none.
HRESULT ProgIDFromCLSID(const GUID& clsid, std::u16string* progId) noexcept;
// The class library's raising forms (EOleSysError with the code above).
GUID ProgIDToClassID(std::string_view progId);
std::string ClassIDToProgID(const GUID& clsid);

// Registers a class object of this process for clsid (what a running host
// does); cookie identifies the registration for CoRevokeClassObject.
HRESULT CoRegisterClassObject(const GUID& clsid, IUnknown* classObject, uint32_t clsctx,
                              uint32_t flags, uint32_t* cookie) noexcept;
// Withdraws a class object (CO_E_OBJNOTREG for an unknown cookie).
HRESULT CoRevokeClassObject(uint32_t cookie) noexcept;

// The class object of clsid: a registered class object first, then (for
// CLSCTX_INPROC_SERVER) the InprocServer32 library, loaded once and kept.
// REGDB_E_CLASSNOTREG when there is neither; CO_E_DLLNOTFOUND when the
// library does not load; CO_E_ERRORINDLL when it has no DllGetClassObject.
HRESULT CoGetClassObject(const GUID& clsid, uint32_t clsctx, void* reserved, const GUID& iid,
                         void** ppv) noexcept;
// A new object of clsid through its class object's CreateInstance.
HRESULT CoCreateInstance(const GUID& clsid, IUnknown* outer, uint32_t clsctx, const GUID& iid,
                         void** ppv) noexcept;
// Unloads the server libraries whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries() noexcept;
// Whether the library at path was loaded by CoGetClassObject and is still loaded.
bool IsComLibraryLoaded(std::string_view path);

// The class library's creation helpers; they raise EOleSysError on failure.
ComPtr<IUnknown> CreateComObject(const GUID& clsid);
ComPtr<IDispatch> CreateOleObject(std::string_view progId);
