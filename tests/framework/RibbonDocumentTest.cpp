// The ribbon document: the worked example byte for byte, the frame around
// the tabs, filtering by ribbon identifier, contextual tabs, the key list's
// pruning, the module's events around the build, escaping, and every
// document checked against the custom UI schema.
#include "RibbonTestSupport.h"

#include "platform/sim/RibbonDocument.h"
#include "platform/sim/RibbonObjects.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace rbtest {
namespace {

constexpr char16_t kCompose[] = u"Microsoft.Outlook.Mail.Compose";
constexpr char16_t kExplorer[] = u"Microsoft.Outlook.Explorer";
constexpr char kRoot[] = "<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
                         "onLoad=\"RibbonLoaded_Callback\" loadImage=\"GetImages_Callback\">";

std::string Narrow(const std::u16string& s) {
    return text::Narrow(s);
}

// A tab of the module with id, holding one group "Group1" with one button "Button1".
TadxRibbonTab* AddTab(TadxCOMAddInModule& module, const std::u16string& id, TadxRibbons ribbons) {
    auto* tab = new TadxRibbonTab(&module);
    tab->SetID(id);
    TadxRibbonCustomControl* group = tab->Controls()->Add();
    group->SetID(id + u"Group");
    static_cast<TadxRibbonGroup*>(group)
        ->Controls()
        ->Add(adxRibbonTypeButton)
        ->SetID(id + u"Button");
    tab->SetRibbons(ribbons);
    return tab;
}

TEST(RibbonDocument, TheSendActionsComposeTabIsTheWorkedExampleByteForByte) {
    TadxModulePtr module = LoadModule(SendActionsForm());
    ExpectGolden("ribbon-mail-compose.xml", Narrow(Document(*module, kCompose)));
}

TEST(RibbonDocument, TheExplorerIdentifierGetsTheExplorerTabOnly) {
    TadxModulePtr module = LoadModule(SendActionsForm());
    std::string xml = Narrow(Document(*module, kExplorer));
    ExpectGolden("ribbon-explorer.xml", xml);
    EXPECT_NE(xml.find("<tab getVisible=\"GetVisible_Callback\" "
                       "id=\"adxRibbonTab6E29F9EC36D34D209DE99473A16A1C6F\" "
                       "getKeytip=\"GetKeyTip_Callback\" getLabel=\"GetLabel_Callback\">"),
              std::string::npos);
    EXPECT_EQ(xml.find("TabNewMailMessage"), std::string::npos);
}

TEST(RibbonDocument, TheSameModuleGivesTheSameBytesAgain) {
    TadxModulePtr module = LoadModule(SendActionsForm());
    EXPECT_EQ(Document(*module, kCompose), Document(*module, kCompose));
}

TEST(RibbonDocument, AModuleWithoutTabsHasTheRootAlone) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    EXPECT_EQ(Narrow(Document(*module, kCompose)), std::string(kRoot) + "\r\n</customUI>");
    EXPECT_EQ(module->HostType, ohaOutlook);
    EXPECT_TRUE(module->IsRibbonHost);
}

TEST(RibbonDocument, ATabOfAnotherIdentifierLeavesAnEmptyRibbonElement) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    AddTab(*module, u"Tab1", TadxRibbons{msrOutlookExplorer});
    EXPECT_EQ(Narrow(Document(*module, kCompose)),
              std::string(kRoot) + "\r\n\t<ribbon>\r\n\t</ribbon>\r\n</customUI>");
}

TEST(RibbonDocument, StartFromScratchMarksTheRibbonOnlyWhenThereAreTabs) {
    TadxModulePtr module =
        LoadModule(ModuleWith("", "  StartFromScratch = [msrOutlookMailCompose]\n"));
    EXPECT_EQ(Narrow(Document(*module, kCompose)).find("startFromScratch"), std::string::npos);
    AddTab(*module, u"Tab1", TadxRibbons{msrOutlookMailCompose});
    EXPECT_NE(Narrow(Document(*module, kCompose)).find("\t<ribbon startFromScratch=\"true\">\r\n"),
              std::string::npos);
    EXPECT_EQ(Narrow(Document(*module, u"Microsoft.Outlook.Mail.Read")).find("startFromScratch"),
              std::string::npos);
}

TEST(RibbonDocument, AGroupWhoseChildrenBelongElsewhereIsStillAPairOfTags) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    TadxRibbonTab* tab =
        AddTab(*module, u"Tab1", TadxRibbons{msrOutlookMailCompose, msrOutlookMailRead});
    tab->Controls()->GetItem(0)->GetControls()->GetItem(0)->SetRibbons(
        TadxRibbons{msrOutlookMailRead});
    std::string xml = Narrow(Document(*module, kCompose));
    EXPECT_NE(xml.find("getScreentip=\"GetScreenTip_Callback\">\r\n\t\t\t\t</group>"),
              std::string::npos)
        << xml;
    EXPECT_EQ(xml.find("Tab1Button"), std::string::npos);
}

TEST(RibbonDocument, AnEmptyGroupIsAnEmptyElement) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    auto* tab = new TadxRibbonTab(module.get());
    tab->SetID(u"Tab1");
    tab->Controls()->Add()->SetID(u"Empty");
    std::string xml = Narrow(Document(*module, kCompose));
    EXPECT_NE(xml.find("<group getVisible=\"GetVisible_Callback\" id=\"Empty\" getKeytip="),
              std::string::npos);
    EXPECT_NE(xml.find("getScreentip=\"GetScreenTip_Callback\" />"), std::string::npos);
}

TEST(RibbonDocument, AValueWithQuoteLessThanOrAmpersandIsEscapedAndReadsBackUnchanged) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    TadxRibbonTab* tab = AddTab(*module, u"Tab1", TadxRibbons{msrOutlookMailCompose});
    // A built-in button writes its label as a value of its own.
    TadxRibbonCustomControl* bold =
        tab->Controls()->GetItem(0)->GetControls()->Add(adxRibbonTypeButton);
    bold->SetIDMso(u"Bold");
    const std::u16string label = u"Say \"Hi\" <there> & co\r\n\tnext";
    bold->SetCaption(label);
    std::u16string xml = Document(*module, kCompose);
    EXPECT_NE(
        Narrow(xml).find("label=\"Say &quot;Hi&quot; &lt;there> &amp; co&#13;&#10;&#9;next\""),
        std::string::npos);
    sim::RibbonDocument read(xml);
    const sim::RibbonElement* element = read.FindControl("Bold");
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->Attribute("label"), Narrow(label));
}

TEST(RibbonDocument, DynamicMenuAndTheIMLayerMatchEveryComponent) {
    EXPECT_TRUE(IsItemTypeSupported(u"DynamicMenu", TadxRibbons{}));
    EXPECT_TRUE(IsItemTypeSupported(u"Microsoft.Mso.IMLayerUI", TadxRibbons{}));
    EXPECT_TRUE(IsItemTypeSupported(kCompose, TadxRibbons{msrOutlookMailCompose}));
    EXPECT_FALSE(
        IsItemTypeSupported(u"microsoft.outlook.mail.compose", TadxRibbons{msrOutlookMailCompose}));
    EXPECT_FALSE(IsItemTypeSupported(u"Microsoft.Outlook.Mail", TadxRibbons::FromMask(0xFFFFFF)));
    for (int i = 0; i < adxRibbonKindCount; ++i) {
        auto kind = static_cast<TadxRibbon>(i);
        EXPECT_TRUE(IsItemTypeSupported(adxRibbonIdentifier(kind), TadxRibbons{kind}));
        EXPECT_FALSE(IsItemTypeSupported(adxRibbonIdentifier(kind),
                                         TadxRibbons::FromMask(0xFFFFFF) - TadxRibbons{kind}));
    }
}

TEST(RibbonDocument, TheHostIsTakenFromTheIdentifier) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    const std::pair<const char16_t*, TadxOfficeHostApp> cases[] = {
        {u"Microsoft.Word.Document", ohaWord},
        {u"Microsoft.Excel.Workbook", ohaExcel},
        {u"Microsoft.PowerPoint.Presentation", ohaPowerPoint},
        {u"Microsoft.Access.Database", ohaAccess},
        {u"Microsoft.Outlook.Explorer", ohaOutlook},
        {u"Something.Else", ohaOutlook}, // no host named: the type stays
    };
    for (const auto& [id, host] : cases) {
        Document(*module, id);
        EXPECT_EQ(module->HostType, host) << text::Narrow(id);
    }
}

TEST(RibbonDocument, OutlookPrunesOnlyWhatNoOutlookWindowShows) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    AddTab(*module, u"Word", TadxRibbons{msrWordDocument});
    AddTab(*module, u"Explorer", TadxRibbons{msrOutlookExplorer});
    ASSERT_EQ(module->KeyList->Count(), 6);
    Document(*module, kCompose);
    EXPECT_EQ(module->KeyList->Count(), 3);
    EXPECT_EQ(module->KeyList->IndexOf("WordGroup"), -1);
    EXPECT_NE(module->KeyList->IndexOf("ExplorerButton"), -1);
}

TEST(RibbonDocument, OtherHostsPruneEverythingOfOtherIdentifiers) {
    TadxModulePtr module = LoadModule(ModuleWith("", "  SupportedApps = [ohaWord, ohaExcel]\n"));
    AddTab(*module, u"Word", TadxRibbons{msrWordDocument});
    AddTab(*module, u"Excel", TadxRibbons{msrExcelWorkbook});
    Document(*module, u"Microsoft.Word.Document");
    EXPECT_EQ(module->KeyList->Count(), 3);
    EXPECT_EQ(module->KeyList->IndexOf("Excel"), -1);
    // The tab list keeps the tab: the next identifier still writes it.
    EXPECT_NE(Narrow(Document(*module, u"Microsoft.Excel.Workbook")).find("id=\"Excel\""),
              std::string::npos);
}

TEST(RibbonDocument, AKeyListEntryWithoutATabOrControlIsPrunedNotTouched) {
    TadxModulePtr module = LoadModule(SendActionsForm());
    TObject stranger;
    module->KeyList->AddObject("Stranger", &stranger);
    module->KeyList->AddObject("Nothing", nullptr);
    ExpectGolden("ribbon-mail-compose.xml", Narrow(Document(*module, kCompose)));
    EXPECT_EQ(module->KeyList->IndexOf("Stranger"), -1);
    EXPECT_EQ(module->KeyList->IndexOf("Nothing"), -1);
}

TEST(RibbonDocument, ASplitButtonIdHeldByAnotherClassWritesNoInnerButton) {
    TadxModulePtr module = LoadModule(SendActionsForm());
    // An earlier entry of another class under the split button's id.
    auto* stray = new TadxRibbonTab(module.get());
    stray->SetRibbons(TadxRibbons{msrWordDocument});
    int index = module->KeyList->IndexOfObject(stray);
    module->KeyList->Delete(index);
    module->KeyList->InsertObject(0, text::Narrow(kSplitButtonId), stray);
    std::string xml = Narrow(adxGetCustomUI(*module, u"Microsoft.Mso.IMLayerUI"));
    EXPECT_EQ(xml.find("wrapped"), std::string::npos);
    EXPECT_NE(xml.find("<splitButton id=\"adxRibbonSplitButton"), std::string::npos);
}

TEST(RibbonDocument, ContextualTabsOfOneContextShareOneTabSet) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    TadxRibbonTab* first = AddTab(*module, u"Ctx1", TadxRibbons{msrOutlookMailCompose});
    AddTab(*module, u"Plain", TadxRibbons{msrOutlookMailCompose});
    TadxRibbonTab* second = AddTab(*module, u"Ctx2", TadxRibbons{msrOutlookMailCompose});
    first->SetContext("Outlook.TabSetAttachments");
    second->SetContext("Outlook.TabSetAttachments");
    ASSERT_EQ(module->ContextualTabs->Count(), 2);
    std::string xml = Narrow(Document(*module, kCompose));
    size_t tabs = xml.find(
        "\t\t</tabs>\r\n\t\t<contextualTabs>\r\n\t\t\t<tabSet idMso=\"TabSetAttachments\">\r\n"
        "\t\t\t\t<tab getVisible=\"GetVisible_Callback\" id=\"Ctx1\"");
    EXPECT_NE(tabs, std::string::npos) << xml;
    EXPECT_LT(xml.find("id=\"Ctx1\""), xml.find("id=\"Ctx2\""));
    EXPECT_NE(xml.find("\t\t\t</tabSet>\r\n\t\t</contextualTabs>\r\n\t</ribbon>"),
              std::string::npos);
}

TEST(RibbonDocument, EachContextGetsATabSetOfItsOwn) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    AddTab(*module, u"A", TadxRibbons{msrOutlookMailCompose})->SetContext("X.TabSetA");
    AddTab(*module, u"B", TadxRibbons{msrOutlookMailCompose})->SetContext("TabSetB");
    AddTab(*module, u"C", TadxRibbons{msrOutlookMailRead})->SetContext("X.TabSetC");
    std::string xml = Narrow(Document(*module, kCompose));
    EXPECT_NE(xml.find("<tabSet idMso=\"TabSetA\">"), std::string::npos);
    EXPECT_NE(xml.find("<tabSet idMso=\"TabSetB\">"), std::string::npos);
    EXPECT_EQ(xml.find("TabSetC"), std::string::npos); // none of its tabs is for this window
}

TEST(RibbonDocument, ThrowingRibbonEventsAreReportedAndTheDocumentStillComes) {
    journal.clear();
    TadxModulePtr module = LoadModule(ModuleWith(""));
    module->OnRibbonBeforeCreate = [](TObject*, const std::u16string&) {
        throw Exception("before create");
    };
    module->OnRibbonBeforeLoad = [](TObject*, const std::u16string&, std::u16string& xml) {
        xml += u"<!-- seen -->";
        throw Exception("before load");
    };
    std::string xml = Narrow(adxGetCustomUI(*module, kCompose));
    EXPECT_EQ(xml, std::string(kRoot) + "\r\n</customUI><!-- seen -->");
    EXPECT_EQ(journal, (std::vector<std::string>{"Error before create", "Error before load"}));
}

TEST(RibbonDocument, BeforeLoadMayReplaceTheDocument) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    std::u16string seenId;
    module->OnRibbonBeforeLoad = [&](TObject* sender, const std::u16string& id,
                                     std::u16string& xml) {
        EXPECT_EQ(sender, module.get());
        seenId = id;
        xml = u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" />";
    };
    EXPECT_EQ(Document(*module, kCompose),
              u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" />");
    EXPECT_EQ(seenId, kCompose);
}

TEST(RibbonDocument, AMenuIsCreatedBeforeItIsWritten) {
    journal.clear();
    TadxModulePtr module = LoadModule(SendActionsForm());
    auto* menu = dynamic_cast<TadxRibbonMenu*>(module->FindRibbonControl(kMenuId));
    ASSERT_NE(menu, nullptr);
    menu->OnCreate = [&](TObject* sender) {
        EXPECT_EQ(sender, menu);
        journal.push_back("Create");
        menu->Controls()->Add(adxRibbonTypeMenuSeparator)->SetID(u"AddedOnCreate");
    };
    std::string xml = Narrow(Document(*module, kCompose));
    EXPECT_EQ(journal, std::vector<std::string>{"Create"});
    EXPECT_NE(xml.find("<menuSeparator id=\"AddedOnCreate\" getTitle=\"GetTitle_Callback\" />"),
              std::string::npos);
}

TEST(RibbonDocument, ADialogBoxLauncherHoldsItsButton) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    TadxRibbonTab* tab = AddTab(*module, u"Tab1", TadxRibbons{msrOutlookMailCompose});
    auto* group = static_cast<TadxRibbonGroup*>(tab->Controls()->GetItem(0));
    group->Controls()->Add(adxRibbonTypeDialogBoxLauncher)->SetID(u"Launcher");
    std::string xml = Narrow(Document(*module, kCompose));
    EXPECT_NE(
        xml.find("\t\t\t\t\t<dialogBoxLauncher>\r\n\t\t\t\t\t\t<button id=\"Launcher\" getKeytip="),
        std::string::npos)
        << xml;
    EXPECT_NE(xml.find("getVisible=\"GetVisible_Callback\" "
                       "/>\r\n\t\t\t\t\t</dialogBoxLauncher>\r\n\t\t\t\t</group>"),
              std::string::npos);
}

TEST(RibbonDocument, EveryControlClassMakesAValidDocument) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    TadxRibbonTab* tab = AddTab(*module, u"Tab1", TadxRibbons{msrOutlookMailCompose});
    auto* group = static_cast<TadxRibbonGroup*>(tab->Controls()->GetItem(0));
    int n = 0;
    auto add = [&](TadxRibbonControls* into, int code) {
        TadxRibbonCustomControl* c = into->Add(code);
        c->SetID(u"C" + text::Wide(std::to_string(++n)));
        return c;
    };
    for (int code : {adxRibbonTypeLabel, adxRibbonTypeCheckBox, adxRibbonTypeEditBox,
                     adxRibbonTypeComboBox, adxRibbonTypeSeparator, adxRibbonTypeGallery})
        add(group->Controls(), code);
    auto* dropDown =
        static_cast<TadxRibbonDropDown*>(add(group->Controls(), adxRibbonTypeDropDown));
    dropDown->Items()->Add()->SetID(u"Item1");
    add(dropDown->Controls(), adxRibbonTypeButton);
    auto* box = static_cast<TadxRibbonBox*>(add(group->Controls(), adxRibbonTypeBox));
    box->SetBoxStyle(TadxRibbonXBoxStyle::bsVertical);
    auto* buttons =
        static_cast<TadxRibbonButtonGroup*>(add(box->Controls(), adxRibbonTypeButtonGroup));
    static_cast<TadxRibbonButton*>(add(buttons->Controls(), adxRibbonTypeButton))->ToggleButton =
        true;
    auto* menu = static_cast<TadxRibbonMenu*>(add(group->Controls(), adxRibbonTypeMenu));
    add(menu->Controls(), adxRibbonTypeMenuSeparator);
    add(menu->Controls(), adxRibbonTypeCheckBox);
    auto* dynamic = static_cast<TadxRibbonMenu*>(add(menu->Controls(), adxRibbonTypeMenu));
    dynamic->SetDynamic(true);
    add(dynamic->Controls(), adxRibbonTypeButton);
    auto* split =
        static_cast<TadxRibbonSplitButton*>(add(group->Controls(), adxRibbonTypeSplitButton));
    split->ToggleButton = true;
    add(add(split->Controls(), adxRibbonTypeMenu)->GetControls(), adxRibbonTypeButton);
    add(group->Controls(), adxRibbonTypeDialogBoxLauncher);
    std::string xml = Narrow(Document(*module, kCompose));
    EXPECT_NE(xml.find("<dynamicMenu id=\"C15\" getContent=\"GetContent_Callback\" "
                       "invalidateContentOnDrop=\"true\""),
              std::string::npos)
        << xml;
    EXPECT_EQ(xml.find("\"C16\""), std::string::npos); // the dynamic menu's content comes later
    EXPECT_NE(xml.find("<toggleButton id=\"C17wrapped\""), std::string::npos);
    EXPECT_NE(xml.find("<box getVisible=\"GetVisible_Callback\" id=\"C9\" boxStyle=\"vertical\">"),
              std::string::npos);
}

TEST(RibbonDocument, ADynamicMenusContentIsAMenuDocument) {
    TadxModulePtr module = LoadModule(ModuleWith(""));
    TadxRibbonTab* tab = AddTab(*module, u"Tab1", TadxRibbons{msrOutlookMailCompose});
    auto* group = static_cast<TadxRibbonGroup*>(tab->Controls()->GetItem(0));
    auto* menu = static_cast<TadxRibbonMenu*>(group->Controls()->Add(adxRibbonTypeMenu));
    menu->SetID(u"Dyn");
    menu->SetDynamic(true);
    menu->ItemSize = TadxRibbonXItemSize::Large;
    menu->OnCreate = [menu](TObject*) {
        menu->Controls()->Clear();
        TadxRibbonCustomControl* b = menu->Controls()->Add(adxRibbonTypeButton);
        b->SetID(u"Made");
        b->SetRibbons(TadxRibbons{msrWordDocument}); // "DynamicMenu" passes every filter
    };
    EXPECT_EQ(
        Narrow(menu->GetContent()),
        "<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
        "itemSize=\"large\">\r\n"
        "\t<button id=\"Made\" getKeytip=\"GetKeyTip_Callback\" getLabel=\"GetLabel_Callback\" "
        "getSupertip=\"GetSuperTip_Callback\" getScreentip=\"GetScreenTip_Callback\" "
        "getShowLabel=\"GetShowLabel_Callback\" getShowImage=\"GetShowImage_Callback\" "
        "getEnabled=\"GetEnabled_Callback\" onAction=\"OnActionCommon_Callback\" "
        "getDescription=\"GetDescription_Callback\" getVisible=\"GetVisible_Callback\" "
        "/>\r\n</menu>");
}

// With a Namespace, the root declares the add-in's ProgID and the namespace,
// and ids are qualified; checked through the add-in, which has a factory.
class RibbonNamespace : public RibbonAddIn {};

TEST_F(RibbonNamespace, TheRootDeclaresDefaultAndSharedInOrderAndIdsAreQualified) {
    Connect(SendActionsForm("  Namespace = 'urn:lorvane&co'\n"));
    std::string xml = Narrow(Document(Module(), kCompose));
    EXPECT_EQ(xml.substr(0, xml.find("\r\n")),
              "<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
              "xmlns:default=\"RibbonTest.TestAddIn\" xmlns:shared=\"urn:lorvane&amp;co\" "
              "onLoad=\"RibbonLoaded_Callback\" loadImage=\"GetImages_Callback\">");
    EXPECT_NE(
        xml.find(
            "<splitButton idQ=\"default:adxRibbonSplitButton8067D16769B947FAB5967F6972A48538\""),
        std::string::npos);
    EXPECT_NE(
        xml.find(
            "<button idQ=\"default:adxRibbonSplitButton8067D16769B947FAB5967F6972A48538wrapped\""),
        std::string::npos);
}

TEST_F(RibbonNamespace, SharedGroupsAndTabsUseTheSharedNamespace) {
    Connect(ModuleWith("", "  Namespace = 'urn:lorvane'\n"));
    auto* tab = new TadxRibbonTab(&Module());
    tab->SetID(u"SharedTab");
    tab->SetShared(true);
    tab->SetCaption(u"Shared");
    auto* group = static_cast<TadxRibbonGroup*>(tab->Controls()->Add());
    group->SetID(u"SharedGroup");
    group->Shared = true;
    group->SetCaption(u"Group");
    std::string xml = Narrow(Document(Module(), kCompose));
    EXPECT_NE(xml.find("<tab idQ=\"shared:SharedTab\" visible=\"true\" label=\"Shared\">"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<group idQ=\"shared:SharedGroup\" visible=\"true\" label=\"Group\" />"),
              std::string::npos);
}

// The add-in may turn itself off from a handler that runs while the host
// asks for its ribbon document (the host disconnects it at once, freeing the
// module and its controls): the request answers an empty document and
// touches nothing of the module again. A menu that frees itself from its
// OnCreate is left out of the document.
class RibbonDocumentTurnedOff : public RibbonAddIn {
protected:
    void SetUp() override { Connect(SendActionsForm()); }

    std::u16string Ask(const std::u16string& ribbonId) {
        ComPtr<IRibbonExtensibility> ribbon = ComQuery<IRibbonExtensibility>(addIn.Get());
        BSTR xml;
        EXPECT_EQ(ribbon->GetCustomUI(ribbonId, &xml), S_OK);
        return xml;
    }
    void TurnOff() { EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK); }
    bool Connected() const { return static_cast<TadxAddin*>(addIn.Get())->Module() != nullptr; }
};

TEST_F(RibbonDocumentTurnedOff, FromBeforeCreate) {
    Module().OnRibbonBeforeCreate = [this](TObject*, const std::u16string&) {
        TurnOff();
        throw Exception("The licence has expired");
    };
    EXPECT_EQ(Ask(kCompose), u"");
    EXPECT_FALSE(Connected());
    EXPECT_TRUE(user.Shown().empty());
}

TEST_F(RibbonDocumentTurnedOff, FromAMenusOnCreate) {
    auto* menu = static_cast<TadxRibbonMenu*>(Module().FindRibbonControl(kMenuId));
    ASSERT_NE(menu, nullptr);
    menu->OnCreate = [this](TObject*) { TurnOff(); };
    EXPECT_EQ(Ask(kCompose), u"");
    EXPECT_FALSE(Connected());
}

// A menu's OnCreate that raises while the document is written ends the
// request with a failure: the host gets no document (rather than one
// without what OnCreate would have added), and nothing is reported.
TEST_F(RibbonDocumentTurnedOff, AMenusOnCreateThatRaisesFailsTheRequest) {
    auto* menu = static_cast<TadxRibbonMenu*>(Module().FindRibbonControl(kMenuId));
    ASSERT_NE(menu, nullptr);
    menu->OnCreate = [](TObject*) { throw Exception("No buttons today"); };
    ComPtr<IRibbonExtensibility> ribbon = ComQuery<IRibbonExtensibility>(addIn.Get());
    BSTR xml = u"left over";
    EXPECT_TRUE(FAILED(ribbon->GetCustomUI(kCompose, &xml)));
    EXPECT_EQ(xml, u"");
    EXPECT_TRUE(Connected());
    EXPECT_TRUE(user.Shown().empty());
    EXPECT_TRUE(std::none_of(journal.begin(), journal.end(),
                             [](const std::string& e) { return e.rfind("Error", 0) == 0; }));
}

TEST_F(RibbonDocumentTurnedOff, AMenuThatFreesItselfIsLeftOut) {
    auto* menu = static_cast<TadxRibbonMenu*>(Module().FindRibbonControl(kMenuId));
    ASSERT_NE(menu, nullptr);
    menu->OnCreate = [menu](TObject*) { menu->Collection()->Delete(menu->Index()); };
    // (The split button it belonged to is left without its menu.)
    std::u16string xml = Ask(kCompose);
    EXPECT_EQ(xml.find(kMenuId), std::u16string::npos);
    EXPECT_NE(xml.find(kSplitButtonId), std::u16string::npos);
    EXPECT_TRUE(Connected());
}

TEST_F(RibbonDocumentTurnedOff, FromAMenuInsideADynamicMenusContent) {
    TadxRibbonCustomControl* group =
        dynamic_cast<TadxRibbonCustomControl*>(Module().FindRibbonControl(kGroupId));
    ASSERT_NE(group, nullptr);
    auto* dynamic = static_cast<TadxRibbonMenu*>(group->GetControls()->Add(adxRibbonTypeMenu));
    dynamic->SetID(u"Dyn");
    dynamic->SetDynamic(true);
    auto* inner = static_cast<TadxRibbonMenu*>(dynamic->Controls()->Add(adxRibbonTypeMenu));
    inner->SetID(u"Inner");
    inner->Controls()->Add(adxRibbonTypeButton)->SetID(u"InnerButton");
    inner->OnCreate = [this](TObject*) { TurnOff(); };
    DispArgs args;
    args.Add(Variant(sim::SimulatedRibbonControl::Create(u"Dyn", u"", nullptr)));
    Variant result;
    EXPECT_EQ(InvokeByName(u"GetContent_Callback", args, &result), S_OK);
    EXPECT_EQ(result, Variant(u""));
    EXPECT_FALSE(Connected());
}

} // namespace
} // namespace rbtest
