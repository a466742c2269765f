// Connection points: advise, unadvise, firing in COM order, and sinks that
// unadvise or die while they are being called.
#include "platform/com/Com.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr GUID DIID_Events = MakeGuid("{0C0FFEE0-0000-4000-8000-0000000000E1}");
constexpr GUID DIID_OtherEvents = MakeGuid("{0C0FFEE0-0000-4000-8000-0000000000E2}");

// An event source with two event interfaces.
class Source : public DispatchObject<IDispatch, IConnectionPointContainer> {
public:
    ConnectionPoints points{this};
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override {
        return points.FindConnectionPoint(iid, cp);
    }

private:
    friend struct ::ComMaker;
    Source() {
        points.Add(DIID_Events);
        points.Add(DIID_OtherEvents);
    }
};

// A sink answering the event interface with its IDispatch and calling a
// handler with the arguments in declaration order.
class Sink : public DispatchObject<IDispatch> {
public:
    std::function<void(DISPID, std::vector<Variant>&)> OnEvent;
    std::vector<DISPID> received;

    HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams* params, Variant*, ExcepInfo*,
                   uint32_t*) override {
        received.push_back(id);
        std::vector<Variant> args;
        for (uint32_t i = 0; i < params->cArgs; ++i)
            args.push_back(params->rgvarg[params->cArgs - 1 - i]);
        if (OnEvent)
            OnEvent(id, args);
        return S_OK;
    }

private:
    friend struct ::ComMaker;
    Sink() { AddInterfaceAlias<IDispatch>(DIID_Events); }
};

} // namespace

TEST(ConnectionPoint, AdviseFireAndUnadvise) {
    long before = LibraryObjectCount().Objects() + PlatformObjectCount().Objects();
    {
        auto source = MakeComObject<Source>();
        auto sink = MakeComObject<Sink>();
        std::vector<Variant> seen;
        sink->OnEvent = [&](DISPID, std::vector<Variant>& args) { seen = args; };

        uint32_t cookie = 0;
        ASSERT_EQ(InterfaceConnect(source->UnknownSelf(), DIID_Events, sink->UnknownSelf(), cookie),
                  S_OK);
        EXPECT_NE(cookie, 0u);
        EXPECT_EQ(sink->RefCount(), 2u); // the point holds the sink
        EXPECT_EQ(source->points.AdvisedIids(), std::vector<GUID>{DIID_Events});

        DispArgs args{Variant(u"first"), Variant(2), Variant(true)};
        EXPECT_EQ(source->points.Fire(DIID_Events, 0xF005, args.Params()), 1u);
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(seen[0], Variant(u"first"));
        EXPECT_EQ(seen[2], Variant(true));
        EXPECT_EQ(source->points.Fire(DIID_OtherEvents, 1, args.Params()), 0u);

        ASSERT_EQ(InterfaceDisconnect(source->UnknownSelf(), DIID_Events, cookie), S_OK);
        EXPECT_EQ(cookie, 0u);
        EXPECT_EQ(sink->RefCount(), 1u);
        EXPECT_EQ(source->points.Fire(DIID_Events, 0xF005, args.Params()), 0u);
        EXPECT_EQ(sink->received.size(), 1u);
    }
    EXPECT_EQ(LibraryObjectCount().Objects() + PlatformObjectCount().Objects(), before);
}

TEST(ConnectionPoint, RefusesSinksWithoutTheEventInterfaceAndUnknownCookies) {
    auto source = MakeComObject<Source>();
    auto sink = MakeComObject<Sink>();
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(source->FindConnectionPoint(DIID_OtherEvents, point.Receive()), S_OK);
    uint32_t cookie = 7;
    EXPECT_EQ(point->Advise(sink->UnknownSelf(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);
    GUID iid;
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, DIID_OtherEvents);
    ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(point->GetConnectionPointContainer(container.Receive()), S_OK);
    EXPECT_TRUE(IsSameObject(container.Get(), source->UnknownSelf()));
    const GUID unknownIid = MakeGuid("{0C0FFEE0-0000-4000-8000-0000000000E9}");
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(source->FindConnectionPoint(unknownIid, none.Receive()), CONNECT_E_NOCONNECTION);
    EXPECT_FALSE(none);
}

// A source with two sinks advised on its event interface.
class TwoSinks : public ::testing::Test {
protected:
    void SetUp() override {
        InterfaceConnect(source->UnknownSelf(), DIID_Events, first->UnknownSelf(), firstCookie);
        InterfaceConnect(source->UnknownSelf(), DIID_Events, second->UnknownSelf(), secondCookie);
    }
    size_t Fire(DISPID id) {
        DispArgs none;
        return source->points.Fire(DIID_Events, id, none.Params());
    }
    ComPtr<Source> source = MakeComObject<Source>();
    ComPtr<Sink> first = MakeComObject<Sink>();
    ComPtr<Sink> second = MakeComObject<Sink>();
    uint32_t firstCookie = 0, secondCookie = 0;
};

TEST_F(TwoSinks, ASinkMayUnadviseItselfWhileBeingCalled) {
    first->OnEvent = [&](DISPID, std::vector<Variant>&) {
        EXPECT_EQ(InterfaceDisconnect(source->UnknownSelf(), DIID_Events, firstCookie), S_OK);
    };
    EXPECT_EQ(Fire(1), 2u);
    EXPECT_EQ(second->received.size(), 1u);
    EXPECT_EQ(Fire(2), 1u);
    EXPECT_EQ(first->received.size(), 1u);
    EXPECT_EQ(second->received.size(), 2u);
}

TEST_F(TwoSinks, ASinkUnadvisedByAnEarlierOneIsSkipped) {
    first->OnEvent = [&](DISPID, std::vector<Variant>&) {
        InterfaceDisconnect(source->UnknownSelf(), DIID_Events, secondCookie);
    };
    EXPECT_EQ(Fire(1), 1u);
    EXPECT_TRUE(second->received.empty());
}

TEST(ConnectionPoint, ASinkReleasedDuringTheCallLivesUntilItReturns) {
    long before = LibraryObjectCount().Objects();
    auto source = MakeComObject<Source>();
    Sink* raw = nullptr;
    uint32_t cookie = 0;
    {
        auto sink = MakeComObject<Sink>();
        raw = sink.Get();
        InterfaceConnect(source->UnknownSelf(), DIID_Events, sink->UnknownSelf(), cookie);
    }
    // Only the point holds the sink now; it unadvises (dropping that
    // reference) and still runs to the end of its call.
    bool finished = false;
    raw->OnEvent = [&](DISPID, std::vector<Variant>&) {
        InterfaceDisconnect(source->UnknownSelf(), DIID_Events, cookie);
        EXPECT_EQ(raw->RefCount(), 1u); // the firing's own reference
        finished = true;
    };
    DispArgs none;
    source->points.Fire(DIID_Events, 1, none.Params());
    EXPECT_TRUE(finished);
    EXPECT_EQ(source->points.SinkCount(), 0u);
    source.Reset();
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
}

TEST(ConnectionPoint, ByReferenceArgumentsReachTheSourceAfterTheEvent) {
    auto source = MakeComObject<Source>();
    auto sink = MakeComObject<Sink>();
    uint32_t cookie = 0;
    InterfaceConnect(source->UnknownSelf(), DIID_Events, sink->UnknownSelf(), cookie);
    sink->OnEvent = [](DISPID, std::vector<Variant>& args) { args[1].BoolRef() = VARIANT_TRUE; };
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DispArgs args{Variant(u"item"), Variant::ByRefBool(&cancel)};
    source->points.Fire(DIID_Events, 0xF005, args.Params());
    EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST(ConnectionPoint, APointOutlivingItsSourceHasNoContainer) {
    ComPtr<IConnectionPoint> point;
    {
        auto source = MakeComObject<Source>();
        source->FindConnectionPoint(DIID_Events, point.Receive());
    }
    ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(point->GetConnectionPointContainer(container.Receive()), E_UNEXPECTED);
    EXPECT_FALSE(container);
}
