// Type libraries of the platform's own servers: a library that describes
// one coclass and its dispatch interface (what an in-process automation
// server publishes), its ITypeLib and ITypeInfo, and its registration under
// the standard keys:
//
//   TypeLib\{libid}\<major>.<minor>            (default) library name
//   TypeLib\{libid}\<major>.<minor>\0\win32    (default) the server's library path
//   TypeLib\{libid}\<major>.<minor>\FLAGS      (default) "0"
//   TypeLib\{libid}\<major>.<minor>\HELPDIR    (default) the library's folder
//   Interface\{iid}                            (default) interface name
//   Interface\{iid}\ProxyStubClsid32           the automation marshaller
//   Interface\{iid}\TypeLib                    (default) {libid}, "Version"
//   CLSID\{clsid}\TypeLib                      (default) {libid}
//   CLSID\{clsid}\Version                      (default) "<major>.<minor>"
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"

#include <cstdint>
#include <string>

// {00020401-...} is ITypeInfo; ITypeLib:
constexpr GUID IID_ITypeLib = MakeGuid("{00020402-0000-0000-C000-000000000046}");

// What a library describes.
struct TypeLibDescription {
    GUID LibId;
    std::string Name;
    uint16_t MajorVersion = 1;
    uint16_t MinorVersion = 0;
    // The coclass, its help string, and its default dispatch interface.
    GUID ClassId;
    std::string ClassName;
    std::string HelpString;
    GUID InterfaceId;
    std::string InterfaceName;
};

struct ITypeLib : IUnknown {
    static constexpr GUID Iid = IID_ITypeLib;

    // Number of types (the interface, then the coclass).
    virtual uint32_t GetTypeInfoCount() = 0;
    // Type number index (TYPE_E_ELEMENTNOTFOUND beyond the last).
    virtual HRESULT GetTypeInfo(uint32_t index, ITypeInfo** typeInfo) = 0;
    // The type of that GUID (TYPE_E_ELEMENTNOTFOUND when none).
    virtual HRESULT GetTypeInfoOfGuid(const GUID& guid, ITypeInfo** typeInfo) = 0;
    // The name and help string of type index (-1: the library itself).
    virtual HRESULT GetDocumentation(int32_t index, std::u16string* name,
                                     std::u16string* docString) = 0;
    // The library's identity and version.
    virtual HRESULT GetLibAttr(GUID* libId, uint16_t* major, uint16_t* minor) = 0;
};

// The library of description, in memory.
ComPtr<ITypeLib> CreateTypeLib(const TypeLibDescription& description);
// Writes the library's keys (see the top of the file) for the server at
// libraryPath; raises ERegistryException.
void RegisterTypeLib(const TypeLibDescription& description, const std::string& libraryPath);
// Removes the keys RegisterTypeLib wrote.
void UnregisterTypeLib(const TypeLibDescription& description);
// True when the library's version key exists.
bool IsTypeLibRegistered(const TypeLibDescription& description);
