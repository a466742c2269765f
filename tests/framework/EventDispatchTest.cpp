// The host event sink and the base component: arguments in declaration
// order, named arguments by their DISPID, by-reference arguments reaching
// the host, a handler's exception reported once while the host hears S_OK,
// the sink's interfaces, the owner check, advising, and a component that
// frees itself inside its own event.
#include "FrameworkTestSupport.h"

#include "framework/support/FrameworkErrors.h"
#include "platform/controls/Form.h"

#include <functional>

using namespace fwtest;

namespace {

const GUID kEvents = MakeGuid("{5B2E0C61-7D41-4F0A-9E3B-2C8D1A6F4B70}");
const GUID kHost = MakeGuid("{5B2E0C62-7D41-4F0A-9E3B-2C8D1A6F4B70}");
TadxServerData probeData{GUID{}, kHost, kEvents};

// A component that records its events and runs what a test gives it.
class TProbeEvents : public TadxHostInterfaceEvents {
public:
    explicit TProbeEvents(TComponent* AOwner)
        : TadxHostInterfaceEvents(AOwner, probeData, "TProbeEvents") {}
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override {
        ids.push_back(DispID);
        received = Params;
        rtl::FireSurvives(Liveness(), action, Params);
    }
    std::vector<DISPID> ids;
    std::vector<Variant> received;
    std::function<void(std::vector<Variant>&)> action;
};

// An event source answering kHost, with a connection point for kEvents.
class FakeSource : public DispatchObject<IDispatch, IConnectionPointContainer> {
public:
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override {
        return points.FindConnectionPoint(iid, cp);
    }
    ConnectionPoints points{this};

private:
    friend struct ::ComMaker;
    FakeSource() {
        AddInterfaceAlias<IDispatch>(kHost);
        points.Add(kEvents);
    }
};

class EventDispatch : public AddInTest {
protected:
    EventDispatch() : module(factory.CreateModule()) {
        module->OnError = [this](const Exception& e, bool& handled) {
            errors.push_back(e.Message);
            handled = true;
        };
        probe = new TProbeEvents(module.get());
    }
    // Calls the sink as a host does.
    HRESULT Invoke(DISPID id, DispParams& params) {
        return probe->EventDispatch()->Invoke(id, GUID{}, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                              &params, nullptr, nullptr, nullptr);
    }

    TadxModulePtr module;
    TProbeEvents* probe;
    std::vector<std::string> errors;
};

std::vector<std::string> Texts(const std::vector<Variant>& values) {
    std::vector<std::string> texts;
    for (const Variant& v : values)
        texts.push_back(v.IsEmpty() ? "<empty>" : v.AsString());
    return texts;
}

TEST_F(EventDispatch, PositionalArgumentsArriveInDeclarationOrder) {
    DispArgs args{u"first", u"second", u"third"};
    ASSERT_EQ(args.Params().rgvarg[0].AsString(), "third");
    EXPECT_EQ(Invoke(0xF001, args.Params()), S_OK);
    EXPECT_EQ(probe->ids, std::vector<DISPID>{0xF001});
    EXPECT_EQ(Texts(probe->received), (std::vector<std::string>{"first", "second", "third"}));
}

TEST_F(EventDispatch, NamedArgumentsArePlacedByTheirDispidNotByPosition) {
    DispArgs args;
    args.AddNamed(1, u"second").AddNamed(0, u"first");
    EXPECT_EQ(Invoke(7, args.Params()), S_OK);
    EXPECT_EQ(Texts(probe->received), (std::vector<std::string>{"first", "second"}));
}

TEST_F(EventDispatch, NamedArgumentsOutsideTheArrayAreLeftOutAndOnlyTheGivenNamesAreRead) {
    struct Case {
        std::vector<DISPID> named;
        std::vector<std::string> expected;
    };
    // rgvarg holds "n0" (named, if any) then the positional ones, last first.
    const Case cases[] = {
        {{}, {"p1", "p0", "n0"}},        {{2}, {"p1", "p0", "n0"}},
        {{0}, {"n0", "p0", "<empty>"}},  {{3}, {"p1", "p0", "<empty>"}},
        {{-1}, {"p1", "p0", "<empty>"}}, {{DISPID_PROPERTYPUT}, {"p1", "p0", "<empty>"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named.empty() ? std::string("none") : std::to_string(c.named[0]));
        std::vector<Variant> rgvarg{Variant(u"n0"), Variant(u"p0"), Variant(u"p1")};
        // Exactly cNamedArgs entries: the sink may read no further.
        std::unique_ptr<DISPID[]> names(c.named.empty() ? nullptr : new DISPID[1]{c.named[0]});
        DispParams params{rgvarg.data(), names.get(), 3, uint32_t(c.named.size())};
        EXPECT_EQ(Invoke(1, params), S_OK);
        EXPECT_EQ(Texts(probe->received), c.expected);
    }
}

TEST_F(EventDispatch, AnEventWithoutArgumentsGetsAnEmptyArray) {
    EXPECT_EQ(probe->EventDispatch()->Invoke(3, GUID{}, 0, DISPATCH_METHOD, nullptr, nullptr,
                                             nullptr, nullptr),
              S_OK);
    EXPECT_EQ(probe->ids, std::vector<DISPID>{3});
    EXPECT_TRUE(probe->received.empty());
}

TEST_F(EventDispatch, ACancelByReferenceSetByTheHandlerReachesTheHost) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DispArgs args{Variant(u"item"), Variant::ByRefBool(&cancel)};
    probe->action = [](std::vector<Variant>& params) { params[1].SetValue(true); };
    EXPECT_EQ(Invoke(0xF002, args.Params()), S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST_F(EventDispatch, AByReferenceArgumentReplacedByAValueIsWrittenIntoTheHostsStorage) {
    std::u16string page = u"General";
    DispArgs args{Variant::ByRef(&page)};
    probe->action = [](std::vector<Variant>& params) { params[0] = Variant(u"Details"); };
    EXPECT_EQ(Invoke(0xFBF4, args.Params()), S_OK);
    EXPECT_EQ(page, u"Details");
    EXPECT_EQ(args.Arg(0).Type(), VT_BYREF | VT_BSTR);
}

TEST_F(EventDispatch, AByValueArgumentChangedByTheHandlerLeavesTheHostsValue) {
    DispArgs args{42, false};
    probe->action = [](std::vector<Variant>& params) {
        params[0] = Variant(7);
        params[1].SetValue(true);
    };
    EXPECT_EQ(Invoke(1, args.Params()), S_OK);
    EXPECT_EQ(args.Arg(0).AsInteger(), 42);
    EXPECT_FALSE(args.Arg(1).AsBool());
}

TEST_F(EventDispatch, AThrowingHandlerIsReportedOnceAndTheHostStillGetsSOK) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DispArgs args{Variant::ByRefBool(&cancel)};
    probe->action = [](std::vector<Variant>& params) {
        params[0].SetValue(true);
        throw Exception("Handler failed");
    };
    EXPECT_EQ(Invoke(0xFA11, args.Params()), S_OK);
    EXPECT_EQ(errors, std::vector<std::string>{"Handler failed"});
    // What the handler wrote before it failed still travels back.
    EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST_F(EventDispatch, AnErrorHandlerThatRaisesDoesNotReachTheHost) {
    module->OnError = [](const Exception&, bool&) { throw Exception("Error handler failed"); };
    probe->action = [](std::vector<Variant>&) { throw std::runtime_error("not an Exception"); };
    DispArgs args;
    EXPECT_EQ(Invoke(1, args.Params()), S_OK);
}

TEST_F(EventDispatch, TheSinkAnswersItsEventInterfaceAsIDispatchAndNothingElse) {
    TadxEventDispatch* sink = probe->EventDispatch();
    ComPtr<IUnknown> asEvents, asDispatch, asOther;
    EXPECT_EQ(sink->QueryInterface(kEvents, asEvents.ReceiveVoid()), S_OK);
    EXPECT_EQ(sink->QueryInterface(IID_IDispatch, asDispatch.ReceiveVoid()), S_OK);
    EXPECT_EQ(asEvents.Get(), asDispatch.Get());
    EXPECT_EQ(sink->QueryInterface(kHost, asOther.ReceiveVoid()), E_NOINTERFACE);
    EXPECT_EQ(asOther, nullptr);
}

TEST_F(EventDispatch, TheSinkHasNoTypeInformationAndNoNames) {
    TadxEventDispatch* sink = probe->EventDispatch();
    uint32_t count = 7;
    EXPECT_EQ(sink->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(&count);
    EXPECT_EQ(sink->GetTypeInfo(0, 0, &info), E_NOTIMPL);
    EXPECT_EQ(info, nullptr);
    const char16_t* names[] = {u"OnQuit"};
    DISPID id = 0;
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, names, 1, 0, &id), E_NOTIMPL);
}

TEST_F(EventDispatch, TheSinksReferencesCountOnItsComponent) {
    TadxEventDispatch* sink = probe->EventDispatch();
    EXPECT_EQ(sink->RefCount(), 1u);
    ULONG before = probe->RefCount();
    sink->AddRef();
    EXPECT_EQ(probe->RefCount(), before + 1);
    sink->Release();
    EXPECT_EQ(probe->RefCount(), before);
}

TEST_F(EventDispatch, TheComponentAdvisesOnItsEventInterfaceAndUnadvisesOnDisconnect) {
    auto source = MakeComObject<FakeSource>();
    probe->ConnectTo(source->UnknownSelf());
    EXPECT_NE(probe->EventsConnection(), 0u);
    EXPECT_EQ(source->points.SinkCount(), 1u);
    EXPECT_EQ(source->points.AdvisedIids(), std::vector<GUID>{kEvents});

    DispArgs args{u"once"};
    EXPECT_EQ(source->points.Fire(kEvents, 5, args.Params()), 1u);
    EXPECT_EQ(probe->ids, std::vector<DISPID>{5});

    probe->Disconnect();
    EXPECT_EQ(probe->EventsConnection(), 0u);
    EXPECT_EQ(source->points.SinkCount(), 0u);
    EXPECT_EQ(probe->Server(), nullptr);
}

TEST_F(EventDispatch, ASourceWithoutTheEventInterfaceLeavesTheComponentUnadvised) {
    auto host = FakeHost::Create(kHost, u"");
    probe->ConnectTo(host.Get());
    EXPECT_EQ(probe->Server(), host.Get());
    EXPECT_EQ(probe->EventsConnection(), 0u);
}

TEST_F(EventDispatch, AServerWithoutTheHostInterfaceRaisesTheCastError) {
    auto other = FakeHost::Create(GUID::Create(), u"");
    try {
        probe->ConnectTo(other.Get());
        ADD_FAILURE() << "nothing raised";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode, E_NOINTERFACE);
    }
    EXPECT_EQ(probe->Server(), nullptr);
}

TEST_F(EventDispatch, ASecondConnectionDisconnectsTheFirst) {
    auto first = MakeComObject<FakeSource>();
    auto second = MakeComObject<FakeSource>();
    probe->ConnectTo(first->UnknownSelf());
    probe->ConnectTo(second->UnknownSelf());
    EXPECT_EQ(first->points.SinkCount(), 0u);
    EXPECT_EQ(second->points.SinkCount(), 1u);
}

// A component freed by its own event (a window sink closed with its
// window) is not touched again; an exception raised after the free still
// reaches the module, which lives on.
TEST_F(EventDispatch, AComponentThatFreesItselfInItsEventIsNotTouchedAgain) {
    auto source = MakeComObject<FakeSource>();
    probe->ConnectTo(source->UnknownSelf());
    int components = module->ComponentCount();
    for (bool raises : {false, true}) {
        SCOPED_TRACE(raises);
        probe->action = [raises, events = probe](std::vector<Variant>&) {
            events->Free();
            if (raises)
                throw Exception("Closed");
        };
        DispArgs args;
        EXPECT_EQ(source->points.Fire(kEvents, 0xF008, args.Params()), 1u);
        EXPECT_EQ(module->ComponentCount(), components - 1);
        EXPECT_EQ(source->points.SinkCount(), 0u);
        // Another one for the second round.
        probe = new TProbeEvents(module.get());
        probe->ConnectTo(source->UnknownSelf());
    }
    EXPECT_EQ(errors, std::vector<std::string>{"Closed"});
}

TEST_F(EventDispatch, TheClassRecordCountsLiveComponents) {
    int live = probeData.InstanceCount;
    auto* second = new TProbeEvents(module.get());
    EXPECT_EQ(probeData.InstanceCount, live + 1);
    EXPECT_EQ(probeData.Version, 500);
    second->Free();
    EXPECT_EQ(probeData.InstanceCount, live);
}

TEST_F(EventDispatch, OnlyTheModuleOrTheOutlookEventsComponentMayOwnAComponent) {
    TComponent plain(nullptr);
    TForm form(nullptr);
    struct Case {
        TComponent* owner;
        std::string message;
    };
    const Case cases[] = {
        {nullptr, "The TProbeEvents class cannot be contained in the nil class."},
        {&plain, "The TProbeEvents class cannot be contained in the TComponent class."},
        {&form, "The TProbeEvents class cannot be contained in the TForm class."},
    };
    for (const Case& c : cases) {
        try {
            new TProbeEvents(c.owner);
            ADD_FAILURE() << "nothing raised for " << c.message;
        } catch (const EOleSysError& e) {
            EXPECT_EQ(e.ErrorCode, adx::ErrWrongOwner);
            EXPECT_EQ(e.Message, c.message);
        }
    }
    EXPECT_EQ(plain.ComponentCount(), 0);
    auto* events = new TadxOutlookAppEvents(module.get());
    EXPECT_NO_THROW(new TProbeEvents(events));
}

} // namespace
