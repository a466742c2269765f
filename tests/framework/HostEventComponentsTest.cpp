// The event components of the hosts other than Outlook: their tables (the
// counts and DISPIDs of the hosts' type libraries), the event interface
// each advises on, typed handlers receiving the simulated hosts' events
// with by-reference arguments and Visio's returned answers going back, and
// handlers that free their component.
#include "FrameworkTestSupport.h"

#include "framework/events/OfficeHostEvents.h"
#include "platform/sim/office/OfficeHostSim.h"

#include <set>

using namespace fwtest;
using sim::OfficeHostKind;
using sim::OfficeHostSim;

namespace {

struct HostCase {
    TadxOfficeHostApp host;
    OfficeHostKind kind;
    size_t count;
    DISPID lowest, highest;
};

const HostCase hostCases[] = {
    {ohaWord, OfficeHostKind::Word, 29, 0x1, 0x1E},
    {ohaExcel, OfficeHostKind::Excel, 31, 0x612, 0xA34},
    {ohaProject, OfficeHostKind::Project, 43, 0x1, 0x4000000E},
    {ohaPowerPoint, OfficeHostKind::PowerPoint, 24, 0x7D1, 0x7E8},
    {ohaFrontPage, OfficeHostKind::FrontPage, 21, 0x1, 0x15},
    {ohaVisio, OfficeHostKind::Visio, 84, 0x1, 0x8100},
    {ohaMapPoint, OfficeHostKind::MapPoint, 5, 0x6041501, 0x6041505},
    {ohaPublisher, OfficeHostKind::Publisher, 23, 0x1, 0x1A},
    {ohaInfoPath, OfficeHostKind::InfoPath, 10, 0x1, 0xA},
};

TadxTableEvents* NewComponent(TadxOfficeHostApp host, TComponent* owner) {
    switch (host) {
    case ohaWord:
        return new TadxWordAppEvents(owner);
    case ohaExcel:
        return new TadxExcelAppEvents(owner);
    case ohaProject:
        return new TadxProjectAppEvents(owner);
    case ohaPowerPoint:
        return new TadxPowerPointAppEvents(owner);
    case ohaFrontPage:
        return new TadxFrontPageAppEvents(owner);
    case ohaVisio:
        return new TadxVisioAppEvents(owner);
    case ohaMapPoint:
        return new TadxMapPointAppEvents(owner);
    case ohaPublisher:
        return new TadxPublisherAppEvents(owner);
    default:
        return new TadxInfoPathAppEvents(owner);
    }
}

class HostEventComponents : public AddInTest {
protected:
    HostEventComponents() {
        module->OnError = [this](const Exception& e, bool& handled) {
            errors.push_back(e.Message);
            handled = true;
        };
    }
    TadxModulePtr module{new TadxCOMAddInModule(nullptr)};
    std::vector<std::string> errors;
};

} // namespace

TEST_F(HostEventComponents, EachTableHoldsItsHostsMethodsAtTheTypeLibrariesDispids) {
    for (const HostCase& c : hostCases) {
        const TadxEventTable& table = adxHostEventTable(c.host);
        EXPECT_EQ(table.size(), c.count) << adxHostInfo(c.host).Name;
        std::set<DISPID> ids;
        std::set<std::string> names;
        for (const TadxEventMethod& row : table) {
            ids.insert(row.Id);
            names.insert(row.Handler);
            EXPECT_EQ(std::string(row.Handler).substr(0, 2), "On");
        }
        EXPECT_EQ(ids.size(), c.count) << "a DISPID twice";
        EXPECT_EQ(names.size(), c.count) << "a handler name twice";
        EXPECT_EQ(*ids.begin(), c.lowest) << adxHostInfo(c.host).Name;
        EXPECT_EQ(*ids.rbegin(), c.highest) << adxHostInfo(c.host).Name;
    }
    // The rows the hosts' own type libraries place one lower than the
    // ranges once assumed.
    auto idOf = [](TadxOfficeHostApp host, std::string_view name) {
        for (const TadxEventMethod& row : adxHostEventTable(host))
            if (row.Handler == name)
                return row.Id;
        return DISPID(-1);
    };
    EXPECT_EQ(idOf(ohaInfoPath, "OnQuit"), 0x9);
    EXPECT_EQ(idOf(ohaInfoPath, "OnXDocumentChange"), 0xA);
    EXPECT_EQ(idOf(ohaWord, "OnWindowActivate"), 0xA);
    EXPECT_EQ(idOf(ohaPublisher, "OnQuit"), 0x5);
    EXPECT_EQ(idOf(ohaFrontPage, "OnWindowActivate"), 0xB);
    EXPECT_EQ(idOf(ohaProject, "OnProjectBeforeClose2"), 0x40000002);
}

TEST_F(HostEventComponents, WordAdvisesOnTheInterfaceOfItsVersion) {
    const std::pair<const char*, const char*> cases[] = {
        {"9", "{000209FE-0000-0000-C000-000000000046}"},
        {"10", "{00020A00-0000-0000-C000-000000000046}"},
        {"11", "{00020A01-0000-0000-C000-000000000046}"},
        {"12", "{00020A01-0000-0000-C000-000000000046}"},
    };
    for (const auto& [version, iid] : cases) {
        OfficeHostSim word(OfficeHostKind::Word);
        auto* events = new TadxWordAppEvents(module.get());
        events->ConnectTo(word.Application().Get(), version);
        ASSERT_NE(events->Server(), nullptr) << "Word's component connects to Word";
        EXPECT_EQ(word.App().AdvisedIids(), std::vector<GUID>{MakeGuid(iid)}) << version;
        EXPECT_EQ(word.App().SinkCount(), 1u);
        delete events;
        EXPECT_EQ(word.App().SinkCount(), 0u);
    }
    // Excel's application is no Word: the component refuses it.
    OfficeHostSim excel(OfficeHostKind::Excel);
    TadxWordAppEvents events(module.get());
    EXPECT_THROW(events.ConnectTo(excel.Application().Get(), "12"), EOleSysError);
}

TEST_F(HostEventComponents, ProjectsTwoGenerationsReachTheirOwnHandlers) {
    OfficeHostSim project(OfficeHostKind::Project);
    TadxProjectAppEvents events(module.get());
    events.ConnectTo(project.Application().Get(), "12");
    std::vector<std::string> seen;
    events.Handler("OnProjectBeforeClose") = [&](TObject*, TadxEventArgs& args) {
        seen.push_back("first");
        args.SetBool(1, true);
    };
    events.Handler("OnProjectBeforeClose2") = [&](TObject*, TadxEventArgs&) {
        seen.push_back("second");
    };
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DispArgs first{Variant(ComPtr<IDispatch>()), Variant::ByRefBool(&cancel)};
    project.FireEvent(0x2, first);
    DispArgs second{Variant(ComPtr<IDispatch>()), Variant(ComPtr<IDispatch>())};
    project.FireEvent(0x40000002, second);
    DispArgs uncovered{};
    project.FireEvent(0x20, uncovered);
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_TRUE(errors.empty());
}

TEST_F(HostEventComponents, ADispidNoRowCoversDoesNothing) {
    OfficeHostSim excel(OfficeHostKind::Excel);
    TadxExcelAppEvents events(module.get());
    events.ConnectTo(excel.Application().Get(), "12");
    int calls = 0;
    for (const TadxEventMethod& row : events.Table())
        events.Handler(row.Handler) = [&](TObject*, TadxEventArgs&) { ++calls; };
    DispArgs args{Variant(ComPtr<IDispatch>())};
    EXPECT_EQ(excel.FireEvent(0x613, args), 1u);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(HostEventComponents, TypedHandlersGetTheArgumentsAndSendByReferenceOnesBack) {
    OfficeHostSim word(OfficeHostKind::Word);
    TadxWordAppEvents events(module.get());
    events.ConnectTo(word.Application().Get(), "12");
    auto document = word.OpenDocument(u"Report");
    std::u16string closing;
    events.On("OnDocumentBeforeClose",
              std::function<void(TObject*, IDispatch*, bool&)>(
                  [&](TObject* sender, IDispatch* doc, bool& cancel) {
                      EXPECT_EQ(sender, &events);
                      closing = dispGet(Variant(ComPtr<IDispatch>::Share(doc)), "Name").AsWide();
                      cancel = true;
                  }));
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DispArgs args{Variant(ComPtr<IDispatch>(document)), Variant::ByRefBool(&cancel)};
    word.FireEvent(0x6, args);
    EXPECT_EQ(closing, u"Report");
    EXPECT_EQ(cancel, VARIANT_TRUE);

    // A handler whose parameters do not fit the event is refused when bound.
    using Wrong = std::function<void(TObject*, IDispatch*, int32_t&)>;
    EXPECT_THROW(events.On("OnDocumentBeforeClose", Wrong([](TObject*, IDispatch*, int32_t&) {})),
                 EOleSysError);
    EXPECT_THROW(events.On("OnNoSuchEvent", std::function<void(TObject*)>()), EOleSysError);
    // Writing back what the host passed by value is refused.
    events.Handler("OnDocumentOpen") = [](TObject*, TadxEventArgs& a) { a.SetValue(0, Variant()); };
    DispArgs open{Variant(ComPtr<IDispatch>(document))};
    word.FireEvent(0x4, open);
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(HostEventComponents, InfoPathAdvisesOnTheObjectItsApplicationHandsOut) {
    OfficeHostSim infoPath(OfficeHostKind::InfoPath);
    auto* events = new TadxInfoPathAppEvents(module.get());
    events->ConnectTo(infoPath.Application().Get(), "12");
    EXPECT_EQ(infoPath.App().EventSource()->Points.SinkCount(), 1u);
    int quits = 0;
    events->Handler("OnQuit") = [&](TObject*, TadxEventArgs&) { ++quits; };
    infoPath.Quit();
    EXPECT_EQ(quits, 1);
    events->Disconnect();
    EXPECT_EQ(infoPath.App().EventSource()->Points.SinkCount(), 0u);
    delete events;
}

// For each host, an event of the user's fired by the simulated host
// reaches the typed handler with its arguments.
TEST_F(HostEventComponents, EachSimulatedHostsEventReachesItsHandler) {
    for (const HostCase& c : hostCases) {
        OfficeHostSim host(c.kind);
        std::unique_ptr<TadxTableEvents> events(NewComponent(c.host, module.get()));
        events->ConnectTo(host.Application().Get(), "12");
        std::vector<std::string> seen;
        for (const TadxEventMethod& row : events->Table())
            if (c.host != ohaWord || row.Id != 0x1)
                events->Handler(row.Handler) = [&seen, &row](TObject*, TadxEventArgs& args) {
                    std::string line = row.Handler;
                    for (size_t i = 0; i < row.Params.size(); ++i)
                        if (row.Params[i].Kind == TadxEventParamKind::Object && args.Object(i))
                            line += " " + std::string(row.Params[i].Name);
                    seen.push_back(line);
                };
        host.NewDocument(u"Doc");
        EXPECT_FALSE(seen.empty()) << host.Profile().Name;
        if (!seen.empty() && c.host != ohaMapPoint) {
            EXPECT_NE(seen[0].find(' '), std::string::npos)
                << host.Profile().Name << ": " << seen[0];
        }
        EXPECT_TRUE(errors.empty()) << host.Profile().Name;
    }
}

// A handler that frees its own component and then raises: nothing freed is
// touched, and the module, which lives on, hears the exception once.
TEST_F(HostEventComponents, AHandlerMayFreeItsComponentAndRaise) {
    for (const HostCase& c : hostCases) {
        OfficeHostSim host(c.kind);
        TadxTableEvents* events = NewComponent(c.host, module.get());
        events->ConnectTo(host.Application().Get(), "12");
        const TadxEventMethod& row = events->Table().back();
        events->Handler(row.Handler) = [events](TObject*, TadxEventArgs&) {
            delete events;
            throw Exception(kHandlerFailure);
        };
        std::vector<Variant> values(row.Params.size());
        DispArgs args(values);
        errors.clear();
        host.FireEvent(row.Id, args);
        EXPECT_EQ(errors, std::vector<std::string>{kHandlerFailure}) << host.Profile().Name;
        EXPECT_EQ(host.App().SinkCount(), 0u);
    }
}

// Visio's QueryCancel events return their answer to the host: false while
// no handler says otherwise, a typed handler's bool, an untyped handler's
// SetResult, also when the handler frees its component; a handler that
// returns a value is refused on an event that returns nothing.
TEST_F(HostEventComponents, VisioHearsWhatAHandlerReturns) {
    constexpr DISPID kQueryCancelQuit = 0xCC, kQueryCancelDocumentClose = 0x9;
    OfficeHostSim visio(OfficeHostKind::Visio);
    auto* events = new TadxVisioAppEvents(module.get());
    events->ConnectTo(visio.Application().Get(), "12");
    auto fire = [&](DISPID id) {
        DispArgs args{Variant(ComPtr<IDispatch>())};
        Variant result;
        visio.FireEvent(id, args, &result);
        return result.IsEmpty() ? std::string("empty") : result.AsBool() ? "true" : "false";
    };
    EXPECT_EQ(fire(kQueryCancelQuit), "false");

    events->On("OnQueryCancelQuit", std::function<bool(TObject*, IDispatch*)>(
                                        [](TObject*, IDispatch*) { return true; }));
    EXPECT_EQ(fire(kQueryCancelQuit), "true");
    events->Handler("OnQueryCancelDocumentClose") = [events](TObject*, TadxEventArgs& args) {
        args.SetResult(true);
        delete events;
    };
    EXPECT_EQ(fire(kQueryCancelDocumentClose), "true");
    EXPECT_EQ(visio.App().SinkCount(), 0u);
    EXPECT_TRUE(errors.empty());

    TadxVisioAppEvents other(module.get());
    using Returning = std::function<bool(TObject*, IDispatch*)>;
    EXPECT_THROW(other.On("OnDocumentOpened", Returning([](TObject*, IDispatch*) { return true; })),
                 EOleSysError);
    // An event that returns nothing leaves the host's result alone.
    other.ConnectTo(visio.Application().Get(), "12");
    other.Handler("OnDocumentOpened") = [](TObject*, TadxEventArgs& args) { args.SetResult(true); };
    EXPECT_EQ(fire(0x2), "empty");
    EXPECT_EQ(errors.size(), 1u);
}
