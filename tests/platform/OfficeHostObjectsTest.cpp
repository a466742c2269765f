// The simulated Office objects a host hands to an add-in: a window's command
// bars with their OnUpdate event, the COM add-ins entry, and window handles
// read through IOleWindow.
#include "platform/com/Com.h"
#include "platform/office/Office.h"
#include "platform/sim/SimCOMAddIn.h"
#include "platform/sim/SimCommandBars.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

// An event sink that answers one event dispinterface and counts each DISPID.
class CountingSink final : public DispatchObject<IDispatch> {
public:
    static ComPtr<CountingSink> Create(const GUID& eventIid) {
        return MakeComObject<CountingSink>(eventIid);
    }
    HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams* params, Variant*, ExcepInfo*,
                   uint32_t*) override {
        Calls.push_back(id);
        ArgumentCounts.push_back(params ? params->cArgs : 0);
        return S_OK;
    }
    std::vector<DISPID> Calls;
    std::vector<uint32_t> ArgumentCounts;

private:
    friend struct ::ComMaker;
    explicit CountingSink(const GUID& eventIid) { AddInterfaceAlias<IDispatch>(eventIid); }
};

// A window object that names its handle, or refuses to.
class Window final : public ComObject<IOleWindow> {
public:
    HRESULT GetWindow(HWND* window) override {
        if (fail_)
            return E_FAIL;
        *window = handle_;
        return S_OK;
    }
    HRESULT ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    friend struct ::ComMaker;
    Window(HWND handle, bool fail) : handle_(handle), fail_(fail) {}
    HWND handle_;
    bool fail_;
};

class PlainObject final : public DispatchObject<IDispatch> {
    friend struct ::ComMaker;
};

} // namespace

TEST(SimulatedCommandBars, AnswersTheCommandBarsInterfaceAndStartsWithTheBuiltInBars) {
    long before = LibraryObjectCount().Objects();
    {
        ComPtr<SimulatedCommandBars> bars = SimulatedCommandBars::Create();
        EXPECT_TRUE(bars.Query<CommandBars>());
        EXPECT_TRUE(bars.Query<IDispatch>());
        EXPECT_TRUE(bars.Query<IConnectionPointContainer>());

        ComPtr<IDispatch> disp = bars.Query<IDispatch>();
        EXPECT_EQ(dispGet(disp, "Count").AsInteger(), 2);
        EXPECT_EQ(dispGet(dispGet(disp, "Item", 1), "Name").AsString(), "Menu Bar");
        EXPECT_TRUE(dispGet(dispGet(disp, "Item", u"Standard"), "BuiltIn").AsBool());
        EXPECT_TRUE(
            dispCall(disp, "FindControl", Variant::Missing(), 1, u"tag").IsEmptyOrNothing());
        try {
            dispGet(disp, "Item", 3);
            ADD_FAILURE() << "the collection has no item 3";
        } catch (const EOleSysError& e) {
            EXPECT_EQ(e.ErrorCode, DISP_E_BADINDEX);
        }
        EXPECT_THROW(dispCall(disp, "Add", u"Standard"), EOleSysError);
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
}

TEST(SimulatedCommandBars, OnUpdateReachesAdvisedSinksOnlyWhileAdvised) {
    long before = LibraryObjectCount().Objects();
    long platformBefore = PlatformObjectCount().Objects();
    {
        ComPtr<SimulatedCommandBars> bars = SimulatedCommandBars::Create();
        ComPtr<CountingSink> sink = CountingSink::Create(DIID__CommandBarsEvents);
        uint32_t cookie = 0;
        ASSERT_EQ(
            InterfaceConnect(bars->UnknownSelf(), DIID__CommandBarsEvents, sink.Get(), cookie),
            S_OK);
        EXPECT_EQ(bars->SinkCount(), 1u);

        EXPECT_EQ(bars->FireOnUpdate(), 1u);
        EXPECT_EQ(sink->Calls, std::vector<DISPID>{DISPID_CommandBarsOnUpdate});
        EXPECT_EQ(sink->ArgumentCounts, std::vector<uint32_t>{0});

        ASSERT_EQ(InterfaceDisconnect(bars->UnknownSelf(), DIID__CommandBarsEvents, cookie), S_OK);
        EXPECT_EQ(bars->FireOnUpdate(), 0u);
        EXPECT_EQ(sink->Calls.size(), 1u);
        EXPECT_EQ(bars->SinkCount(), 0u);
        EXPECT_EQ(bars->AdvisedIids(), std::vector<GUID>{DIID__CommandBarsEvents});
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
    EXPECT_EQ(PlatformObjectCount().Objects(), platformBefore);
}

TEST(SimulatedCommandBars, RefusesSinksOfOtherEventInterfaces) {
    ComPtr<SimulatedCommandBars> bars = SimulatedCommandBars::Create();
    ComPtr<CountingSink> sink = CountingSink::Create(DIID__CommandBarButtonEvents);
    uint32_t cookie = 0;
    EXPECT_EQ(
        InterfaceConnect(bars->UnknownSelf(), DIID__CommandBarButtonEvents, sink.Get(), cookie),
        CONNECT_E_NOCONNECTION);
    EXPECT_EQ(cookie, 0u);
}

TEST(SimulatedCOMAddIn, PropertiesReadTheSameTypedAndLateBound) {
    GUID clsid = MakeGuid("{C3F1FFEA-A903-4CCF-BC40-B2DFC7655D26}");
    ComPtr<SimulatedCOMAddIn> entry =
        SimulatedCOMAddIn::Create(u"Lib.coAddIn", clsid, u"An add-in");
    BSTR text;
    ASSERT_EQ(entry->get_ProgId(&text), S_OK);
    EXPECT_EQ(text, u"Lib.coAddIn");
    ASSERT_EQ(entry->get_Guid(&text), S_OK);
    EXPECT_EQ(text, u"{C3F1FFEA-A903-4CCF-BC40-B2DFC7655D26}");
    EXPECT_EQ(dispGet(entry, "ProgId").AsWide(), u"Lib.coAddIn");
    EXPECT_EQ(dispGet(entry, "Description").AsWide(), u"An add-in");
    dispPut(entry, "Description", u"Changed");
    ASSERT_EQ(entry->get_Description(&text), S_OK);
    EXPECT_EQ(text, u"Changed");
    EXPECT_EQ(entry->get_ProgId(nullptr), E_POINTER);
}

TEST(SimulatedCOMAddIn, ObjectHoldsWhatTheAddInPublishesUntilTheHostClearsIt) {
    long before = LibraryObjectCount().Objects();
    {
        ComPtr<SimulatedCOMAddIn> entry = SimulatedCOMAddIn::Create(u"P.C", GUID{}, u"");
        ComPtr<IDispatch> published = MakeComObject<PlainObject>();
        ComQuery<COMAddIn>(entry.Get())->put_Object(published.Get());
        EXPECT_EQ(entry->Object(), published);
        EXPECT_EQ(dispGet(entry, "Object").AsDispatch(), published);

        ComPtr<IDispatch> read;
        ASSERT_EQ(entry->get_Object(read.Receive()), S_OK);
        EXPECT_EQ(read, published);

        entry->ClearObject();
        EXPECT_TRUE(dispGet(entry, "Object").IsEmptyOrNothing());
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
}

TEST(SimulatedCOMAddIn, ConnectAsksTheHostAndFailsWhenTheHostRefuses) {
    ComPtr<SimulatedCOMAddIn> entry = SimulatedCOMAddIn::Create(u"P.C", GUID{}, u"");
    VARIANT_BOOL connected = VARIANT_TRUE;
    ASSERT_EQ(entry->get_Connect(&connected), S_OK);
    EXPECT_EQ(connected, VARIANT_FALSE);
    EXPECT_EQ(entry->put_Connect(VARIANT_TRUE), E_ACCESSDENIED) << "no host handles it";

    std::vector<bool> asked;
    entry->SetConnectHandler([&](bool connect) {
        asked.push_back(connect);
        entry->SetConnected(connect);
    });
    EXPECT_EQ(entry->put_Connect(VARIANT_TRUE), S_OK);
    dispPut(entry, "Connect", false);
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
    // Asking for the state it is in already changes nothing.
    EXPECT_EQ(entry->put_Connect(VARIANT_FALSE), S_OK);
    EXPECT_EQ(asked.size(), 2u);

    entry->SetConnectHandler([](bool) { throw EOleSysError("refused", E_FAIL); });
    EXPECT_EQ(entry->put_Connect(VARIANT_TRUE), E_FAIL);
    EXPECT_FALSE(entry->Connected());
}

TEST(OleWindowHandle, ReadsTheHandleOrGivesNone) {
    HWND handle = reinterpret_cast<HWND>(0x1234);
    ComPtr<Window> window = MakeComObject<Window>(handle, false);
    // Handles are opaque: compared, never printed.
    EXPECT_TRUE(OleWindowHandle(window.Get()) == handle);
    ComPtr<Window> failing = MakeComObject<Window>(handle, true);
    EXPECT_TRUE(OleWindowHandle(failing.Get()) == nullptr);
    ComPtr<PlainObject> plain = MakeComObject<PlainObject>();
    EXPECT_TRUE(OleWindowHandle(plain.Get()) == nullptr);
    EXPECT_TRUE(OleWindowHandle(nullptr) == nullptr);
}
