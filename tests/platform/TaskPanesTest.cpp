// The simulated task-pane factory and panes: what the add-in sets, the two
// events with the pane as argument, and a pane that refuses every call once
// it is deleted or its window closed.
#include "platform/com/Com.h"
#include "platform/office/Office.h"
#include "platform/sim/SimTaskPanes.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

// A pane event sink that records each event's DISPID and whether its
// argument was the pane that raised it.
class PaneSink final : public DispatchObject<IDispatch> {
public:
    HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams* params, Variant*, ExcepInfo*,
                   uint32_t*) override {
        Events.push_back(id);
        ArgumentIsPane.push_back(params && params->cArgs == 1 &&
                                 IsSameObject(params->rgvarg[0].AsUnknown().Get(), Pane));
        return S_OK;
    }
    IUnknown* Pane = nullptr;
    std::vector<DISPID> Events;
    std::vector<bool> ArgumentIsPane;

private:
    friend struct ::ComMaker;
    PaneSink() { AddInterfaceAlias<IDispatch>(DIID__CustomTaskPaneEvents); }
};

class Window final : public DispatchObject<IDispatch> {
    friend struct ::ComMaker;
};

} // namespace

TEST(SimulatedTaskPanes, PaneKeepsWhatTheAddInSetsAndRaisesItsEvents) {
    long before = LibraryObjectCount().Objects();
    {
        ComPtr<IDispatch> window = MakeComObject<Window>();
        ComPtr<SimulatedCTPFactory> factory = SimulatedCTPFactory::Create(nullptr);
        ComPtr<_CustomTaskPane> pane;
        ASSERT_EQ(factory->CreateCTP(u"Some.Control", u"Pane", Variant(window), pane.Receive()),
                  S_OK);
        ComPtr<SimulatedCustomTaskPane> simulated = factory->Panes().at(0);
        EXPECT_EQ(factory->PanesOf(window.Get()).size(), 1u);
        EXPECT_TRUE(factory->PanesOf(nullptr).empty());

        ComPtr<PaneSink> sink = MakeComObject<PaneSink>();
        sink->Pane = simulated->UnknownSelf();
        uint32_t cookie = 0;
        ASSERT_EQ(InterfaceConnect(pane.Get(), DIID__CustomTaskPaneEvents, sink.Get(), cookie),
                  S_OK);

        EXPECT_EQ(pane->put_DockPosition(msoCTPDockPositionBottom), S_OK);
        EXPECT_EQ(pane->put_Height(120), S_OK);
        EXPECT_EQ(pane->put_DockPositionRestrict(msoCTPDockPositionRestrictNoChange), S_OK);
        EXPECT_EQ(pane->put_Visible(VARIANT_TRUE), S_OK);
        EXPECT_EQ(pane->put_Visible(VARIANT_TRUE), S_OK) << "no change, no event";
        simulated->UserDock(msoCTPDockPositionLeft);
        simulated->UserSetVisible(false);
        EXPECT_EQ(sink->Events, (std::vector<DISPID>{DISPID_CTPVisibleStateChange,
                                                     DISPID_CTPDockPositionStateChange,
                                                     DISPID_CTPVisibleStateChange}));
        EXPECT_EQ(sink->ArgumentIsPane, (std::vector<bool>{true, true, true}));

        EXPECT_EQ(simulated->Height(), 120);
        EXPECT_EQ(dispGet(pane, "DockPosition").AsInteger(), msoCTPDockPositionLeft);
        EXPECT_EQ(dispGet(pane, "Title").AsWide(), u"Pane");
        EXPECT_TRUE(IsSameObject(dispGet(pane, "Window").AsUnknown().Get(), window.Get()));
        EXPECT_TRUE(dispGet(pane, "ContentControl").IsEmptyOrNothing());
        EXPECT_EQ(pane->put_Height(-1), E_INVALIDARG);
        EXPECT_EQ(pane->put_DockPosition(static_cast<MsoCTPDockPosition>(7)), E_INVALIDARG);

        ASSERT_EQ(InterfaceDisconnect(pane.Get(), DIID__CustomTaskPaneEvents, cookie), S_OK);
        factory->Clear();
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
}

TEST(SimulatedTaskPanes, DeletedPanesAndPanesOfClosedWindowsRefuseEveryCall) {
    ComPtr<IDispatch> window = MakeComObject<Window>();
    ComPtr<SimulatedCTPFactory> factory = SimulatedCTPFactory::Create(nullptr);
    ComPtr<_CustomTaskPane> deleted, closed, other;
    ASSERT_EQ(factory->CreateCTP(u"A.B", u"1", Variant::Missing(), deleted.Receive()), S_OK);
    ASSERT_EQ(factory->CreateCTP(u"A.B", u"2", Variant(window), closed.Receive()), S_OK);
    ASSERT_EQ(factory->CreateCTP(u"A.B", u"3", Variant(), other.Receive()), S_OK);

    EXPECT_EQ(deleted->Delete(), S_OK);
    factory->WindowClosed(window.Get());
    for (_CustomTaskPane* gone : {deleted.Get(), closed.Get()}) {
        MsoCTPDockPositionRestrict restriction;
        EXPECT_EQ(gone->get_DockPositionRestrict(&restriction), E_FAIL);
        EXPECT_EQ(gone->put_DockPositionRestrict(msoCTPDockPositionRestrictNone), E_FAIL);
        EXPECT_EQ(gone->Delete(), E_FAIL);
        EXPECT_THROW(dispGet(gone, "Visible"), EOleSysError);
    }
    VARIANT_BOOL visible;
    EXPECT_EQ(other->get_Visible(&visible), S_OK);
    EXPECT_EQ(visible, VARIANT_FALSE) << "a new pane starts hidden";
    EXPECT_EQ(factory->PanesOf(nullptr).size(), 1u);

    ComPtr<_CustomTaskPane> none;
    EXPECT_EQ(factory->CreateCTP(u"", u"No control", Variant::Missing(), none.Receive()),
              E_INVALIDARG);
    EXPECT_FALSE(none);
    factory->Clear();
}
