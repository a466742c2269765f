// The simulated command bars as an add-in and a user meet them: adding and
// finding bars and controls, placement, deleting, a host restart, an
// injected failure, the write log and the click and change events.
#include "platform/sim/SimCommandBars.h"
#include "platform/com/Com.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

// A sink that counts Invoke calls and keeps the first argument's Tag.
class RecordingSink final : public ComObject<IDispatch> {
public:
    static ComPtr<RecordingSink> Create(const GUID& iid) {
        return MakeComObject<RecordingSink>(iid);
    }
    HRESULT GetTypeInfoCount(uint32_t* count) override {
        return DispatchTable::NoTypeInfoCount(count);
    }
    HRESULT GetTypeInfo(uint32_t index, LCID, ITypeInfo** info) override {
        return DispatchTable::NoTypeInfo(index, info);
    }
    HRESULT GetIDsOfNames(const GUID&, const char16_t* const*, uint32_t, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT Invoke(DISPID, const GUID&, LCID, uint16_t, DispParams* params, Variant*, ExcepInfo*,
                   uint32_t*) override {
        Tags.push_back(dispGet(params->rgvarg[params->cArgs - 1], "Tag").AsString());
        return S_OK;
    }
    std::vector<std::string> Tags;

private:
    friend struct ::ComMaker;
    explicit RecordingSink(const GUID& iid) { AddInterfaceAlias<IDispatch>(iid); }
};

struct Bars {
    ComPtr<SimulatedCommandBars> bars = SimulatedCommandBars::Create();
    ComPtr<IDispatch> disp = bars.Query<IDispatch>();

    ComPtr<IDispatch> AddBar(const char16_t* name, bool temporary) {
        return dispCall(disp, "Add", name, 1, Variant::Missing(), temporary).AsDispatch();
    }
    static ComPtr<IDispatch> AddButton(const ComPtr<IDispatch>& bar, const char16_t* tag,
                                       Variant before = Variant::Missing(),
                                       bool temporary = false) {
        ComPtr<IDispatch> control = dispCall(dispGet(bar, "Controls"), "Add", 1, Variant::Missing(),
                                             Variant::Missing(), before, temporary)
                                        .AsDispatch();
        dispPut(control, "Tag", Variant(tag));
        dispPut(control, "Caption", Variant(tag));
        return control;
    }
};

} // namespace

TEST(SimulatedCommandBarModel, FindsControlsByTypeIdAndTagIntoPopups) {
    Bars b;
    ComPtr<IDispatch> bar = b.AddBar(u"Tools", false);
    ComPtr<IDispatch> popup = dispCall(dispGet(bar, "Controls"), "Add", 10).AsDispatch();
    ComPtr<IDispatch> inner = Bars::AddButton(dispGet(popup, "CommandBar").AsDispatch(), u"inner");
    EXPECT_EQ(dispCall(b.disp, "FindControl", Variant::Missing(), Variant::Missing(), u"inner")
                  .AsDispatch()
                  .Get(),
              inner.Get());
    // A bar's search stays at its top level unless asked to recurse.
    EXPECT_TRUE(dispCall(bar, "FindControl", Variant::Missing(), Variant::Missing(), u"inner")
                    .IsEmptyOrNothing());
    EXPECT_FALSE(dispCall(bar, "FindControl", Variant::Missing(), Variant::Missing(), u"inner",
                          Variant::Missing(), true)
                     .IsEmptyOrNothing());
    EXPECT_TRUE(
        dispCall(b.disp, "FindControl", 2, Variant::Missing(), u"inner").IsEmptyOrNothing());
    EXPECT_EQ(dispGet(dispCall(b.disp, "FindControl", Variant::Missing(), 4), "Caption").AsString(),
              "Built-in 4");
}

TEST(SimulatedCommandBarModel, PlacesMovesAndRefusesPositionsPastTheEnd) {
    Bars b;
    ComPtr<IDispatch> bar = b.AddBar(u"Tools", false);
    ComPtr<IDispatch> one = Bars::AddButton(bar, u"one");
    ComPtr<IDispatch> two = Bars::AddButton(bar, u"two");
    ComPtr<IDispatch> zero = Bars::AddButton(bar, u"zero", 1);
    EXPECT_EQ(dispGet(zero, "Index").AsInteger(), 1);
    EXPECT_EQ(dispGet(two, "Index").AsInteger(), 3);
    EXPECT_THROW(Bars::AddButton(bar, u"far", 5), EOleSysError);
    dispCall(zero, "Move", Variant::Missing(), 4);
    EXPECT_EQ(dispGet(zero, "Index").AsInteger(), 3);
    EXPECT_THROW(dispCall(zero, "Move", Variant::Missing(), 9), EOleSysError);
}

TEST(SimulatedCommandBarModel, DeletedObjectsGoStaleAndRestartDropsTemporaryOnes) {
    Bars b;
    ComPtr<IDispatch> kept = b.AddBar(u"Kept", false);
    ComPtr<IDispatch> gone = b.AddBar(u"Gone", true);
    ComPtr<IDispatch> stays = Bars::AddButton(kept, u"stays");
    ComPtr<IDispatch> leaves = Bars::AddButton(kept, u"leaves", Variant::Missing(), true);
    b.bars->Restart();
    EXPECT_EQ(dispGet(b.disp, "Count").AsInteger(), 3);
    EXPECT_THROW(dispGet(gone, "Name"), EOleSysError);
    EXPECT_THROW(dispGet(leaves, "Type"), EOleSysError);
    EXPECT_EQ(dispGet(stays, "Type").AsInteger(), 1);
    dispCall(stays, "Delete");
    EXPECT_THROW(dispGet(stays, "Type"), EOleSysError);
    EXPECT_EQ(dispGet(dispGet(kept, "Controls"), "Count").AsInteger(), 0);
    EXPECT_THROW(dispCall(dispGet(b.disp, "Item", u"Standard"), "Delete"), EOleSysError);
}

TEST(SimulatedCommandBarModel, InjectedFailureHitsTheNextCallOnlyAndWritesAreLogged) {
    Bars b;
    ComPtr<IDispatch> bar = b.AddBar(u"Tools", false);
    b.bars->ClearWrites();
    b.bars->FailNext("Visible");
    EXPECT_THROW(dispPut(bar, "Visible", true), EOleSysError);
    dispPut(bar, "Visible", true);
    EXPECT_EQ(b.bars->Writes(), std::vector<std::string>{"Tools.Visible = True"});
}

TEST(SimulatedCommandBarModel, ClicksReachTheSinksOfTheControlTheyAreDeliveredTo) {
    Bars b;
    ComPtr<IDispatch> bar = b.AddBar(u"Tools", false);
    Bars::AddButton(bar, u"first");
    Bars::AddButton(bar, u"second");
    SimCommandBar* simBar = b.bars->Bar(u"Tools");
    ComPtr<RecordingSink> sink = RecordingSink::Create(DIID__CommandBarButtonEvents);
    uint32_t cookie = 0;
    ASSERT_EQ(InterfaceConnect(simBar->Control(2)->UnknownSelf(), DIID__CommandBarButtonEvents,
                               sink.Get(), cookie),
              S_OK);
    simBar->Control(2)->UserClick();
    simBar->Control(1)->DeliverClickTo(*simBar->Control(2));
    simBar->Control(1)->UserClick();
    EXPECT_EQ(sink->Tags, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(b.bars->SinkCount(), 1u);
    InterfaceDisconnect(simBar->Control(2)->UnknownSelf(), DIID__CommandBarButtonEvents, cookie);
}
