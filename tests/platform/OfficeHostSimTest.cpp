// The simulated Office hosts: each answers its application interface and
// fires its events through a connection point, by-reference arguments come
// back as the sink wrote them (an event's answer too), the bars the user
// sees in front, the collections count from the host's first
// index, InfoPath fires from the object it hands out, the class registration
// is written and removed, and the host driver loads the test add-in into a
// host other than Outlook.
#include "tests/platform/TestAddInSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/com/LateBound.h"
#include "platform/sim/office/OfficeHostSim.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

// A sink that records each event as "<DISPID>:<argument count>", sets
// every by-reference Boolean it receives to true and answers true.
class RecordingSink final : public DispatchObject<IDispatch> {
public:
    HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams* params, Variant* result,
                   ExcepInfo*, uint32_t*) override {
        Events.push_back(std::to_string(id) + ":" + std::to_string(params->cArgs));
        if (result)
            *result = Variant(true);
        Arguments.clear();
        for (uint32_t i = params->cArgs; i-- > 0;) {
            Variant& arg = params->rgvarg[i];
            if (arg.Type() == (VT_BYREF | VT_BOOL))
                arg.SetValue(true);
            else
                Arguments.push_back(arg);
        }
        return S_OK;
    }
    std::vector<std::string> Events;
    std::vector<Variant> Arguments;

private:
    friend struct ::ComMaker;
    explicit RecordingSink(const GUID& iid) { AddInterfaceAlias<IDispatch>(iid); }
};

struct Advised {
    Advised(IUnknown* source, const GUID& iid) : sink(MakeComObject<RecordingSink>(iid)) {
        ComPtr<IConnectionPointContainer> container;
        EXPECT_EQ(source->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()),
                  S_OK);
        EXPECT_EQ(container->FindConnectionPoint(iid, point.Receive()), S_OK);
        EXPECT_EQ(point->Advise(sink.Get(), &cookie), S_OK);
    }
    ~Advised() { point->Unadvise(cookie); }
    ComPtr<RecordingSink> sink;
    ComPtr<IConnectionPoint> point;
    uint32_t cookie = 0;
};

} // namespace

TEST(OfficeHostSim, EachHostAnswersItsInterfaceAndFiresOnEachEventInterface) {
    for (OfficeHostKind kind : AllOfficeHostKinds()) {
        OfficeHostSim host(kind);
        const OfficeHostProfile& profile = host.Profile();
        ComPtr<IDispatch> app = host.Application();
        ComPtr<IUnknown> typed;
        EXPECT_EQ(app->QueryInterface(profile.ApplicationIid, typed.ReceiveVoid()), S_OK)
            << profile.Name;
        IUnknown* source = app.Get();
        ComPtr<IDispatch> eventSource;
        if (profile.SeparateEventSource) {
            eventSource = dispGet(Variant(app), "EventSource").AsDispatch();
            source = eventSource.Get();
        }
        for (const GUID& iid : profile.EventIids) {
            Advised advised(source, iid);
            DispArgs args{Variant(7)};
            EXPECT_EQ(host.FireEvent(0x42, args), 1u) << profile.Name;
            EXPECT_EQ(advised.sink->Events, std::vector<std::string>{"66:1"}) << profile.Name;
        }
        EXPECT_EQ(host.App().SinkCount(), 0u);
    }
}

TEST(OfficeHostSim, AByReferenceCancelComesBackAsTheSinkWroteIt) {
    OfficeHostSim word(OfficeHostKind::Word);
    Advised advised(word.Application().Get(), word.Profile().EventIids.back());
    auto document = word.OpenDocument(u"Report");
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DispArgs args{Variant(ComPtr<IDispatch>(document)), Variant::ByRefBool(&cancel)};
    word.FireEvent(0x6, args);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    // So does the answer of an event that returns one.
    Variant answer;
    word.FireEvent(0x6, args, &answer);
    EXPECT_TRUE(answer.AsBool());
}

TEST(OfficeHostSim, TheBarsInFrontAreTheDocumentsInWordTheWindowsInInfoPath) {
    OfficeHostSim word(OfficeHostKind::Word);
    EXPECT_EQ(&word.BarsInFront(), &word.App().Bars());
    word.App().Bars().AddBar(u"Lasting", 1, false);
    word.App().Bars().AddBar(u"Passing", 1, true);
    auto report = word.OpenDocument(u"Report");
    EXPECT_EQ(&word.BarsInFront(), &report->Bars());
    // A new document shows the application's lasting bars only.
    EXPECT_TRUE(report->Bars().Bar(u"Lasting"));
    EXPECT_FALSE(report->Bars().Bar(u"Passing"));

    OfficeHostSim infoPath(OfficeHostKind::InfoPath);
    auto form = infoPath.OpenDocument(u"Form");
    SimOfficeWindow& first = *form->Windows()[0];
    EXPECT_EQ(&infoPath.BarsInFront(), &first.Bars());
    first.Bars().AddBar(u"Lasting", 1, false);
    auto second = infoPath.NewWindow(*form);
    EXPECT_EQ(&infoPath.BarsInFront(), &second->Bars());
    EXPECT_TRUE(second->Bars().Bar(u"Lasting"));

    OfficeHostSim excel(OfficeHostKind::Excel);
    excel.OpenDocument(u"Book");
    EXPECT_EQ(&excel.BarsInFront(), &excel.App().Bars());
}

TEST(OfficeHostSim, TheUsersActionsFireTheHostsEventsInItsOrder) {
    struct Case {
        OfficeHostKind kind;
        std::vector<std::string> open;
    };
    const Case cases[] = {
        {OfficeHostKind::Word, {"0x4", "0xA", "0x3"}},
        {OfficeHostKind::Excel, {"0x61F", "0x620", "0x614"}},
        {OfficeHostKind::PowerPoint, {"0x7D6", "0x7D9"}},
        {OfficeHostKind::InfoPath, {"0x8", "0x1"}},
        {OfficeHostKind::Visio, {"0x2", "0x8001", "0x1080"}},
        {OfficeHostKind::Publisher, {"0x7", "0x1"}},
        {OfficeHostKind::MapPoint, {"0x6041502"}},
    };
    for (const Case& c : cases) {
        OfficeHostSim host(c.kind);
        host.OpenDocument(u"One");
        EXPECT_EQ(host.Events(), c.open) << host.Profile().Name;
    }
}

TEST(OfficeHostSim, WindowsAndDocumentsCountFromTheHostsFirstIndex) {
    for (OfficeHostKind kind : {OfficeHostKind::Word, OfficeHostKind::InfoPath}) {
        OfficeHostSim host(kind);
        auto first = host.OpenDocument(u"One");
        auto second = host.NewDocument(u"Two");
        auto extra = host.NewWindow(*first);
        Variant app(host.Application());
        Variant windows = dispGet(app, "Windows");
        EXPECT_EQ(dispGet(windows, "Count").AsInteger(), 3);
        int firstIndex = host.Profile().FirstIndex;
        EXPECT_EQ(dispGet(windows, "Item", firstIndex).AsDispatch().Get(),
                  static_cast<IDispatch*>(first->Windows()[0].Get()));
        EXPECT_THROW(dispGet(windows, "Item", firstIndex + 3), EOleSysError);
        EXPECT_EQ(dispGet(app, "ActiveWindow").AsDispatch().Get(),
                  static_cast<IDispatch*>(extra.Get()));
        EXPECT_EQ(dispGet(dispGet(app, "ActiveDocument"), "Name").AsWide(), u"One");
        host.CloseWindow(*extra);
        EXPECT_EQ(dispGet(dispGet(app, "ActiveDocument"), "Name").AsWide(), u"Two");
        host.CloseWindow(*second->Windows()[0]);
        EXPECT_EQ(dispGet(dispGet(app, "Documents"), "Count").AsInteger(), 1);
    }
}

TEST(OfficeHostSim, InstallationWritesAndRemovesTheHostsClass) {
    TempPlatformHome home;
    for (OfficeHostKind kind : AllOfficeHostKinds()) {
        EXPECT_FALSE(IsOfficeHostInstalled(kind));
        InstallOfficeHost(kind, 12);
        EXPECT_TRUE(IsOfficeHostInstalled(kind));
        UninstallOfficeHost(kind);
        EXPECT_FALSE(IsOfficeHostInstalled(kind));
    }
}

TEST(OfficeHostSim, TheHostDriverLoadsAnAddInRegisteredForWord) {
    TempPlatformHome home;
    testaddin::Register();
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(std::string("\\Software\\Microsoft\\Office\\Word\\AddIns\\") +
                                    testaddin::ProgId,
                                true));
        reg.WriteInteger("LoadBehavior", 3);
    }
    OfficeHostSim word(OfficeHostKind::Word);
    word.OpenDocument(u"Report");
    {
        HostDriver driver(word);
        word.OnWindowClosed = [&](IDispatch* window) { driver.CloseWindow(window); };
        driver.Start();
        HostedAddIn* addIn = driver.Find(testaddin::ProgId);
        ASSERT_NE(addIn, nullptr);
        EXPECT_TRUE(addIn->Connected);
        EXPECT_EQ(driver.Failures(), std::vector<std::string>{});
        driver.Quit();
        word.OnWindowClosed = nullptr;
    }
}

TEST(OfficeHostSim, WordHasItsNormalTemplateAndRecordsTheOrganizersDeletions) {
    OfficeHostSim word(OfficeHostKind::Word);
    Variant app(word.Application());
    Variant normal = dispGet(app, "NormalTemplate");
    EXPECT_EQ(dispGet(normal, "FullName").AsWide(), u"C:\\Templates\\Normal.dotm");
    Variant templates = dispGet(app, "Templates");
    EXPECT_EQ(dispGet(templates, "Count").AsInteger(), 1);
    EXPECT_EQ(dispGet(dispGet(templates, "Item", 1), "Name").AsWide(), u"Normal.dotm");
    dispCall(app, "OrganizerDelete", u"C:\\Templates\\Normal.dotm", u"Sample bar", 2);
    EXPECT_EQ(word.App().NormalTemplate().Deletions,
              std::vector<std::string>{"C:\\Templates\\Normal.dotm|Sample bar|2"});
    // The other hosts have none.
    OfficeHostSim excel(OfficeHostKind::Excel);
    EXPECT_THROW(dispGet(Variant(excel.Application()), "NormalTemplate"), Exception);
}
