// The add-in module: its defaults, its stored properties and their errors,
// the error report, the ribbon look-up, the keyboard-hook switch, the
// registry key, the major version of a host's version text, and the order
// in which it is destroyed.
#include "FrameworkTestSupport.h"

#include "tests/support/ExpectRaises.h"

#include "framework/hosts/HiddenWindows.h"
#include "framework/panes/CustomTaskPanes.h"
#include "framework/ribbon/adxRibbon.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/Screen.h"
#include "platform/win/Window.h"

using namespace fwtest;

namespace {

class AddInModule : public AddInTest {
protected:
    // A module read from form (the caller frees it).
    TadxModulePtr Load(const std::string& properties) {
        SetModuleForm(ModuleForm(properties));
        return TadxModulePtr(factory.CreateModule());
    }
};

TEST_F(AddInModule, AFreshModuleHasTheDefaults) {
    TadxModulePtr module(new TadxCOMAddInModule(nullptr));
    EXPECT_EQ(module->LoadBehavior, 3);
    EXPECT_EQ(module->SupportedApps(), TadxHostAppSet{ohaExcel});
    EXPECT_EQ(module->Theme, TadxOfficeColorScheme::Unknown);
    EXPECT_EQ(module->HostType, ohaExcel);
    EXPECT_EQ(module->HostMajorVersion, 0);
    EXPECT_FALSE(module->RegisterForAllUsers);
    EXPECT_FALSE(module->DisplayAlerts);
    EXPECT_FALSE(module->HandleShortcuts());
    EXPECT_TRUE(module->StartFromScratch.Empty());
    ASSERT_NE(module->TaskPanes, nullptr);
    EXPECT_EQ(module->TaskPanes->Count(), 0);
    EXPECT_TRUE(module->KeyList && !module->KeyList->CaseSensitive());
    EXPECT_FALSE(module->KeyList->Sorted());
    EXPECT_EQ(module->StartMode, adxStartModeFirstStart);
}

TEST_F(AddInModule, TheStoredFormSetsEveryPublishedProperty) {
    TadxModulePtr module = Load(R"(  AddInName = 'LorvaneOL'
  Description = 'Send actions'
  DisplayAlerts = True
  LoadBehavior = 2
  RegisterForAllUsers = True
  SupportedApps = [ohaOutlook, ohaWord]
  XLAutomationAddIn = True
  Namespace = 'urn:lorvane'
  StartFromScratch = [msrOutlookMailCompose, msrOutlookExplorer]
  TaskPanes = <
    item
    end
    item
    end>
  OnAddInInitialize = ModuleInitialize)");
    EXPECT_EQ(module->AddInName(), "LorvaneOL");
    EXPECT_EQ(module->Description, "Send actions");
    EXPECT_TRUE(module->DisplayAlerts);
    EXPECT_EQ(module->LoadBehavior, 2);
    EXPECT_TRUE(module->RegisterForAllUsers);
    EXPECT_EQ(module->SupportedApps().Mask(), (1u << ohaOutlook) | (1u << ohaWord));
    EXPECT_TRUE(module->XLAutomationAddIn);
    EXPECT_EQ(module->Namespace, u"urn:lorvane");
    EXPECT_EQ(module->StartFromScratch.Mask(), 0x800020u);
    EXPECT_EQ(module->TaskPanes->Count(), 2);
    ASSERT_TRUE(module->OnAddInInitialize);
    module->OnAddInInitialize(module.get());
    EXPECT_EQ(journal, std::vector<std::string>{"OnAddInInitialize"});
}

TEST_F(AddInModule, AStoredFormWithAnEmptyNameOrNoHostFailsToLoad) {
    struct Case {
        const char* properties;
        const char* message;
    } cases[] = {
        {"  AddInName = ''", "The AddInName property cannot be empty."},
        {"  SupportedApps = []", "The SupportedApps property cannot be empty."},
    };
    int modules = Screen().DataModuleCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.properties);
        SetModuleForm(ModuleForm(c.properties));
        try {
            factory.CreateModule();
            ADD_FAILURE() << "the form loaded";
        } catch (const EOleSysError& e) {
            EXPECT_EQ(e.ErrorCode, adx::ErrPropertyEmpty);
            EXPECT_NE(e.Message.find(c.message), std::string::npos) << e.Message;
        }
        EXPECT_EQ(Screen().DataModuleCount(), modules);
    }
}

TEST_F(AddInModule, TheSettersRefuseEmptyValuesAndKeepTheOldOnes) {
    TadxModulePtr module = Load("  AddInName = 'Kept'\n  SupportedApps = [ohaOutlook]");
    ExpectRaises<EOleSysError>([&] { module->SetAddInName(""); },
                               "The AddInName property cannot be empty.");
    ExpectRaises<EOleSysError>([&] { module->SetSupportedApps({}); },
                               "The SupportedApps property cannot be empty.");
    EXPECT_EQ(module->AddInName(), "Kept");
    EXPECT_EQ(module->SupportedApps(), TadxHostAppSet{ohaOutlook});
}

TEST_F(AddInModule, DoErrorShowsTheErrorBoxWithTheAddInsName) {
    TadxModulePtr module = Load("  AddInName = 'LorvaneOL'");
    module->DoError(Exception("Disk full"));
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Text,
              "LorvaneOL error: the add-in has fired an exception.\r\nDisk full");
    EXPECT_EQ(user.Shown()[0].Caption, "Error");
    EXPECT_EQ(user.Shown()[0].Type, mtError);
    EXPECT_EQ(user.Shown()[0].Buttons, TMsgDlgButtons{mbOK});
}

TEST_F(AddInModule, OnErrorDecidesWhetherTheBoxIsShown) {
    TadxModulePtr module = Load("  AddInName = 'LorvaneOL'");
    bool handle = true;
    module->OnError = [&](const Exception&, bool& handled) { handled = handle; };
    module->DoError(Exception("first"));
    EXPECT_TRUE(user.Shown().empty());
    handle = false;
    module->DoError(Exception("second"));
    EXPECT_EQ(user.Shown().size(), 1u);
}

TEST_F(AddInModule, AnExceptionOfOnErrorReachesTheCaller) {
    TadxModulePtr module = Load("  AddInName = 'LorvaneOL'");
    module->OnError = [](const Exception&, bool&) { throw Exception("in OnError"); };
    ExpectRaises<Exception>([&] { module->DoError(Exception("first")); }, "in OnError");
    EXPECT_TRUE(user.Shown().empty());
}

TEST_F(AddInModule, FindRibbonControlLooksUpKeysThenOwnIds) {
    TadxModulePtr module(new TadxCOMAddInModule(nullptr));
    auto* tab = new TadxRibbonTab(module.get());
    tab->SetID(u"adxRibbonTab1");
    auto* builtIn = new TadxRibbonTab(module.get());
    builtIn->SetID(u"adxRibbonTab3");
    builtIn->SetIDMso(u"TabNewMailMessage"); // listed under its IdMso
    TadxRibbonCustomControl* group = tab->Controls()->Add();
    group->SetID(u"Group1");

    EXPECT_EQ(module->FindRibbonControl(u"ADXRIBBONTAB1"), tab);
    EXPECT_EQ(module->FindRibbonControl(u"tabnewmailmessage"), builtIn);
    EXPECT_EQ(module->FindRibbonControl(u"adxRibbonTab3"), builtIn);
    EXPECT_EQ(module->FindRibbonControl(u"ADXRIBBONTAB3"), nullptr);
    EXPECT_EQ(module->FindRibbonControl(u"group1"), group);
    EXPECT_EQ(module->FindRibbonControl(u"Missing"), nullptr);
}

TEST_F(AddInModule, HandleShortcutsInstallsAndRemovesTheHookAndItsWindow) {
    TadxModulePtr module = Load("  HandleShortcuts = True");
    EXPECT_TRUE(adxKeyboardHook(*module) != nullptr);
    ASSERT_NE(module->ShortcutWindow, nullptr);
    HWND window = module->ShortcutWindow->Handle();
    EXPECT_TRUE(IsWindow(window));

    module->SetHandleShortcuts(false);
    EXPECT_TRUE(adxKeyboardHook(*module) == nullptr);
    EXPECT_EQ(module->ShortcutWindow, nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(AddInModule, ADesignedModuleInstallsNoHook) {
    TadxModulePtr module(new TadxCOMAddInModule(nullptr));
    module->SetDesigning(true);
    module->SetHandleShortcuts(true);
    EXPECT_TRUE(module->HandleShortcuts());
    EXPECT_TRUE(adxKeyboardHook(*module) == nullptr);
    EXPECT_EQ(module->ShortcutWindow, nullptr);
}

TEST_F(AddInModule, TheHiddenWindowsAllowTheSessionToEnd) {
    TadxModulePtr module = Load("  HandleShortcuts = True");
    adxCreateColorWindow(*module);
    EXPECT_EQ(SendMessage(module->ShortcutWindow->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_EQ(SendMessage(module->ColorWindow->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
}

TEST_F(AddInModule, TheColourWindowReportsOfficesBroadcast) {
    TadxModulePtr module = Load("  AddInName = 'LorvaneOL'");
    module->HostMajorVersion = 14;
    adxCreateColorWindow(*module);
    std::vector<TadxOfficeColorScheme> reported;
    module->OnOfficeColorSchemeChanged = [&](TObject*, TadxOfficeColorScheme s) {
        reported.push_back(s);
    };
    UINT broadcast = RegisterWindowMessage("WM_MSO_BROADCASTCHANGE");

    SendMessage(module->ColorWindow->Handle(), broadcast, 0, 0);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Microsoft\\Office\\14.0\\Common", true));
    registry.WriteInteger("Theme", 2);
    SendMessage(module->ColorWindow->Handle(), broadcast, 0, 0);

    EXPECT_EQ(reported, (std::vector<TadxOfficeColorScheme>{TadxOfficeColorScheme::Unknown,
                                                            TadxOfficeColorScheme::Silver}));
}

TEST_F(AddInModule, TheRegistryKeyNeedsAFactory) {
    TadxModulePtr module(new TadxCOMAddInModule(nullptr));
    EXPECT_EQ(module->GetRegistryKey(), "");
    module->Factory = &factory;
    module->HostType = ohaOutlook;
    EXPECT_EQ(module->GetRegistryKey(),
              "\\Software\\Microsoft\\Office\\Outlook\\AddIns\\FrameworkTest.TestAddIn");
    module->HostType = ohaVisio;
    EXPECT_EQ(module->GetRegistryKey(),
              "\\Software\\Microsoft\\Visio\\AddIns\\FrameworkTest.TestAddIn");
}

// A component that looks at the module's lists while the module destroys it.
class ListWatcher : public TComponent {
public:
    ListWatcher(TadxCOMAddInModule* owner, std::vector<std::string>& seen)
        : TComponent(owner), module_(owner), seen_(seen) {}
    ~ListWatcher() override {
        seen_.push_back(std::string("key list ") + (module_->KeyList ? "alive" : "gone") +
                        ", command-bar list " + (module_->CommandBarList ? "alive" : "gone") +
                        ", registry " + (module_->Registry ? "alive" : "gone"));
    }

private:
    TadxCOMAddInModule* module_;
    std::vector<std::string>& seen_;
};

TEST_F(AddInModule, OwnedComponentsGoAfterTheListsButBeforeTheCommandBarList) {
    std::vector<std::string> seen;
    {
        TadxModulePtr module(new TadxCOMAddInModule(nullptr));
        new ListWatcher(module.get(), seen);
    }
    EXPECT_EQ(seen,
              std::vector<std::string>{"key list gone, command-bar list alive, registry gone"});
}

TEST(GetMajorVersion, ReadsTheNumberBeforeTheFirstSeparator) {
    struct Case {
        const char16_t* text;
        int32_t major;
    } cases[] = {
        {u"12.0.0.4518", 12},  {u"11,0", 11},   {u"14", 9}, {u"", 9},       {u"x.1", 9},
        {u"9.0", 9},           {u"15.0.4", 15}, {u".5", 9}, {u"12,3.4", 9}, {u"-1.0", -1},
        {u"99999999999.0", 9}, {u"1 2.0", 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetMajorVersion(c.text), c.major) << text::Narrow(c.text);
}

} // namespace
