// The loaded add-in libraries (the product's and the sample's) called
// through their exports with bad arguments, as a careless host might: a
// class the library does not serve, null out pointers, interfaces the class
// object and the add-in object do not have, aggregation, unbalanced server
// locks, and the add-in object's dispatch calls before it is connected.
// Every call answers a failure code, the references the host holds stay as
// they were, and the library may be unloaded once the host lets go.
#include "tests/e2e/E2eSupport.h"
#include "tests/support/HostCallTable.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/office/Extensibility.h"
#include "platform/office/Ribbon.h"

using namespace e2e;

namespace {

constexpr GUID kUnknownIid = MakeGuid("{0E5D7A24-4C3B-4A9F-8E61-7B2C9D0F1A33}");
constexpr GUID kUnknownClsid = MakeGuid("{0E5D7A25-4C3B-4A9F-8E61-7B2C9D0F1A33}");
constexpr GUID kSampleClsid = MakeGuid("{6B0D3E52-41A7-4C9F-8E15-2F7A9C3D1B64}");

// One add-in library loaded with its two run-time exports.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& path) : handle_(LoadLibrary(path.c_str())) {
        EXPECT_TRUE(handle_ != nullptr) << platform::LastLoadError();
        if (!handle_)
            return;
        getClassObject_ =
            reinterpret_cast<DllGetClassObjectFunc>(GetProcAddress(handle_, "DllGetClassObject"));
        canUnloadNow_ =
            reinterpret_cast<DllCanUnloadNowFunc>(GetProcAddress(handle_, "DllCanUnloadNow"));
    }
    ~LoadedLibrary() {
        if (handle_)
            FreeLibrary(handle_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool Loaded() const { return getClassObject_ && canUnloadNow_; }
    HRESULT GetClassObject(const GUID& clsid, const GUID& iid, void** ppv) const {
        return getClassObject_(clsid, iid, ppv);
    }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }

private:
    HMODULE handle_;
    DllGetClassObjectFunc getClassObject_ = nullptr;
    DllCanUnloadNowFunc canUnloadNow_ = nullptr;
};

// The table of bad calls at the entry points, the class object and a new,
// unconnected add-in object of the library at path serving clsid.
void ExpectBadCallsFail(const std::string& path, const GUID& clsid) {
    SCOPED_TRACE(path);
    TempPlatformHome home;
    LoadedLibrary library(path);
    ASSERT_TRUE(library.Loaded());
    EXPECT_EQ(library.CanUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(library.GetClassObject(clsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    ComPtr<IDTExtensibility2> addIn;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDTExtensibility2, addIn.ReceiveVoid()), S_OK);
    ComPtr<IRibbonExtensibility> ribbon = addIn.Query<IRibbonExtensibility>();
    ASSERT_TRUE(ribbon);
    EXPECT_EQ(library.CanUnloadNow(), S_FALSE);

    void* out = &out;
    // Answers hr after checking that the call left the out pointer null.
    auto nulled = [&](HRESULT hr) {
        EXPECT_EQ(out, nullptr) << "the out pointer is set to null on failure";
        out = &out;
        return hr;
    };
    const char16_t* name = u"GetLabel_Callback";
    DISPID id = 7;
    BSTR xml;
    ExpectHostCalls(BadQueryInterfaceCalls(addIn.Get(), IID_IDispatch, kUnknownIid), {addIn.Get()});
    ExpectHostCalls(
        {
            {"DllGetClassObject(unknown CLSID)",
             [&] { return nulled(library.GetClassObject(kUnknownClsid, IID_IClassFactory, &out)); },
             CLASS_E_CLASSNOTAVAILABLE},
            {"DllGetClassObject(null ppv)",
             [&] { return library.GetClassObject(clsid, IID_IClassFactory, nullptr); }, E_POINTER},
            {"DllGetClassObject(unknown IID)",
             [&] { return nulled(library.GetClassObject(clsid, kUnknownIid, &out)); },
             E_NOINTERFACE},
            {"DllGetClassObject(the add-in's interface)",
             [&] { return nulled(library.GetClassObject(clsid, IID_IDTExtensibility2, &out)); },
             E_NOINTERFACE},
            {"CreateInstance(null ppv)",
             [&] { return factory->CreateInstance(nullptr, IID_IDTExtensibility2, nullptr); },
             E_POINTER},
            {"CreateInstance(aggregated)",
             [&] { return nulled(factory->CreateInstance(addIn.Get(), IID_IUnknown, &out)); },
             CLASS_E_NOAGGREGATION},
            {"CreateInstance(unknown IID)",
             [&] { return nulled(factory->CreateInstance(nullptr, kUnknownIid, &out)); },
             E_NOINTERFACE},
            {"LockServer(false) with no lock", [&] { return factory->LockServer(false); },
             E_UNEXPECTED},
            {"OnConnection(null application)",
             [&] { return addIn->OnConnection(nullptr, ext_cm_AfterStartup, nullptr, nullptr); },
             E_POINTER},
            {"OnStartupComplete before connecting",
             [&] { return addIn->OnStartupComplete(nullptr); }, E_UNEXPECTED},
            {"OnDisconnection before connecting",
             [&] { return addIn->OnDisconnection(ext_dm_UserClosed, nullptr); }, E_UNEXPECTED},
            {"GetCustomUI(null out)",
             [&] { return ribbon->GetCustomUI(u"Microsoft.Outlook.Explorer", nullptr); },
             E_POINTER},
            {"GetCustomUI before connecting",
             [&] { return ribbon->GetCustomUI(u"Microsoft.Outlook.Explorer", &xml); },
             E_UNEXPECTED},
            {"GetTypeInfoCount(null)", [&] { return addIn->GetTypeInfoCount(nullptr); },
             E_INVALIDARG},
            {"GetIDsOfNames(null names)",
             [&] { return addIn->GetIDsOfNames(GUID_NULL, nullptr, 1, 0, &id); }, E_POINTER},
            {"GetIDsOfNames(reserved IID not null)",
             [&] { return addIn->GetIDsOfNames(kUnknownIid, &name, 1, 0, &id); },
             DISP_E_UNKNOWNINTERFACE},
            {"Invoke(unknown DISPID, null everything)",
             [&] {
                 return addIn->Invoke(4711, GUID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr,
                                      nullptr, nullptr);
             },
             DISP_E_MEMBERNOTFOUND},
            {"Invoke(a callback, null params)",
             [&] {
                 return addIn->Invoke(50, GUID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr,
                                      nullptr);
             },
             DISP_E_BADPARAMCOUNT},
        },
        {factory.Get(), addIn.Get()});
    EXPECT_REF(addIn.Get(), 2); // the pointer and its ribbon interface

    // A lock keeps the library loaded until it is given back.
    ribbon = nullptr;
    addIn = nullptr;
    EXPECT_EQ(library.CanUnloadNow(), S_OK);
    EXPECT_EQ(factory->LockServer(true), S_OK);
    EXPECT_EQ(library.CanUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(false), S_OK);
    EXPECT_EQ(library.CanUnloadNow(), S_OK);
}

TEST(EntryPointsBadArguments, TheProductsLibrary) {
    ExpectBadCallsFail(LibraryPath, StringToGUID(ClassId));
}

TEST(EntryPointsBadArguments, TheSampleLibrary) {
    ExpectBadCallsFail(SampleLibraryPath, kSampleClsid);
}

} // namespace
