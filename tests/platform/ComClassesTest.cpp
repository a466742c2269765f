// COM classes: registration under the classes view, ProgID look-ups, an
// in-process server library loaded from its registration, class objects of
// this process, the running-object table, and the guard of host-called methods.
#include "tests/support/ComTestSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/com/Com.h"
#include "platform/com/ComClasses.h"
#include "platform/com/ComServer.h"
#include "platform/com/RunningObjects.h"
#include "platform/win/Library.h"
#include "platform/win/Registry.h"

#include <gtest/gtest.h>

namespace {

const std::string libraryPath = std::string(LORVANE_BIN_DIR) + "/libPlatformTestComServer.so";
constexpr GUID CLSID_Widget = MakeGuid("{5A1E0C3B-7D2F-4E21-9A4B-1C2D3E4F5A60}");
constexpr GUID CLSID_Broken = MakeGuid("{5A1E0C3B-7D2F-4E21-9A4B-1C2D3E4F5A61}");
constexpr GUID CLSID_Host = MakeGuid("{5A1E0C3B-7D2F-4E21-9A4B-1C2D3E4F5A62}");

class Thing : public DispatchObject<IDispatch> {
    friend struct ::ComMaker;
    Thing() {
        Members.Get("Kind", [] { return u"thing"; });
    }
};

// The test library's four exports, found the way a registration tool does.
struct ServerExports {
    HMODULE module = LoadLibrary(libraryPath.c_str());
    DllRegisterServerFunc Register = Find<DllRegisterServerFunc>("DllRegisterServer");
    DllUnregisterServerFunc Unregister = Find<DllUnregisterServerFunc>("DllUnregisterServer");
    DllCanUnloadNowFunc CanUnloadNow = Find<DllCanUnloadNowFunc>("DllCanUnloadNow");
    DllGetClassObjectFunc GetClassObject = Find<DllGetClassObjectFunc>("DllGetClassObject");
    ~ServerExports() { FreeLibrary(module); }
    template <class F> F Find(const char* name) {
        return module ? reinterpret_cast<F>(GetProcAddress(module, name)) : nullptr;
    }
};

class ComClasses : public ::testing::Test {
protected:
    TempPlatformHome home;
};

} // namespace

TEST_F(ComClasses, RegistrationWritesTheClassAndProgIDKeys) {
    RegisterComClass(
        {CLSID_Host, "Host.Application", "The host", "/opt/host/libhost.so", "Apartment"});
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKeyReadOnly("CLSID\\" + CLSID_Host.ToString()));
    EXPECT_EQ(reg.ReadString(""), "The host");
    ASSERT_TRUE(reg.OpenKeyReadOnly("InprocServer32"));
    EXPECT_EQ(reg.ReadString(""), "/opt/host/libhost.so");
    EXPECT_EQ(reg.ReadString("ThreadingModel"), "Apartment");
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Host.Application\\CLSID"));
    EXPECT_EQ(reg.ReadString(""), CLSID_Host.ToString());

    GUID clsid;
    EXPECT_EQ(CLSIDFromProgID(u"host.application", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Host);
    EXPECT_EQ(CLSIDFromString(u"Host.Application", &clsid), S_OK);
    EXPECT_EQ(CLSIDFromString(u"{5a1e0c3b-7d2f-4e21-9a4b-1c2d3e4f5a62}", &clsid), S_OK);
    EXPECT_EQ(ClassIDToProgID(CLSID_Host), "Host.Application");
    EXPECT_EQ(ProgIDToClassID("Host.Application"), CLSID_Host);

    UnregisterComClass(CLSID_Host, "Host.Application");
    EXPECT_FALSE(reg.KeyExists("\\CLSID\\" + CLSID_Host.ToString()));
    EXPECT_FALSE(reg.KeyExists("\\Host.Application"));
    EXPECT_TRUE(reg.KeyExists("\\CLSID"));
}

TEST_F(ComClasses, UnknownOrBrokenProgIDsAreClassStringErrors) {
    GUID clsid = CLSID_Host;
    EXPECT_EQ(CLSIDFromProgID(u"No.Such.Thing", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(clsid, GUID_NULL);
    EXPECT_EQ(CLSIDFromProgID(u"", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(u"Bad\\Name", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromString(u"{not-a-guid}", &clsid), CO_E_CLASSSTRING);
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKey("\\Garbled.ProgID\\CLSID", true));
    reg.WriteString("", "not a guid");
    EXPECT_EQ(CLSIDFromProgID(u"Garbled.ProgID", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CodeOf([] { ProgIDToClassID("No.Such.Thing"); }), CO_E_CLASSSTRING);
    std::u16string progId;
    EXPECT_EQ(ProgIDFromCLSID(CLSID_Host, &progId), REGDB_E_CLASSNOTREG);
    EXPECT_THROW(RegisterComClass({CLSID_Host, "Bad\\ProgID", "", "", ""}), EOleSysError);
}

TEST_F(ComClasses, UnregisteringLeavesAProgIDThatNamesAnotherClass) {
    RegisterComClass({CLSID_Host, "Shared.Name", "first", "/a.so", "Apartment"});
    RegisterComClass({CLSID_Widget, "Shared.Name", "second", "/b.so", "Apartment"});
    UnregisterComClass(CLSID_Host, "Shared.Name");
    GUID clsid;
    EXPECT_EQ(CLSIDFromProgID(u"Shared.Name", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Widget);
}

TEST_F(ComClasses, AnInprocServerRegistersItselfAndIsLoadedToCreateObjects) {
    long before = LibraryObjectCount().Objects();
    {
        ServerExports server;
        ASSERT_TRUE(server.module) << platform::LastLoadError();
        ASSERT_TRUE(server.Register && server.Unregister && server.CanUnloadNow &&
                    server.GetClassObject);
        ASSERT_EQ(server.Register(), S_OK);
        TRegistry reg;
        reg.SetRootKey(HKEY_CLASSES_ROOT);
        ASSERT_TRUE(
            reg.OpenKeyReadOnly("\\CLSID\\" + CLSID_Widget.ToString() + "\\InprocServer32"));
        EXPECT_EQ(reg.ReadString(""), platform::ModuleFileName(server.module));
        EXPECT_EQ(ProgIDToClassID("PlatformTest.Widget"), CLSID_Widget);

        ComPtr<IDispatch> widget = CreateOleObject("PlatformTest.Widget");
        ASSERT_TRUE(widget);
        EXPECT_EQ(dispGet(widget, "Name"), Variant(u"widget"));
        EXPECT_EQ(dispGet(widget, "LiveObjects"), Variant(1)); // counted in the library
        EXPECT_EQ(LibraryObjectCount().Objects(), before);     // not in the program
        EXPECT_EQ(server.CanUnloadNow(), S_FALSE);
        EXPECT_TRUE(IsComLibraryLoaded(libraryPath));
        auto failure = ErrorOf<EOleException>([&] { dispCall(widget, "Fail"); });
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message, "widget failure");

        widget.Reset();
        EXPECT_EQ(server.CanUnloadNow(), S_OK);
        CoFreeUnusedLibraries();
        EXPECT_FALSE(IsComLibraryLoaded(libraryPath));

        ASSERT_EQ(server.Unregister(), S_OK);
        EXPECT_FALSE(reg.KeyExists("\\CLSID\\" + CLSID_Widget.ToString()));
        ComPtr<IUnknown> none;
        EXPECT_EQ(CoCreateInstance(CLSID_Widget, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                   none.ReceiveVoid()),
                  REGDB_E_CLASSNOTREG);
    }
}

TEST_F(ComClasses, ServerLocksKeepTheLibraryLoaded) {
    ServerExports server;
    ASSERT_EQ(server.Register(), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_Widget, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.ReceiveVoid()),
              S_OK);
    EXPECT_EQ(factory->LockServer(true), S_OK);
    factory.Reset();
    EXPECT_EQ(server.CanUnloadNow(), S_FALSE);
    CoFreeUnusedLibraries();
    EXPECT_TRUE(IsComLibraryLoaded(libraryPath));
    ASSERT_EQ(CoGetClassObject(CLSID_Widget, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.ReceiveVoid()),
              S_OK);
    EXPECT_EQ(factory->LockServer(false), S_OK);
    EXPECT_EQ(factory->LockServer(false), E_UNEXPECTED);
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, aggregated.ReceiveVoid()),
              CLASS_E_NOAGGREGATION);
    factory.Reset();
    EXPECT_EQ(server.CanUnloadNow(), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_FALSE(IsComLibraryLoaded(libraryPath));
    ComPtr<IUnknown> none;
    EXPECT_EQ(server.GetClassObject(CLSID_Host, IID_IClassFactory, none.ReceiveVoid()),
              CLASS_E_CLASSNOTAVAILABLE);
    server.Unregister();
}

TEST_F(ComClasses, AnExceptionInCreateInstanceBecomesAFailureCode) {
    ServerExports server;
    ASSERT_EQ(server.Register(), S_OK);
    ComPtr<IUnknown> object;
    // The framework's own code 31105 is positive; it must not read as success.
    HRESULT hr = CoCreateInstance(CLSID_Broken, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  object.ReceiveVoid());
    EXPECT_EQ(hr, E_FAIL);
    EXPECT_FALSE(object);
    auto error = ErrorOf<EOleException>([&] { OleCheck(hr); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Message, "The registration process has been canceled.");
    EXPECT_EQ(CodeOf([] { CreateComObject(CLSID_Broken); }), E_FAIL);
    server.Unregister();
    CoFreeUnusedLibraries();
}

TEST_F(ComClasses, MissingOrBrokenServerLibrariesAreReported) {
    RegisterComClass(
        {CLSID_Host, "Missing.Library", "", "/nonexistent/libnothing.so", "Apartment"});
    ComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(CLSID_Host, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               object.ReceiveVoid()),
              CO_E_DLLNOTFOUND);
    // A library without DllGetClassObject.
    std::string companion = std::string(LORVANE_BIN_DIR) + "/libPlatformTestCompanion.so";
    RegisterComClass({CLSID_Host, "Missing.Library", "", companion, "Apartment"});
    EXPECT_EQ(CoCreateInstance(CLSID_Host, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               object.ReceiveVoid()),
              CO_E_ERRORINDLL);
    EXPECT_EQ(CodeOf([] { CreateOleObject("No.Such.Class"); }), CO_E_CLASSSTRING);
}

TEST_F(ComClasses, ClassObjectsOfThisProcessAreFoundBeforeTheRegistry) {
    ComServer host("Host");
    host.AddFactory<ComClassFactory>(CLSID_Host, "Application", "Host application", "Apartment",
                                     [] { return ComPtr<IUnknown>(MakeComObject<Thing>()); });
    EXPECT_EQ(host.LibraryPath(), platform::ModuleFileName(nullptr)); // this program
    uint32_t cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_Host, host.FindFactory(CLSID_Host), CLSCTX_LOCAL_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    ComPtr<IDispatch> app;
    ASSERT_EQ(
        CoCreateInstance(CLSID_Host, nullptr, CLSCTX_SERVER, IID_IDispatch, app.ReceiveVoid()),
        S_OK);
    EXPECT_EQ(dispGet(app, "Kind"), Variant(u"thing"));
    app.Reset();
    // An in-process request does not reach a local server's class object.
    EXPECT_EQ(CoCreateInstance(CLSID_Host, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               app.ReceiveVoid()),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
    EXPECT_EQ(CoRevokeClassObject(cookie), CO_E_OBJNOTREG);
    EXPECT_EQ(
        CoCreateInstance(CLSID_Host, nullptr, CLSCTX_SERVER, IID_IDispatch, app.ReceiveVoid()),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(host.FindFactory(CLSID_Host)->RefCount(), 0u);
}

TEST_F(ComClasses, RunningObjectsAreFoundByClassAndProgID) {
    RegisterComClass({CLSID_Host, "Host.Application", "The host", "", ""});
    auto app = MakeComObject<Thing>();
    EXPECT_EQ(CodeOf([] { GetActiveOleObject("Host.Application"); }), MK_E_UNAVAILABLE);
    EXPECT_EQ(CodeOf([] { GetActiveOleObject("Unknown.Application"); }), CO_E_CLASSSTRING);
    uint32_t cookie = 0;
    ASSERT_EQ(RegisterActiveObject(app->UnknownSelf(), CLSID_Host, ACTIVEOBJECT_STRONG, &cookie),
              S_OK);
    EXPECT_EQ(app->RefCount(), 2u); // the table holds it
    ComPtr<IDispatch> running = GetActiveOleObject("Host.Application");
    EXPECT_TRUE(IsSameObject(running.Get(), app->UnknownSelf()));
    running.Reset();
    EXPECT_EQ(RevokeActiveObject(cookie, nullptr), S_OK);
    EXPECT_EQ(RevokeActiveObject(cookie, nullptr), E_INVALIDARG);
    EXPECT_EQ(app->RefCount(), 1u);
    ComPtr<IUnknown> none;
    EXPECT_EQ(GetActiveObject(CLSID_Host, nullptr, none.Receive()), MK_E_UNAVAILABLE);

    ASSERT_EQ(RegisterActiveObject(app->UnknownSelf(), CLSID_Host, ACTIVEOBJECT_WEAK, &cookie),
              S_OK);
    EXPECT_EQ(app->RefCount(), 1u);
    EXPECT_EQ(GetActiveObject(CLSID_Host, nullptr, none.Receive()), S_OK);
    none.Reset();
    RevokeActiveObject(cookie, nullptr);
}

TEST_F(ComClasses, RegistrationFailuresAnswerAFailureCodeWithTheMessage) {
    struct FailingFactory : ComClassFactory {
        using ComClassFactory::ComClassFactory;
        void UpdateRegistry(bool) override {
            throw EOleSysError("Can't unregister add-in controls.", 31103);
        }
    };
    ComServer server("Failing");
    server.AddFactory<FailingFactory>(CLSID_Host, "Thing");
    HRESULT hr = server.UnregisterServer();
    EXPECT_EQ(hr, E_FAIL);
    std::string source, description;
    ASSERT_TRUE(TakeComErrorInfo(hr, source, description));
    EXPECT_EQ(description, "Can't unregister add-in controls.");
}

TEST(ComGuard, ExceptionsBecomeFailureCodes) {
    EXPECT_EQ(ComGuard([] {}), S_OK);
    EXPECT_EQ(ComGuard([] { return S_FALSE; }), S_FALSE);
    EXPECT_EQ(ComGuard([] { throw EOleSysError("no", E_NOINTERFACE); }), E_NOINTERFACE);
    EXPECT_EQ(ComGuard([] { throw EOleSysError("framework code", 31101); }), E_FAIL);
    EXPECT_EQ(ComGuard([] { throw Exception("plain"); }), E_FAIL);
    EXPECT_EQ(ComGuard([] { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    EXPECT_EQ(ComGuard([] { throw 42; }), E_FAIL);
    // The message waits for the caller of that failure only.
    HRESULT hr = ComGuard([] { throw Exception("kept for the caller"); });
    std::string source, description;
    EXPECT_FALSE(TakeComErrorInfo(E_NOINTERFACE, source, description));
    hr = ComGuard([] { throw Exception("kept for the caller"); });
    ASSERT_TRUE(TakeComErrorInfo(hr, source, description));
    EXPECT_EQ(description, "kept for the caller");
    EXPECT_FALSE(TakeComErrorInfo(hr, source, description));
    EXPECT_EQ(SysErrorMessage(E_NOINTERFACE), "No such interface supported");
    EXPECT_EQ(SysErrorMessage(MakeHResult(0x80041234)), "Error 0x80041234");
}
