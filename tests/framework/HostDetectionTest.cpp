// Host detection: every host kind is recognised by its application
// interface, in the fixed order, with its version, its ribbon threshold, its
// wrapper and its event component.
#include "FrameworkTestSupport.h"

#include "framework/events/adxHostAppEvents.h"
#include "framework/hosts/HostApplications.h"
#include "framework/support/HostInterfaces.h"
#include "platform/sim/outlook/OutlookSim.h"

using namespace fwtest;

namespace {

class HostDetection : public AddInTest {
protected:
    HostDetection() { SetModuleForm(ModuleForm("  AddInName = 'TestAddIn'")); }
    // A module connected to host, detected.
    TadxModulePtr Detect(const ComPtr<FakeHost>& host) {
        TadxModulePtr module(factory.CreateModule());
        module->HostApplication = Variant(host.Get());
        module->SetHostApplication();
        return module;
    }
};

struct HostCase {
    TadxOfficeHostApp host;
    const GUID* iid;
    // The highest major version without a ribbon (0: never one).
    int lastWithoutRibbon;
};

const HostCase kHosts[] = {
    {ohaWord, &adx::IID_WordApplication, 11},
    {ohaExcel, &adx::IID_ExcelApplication, 11},
    {ohaOutlook, &adx::IID_OutlookApplication, 11},
    {ohaAccess, &adx::IID_AccessApplication, 11},
    {ohaProject, &adx::IID_ProjectApplication, 12},
    {ohaPowerPoint, &adx::IID_PowerPointApplication, 11},
    {ohaFrontPage, &adx::IID_FrontPageApplication, 0},
    {ohaMapPoint, &adx::IID_MapPointApplication, 0},
    {ohaVisio, &adx::IID_VisioApplication, 12},
    {ohaPublisher, &adx::IID_PublisherApplication, 12},
    {ohaInfoPath, &adx::IID_InfoPathApplication, 12},
};

// The wrapper detection set for host, or nullptr.
const void* WrapperOf(const TadxCOMAddInModule& m, TadxOfficeHostApp host) {
    switch (host) {
    case ohaWord:
        return m.WordApplication.get();
    case ohaExcel:
        return m.ExcelApplication.get();
    case ohaOutlook:
        return m.OutlookApplication.get();
    case ohaAccess:
        return m.AccessApplication.get();
    case ohaProject:
        return m.ProjectApplication.get();
    case ohaPowerPoint:
        return m.PowerPointApplication.get();
    case ohaFrontPage:
        return m.FrontPageApplication.get();
    case ohaMapPoint:
        return m.MapPointApplication.get();
    case ohaVisio:
        return m.VisioApplication.get();
    case ohaPublisher:
        return m.PublisherApplication.get();
    case ohaInfoPath:
        return m.InfoPathApplication.get();
    }
    return nullptr;
}

int WrappersSet(const TadxCOMAddInModule& m) {
    int count = 0;
    for (const HostCase& c : kHosts)
        count += WrapperOf(m, c.host) != nullptr;
    return count;
}

TEST_F(HostDetection, EveryHostIsRecognisedByItsInterfaceWithItsRibbonThreshold) {
    for (const HostCase& c : kHosts) {
        for (int major : {11, 12, 14}) {
            SCOPED_TRACE(std::string(adxHostInfo(c.host).Name) + " " + std::to_string(major));
            auto host = FakeHost::Create(*c.iid, text::Wide(std::to_string(major) + ".0.0.1234"));
            // Project answers its version by DISPID only.
            if (c.host == ohaProject)
                host->Table().Get(
                    "ProjectVersion", [major] { return text::Wide(std::to_string(major) + ".0"); },
                    5020);
            TadxModulePtr module = Detect(host);
            EXPECT_EQ(module->HostType, c.host);
            EXPECT_EQ(module->HostMajorVersion, major);
            EXPECT_EQ(module->IsRibbonHost,
                      c.lastWithoutRibbon != 0 && major > c.lastWithoutRibbon);
            EXPECT_NE(WrapperOf(*module, c.host), nullptr);
            EXPECT_EQ(WrappersSet(*module), 1);
            EXPECT_EQ(module->HostEvents, nullptr);
        }
    }
}

TEST_F(HostDetection, TheFirstInterfaceInTheOrderWins) {
    auto host = FakeHost::Create(adx::IID_InfoPathApplication, u"12.0");
    host->Answer(adx::IID_OutlookApplication);
    host->Answer(adx::IID_ExcelApplication);
    EXPECT_EQ(Detect(host)->HostType, ohaExcel);
    host->Answer(adx::IID_WordApplication);
    EXPECT_EQ(Detect(host)->HostType, ohaWord);
}

TEST_F(HostDetection, AnUnknownHostSetsNothing) {
    auto host = FakeHost::Create(GUID::Create(), u"12.0");
    TadxModulePtr module = Detect(host);
    EXPECT_EQ(module->HostType, ohaExcel);
    EXPECT_EQ(module->HostMajorVersion, 0);
    EXPECT_FALSE(module->IsRibbonHost);
    EXPECT_EQ(WrappersSet(*module), 0);
}

TEST_F(HostDetection, AnAccessVersionThatCannotBeReadCountsAsNine) {
    auto access = FakeHost::Create(adx::IID_AccessApplication, u"12.0");
    access->VersionFails = true;
    TadxModulePtr module = Detect(access);
    EXPECT_EQ(module->HostType, ohaAccess);
    EXPECT_EQ(module->HostMajorVersion, 9);
}

TEST_F(HostDetection, AVersionThatCannotBeReadFailsDetectionForOtherHosts) {
    auto word = FakeHost::Create(adx::IID_WordApplication, u"12.0");
    word->VersionFails = true;
    TadxModulePtr module(factory.CreateModule());
    module->HostApplication = Variant(word.Get());
    EXPECT_THROW(module->SetHostApplication(), EOleException);
}

TEST_F(HostDetection, ExcelIsAskedForItsVersionInTheUsersLocale) {
    auto excel = FakeHost::Create(adx::IID_ExcelApplication, u"14.0");
    EXPECT_EQ(Detect(excel)->HostMajorVersion, 14);
    ASSERT_EQ(excel->VersionArguments.size(), 1u);
    EXPECT_EQ(excel->VersionArguments[0].AsInteger(), 0x400);
}

TEST_F(HostDetection, TheFirstEventComponentOfTheHostsClassIsConnectedWithTheVersion) {
    SetModuleForm(R"(object TestModule: TTestModule
  AddInName = 'TestAddIn'
  object Other: TTestEvents
  end
  object First: TRecordingOutlookEvents
  end
  object Second: TRecordingOutlookEvents
  end
end
)");
    sim::OutlookSim outlook(11);
    TadxModulePtr module(factory.CreateModule());
    module->HostApplication = Variant(outlook.Application());
    module->SetHostApplication();
    auto* first = dynamic_cast<TadxOutlookAppEvents*>(module->FindComponent("First"));
    auto* second = dynamic_cast<TadxOutlookAppEvents*>(module->FindComponent("Second"));
    EXPECT_EQ(module->HostEvents, first);
    EXPECT_NE(first->Server(), nullptr);
    EXPECT_EQ(second->Server(), nullptr);
    // The component of another class is left alone.
    EXPECT_EQ(journal, (std::vector<std::string>{"SetHostApplication", "First.ConnectTo 11"}));
    EXPECT_FALSE(module->IsRibbonHost);

    module->FreeHostApplication();
    EXPECT_EQ(first->Server(), nullptr);
    EXPECT_EQ(module->OutlookApplication, nullptr);
}

TEST_F(HostDetection, ExcelsEventComponentIsConnectedWithoutTheVersion) {
    SetModuleForm(R"(object TestModule: TTestModule
  AddInName = 'TestAddIn'
  object ExcelEvents: TRecordingExcelEvents
  end
end
)");
    auto excel = FakeHost::Create(adx::IID_ExcelApplication, u"12.0");
    TadxModulePtr module = Detect(excel);
    EXPECT_EQ(journal, (std::vector<std::string>{"SetHostApplication", "ExcelEvents.ConnectTo"}));
    EXPECT_TRUE(module->IsRibbonHost);
}

TEST_F(HostDetection, WordsStartupEventFiresAfterConnectionAndItsExceptionIsReported) {
    SetModuleForm(R"(object TestModule: TTestModule
  AddInName = 'TestAddIn'
  object WordEvents: TadxWordAppEvents
    OnStartup = ModuleRaise
  end
end
)");
    auto word = FakeHost::Create(adx::IID_WordApplication, u"12.0");
    TadxModulePtr module = Detect(word);
    EXPECT_EQ(module->HostType, ohaWord);
    EXPECT_EQ(journal, (std::vector<std::string>{"SetHostApplication", "raise"}));
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Text,
              "TestAddIn error: the add-in has fired an exception.\r\nHandler failed");
}

} // namespace
