// The class factory: add-in objects for the host, registration for all
// users against the current user, hosts that are not installed, the
// running-host dialog, the registration events, unregistration with its
// "UNINSTALL" start mode, the removal of the add-in's command-bar controls
// from a host, Excel's automation add-in entries, and an add-in without a
// ProgID that must touch no add-in key.
#include "FrameworkTestSupport.h"

#include "framework/support/ComRoutines.h"
#include "framework/support/HostInterfaces.h"
#include "platform/com/ComClasses.h"
#include "platform/com/RunningObjects.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Clock.h"

#include <map>

using namespace fwtest;

namespace {

constexpr GUID CLSID_FakeExcel = MakeGuid("{6B2C4E71-0A3D-4F58-8C19-2E7D5A4B3C60}");
const std::string kCanceled = "The registration process has been canceled.";

class AddInFactory : public AddInTest {
protected:
    // The form of an add-in for hosts with the properties given.
    static std::string Form(const std::string& hosts, const std::string& more = "") {
        return ModuleForm("  AddInName = 'TestAddIn'\n  SupportedApps = [" + hosts + "]" +
                          (more.empty() ? "" : "\n" + more));
    }
    static bool ClassRegistered() {
        GUID clsid;
        return SUCCEEDED(CLSIDFromProgID(u"FrameworkTest.TestAddIn", &clsid)) &&
               clsid == CLSID_TestAddIn;
    }
    // The error a guarded registration entry point left for its caller.
    static std::string LastError(HRESULT hr) {
        std::string source, description;
        TakeComErrorInfo(hr, source, description);
        return description;
    }
    // Outlook and Excel as installed on the machine (in one registry write each).
    static void InstallOutlook() {
        platform::RegistryBatch batch;
        sim::InstallOutlook(12);
        batch.Commit();
    }
    static void InstallExcel() {
        platform::RegistryBatch batch;
        RegisterComClass({CLSID_FakeExcel, "Excel.Application", "Excel", "", "Apartment"});
        batch.Commit();
    }
};

TEST_F(AddInFactory, MakesANewAddInObjectForEachRequest) {
    auto first = NewAddIn();
    auto second = NewAddIn();
    EXPECT_FALSE(IsSameObject(first.Get(), second.Get()));
    EXPECT_EQ(&static_cast<TadxAddin*>(first.Get())->GetFactory(), &factory);
    // Every interface of the object, its own dispatch interface too, is one object.
    ComPtr<IUnknown> own;
    ASSERT_EQ(first->QueryInterface(IID_ITestAddIn, own.ReceiveVoid()), S_OK);
    EXPECT_EQ(own.Get(), static_cast<IUnknown*>(first.Query<IDispatch>().Get()));
    for (const GUID& iid : {IID_IDTExtensibility2, IID_IRibbonExtensibility,
                            IID_ICustomTaskPaneConsumer, IID_IadxCallBack, IID_IDispatch}) {
        ComPtr<IUnknown> other;
        EXPECT_EQ(first->QueryInterface(iid, other.ReceiveVoid()), S_OK) << iid.ToString();
        EXPECT_TRUE(IsSameObject(other.Get(), own.Get())) << iid.ToString();
    }
    EXPECT_EQ(factory.GetProgID(), "FrameworkTest.TestAddIn");
    EXPECT_EQ(factory.ThreadingModel(), "Apartment");
    EXPECT_EQ(factory.GetRegKey(ohaOutlook),
              "\\Software\\Microsoft\\Office\\Outlook\\AddIns\\FrameworkTest.TestAddIn");
    EXPECT_EQ(factory.GetRegKey(ohaMapPoint),
              "\\Software\\Microsoft\\MapPoint\\AddIns\\FrameworkTest.TestAddIn");
    EXPECT_EQ(factory.GetRegKey(ohaProject),
              "\\Software\\Microsoft\\Office\\MS Project\\AddIns\\FrameworkTest.TestAddIn");
}

TEST_F(AddInFactory, RegistrationForAllUsersWritesTheMachinesAddInKey) {
    InstallOutlook();
    SetModuleForm(Form("ohaOutlook", "  RegisterForAllUsers = True"));
    ASSERT_EQ(server.RegisterServer(), S_OK) << LastError(E_FAIL);

    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "FriendlyName"), "TestAddIn");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "Description"), "");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "LoadBehavior"), "3");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "CommandLineSafe"), "0");
    EXPECT_FALSE(AddInKeyExists(HKEY_CURRENT_USER));
    EXPECT_TRUE(ClassRegistered());
    TRegistry classes;
    classes.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(
        classes.OpenKeyReadOnly("CLSID\\" + CLSID_TestAddIn.ToString() + "\\InprocServer32"));
    EXPECT_EQ(classes.ReadString("ThreadingModel"), "Apartment");
}

TEST_F(AddInFactory, RegistrationForTheCurrentUserWritesTheUsersAddInKey) {
    InstallOutlook();
    SetModuleForm(Form("ohaOutlook", "  Description = 'Sends'\n  LoadBehavior = 2"));
    ASSERT_EQ(server.RegisterServer(), S_OK);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "FriendlyName"), "TestAddIn");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "Description"), "Sends");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "LoadBehavior"), "2");
    EXPECT_FALSE(AddInKeyExists(HKEY_LOCAL_MACHINE));
}

TEST_F(AddInFactory, AHostThatIsNotInstalledGetsNoKey) {
    InstallOutlook();
    SetModuleForm(Form("ohaOutlook, ohaWord"));
    ASSERT_EQ(server.RegisterServer(), S_OK);
    EXPECT_TRUE(AddInKeyExists(HKEY_CURRENT_USER, ohaOutlook));
    EXPECT_FALSE(AddInKeyExists(HKEY_CURRENT_USER, ohaWord));
}

TEST_F(AddInFactory, VirtualisedOffice14CountsAsEveryHostInstalled) {
    {
        TRegistry machine;
        machine.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(
            machine.CreateKey("Software\\Microsoft\\Office\\14.0\\Common\\InstallRoot\\Virtual"));
    }
    SetModuleForm(Form("ohaWord"));
    ASSERT_EQ(server.RegisterServer(), S_OK);
    EXPECT_TRUE(AddInKeyExists(HKEY_CURRENT_USER, ohaWord));
}

TEST_F(AddInFactory, UnregistrationWritesUninstallThenDeletesBothKeys) {
    InstallOutlook();
    SetModuleForm(
        Form("ohaOutlook",
             "  RegisterForAllUsers = True\n  OnBeforeAddinUnregister = ModuleBeforeUnregister"));
    ASSERT_EQ(server.RegisterServer(), S_OK);
    WriteStartMode("NORMAL"); // the user has started the add-in once
    std::vector<std::string> seen;
    probe = [&](TTestModule& m, const std::string& step) {
        seen.push_back(step + ": user " + ReadValue(HKEY_CURRENT_USER, "ADXStartMode") +
                       ", machine " + ReadValue(HKEY_LOCAL_MACHINE, "LoadBehavior") + ", host " +
                       adxHostInfo(m.HostType).Name + ", key " + m.Registry->CurrentPath());
    };

    ASSERT_EQ(server.UnregisterServer(), S_OK) << LastError(E_FAIL);

    EXPECT_EQ(seen,
              std::vector<std::string>{"OnBeforeAddinUnregister: user UNINSTALL, machine 0, host "
                                       "Outlook, key Software\\Microsoft\\Office\\Outlook\\AddIns\\"
                                       "FrameworkTest.TestAddIn"});
    EXPECT_FALSE(AddInKeyExists(HKEY_CURRENT_USER));
    EXPECT_FALSE(AddInKeyExists(HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(ClassRegistered());
    EXPECT_TRUE(sim::IsOutlookInstalled());
    EXPECT_EQ(sim::OutlookSim::LiveObjects(), 0); // Outlook was never started
}

TEST_F(AddInFactory, TheRegisterEventSeesTheUsersKeyEvenForAllUsers) {
    InstallOutlook();
    InstallExcel();
    SetModuleForm(Form("ohaExcel, ohaOutlook",
                       "  RegisterForAllUsers = True\n  OnAfterAddinRegister = ModuleRaise"));
    std::vector<std::string> keys;
    probe = [&](TTestModule& m, const std::string&) {
        keys.push_back(m.Registry->CurrentPath() +
                       (m.Factory == &factory ? "" : " without factory"));
    };
    ASSERT_EQ(server.RegisterServer(), S_OK);
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "Software\\Microsoft\\Office\\Excel\\AddIns\\FrameworkTest.TestAddIn",
                        "Software\\Microsoft\\Office\\Outlook\\AddIns\\FrameworkTest.TestAddIn"}));
    // Each failing handler was reported and registration went on.
    ASSERT_EQ(user.Shown().size(), 2u);
    EXPECT_EQ(user.Shown()[1].Text,
              "TestAddIn error: the add-in has fired an exception.\r\nHandler failed");
    EXPECT_TRUE(AddInKeyExists(HKEY_CURRENT_USER, ohaOutlook));
    EXPECT_TRUE(AddInKeyExists(HKEY_LOCAL_MACHINE, ohaOutlook));
    EXPECT_TRUE(AddInKeyExists(HKEY_LOCAL_MACHINE, ohaExcel));
}

// ---- what registration makes of the module ----

// A component that counts its instances, to see which reads make the
// module's components.
class TCountedComponent : public TComponent {
public:
    explicit TCountedComponent(TComponent* AOwner) : TComponent(AOwner) { ++made; }
    static inline int made = 0;
};

class ModuleComponents : public AddInFactory {
protected:
    ModuleComponents() {
        if (!TestClasses().Find("TCountedComponent"))
            TestClasses().Register<TCountedComponent, TComponent>();
        TCountedComponent::made = 0;
        InstallOutlook();
    }
    // The add-in's form with a counted component and the properties given.
    static std::string FormWithComponent(const std::string& more) {
        return "object TestModule: TTestModule\n  AddInName = 'TestAddIn'\n"
               "  SupportedApps = [ohaOutlook]\n" +
               more + "  object Counted1: TCountedComponent\n  end\nend\n";
    }
};

TEST_F(ModuleComponents, RegistrationReadsTheSettingsWithoutMakingTheComponents) {
    SetModuleForm(FormWithComponent("  Description = 'Sends'\n  LoadBehavior = 2\n"
                                    "  RegisterForAllUsers = True\n  HandleShortcuts = True\n"
                                    "  OnAddInInitialize = ModuleInitialize\n"));
    ASSERT_EQ(server.RegisterServer(), S_OK) << LastError(E_FAIL);
    EXPECT_EQ(TCountedComponent::made, 0);
    EXPECT_EQ(factory.GetAddInName(), "TestAddIn");
    EXPECT_EQ(factory.GetSupportedApps(), TadxHostAppSet{ohaOutlook});
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "FriendlyName"), "TestAddIn");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "Description"), "Sends");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "LoadBehavior"), "2");
    EXPECT_EQ(TCountedComponent::made, 0);
    EXPECT_TRUE(journal.empty());

    // Unregistration removes the components' traces from the host: it makes them.
    ASSERT_EQ(server.UnregisterServer(), S_OK) << LastError(E_FAIL);
    EXPECT_GT(TCountedComponent::made, 0);
    EXPECT_FALSE(AddInKeyExists(HKEY_LOCAL_MACHINE));
}

TEST_F(ModuleComponents, AModuleWhoseHandlersRunDuringRegistrationIsMadeWhole) {
    for (const std::string handler : {"OnCreate", "ondestroy", "OnAfterAddinRegister"}) {
        TCountedComponent::made = 0;
        journal.clear();
        SetModuleForm(FormWithComponent("  " + handler + " = ModuleAfterRegister\n"));
        ASSERT_EQ(server.RegisterServer(), S_OK) << handler << ": " << LastError(E_FAIL);
        EXPECT_GT(TCountedComponent::made, 0) << handler;
        EXPECT_FALSE(journal.empty()) << handler;
        EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "FriendlyName"), "TestAddIn") << handler;
    }
}

TEST_F(ModuleComponents, ASettingTheModuleRefusesFailsRegistrationAsBefore) {
    SetModuleForm(FormWithComponent("  SupportedApps = []\n"));
    HRESULT hr = server.RegisterServer();
    EXPECT_TRUE(FAILED(hr));
    const std::string error = LastError(hr);
    EXPECT_NE(error.find("SupportedApps"), std::string::npos) << error;
    EXPECT_FALSE(AddInKeyExists(HKEY_CURRENT_USER));
    EXPECT_EQ(TCountedComponent::made, 0);
}

// ---- the running-host dialog ----

class RunningHostDialog : public AddInFactory {
protected:
    RunningHostDialog() {
        InstallOutlook();
        SetModuleForm(Form("ohaOutlook", "  DisplayAlerts = True"));
    }
    void ExpectTheDialog(size_t index) {
        ASSERT_GT(user.Shown().size(), index);
        const forms::ShownDialog& box = user.Shown()[index];
        EXPECT_EQ(box.Caption, "TestAddIn");
        EXPECT_EQ(box.Text, "Please close all running host application instances:\r\nOutlook ");
        EXPECT_EQ(box.Type, mtInformation);
        EXPECT_EQ(box.Buttons, (TMsgDlgButtons{mbCancel, mbRetry, mbIgnore}));
    }
};

TEST_F(RunningHostDialog, RetryWithTheHostStillRunningAsksAgainAndCancelWritesNothing) {
    sim::OutlookSim outlook;
    user.Click(mbRetry).Click(mbCancel);
    HRESULT hr = server.RegisterServer();
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(LastError(hr), kCanceled);
    ASSERT_EQ(user.Shown().size(), 2u);
    ExpectTheDialog(0);
    ExpectTheDialog(1);
    EXPECT_EQ(user.Shown()[1].Result, mrCancel);
    EXPECT_FALSE(AddInKeyExists(HKEY_CURRENT_USER));
    EXPECT_FALSE(ClassRegistered());
}

TEST_F(RunningHostDialog, CancelRaisesTheFrameworksError) {
    sim::OutlookSim outlook;
    user.Click(mbCancel);
    try {
        factory.UpdateRegistry(false);
        ADD_FAILURE() << "nothing raised";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode, adx::ErrRegistrationCanceled);
        EXPECT_EQ(e.Message, kCanceled);
    }
}

TEST_F(RunningHostDialog, RetryAfterTheHostQuitGoesOn) {
    auto outlook = std::make_unique<sim::OutlookSim>();
    user.Answer([&](const forms::MessageBoxRequest&) {
        outlook->Quit();
        return mbRetry;
    });
    ASSERT_EQ(server.RegisterServer(), S_OK);
    EXPECT_EQ(user.Shown().size(), 1u);
    EXPECT_TRUE(AddInKeyExists(HKEY_CURRENT_USER));
}

TEST_F(RunningHostDialog, IgnoreGoesOnWithTheHostRunning) {
    sim::OutlookSim outlook;
    user.Click(mbIgnore);
    ASSERT_EQ(server.RegisterServer(), S_OK);
    EXPECT_EQ(user.Shown().size(), 1u);
    EXPECT_TRUE(AddInKeyExists(HKEY_CURRENT_USER));
}

TEST_F(RunningHostDialog, AUserWhoAlwaysRetriesEndsInCancel) {
    sim::OutlookSim outlook;
    user.AlwaysClick(mbRetry);
    EXPECT_TRUE(FAILED(server.RegisterServer()));
    EXPECT_EQ(user.Shown().back().Result, mrCancel);
    EXPECT_FALSE(AddInKeyExists(HKEY_CURRENT_USER));
}

TEST_F(RunningHostDialog, NoDialogWithoutDisplayAlertsOrWithoutARunningHost) {
    ASSERT_EQ(server.RegisterServer(), S_OK); // nothing runs
    sim::OutlookSim outlook;
    SetModuleForm(Form("ohaOutlook"));
    ASSERT_EQ(server.UnregisterServer(), S_OK);
    EXPECT_TRUE(user.Shown().empty());
}

// ---- command bars left in a host ----

// A running Excel whose command bars hold the add-in's leftovers. Every
// object is a plain automation object answering the names the factory calls.
class FakeExcel {
public:
    struct Control {
        int Type;
        int Children;
    };
    struct Bar {
        bool BuiltIn;
        int Controls;
    };

    FakeExcel(std::map<std::string, Control> controls, std::map<std::string, Bar> bars)
        : controls_(std::move(controls)), bars_(std::move(bars)) {
        app_ = FakeHost::Create(adx::IID_ExcelApplication, u"12.0");
        auto commandBars = MakeComObject<FakeHost>(u"");
        commandBars->Answer(IID_CommandBars);
        commandBars->Table().Get("Count", [this] {
            if (BarsFail)
                throw EOleSysError("The command bars are busy", E_FAIL);
            return int(bars_.size());
        });
        commandBars->Table().Add("Item", DISPID_VALUE).Call([this](DispCall& c) {
            return BarAt(c.Integer(0));
        });
        commandBars->Table().Add("FindControl").Call([this](DispCall& c) {
            return FindControl(c.Wide(2));
        });
        app_->Table().Get("CommandBars", [commandBars] { return ComPtr<IDispatch>(commandBars); });
        app_->Table().Method("Quit", [this] { Quits++; });
        RegisterActiveObject(app_->UnknownSelf(), CLSID_FakeExcel, ACTIVEOBJECT_STRONG, &cookie_);
    }
    ~FakeExcel() { RevokeActiveObject(cookie_, nullptr); }

    std::vector<std::string> Deleted;
    int Quits = 0;
    bool BarsFail = false;

private:
    ComPtr<IDispatch> Object(std::function<void(DispatchTable&)> fill) {
        auto object = MakeComObject<FakeHost>(u"");
        fill(object->Table());
        return object;
    }
    ComPtr<IDispatch> Children(int count) {
        return Object([count](DispatchTable& t) { t.Get("Count", [count] { return count; }); });
    }
    Variant FindControl(const std::u16string& tag) {
        auto it = controls_.find(text::Narrow(tag));
        if (it == controls_.end())
            return Variant(static_cast<IDispatch*>(nullptr));
        std::string name = it->first;
        Control control = it->second;
        return Variant(Object([=, this](DispatchTable& t) {
            t.Get("Type", [control] { return control.Type; });
            t.Get("Controls", [=, this] { return Children(control.Children); });
            t.Method("Delete", [=, this] {
                Deleted.push_back(name);
                controls_.erase(name);
            });
        }));
    }
    ComPtr<IDispatch> BarAt(int index) {
        auto it = std::next(bars_.begin(), index - 1);
        std::string name = it->first;
        Bar bar = it->second;
        return Object([=, this](DispatchTable& t) {
            t.Get("Name", [name] { return name; });
            t.Get("NameLocal", [name] { return name; });
            t.Get("BuiltIn", [bar] { return bar.BuiltIn; });
            t.Get("Controls", [=, this] { return Children(bar.Controls); });
            t.Method("Delete", [=, this] { Deleted.push_back("bar " + name); });
        });
    }

    ComPtr<FakeHost> app_;
    std::map<std::string, Control> controls_;
    std::map<std::string, Bar> bars_;
    uint32_t cookie_ = 0;
};

class LeftoverControls : public AddInFactory {
protected:
    LeftoverControls() {
        InstallExcel();
        SetModuleForm(Form("ohaExcel"));
        TRegistry registry;
        EXPECT_TRUE(registry.OpenKey(AddInKey(ohaExcel) + "\\Controls", true));
        registry.WriteInteger("Popup", 1);
        registry.WriteInteger("Button", 1);
        registry.WriteInteger("Forced", 255);
        registry.WriteInteger("Gone", 1);
        EXPECT_TRUE(registry.OpenKey(AddInKey(ohaExcel) + "\\CommandBars", true));
        for (const char* bar : {"Lorvane", "Standard", "Busy"})
            registry.WriteInteger(bar, 0);
    }
    // Excel's settle time runs on a clock the test moves.
    platform::ManualClockScope clock{TDateTime(45000.0)};
};

TEST_F(LeftoverControls, AreDeletedExceptPopupsThatStillHoldControls) {
    FakeExcel excel({{"Popup", {10, 2}}, {"Button", {1, 0}}, {"Forced", {10, 3}}},
                    {{"Lorvane", {false, 0}}, {"Standard", {true, 0}}, {"Busy", {false, 4}}});
    ASSERT_EQ(server.UnregisterServer(), S_OK) << LastError(E_FAIL);
    EXPECT_EQ(excel.Deleted, (std::vector<std::string>{"Button", "Forced", "bar Lorvane"}));
    EXPECT_EQ(excel.Quits, 0); // it was running before
    EXPECT_FALSE(AddInKeyExists(HKEY_CURRENT_USER, ohaExcel));
}

TEST_F(LeftoverControls, AHostThatFailsStopsUnregistrationWithItsError) {
    FakeExcel excel({}, {{"Lorvane", {false, 0}}});
    excel.BarsFail = true;
    HRESULT hr = server.UnregisterServer();
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(LastError(hr), "Can't unregister add-in controls.");
    // The keys stay; only the start mode says the add-in is going.
    EXPECT_TRUE(AddInKeyExists(HKEY_CURRENT_USER, ohaExcel));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "ADXStartMode", ohaExcel), "UNINSTALL");
}

// ---- Excel automation add-in entries ----

class AutomationEntries : public AddInFactory {
protected:
    AutomationEntries() {
        InstallExcel();
        SetModuleForm(Form("ohaExcel", "  XLAutomationAddIn = True"));
    }
    static const std::string& Ours() {
        static const std::string entry = "/A \"FrameworkTest.TestAddIn\"";
        return entry;
    }
    // Excel 12's options, as name=value lines in text order.
    static std::vector<std::string> Options() {
        TRegistry registry;
        std::vector<std::string> lines;
        if (!registry.OpenKeyReadOnly("Software\\Microsoft\\Office\\12.0\\Excel\\Options"))
            return lines;
        for (const std::string& name : registry.GetValueNames())
            lines.push_back(name + "=" + registry.ReadString(name));
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    static void SetOptions(const std::vector<std::pair<std::string, std::string>>& values) {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Microsoft\\Office\\12.0\\Excel\\Options", true));
        for (const auto& [name, value] : values)
            registry.WriteString(name, value);
    }
};

TEST_F(AutomationEntries, TakeTheNextFreeOpenName) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> before;
        std::vector<std::string> after;
    } cases[] = {
        {{{"Other", "x"}}, {"OPEN=" + Ours(), "Other=x"}},
        {{{"OPEN", "/R a.xla"}}, {"OPEN1=" + Ours(), "OPEN=/R a.xla"}},
        {{{"OPEN", "a"}, {"OPEN3", "c"}}, {"OPEN3=c", "OPEN4=" + Ours(), "OPEN=a"}},
        {{{"open", "a"}, {"Open9", "i"}, {"OPEN10", "j"}},
         {"OPEN10=j", "OPEN11=" + Ours(), "Open9=i", "open=a"}},
        {{{"OPEN", Ours()}}, {"OPEN=" + Ours()}},
    };
    for (const Case& c : cases) {
        TRegistry registry;
        registry.DeleteKey("Software\\Microsoft\\Office\\12.0\\Excel\\Options");
        SetOptions(c.before);
        ASSERT_EQ(server.RegisterServer(), S_OK);
        EXPECT_EQ(Options(), c.after);
    }
}

TEST_F(AutomationEntries, AreLeftAloneForExcelVersionsThatAreNotThere) {
    ASSERT_EQ(server.RegisterServer(), S_OK);
    TRegistry registry;
    for (int version = 10; version <= 14; ++version)
        EXPECT_FALSE(registry.KeyExists(
            Format("Software\\Microsoft\\Office\\%d.0\\Excel\\Options", {version})));
}

TEST_F(AutomationEntries, UnregistrationRenumbersTheOthersWithoutGaps) {
    SetOptions({{"OPEN", "a"}, {"OPEN1", Ours()}, {"OPEN2", "b"}, {"OPEN3", "c"}, {"Other", "x"}});
    ASSERT_EQ(server.UnregisterServer(), S_OK) << LastError(E_FAIL);
    EXPECT_EQ(Options(), (std::vector<std::string>{"OPEN1=b", "OPEN2=c", "OPEN=a", "Other=x"}));
}

// ---- an add-in without a ProgID ----

TEST_F(AddInFactory, AnEmptyProgIdNeverTouchesTheAddInsKeyOfOtherAddIns) {
    InstallOutlook();
    SetModuleForm(Form("ohaOutlook"));
    ComServer nameless("");
    auto& bare = nameless.AddFactory<TadxFactory>(
        "", [] { return ComPtr<TadxAddin>(MakeComObject<TTestAddIn>()); },
        MakeGuid("{6B2C4E71-0A3D-4F58-8C19-2E7D5A4B3C61}"), TestClasses().Get("TTestModule"));
    EXPECT_EQ(bare.GetProgID(), "");
    EXPECT_EQ(bare.GetRegKey(ohaOutlook), "");
    const std::string other = "Software\\Microsoft\\Office\\Outlook\\AddIns\\Other.AddIn";
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(other, true));
    registry.WriteString("FriendlyName", "Other");
    registry.CloseKey();

    EXPECT_EQ(nameless.RegisterServer(), S_OK);
    EXPECT_EQ(nameless.UnregisterServer(), S_OK);

    ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\Microsoft\\Office\\Outlook\\AddIns"));
    EXPECT_TRUE(registry.GetValueNames().empty());
    EXPECT_TRUE(registry.KeyExists("\\" + other));
}

} // namespace
