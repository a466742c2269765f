// The event sinks the host calls, called with null pointers, wrong types and
// unknown ids: the sinks of the Outlook events component (application, name
// space, window collections, a window), the sink that feeds the window
// relays of Word, Excel, InfoPath and Visio, and the sink on a window's
// command bars. Their type-information and name calls fail cleanly; an event with
// arguments no host sends reaches its handler as empty values or is reported
// through the module, and the host always hears S_OK from an event sink; no
// exception escapes and every reference count is as it was.
#include "FrameworkTestSupport.h"

#include "tests/support/HostCallTable.h"

#include "framework/commandbars/CommandBarsEventSink.h"
#include "framework/events/OutlookEventSinks.h"
#include "framework/hosts/HostApplications.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/office/OfficeHostSim.h"
#include "platform/sim/outlook/OutlookSim.h"

#include <algorithm>

using namespace fwtest;
using namespace outlook;

namespace {

constexpr GUID kUnknownIid = MakeGuid("{0E5D7A23-4C3B-4A9F-8E61-7B2C9D0F1A33}");

class EventSinkBadArguments : public AddInTest {
protected:
    EventSinkBadArguments() : module(factory.CreateModule()) {
        module->OnError = [this](const Exception& e, bool& handled) {
            errors.push_back(e.Message);
            handled = true;
        };
        events = new TadxOutlookAppEvents(module.get());
        events->OnItemSend = [this](TObject*, const ComPtr<IDispatch>& item, WordBool& cancel) {
            handled.push_back(item ? "ItemSend with an item" : "ItemSend with none");
            cancel = true;
        };
        events->OnNewExplorer = [this](TObject*, const ComPtr<IDispatch>& explorer) {
            handled.push_back(explorer ? "NewExplorer with a window" : "NewExplorer with none");
        };
        explorer = outlook.OpenExplorer();
        events->ConnectTo(outlook.Application().Get(), "12");
    }
    ~EventSinkBadArguments() override { module.reset(); }

    // The table of bad calls at one event sink, expecting every event to
    // answer S_OK.
    std::vector<HostCall> SinkCalls(IDispatch* sink, DISPID event) {
        auto invoke = [sink](DISPID id, DispParams* params) {
            return sink->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params,
                                nullptr, nullptr, nullptr);
        };
        std::vector<HostCall> calls = BadQueryInterfaceCalls(sink, IID_IDispatch, kUnknownIid);
        calls.insert(
            calls.end(),
            {
                {"GetTypeInfoCount(null)", [=] { return sink->GetTypeInfoCount(nullptr); },
                 E_INVALIDARG},
                {"GetTypeInfo(0, null)", [=] { return sink->GetTypeInfo(0, 0, nullptr); },
                 E_NOTIMPL},
                {"GetTypeInfo(5)",
                 [=] {
                     ITypeInfo* info = reinterpret_cast<ITypeInfo*>(sink);
                     HRESULT hr = sink->GetTypeInfo(5, 0, &info);
                     EXPECT_EQ(info, nullptr);
                     return hr;
                 },
                 E_NOTIMPL},
                {"GetIDsOfNames(null everything)",
                 [=] { return sink->GetIDsOfNames(GUID_NULL, nullptr, 3, 0, nullptr); }, E_NOTIMPL},
                {"Invoke(the event, null params)", [=] { return invoke(event, nullptr); }, S_OK},
                {"Invoke(the event, a count but no arguments)",
                 [=] {
                     DispParams params{nullptr, nullptr, 4, 2};
                     return invoke(event, &params);
                 },
                 S_OK},
                {"Invoke(the event, more named arguments than arguments, no names)",
                 [=] {
                     Variant arg(u"x");
                     DispParams params{&arg, nullptr, 1, 5};
                     return invoke(event, &params);
                 },
                 S_OK},
                {"Invoke(the event, named DISPIDs outside the arguments)",
                 [=] {
                     Variant args[2] = {Variant(1), Variant(2)};
                     DISPID names[2] = {-7, 99};
                     DispParams params{args, names, 2, 2};
                     return invoke(event, &params);
                 },
                 S_OK},
                {"Invoke(the event, strings for objects and flags)",
                 [=] {
                     DispArgs args{Variant(u"item"), Variant(u"cancel")};
                     return invoke(event, &args.Params());
                 },
                 S_OK},
                {"Invoke(the event, too many arguments)",
                 [=] {
                     DispArgs args{Variant(1), Variant(2), Variant(3), Variant(4), Variant(5)};
                     return invoke(event, &args.Params());
                 },
                 S_OK},
                {"Invoke(an unknown DISPID)",
                 [=] {
                     DispArgs args{Variant(1)};
                     return invoke(0x7FFF1234, &args.Params());
                 },
                 S_OK},
                {"Invoke(reserved IID not null, null result and argErr)",
                 [=] {
                     return sink->Invoke(event, kUnknownIid, 0, DISPATCH_PROPERTYPUT, nullptr,
                                         nullptr, nullptr, nullptr);
                 },
                 S_OK},
            });
        return calls;
    }

    sim::OutlookSim outlook{12};
    TadxModulePtr module;
    TadxOutlookAppEvents* events;
    ComPtr<sim::SimExplorer> explorer;
    std::vector<std::string> errors;
    std::vector<std::string> handled;
};

TEST_F(EventSinkBadArguments, TheOutlookEventsComponentsSinks) {
    ASSERT_NE(events->ExplorersEvents(), nullptr);
    ASSERT_EQ(events->ExplorerSinks().size(), 1u);
    struct Sink {
        const char* Name;
        IDispatch* Dispatch;
        DISPID Event;
    };
    const Sink sinks[] = {
        {"application", events->EventDispatch(), DISPID_ItemSend},
        {"name space", events->NameSpaceEvents()->EventDispatch(), DISPID_OptionsPagesAdd},
        {"explorers", events->ExplorersEvents()->EventDispatch(), DISPID_NewExplorer},
        {"explorer", events->ExplorerSinks()[0]->EventDispatch(), DISPID_BeforeFolderSwitch},
    };
    ComPtr<IDispatch> application = outlook.Application();
    for (const Sink& sink : sinks) {
        SCOPED_TRACE(sink.Name);
        ExpectHostCalls(SinkCalls(sink.Dispatch, sink.Event),
                        {sink.Dispatch, application.Get(), explorer->UnknownSelf()});
    }
    // The handlers saw no object where none was passed, and wrong types were
    // reported through the module rather than reaching the host.
    EXPECT_NE(std::find(handled.begin(), handled.end(), "ItemSend with none"), handled.end());
    EXPECT_NE(std::find(handled.begin(), handled.end(), "NewExplorer with none"), handled.end());
    EXPECT_FALSE(errors.empty());
    for (const std::string& entry : handled)
        EXPECT_TRUE(entry == "ItemSend with none" || entry == "NewExplorer with none") << entry;
    events->Free();
    EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
}

// The sink a host wrapper advised last on host (on InfoPath's event object).
ComPtr<IDispatch> WrapperSink(sim::OfficeHostSim& host) {
    IConnectionPointContainer* container = &host.App();
    if (host.App().EventSource())
        container = host.App().EventSource();
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(host.App().AdvisedIids().back(), point.Receive()),
              S_OK);
    std::vector<ComPtr<IUnknown>> sinks = static_cast<ConnectionPoint*>(point.Get())->Sinks();
    EXPECT_EQ(sinks.size(), 1u);
    return sinks.empty() ? ComPtr<IDispatch>() : ComQuery<IDispatch>(sinks[0].Get());
}

TEST_F(EventSinkBadArguments, TheOfficeWindowRelaysSink) {
    auto heard = [this](const char* event) {
        return [this, event](TObject*, IDispatch* object, auto&&...) {
            handled.push_back(std::string(event) + (object ? " with an object" : " with none"));
        };
    };
    TWordApplication word;
    word.OnWindowActivate = heard("WindowActivate");
    TExcelApplication excel;
    excel.OnWorkbookActivate = heard("WorkbookActivate");
    infopath::TApplication infoPath;
    infoPath.OnWindowActivate = heard("WindowActivate");
    TVisioApplication visio;
    visio.OnWindowActivated = heard("WindowActivated");
    struct Wrapper {
        sim::OfficeHostKind Kind;
        TadxHostApplication* Object;
        DISPID Event;
    };
    const Wrapper wrappers[] = {
        {sim::OfficeHostKind::Word, &word, 0xA},
        {sim::OfficeHostKind::Excel, &excel, 0x620},
        {sim::OfficeHostKind::InfoPath, &infoPath, 0x1},
        {sim::OfficeHostKind::Visio, &visio, 0x1080},
    };
    for (const Wrapper& wrapper : wrappers) {
        sim::OfficeHostSim host(wrapper.Kind);
        SCOPED_TRACE(host.Profile().Name);
        wrapper.Object->ConnectTo(host.Application().Get());
        wrapper.Object->ConnectEvents(12);
        ComPtr<IDispatch> sink = WrapperSink(host);
        ASSERT_TRUE(sink);
        ComPtr<IDispatch> application = host.Application();
        ExpectHostCalls(SinkCalls(sink.Get(), wrapper.Event), {sink.Get(), application.Get()});
        // A host that names its arguments: placed by their DISPIDs.
        Variant window(application);
        DispArgs named;
        named.AddNamed(1, window).AddNamed(0, window);
        EXPECT_EQ(sink->Invoke(wrapper.Event, GUID_NULL, 0, DISPATCH_METHOD, &named.Params(),
                               nullptr, nullptr, nullptr),
                  S_OK);
        sink = nullptr;
        wrapper.Object->DisconnectEvents();
        wrapper.Object->Disconnect();
        EXPECT_EQ(host.App().SinkCount(), 0u);
    }
    // Arguments of the wrong type reached the relays as no object; the named
    // ones reached them as given.
    for (const char* event : {"WindowActivate", "WorkbookActivate", "WindowActivated"}) {
        const std::string none = std::string(event) + " with none";
        const std::string given = std::string(event) + " with an object";
        EXPECT_NE(std::find(handled.begin(), handled.end(), none), handled.end()) << none;
        EXPECT_NE(std::find(handled.begin(), handled.end(), given), handled.end()) << given;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(EventSinkBadArguments, TheCommandBarsSink) {
    ComPtr<FakeHost> commandBars = FakeHost::Create(IID_IDispatch, u"");
    ComPtr<TadxCommandBarsEventSink> sink =
        TadxCommandBarsEventSink::Create(module.get(), ComPtr<IDispatch>(commandBars));
    const char16_t* onUpdate = u"OnUpdate";
    const char16_t* names[] = {u"OnUpdate", u"Extra"};
    const char16_t* none = nullptr;
    DISPID ids[2] = {7, 7};
    uint32_t count = 7;
    ITypeInfo* info = nullptr;
    auto invoke = [&](DISPID id, DispParams* params) {
        return sink->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params, nullptr,
                            nullptr, nullptr);
    };
    DispArgs strayArgs{Variant(u"stray"), Variant(3)};
    ExpectHostCalls(BadQueryInterfaceCalls(sink.Get(), IID_IDispatch, kUnknownIid), {sink.Get()});
    ExpectHostCalls(
        {
            {"GetTypeInfoCount(null)", [&] { return sink->GetTypeInfoCount(nullptr); },
             E_INVALIDARG},
            {"GetTypeInfoCount", [&] { return sink->GetTypeInfoCount(&count); }, S_OK},
            {"GetTypeInfo(0, null)", [&] { return sink->GetTypeInfo(0, 0, nullptr); }, E_FAIL},
            {"GetTypeInfo(0)", [&] { return sink->GetTypeInfo(0, 0, &info); }, E_FAIL},
            {"GetIDsOfNames(null names)",
             [&] { return sink->GetIDsOfNames(GUID_NULL, nullptr, 1, 0, ids); }, E_POINTER},
            {"GetIDsOfNames(null ids)",
             [&] { return sink->GetIDsOfNames(GUID_NULL, &onUpdate, 1, 0, nullptr); }, E_POINTER},
            {"GetIDsOfNames(count 0)",
             [&] { return sink->GetIDsOfNames(GUID_NULL, &onUpdate, 0, 0, ids); }, E_INVALIDARG},
            {"GetIDsOfNames(a named argument)",
             [&] { return sink->GetIDsOfNames(GUID_NULL, names, 2, 0, ids); }, E_INVALIDARG},
            {"GetIDsOfNames(null name)",
             [&] { return sink->GetIDsOfNames(GUID_NULL, &none, 1, 0, ids); }, DISP_E_UNKNOWNNAME},
            {"GetIDsOfNames(wrong letter case)",
             [&] {
                 const char16_t* lower = u"onupdate";
                 return sink->GetIDsOfNames(GUID_NULL, &lower, 1, 0, ids);
             },
             DISP_E_UNKNOWNNAME},
            {"Invoke(an unknown DISPID)", [&] { return invoke(2, nullptr); },
             DISP_E_MEMBERNOTFOUND},
            {"Invoke(OnUpdate, null params)", [&] { return invoke(1, nullptr); }, S_OK},
            {"Invoke(OnUpdate, stray arguments)", [&] { return invoke(1, &strayArgs.Params()); },
             S_OK},
        },
        {sink.Get(), commandBars.Get()});
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    EXPECT_TRUE(errors.empty());
    sink->Disconnect();
    EXPECT_REF(sink.Get(), 1);
}

} // namespace
