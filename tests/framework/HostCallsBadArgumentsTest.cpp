// Every object the host calls, called with null pointers, wrong types and
// unknown ids: the class factory, the server's class-object entry point, the
// add-in object's connection, ribbon, task-pane and dispatch interfaces, and
// the ribbon callbacks through Invoke. Each call must answer a failure code
// (or, where the call is a mere notification, succeed harmlessly), let no
// exception out, and leave every reference count as it found it.
#include "RibbonTestSupport.h"

#include "tests/support/HostCallTable.h"

#include "platform/com/SafeArray.h"
#include "platform/sim/RibbonObjects.h"
#include "platform/sim/SimTaskPanes.h"

namespace rbtest {
namespace {

constexpr GUID kUnknownIid = MakeGuid("{0E5D7A21-4C3B-4A9F-8E61-7B2C9D0F1A33}");
constexpr GUID kUnknownClsid = MakeGuid("{0E5D7A22-4C3B-4A9F-8E61-7B2C9D0F1A33}");
constexpr char16_t kCompose[] = u"Microsoft.Outlook.Mail.Compose";

// A plain object that is nothing a host passes (no host, no ribbon control,
// no task-pane factory), for calls that expect one.
ComPtr<fwtest::FakeHost> Stranger() {
    return fwtest::FakeHost::Create(kUnknownIid, u"");
}

class HostCallsBadArguments : public RibbonAddIn {
protected:
    // A new add-in object from the factory, not connected.
    ComPtr<IDTExtensibility2> NewAddIn() {
        SetRibbonForm(SendActionsForm());
        ComPtr<IDTExtensibility2> object;
        EXPECT_EQ(factory.CreateInstance(nullptr, IID_IDTExtensibility2, object.ReceiveVoid()),
                  S_OK);
        return object;
    }
    IDispatch* Dispatch() const { return static_cast<TadxAddin*>(addIn.Get())->DispatchSelf(); }
    IRibbonExtensibility* Ribbon() const { return static_cast<TadxAddin*>(addIn.Get()); }
    ICustomTaskPaneConsumer* Panes() const { return static_cast<TadxAddin*>(addIn.Get()); }

    // Invoke of the add-in's IDispatch with DISPATCH_METHOD.
    HRESULT Invoke(DISPID id, DispParams* params, Variant* result = nullptr,
                   ExcepInfo* info = nullptr, uint32_t* argErr = nullptr,
                   const GUID& riid = GUID_NULL) {
        return Dispatch()->Invoke(id, riid, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params, result,
                                  info, argErr);
    }
};

// The class factory and the server's entry points, with no simulated host
// alive (so that the server can tell when it may be unloaded).
class FactoryBadArguments : public fwtest::AddInTest {};

TEST_F(FactoryBadArguments, TheClassFactoryAndTheClassObjectEntryPoint) {
    ComPtr<fwtest::FakeHost> outer = Stranger();
    IClassFactory* classFactory = &factory;
    void* out = &out;
    auto nulled = [&](HRESULT hr) {
        EXPECT_EQ(out, nullptr) << "the out pointer is set to null on failure";
        out = &out;
        return hr;
    };
    ExpectHostCalls(BadQueryInterfaceCalls(classFactory, IID_IClassFactory, kUnknownIid),
                    {classFactory});
    ExpectHostCalls(
        {
            {"CreateInstance(null ppv)",
             [&] { return classFactory->CreateInstance(nullptr, IID_IUnknown, nullptr); },
             E_POINTER},
            {"CreateInstance(aggregated)",
             [&] { return nulled(classFactory->CreateInstance(outer.Get(), IID_IUnknown, &out)); },
             CLASS_E_NOAGGREGATION},
            {"CreateInstance(aggregated, null ppv)",
             [&] { return classFactory->CreateInstance(outer.Get(), IID_IUnknown, nullptr); },
             E_POINTER},
            {"CreateInstance(unknown IID)",
             [&] { return nulled(classFactory->CreateInstance(nullptr, kUnknownIid, &out)); },
             E_NOINTERFACE},
            {"CreateInstance(IClassFactory)",
             [&] { return nulled(classFactory->CreateInstance(nullptr, IID_IClassFactory, &out)); },
             E_NOINTERFACE},
            {"QueryInterface(IDispatch)",
             [&] { return nulled(classFactory->QueryInterface(IID_IDispatch, &out)); },
             E_NOINTERFACE},
            {"LockServer(false) with no lock", [&] { return classFactory->LockServer(false); },
             E_UNEXPECTED},
            {"GetClassObject(unknown CLSID)",
             [&] { return nulled(server.GetClassObject(kUnknownClsid, IID_IClassFactory, &out)); },
             CLASS_E_CLASSNOTAVAILABLE},
            {"GetClassObject(null ppv)",
             [&] {
                 return server.GetClassObject(fwtest::CLSID_TestAddIn, IID_IClassFactory, nullptr);
             },
             E_POINTER},
            {"GetClassObject(unknown CLSID, null ppv)",
             [&] { return server.GetClassObject(kUnknownClsid, IID_IClassFactory, nullptr); },
             E_POINTER},
            {"GetClassObject(unknown IID)",
             [&] {
                 return nulled(server.GetClassObject(fwtest::CLSID_TestAddIn, kUnknownIid, &out));
             },
             E_NOINTERFACE},
            {"GetClassObject(the add-in's interface)",
             [&] {
                 return nulled(
                     server.GetClassObject(fwtest::CLSID_TestAddIn, IID_IDTExtensibility2, &out));
             },
             E_NOINTERFACE},
            {"CanUnloadNow with an object alive",
             [&] {
                 EXPECT_EQ(LibraryObjectCount().Objects(), 1) << "the outer object alone";
                 return server.CanUnloadNow();
             },
             S_FALSE},
        },
        {classFactory, outer.Get()});

    // A lock and an object each keep the server loaded, and only while they last.
    EXPECT_EQ(classFactory->LockServer(true), S_OK);
    EXPECT_EQ(server.CanUnloadNow(), S_FALSE);
    EXPECT_EQ(classFactory->LockServer(false), S_OK);
    EXPECT_EQ(classFactory->LockServer(false), E_UNEXPECTED);
    outer = nullptr;
    EXPECT_EQ(server.CanUnloadNow(), S_OK);
    ComPtr<IDTExtensibility2> object = NewAddIn();
    EXPECT_REF(object.Get(), 1);
    EXPECT_EQ(server.CanUnloadNow(), S_FALSE);
    object = nullptr;
    EXPECT_EQ(server.CanUnloadNow(), S_OK);
}

TEST_F(HostCallsBadArguments, TheAddInObjectBeforeItIsConnected) {
    addIn = NewAddIn();
    SafeArray custom;
    ITypeInfo* typeInfo = nullptr;
    uint32_t count = 7;
    DISPID id = 7;
    BSTR xml = u"left over";
    const char16_t* name = u"GetLabel_Callback";
    ComPtr<fwtest::FakeHost> stranger = Stranger();
    auto ctpFactory = sim::SimulatedCTPFactory::Create(outlook.Application());
    ExpectHostCalls(BadQueryInterfaceCalls(addIn.Get(), IID_IDTExtensibility2, kUnknownIid),
                    {addIn.Get()});
    ExpectHostCalls(
        {
            {"OnConnection(null application) at start-up",
             [&] { return addIn->OnConnection(nullptr, ext_cm_Startup, stranger.Get(), &custom); },
             E_POINTER},
            {"OnConnection(null application) after start-up",
             [&] { return addIn->OnConnection(nullptr, ext_cm_AfterStartup, nullptr, nullptr); },
             E_POINTER},
            {"OnStartupComplete", [&] { return addIn->OnStartupComplete(&custom); }, E_UNEXPECTED},
            {"OnBeginShutdown", [&] { return addIn->OnBeginShutdown(nullptr); }, E_UNEXPECTED},
            {"OnDisconnection",
             [&] { return addIn->OnDisconnection(ext_dm_HostShutdown, nullptr); }, E_UNEXPECTED},
            {"OnAddInsUpdate(null)", [&] { return addIn->OnAddInsUpdate(nullptr); }, S_OK},
            {"GetCustomUI(null out)", [&] { return Ribbon()->GetCustomUI(kCompose, nullptr); },
             E_POINTER},
            {"GetCustomUI",
             [&] {
                 HRESULT hr = Ribbon()->GetCustomUI(kCompose, &xml);
                 EXPECT_TRUE(xml.empty());
                 return hr;
             },
             E_UNEXPECTED},
            {"CTPFactoryAvailable(null)", [&] { return Panes()->CTPFactoryAvailable(nullptr); },
             E_POINTER},
            {"CTPFactoryAvailable(a factory)",
             [&] { return Panes()->CTPFactoryAvailable(ctpFactory.Get()); }, E_UNEXPECTED},
            {"GetTypeInfoCount(null)", [&] { return Dispatch()->GetTypeInfoCount(nullptr); },
             E_INVALIDARG},
            {"GetTypeInfoCount",
             [&] {
                 HRESULT hr = Dispatch()->GetTypeInfoCount(&count);
                 EXPECT_EQ(count, 0u);
                 return hr;
             },
             S_OK},
            {"GetTypeInfo(0, null)", [&] { return Dispatch()->GetTypeInfo(0, 0, nullptr); },
             E_INVALIDARG},
            {"GetTypeInfo(1)", [&] { return Dispatch()->GetTypeInfo(1, 0, &typeInfo); },
             DISP_E_BADINDEX},
            {"GetIDsOfNames(null names)",
             [&] { return Dispatch()->GetIDsOfNames(GUID_NULL, nullptr, 1, 0, &id); }, E_POINTER},
            {"GetIDsOfNames(null ids)",
             [&] { return Dispatch()->GetIDsOfNames(GUID_NULL, &name, 1, 0, nullptr); }, E_POINTER},
            {"GetIDsOfNames(count 0)",
             [&] { return Dispatch()->GetIDsOfNames(GUID_NULL, &name, 0, 0, &id); },
             DISP_E_UNKNOWNNAME},
            {"GetIDsOfNames(null name)",
             [&] {
                 const char16_t* none = nullptr;
                 HRESULT hr = Dispatch()->GetIDsOfNames(GUID_NULL, &none, 1, 0, &id);
                 EXPECT_EQ(id, DISPID_UNKNOWN);
                 return hr;
             },
             DISP_E_UNKNOWNNAME},
            {"GetIDsOfNames(reserved IID not null)",
             [&] { return Dispatch()->GetIDsOfNames(kUnknownIid, &name, 1, 0, &id); },
             DISP_E_UNKNOWNINTERFACE},
            {"Invoke(unknown DISPID, null everything)", [&] { return Invoke(4711, nullptr); },
             DISP_E_MEMBERNOTFOUND},
            {"Invoke(reserved IID not null)",
             [&] {
                 return Invoke(adxOnActionCommonDispId, nullptr, nullptr, nullptr, nullptr,
                               kUnknownIid);
             },
             DISP_E_UNKNOWNINTERFACE},
            {"Invoke(a callback, null params)",
             [&] { return Invoke(adxOnActionCommonDispId, nullptr); }, DISP_E_BADPARAMCOUNT},
            {"Invoke(a callback, no module)",
             [&] {
                 DispArgs args{Variant(ComPtr<IDispatch>(stranger))};
                 return Invoke(adxOnActionCommonDispId, &args.Params());
             },
             DISP_E_EXCEPTION},
        },
        {addIn.Get(), &factory, stranger.Get(), ctpFactory.Get()});
}

TEST_F(HostCallsBadArguments, ConnectionsWithArgumentsNoHostPasses) {
    ComPtr<IDispatch> application = outlook.Application();
    ComPtr<fwtest::FakeHost> stranger = Stranger();
    SafeArray wrongCustom(VT_I4, 5, 3);
    struct Connection {
        const char* Name;
        IDispatch* Application;
        ext_ConnectMode Mode;
        IDispatch* AddInInst;
        SafeArray* Custom;
    };
    // Each connects: an unknown host is none that detection finds, an
    // unknown mode is not the start-up one, and the rest is not read.
    const Connection connections[] = {
        {"an application of no known host", stranger.Get(), ext_cm_AfterStartup, nullptr, nullptr},
        {"a connect mode out of range", application.Get(), static_cast<ext_ConnectMode>(99),
         nullptr, nullptr},
        {"an add-in entry that is no COMAddIn", application.Get(), ext_cm_Startup, stranger.Get(),
         nullptr},
        {"a custom array of integers", application.Get(), ext_cm_Startup, nullptr, &wrongCustom},
    };
    const ULONG applicationRefs = RefCountOf(application.Get());
    const long objects = LibraryObjectCount().Objects();
    const long platformObjects = PlatformObjectCount().Objects();
    for (const Connection& c : connections) {
        SCOPED_TRACE(c.Name);
        addIn = NewAddIn();
        EXPECT_EQ(addIn->OnConnection(c.Application, c.Mode, c.AddInInst, c.Custom), S_OK);
        // What the connection holds is the add-in's; a second one changes nothing.
        ExpectHostCalls({{"a second OnConnection",
                          [&] {
                              return addIn->OnConnection(application.Get(), ext_cm_Startup, nullptr,
                                                         nullptr);
                          },
                          E_UNEXPECTED}},
                        {application.Get(), stranger.Get(), addIn.Get()});
        EXPECT_EQ(addIn->OnStartupComplete(&wrongCustom), S_OK);
        EXPECT_EQ(addIn->OnBeginShutdown(&wrongCustom), S_OK);
        EXPECT_EQ(addIn->OnDisconnection(static_cast<ext_DisconnectMode>(99), &wrongCustom), S_OK);
        EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), E_UNEXPECTED);
        addIn = nullptr;
        // Once disconnected and released, nothing of the connection is left.
        EXPECT_EQ(RefCountOf(application.Get()), applicationRefs);
        EXPECT_REF(stranger.Get(), 1);
        EXPECT_EQ(LibraryObjectCount().Objects(), objects);
        EXPECT_EQ(PlatformObjectCount().Objects(), platformObjects);
    }
}

TEST_F(HostCallsBadArguments, TheRibbonAndTaskPaneInterfacesOfAConnectedAddIn) {
    Connect(SendActionsForm());
    BSTR xml;
    ComPtr<fwtest::FakeHost> stranger = Stranger();
    ExpectHostCalls(
        {
            {"GetCustomUI(null out)", [&] { return Ribbon()->GetCustomUI(kCompose, nullptr); },
             E_POINTER},
            {"GetCustomUI(unknown ribbon id)",
             [&] {
                 xml = u"left over";
                 HRESULT hr = Ribbon()->GetCustomUI(u"No.Such.Ribbon", &xml);
                 EXPECT_EQ(text::Narrow(xml).find("<tab "), std::string::npos);
                 return hr;
             },
             S_OK},
            {"GetCustomUI(empty ribbon id)",
             [&] {
                 xml = u"left over";
                 HRESULT hr = Ribbon()->GetCustomUI(u"", &xml);
                 EXPECT_EQ(text::Narrow(xml).find("<tab "), std::string::npos);
                 return hr;
             },
             S_OK},
            {"CTPFactoryAvailable(null)", [&] { return Panes()->CTPFactoryAvailable(nullptr); },
             E_POINTER},
            {"OnAddInsUpdate(null)", [&] { return addIn->OnAddInsUpdate(nullptr); }, S_OK},
        },
        {addIn.Get(), stranger.Get()});
    // A null factory leaves the one the module holds.
    auto panes = sim::SimulatedCTPFactory::Create(outlook.Application());
    EXPECT_EQ(Panes()->CTPFactoryAvailable(panes.Get()), S_OK);
    EXPECT_EQ(Panes()->CTPFactoryAvailable(nullptr), E_POINTER);
    EXPECT_EQ(Module().CTPFactory.Get(), static_cast<ICTPFactory*>(panes.Get()));
}

TEST_F(HostCallsBadArguments, RibbonCallbacksThroughInvoke) {
    Connect(SendActionsForm());
    auto host = LoadRibbon(kCompose);
    ComPtr<sim::SimulatedRibbonControl> control =
        sim::SimulatedRibbonControl::Create(kMenuButtonIds[0], u"", nullptr);
    ComPtr<fwtest::FakeHost> stranger = Stranger();
    Variant controlArg{ComPtr<IDispatch>(control)};
    Variant strangerArg{ComPtr<IDispatch>(stranger)};
    Variant result;
    ExcepInfo info;
    uint32_t argErr = 99;
    // A call with the arguments args of callback id (laid out for COM).
    auto call = [&](DISPID id, std::vector<Variant> args, Variant* out = nullptr,
                    ExcepInfo* excepInfo = nullptr, uint32_t* err = nullptr) {
        DispArgs dispArgs(std::move(args));
        HRESULT hr = Invoke(id, &dispArgs.Params(), out, excepInfo, err);
        EXPECT_TRUE(!out || SUCCEEDED(hr) || out->IsEmpty()) << "a failed call leaves no result";
        return hr;
    };
    constexpr DISPID kGetLabel = 14, kGetItemLabel = 29, kOnActionState = 52, kOnChange = 55;
    DISPID named = 0;
    Variant oneArg = controlArg;
    ExpectHostCalls(
        {
            {"GetLabel with null result, info and argErr",
             [&] { return call(kGetLabel, {controlArg}); }, S_OK},
            {"GetLabel with no arguments",
             [&] { return call(kGetLabel, {}, &result, &info, &argErr); }, DISP_E_BADPARAMCOUNT},
            {"GetLabel with null params",
             [&] { return Invoke(kGetLabel, nullptr, &result, &info, &argErr); },
             DISP_E_BADPARAMCOUNT},
            {"GetLabel with an argument count but no arguments",
             [&] {
                 DispParams params{nullptr, nullptr, 1, 0};
                 return Invoke(kGetLabel, &params, &result, &info, &argErr);
             },
             E_INVALIDARG},
            {"GetLabel with more named arguments than arguments",
             [&] {
                 DispParams params{&oneArg, &named, 1, 3};
                 return Invoke(kGetLabel, &params, &result, &info, &argErr);
             },
             E_INVALIDARG},
            {"GetLabel with named arguments but no names",
             [&] {
                 DispParams params{&oneArg, nullptr, 1, 1};
                 return Invoke(kGetLabel, &params, &result, &info, &argErr);
             },
             E_INVALIDARG},
            {"GetLabel with two arguments",
             [&] {
                 return call(kGetLabel, {controlArg, controlArg}, &result);
             },
             DISP_E_BADPARAMCOUNT},
            {"GetLabel with a string", [&] { return call(kGetLabel, {Variant(u"x")}, &result); },
             DISP_E_TYPEMISMATCH},
            {"GetLabel with a string and null argErr",
             [&] { return call(kGetLabel, {Variant(u"x")}, &result, &info, nullptr); },
             DISP_E_TYPEMISMATCH},
            {"GetLabel with an object that is no control",
             [&] { return call(kGetLabel, {strangerArg}, &result, &info, &argErr); },
             DISP_E_EXCEPTION},
            {"GetLabel with an object that is no control and null info",
             [&] { return call(kGetLabel, {strangerArg}, &result); }, DISP_E_EXCEPTION},
            {"GetLabel with a null object",
             [&] { return call(kGetLabel, {Variant(static_cast<IDispatch*>(nullptr))}, &result); },
             DISP_E_EXCEPTION},
            // An empty value holds no object, like a null one: the callback fails.
            {"GetLabel with an empty variant",
             [&] { return call(kGetLabel, {Variant()}, &result); }, DISP_E_EXCEPTION},
            {"GetItemLabel with a negative index",
             [&] {
                 return call(kGetItemLabel, {controlArg, Variant(-1)}, &result);
             },
             DISP_E_EXCEPTION},
            {"GetItemLabel with an object for the index",
             [&] {
                 return call(kGetItemLabel, {controlArg, strangerArg}, &result);
             },
             DISP_E_TYPEMISMATCH},
            {"OnActionState with a pressed state that is an object",
             [&] {
                 return call(kOnActionState, {controlArg, strangerArg});
             },
             DISP_E_TYPEMISMATCH},
            {"OnChange with no text", [&] { return call(kOnChange, {controlArg}); },
             DISP_E_BADPARAMCOUNT},
            {"an unknown DISPID", [&] { return call(4711, {controlArg}, &result); },
             DISP_E_MEMBERNOTFOUND},
        },
        {addIn.Get(), control.Get(), stranger.Get()});

    // Every callback of the table, with no arguments and with more than any takes.
    std::vector<HostCall> everyCallback;
    for (DISPID id = 0; id < 64; ++id) {
        const char* name = adxRibbonCallbackName(id);
        if (!name)
            continue;
        everyCallback.push_back({std::string(name) + " with null params",
                                 [&, id] { return Invoke(id, nullptr, &result, &info, &argErr); },
                                 DISP_E_BADPARAMCOUNT});
        everyCallback.push_back(
            {std::string(name) + " with six arguments",
             [&, id] { return call(id, std::vector<Variant>(6, controlArg), &result); },
             DISP_E_BADPARAMCOUNT});
    }
    EXPECT_EQ(everyCallback.size(), 2 * 34u);
    ExpectHostCalls(everyCallback, {addIn.Get(), control.Get()});
    EXPECT_TRUE(journal.empty()) << "no bad call reached a handler";
}

} // namespace
} // namespace rbtest
