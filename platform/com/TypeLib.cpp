// The platform's own type libraries: one coclass with its dispatch interface.
#include "platform/com/TypeLib.h"

#include "platform/com/ComObject.h"
#include "platform/com/OleError.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

#include <memory>

namespace {

class TypeLibrary;

// One type of the library: index 0 the interface, 1 the coclass.
class TypeInformation final : public ComObject<ITypeInfo> {
public:
    HRESULT GetTypeAttr(TypeAttr* attr) override;
    HRESULT GetDocumentation(DISPID memberId, std::u16string* name,
                             std::u16string* docString) override;
    HRESULT GetContainingTypeLib(ITypeLib** typeLib, uint32_t* index) override;
    HRESULT GetImplTypeInfo(uint32_t index, ITypeInfo** typeInfo) override;

private:
    friend struct ::ComMaker;
    TypeInformation(ITypeLib* library, std::shared_ptr<const TypeLibDescription> description,
                    uint32_t index)
        : ComObject(PlatformObjectCount()), library_(ComPtr<ITypeLib>::Share(library)),
          description_(std::move(description)), index_(index) {}
    ComPtr<ITypeLib> library_;
    std::shared_ptr<const TypeLibDescription> description_;
    uint32_t index_;
};

class TypeLibrary final : public ComObject<ITypeLib> {
public:
    uint32_t GetTypeInfoCount() override { return 2; }
    HRESULT GetTypeInfo(uint32_t index, ITypeInfo** typeInfo) override {
        if (!typeInfo)
            return E_POINTER;
        *typeInfo = nullptr;
        if (index >= 2)
            return TYPE_E_ELEMENTNOTFOUND;
        *typeInfo = MakeComObject<TypeInformation>(this, description_, index).Detach();
        return S_OK;
    }
    HRESULT GetTypeInfoOfGuid(const GUID& guid, ITypeInfo** typeInfo) override {
        if (guid == description_->InterfaceId)
            return GetTypeInfo(0, typeInfo);
        if (guid == description_->ClassId)
            return GetTypeInfo(1, typeInfo);
        if (typeInfo)
            *typeInfo = nullptr;
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT GetDocumentation(int32_t index, std::u16string* name,
                             std::u16string* docString) override {
        const TypeLibDescription& d = *description_;
        if (index < -1 || index > 1)
            return TYPE_E_ELEMENTNOTFOUND;
        const std::string& text = index == -1 ? d.Name : index == 0 ? d.InterfaceName : d.ClassName;
        if (name)
            *name = text::Utf8ToUtf16(text);
        if (docString)
            *docString = index == 1 ? text::Utf8ToUtf16(d.HelpString) : std::u16string();
        return S_OK;
    }
    HRESULT GetLibAttr(GUID* libId, uint16_t* major, uint16_t* minor) override {
        if (libId)
            *libId = description_->LibId;
        if (major)
            *major = description_->MajorVersion;
        if (minor)
            *minor = description_->MinorVersion;
        return S_OK;
    }

private:
    friend struct ::ComMaker;
    explicit TypeLibrary(TypeLibDescription description)
        : ComObject(PlatformObjectCount()),
          description_(std::make_shared<const TypeLibDescription>(std::move(description))) {}
    std::shared_ptr<const TypeLibDescription> description_;
};

HRESULT TypeInformation::GetTypeAttr(TypeAttr* attr) {
    if (!attr)
        return E_POINTER;
    bool coclass = index_ == 1;
    attr->Guid = coclass ? description_->ClassId : description_->InterfaceId;
    attr->TypeKind = coclass ? TKIND_COCLASS : TKIND_DISPATCH;
    attr->ImplTypes = coclass ? 1 : 0;
    return S_OK;
}

HRESULT TypeInformation::GetDocumentation(DISPID memberId, std::u16string* name,
                                          std::u16string* docString) {
    // The interface has no members of its own: only the type is documented.
    if (memberId != -1)
        return TYPE_E_ELEMENTNOTFOUND;
    return library_->GetDocumentation(static_cast<int32_t>(index_), name, docString);
}

HRESULT TypeInformation::GetContainingTypeLib(ITypeLib** typeLib, uint32_t* index) {
    if (typeLib)
        *typeLib = ComPtr<ITypeLib>(library_).Detach();
    if (index)
        *index = index_;
    return S_OK;
}

HRESULT TypeInformation::GetImplTypeInfo(uint32_t index, ITypeInfo** typeInfo) {
    if (!typeInfo)
        return E_POINTER;
    *typeInfo = nullptr;
    if (index_ != 1 || index != 0)
        return TYPE_E_ELEMENTNOTFOUND;
    return library_->GetTypeInfo(0, typeInfo);
}

std::string VersionText(const TypeLibDescription& d) {
    return std::to_string(d.MajorVersion) + "." + std::to_string(d.MinorVersion);
}

std::string LibKey(const TypeLibDescription& d) {
    return "\\TypeLib\\" + d.LibId.ToString();
}

void Write(TRegistry& reg, const std::string& key, const std::string& name,
           const std::string& value) {
    if (!reg.OpenKey(key, true))
        throw ERegistryException("Failed to create key " + key);
    reg.WriteString(name, value);
    reg.CloseKey();
}

// The folder part of a path ("" when it has none).
std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

ComPtr<ITypeLib> CreateTypeLib(const TypeLibDescription& description) {
    return MakeComObject<TypeLibrary>(description);
}

void RegisterTypeLib(const TypeLibDescription& d, const std::string& libraryPath) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    std::string version = LibKey(d) + "\\" + VersionText(d);
    Write(reg, version, "", d.Name);
    Write(reg, version + "\\0\\win32", "", libraryPath);
    Write(reg, version + "\\FLAGS", "", "0");
    Write(reg, version + "\\HELPDIR", "", FolderOf(libraryPath));
    std::string intf = "\\Interface\\" + d.InterfaceId.ToString();
    Write(reg, intf, "", d.InterfaceName);
    // Dispatch interfaces are marshalled by the automation marshaller.
    Write(reg, intf + "\\ProxyStubClsid32", "", "{00020424-0000-0000-C000-000000000046}");
    Write(reg, intf + "\\TypeLib", "", d.LibId.ToString());
    Write(reg, intf + "\\TypeLib", "Version", VersionText(d));
    std::string cls = "\\CLSID\\" + d.ClassId.ToString();
    Write(reg, cls + "\\TypeLib", "", d.LibId.ToString());
    Write(reg, cls + "\\Version", "", VersionText(d));
}

void UnregisterTypeLib(const TypeLibDescription& d) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    reg.DeleteKey(LibKey(d));
    reg.DeleteKey("\\Interface\\" + d.InterfaceId.ToString());
    std::string cls = "\\CLSID\\" + d.ClassId.ToString();
    reg.DeleteKey(cls + "\\TypeLib");
    reg.DeleteKey(cls + "\\Version");
}

bool IsTypeLibRegistered(const TypeLibDescription& d) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    return reg.KeyExists(LibKey(d) + "\\" + VersionText(d));
}
