// Ribbon tabs and controls: construction in a module, the key list, the
// setters that invalidate only on a real change, the limits and their
// errors, the stored form's ControlTypes and Controls_, and the attribute
// lists of the control classes.
#include "RibbonTestSupport.h"

#include "tests/support/ExpectRaises.h"

#include "framework/ribbon/RibbonControlTypes.h"
#include "platform/forms/FormErrors.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/ImageList.h"
#include "platform/sim/RibbonObjects.h"
#include "platform/text/Text.h"

#include <functional>

namespace rbtest {
namespace {

using Strings = std::vector<std::string>;

// The "name=value" lines of a component's attribute list.
Strings Attributes(IadxRibbonComponent& component) {
    std::unique_ptr<TStringList> list = component.GetAttributes();
    Strings lines;
    for (int i = 0; i < list->Count(); ++i)
        lines.push_back(list->Strings(i));
    return lines;
}

// A module (Outlook only) with one tab "Tab" and one group "Group", and a
// loaded ribbon that records invalidations.
class RibbonControls : public ::testing::Test {
protected:
    RibbonControls() : module(LoadModule(ModuleWith(""))) {
        tab = new TadxRibbonTab(module.get());
        tab->SetID(u"Tab");
        group = static_cast<TadxRibbonGroup*>(tab->Controls()->Add());
        group->SetID(u"Group");
        journal.clear();
    }

    // Hands the module a ribbon, as onLoad does.
    sim::SimulatedRibbonUI& LoadRibbon() {
        ribbon = sim::SimulatedRibbonUI::Create();
        module->RibbonUI = ribbon;
        return *ribbon;
    }
    Strings Invalidations() const { return ribbon->Invalidations(); }

    TadxRibbonCustomControl* Add(int code, const std::u16string& id,
                                 TadxRibbonControls* into = nullptr) {
        TadxRibbonCustomControl* c = (into ? into : group->Controls())->Add(code);
        c->SetID(id);
        return c;
    }

    TadxModulePtr module;
    TadxRibbonTab* tab;
    TadxRibbonGroup* group;
    ComPtr<sim::SimulatedRibbonUI> ribbon;
};

// ---- tab ----

TEST_F(RibbonControls, ATabNeedsAnAddInModuleAsOwner) {
    ExpectRaises<EOleSysError>([] { TadxRibbonTab tab(nullptr); },
                               "The TadxRibbonTab class cannot be contained in the nil class.");
    TComponent owner(nullptr);
    try {
        new TadxRibbonTab(&owner);
        FAIL();
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode, 31112);
        EXPECT_EQ(e.Message,
                  "The TadxRibbonTab class cannot be contained in the TComponent class.");
    }
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(RibbonControls, ATabTakesTheRibbonsOfTheModulesHosts) {
    EXPECT_EQ(tab->GetRibbons().Mask(), 0x800030u); // Outlook: mail read, mail compose, explorer
    TadxModulePtr word = LoadModule(ModuleWith("", "  SupportedApps = [ohaWord]\n"));
    EXPECT_EQ((new TadxRibbonTab(word.get()))->GetRibbons(), TadxRibbons{msrWordDocument});
    TadxModulePtr all = LoadModule(ModuleWith(
        "", "  SupportedApps = [ohaExcel, ohaWord, ohaOutlook, ohaPowerPoint, ohaAccess]\n"));
    EXPECT_EQ((new TadxRibbonTab(all.get()))->GetRibbons().Mask(), 0x80003Fu);
}

TEST_F(RibbonControls, ATabJoinsTheTabListAndTheKeyListAndLeavesThem) {
    EXPECT_EQ(module->RibbonTabs->IndexOf(tab), 0);
    EXPECT_EQ(module->FindRibbonControl(u"tab"), tab);
    int keys = module->KeyList->Count();
    tab->Free();
    EXPECT_EQ(module->RibbonTabs->Count(), 0);
    EXPECT_EQ(module->KeyList->Count(), keys - 2); // the tab and its group
}

TEST_F(RibbonControls, TheTabsKeyFollowsIdAndIdMso) {
    tab->SetID(u"");
    EXPECT_EQ(tab->Id(), u"Tab");
    tab->SetIDMso(u"TabMail");
    EXPECT_EQ(module->FindRibbonControl(u"TabMail"), tab);
    tab->SetID(u"NewTab"); // the entry takes the new Id even with an IdMso
    EXPECT_NE(module->KeyList->IndexOf("NewTab"), -1);
    EXPECT_EQ(module->KeyList->IndexOf("TabMail"), -1);
    tab->SetIDMso(u"");
    EXPECT_EQ(module->KeyList->Strings(module->KeyList->IndexOfObject(tab)), "NewTab");
}

TEST_F(RibbonControls, AContextMovesTheTabBetweenTheTabLists) {
    auto* second = new TadxRibbonTab(module.get());
    tab->SetContext("Outlook.TabSetX");
    EXPECT_EQ(module->RibbonTabs->Count(), 1);
    EXPECT_EQ(module->ContextualTabs->IndexOf(tab), 0);
    tab->SetContext("");
    EXPECT_EQ(module->ContextualTabs->Count(), 0);
    EXPECT_EQ(module->RibbonTabs->IndexOf(second), 0);
    EXPECT_EQ(module->RibbonTabs->IndexOf(tab), 1); // back at the end
}

TEST_F(RibbonControls, TheTabsKeyTipKeepsThreeCharactersAndInvalidatesOnAChangeOnly) {
    LoadRibbon();
    tab->SetKeyTip(u"ABCD");
    EXPECT_EQ(tab->GetKeyTip(), u"ABC");
    tab->SetKeyTip(u"ABCE");
    EXPECT_EQ(Invalidations(), Strings{"Tab"});
    tab->SetIDMso(u"TabMail");
    tab->SetKeyTip(u"X");
    EXPECT_EQ(Invalidations(), (Strings{"Tab", ""}));
}

TEST_F(RibbonControls, RibbonsGoDownToEveryDescendantAndTheEmptySetIsIgnored) {
    TadxRibbonCustomControl* menu = Add(adxRibbonTypeMenu, u"Menu");
    TadxRibbonCustomControl* deep = Add(adxRibbonTypeButton, u"Deep", menu->GetControls());
    auto* dropDown = static_cast<TadxRibbonDropDown*>(Add(adxRibbonTypeDropDown, u"Drop"));
    TadxRibbonCustomControl* item = dropDown->Items()->Add();
    tab->SetRibbons(TadxRibbons{});
    EXPECT_EQ(tab->GetRibbons().Mask(), 0x800030u);
    tab->SetRibbons(TadxRibbons{msrOutlookExplorer});
    for (TadxRibbonCustomControl* c : {static_cast<TadxRibbonCustomControl*>(group), menu, deep,
                                       static_cast<TadxRibbonCustomControl*>(dropDown), item})
        EXPECT_EQ(c->GetRibbons(), TadxRibbons{msrOutlookExplorer}) << c->ClassName();
    group->SetRibbons(TadxRibbons{});
    EXPECT_EQ(group->GetRibbons(), TadxRibbons{msrOutlookExplorer});
}

TEST_F(RibbonControls, ABuiltInTabHasTwoAttributesWhateverItHolds) {
    tab->SetIDMso(u"TabMail");
    tab->SetCaption(u"Caption");
    tab->SetKeyTip(u"K");
    tab->SetInsertAfterIdMso(u"TabHome");
    EXPECT_EQ(Attributes(*tab), (Strings{"getVisible=GetVisible_Callback", "idMso=TabMail"}));
}

TEST_F(RibbonControls, ATabWritesOnlyTheFirstInsertion) {
    tab->SetInsertBeforeId(u"Mine");
    tab->SetInsertAfterId(u"Other");
    EXPECT_EQ(Attributes(*tab),
              (Strings{"getVisible=GetVisible_Callback", "id=Tab", "insertAfterQ=Other",
                       "getKeytip=GetKeyTip_Callback", "getLabel=GetLabel_Callback"}));
}

TEST_F(RibbonControls, FreeingTheImageListResetsEveryImageIndex) {
    auto* images = new TImageList(module.get());
    tab->SetImages(images);
    TadxRibbonCustomControl* button = Add(adxRibbonTypeButton, u"B");
    button->SetImageIndex(2);
    auto* dropDown = static_cast<TadxRibbonDropDown*>(Add(adxRibbonTypeDropDown, u"D"));
    TadxRibbonCustomControl* item = dropDown->Items()->Add();
    item->SetImageIndex(3);
    images->Free();
    EXPECT_EQ(tab->Images(), nullptr);
    EXPECT_EQ(button->GetImageIndex(), -1);
    EXPECT_EQ(item->GetImageIndex(), -1);
}

// ---- controls ----

TEST_F(RibbonControls, AControlStartsWithTheDefaultsAndItsParentsRibbons) {
    tab->SetRibbons(TadxRibbons{msrOutlookMailCompose});
    TadxRibbonCustomControl* b = Add(adxRibbonTypeButton, u"B");
    EXPECT_TRUE(b->GetEnabled());
    EXPECT_TRUE(b->GetVisible());
    EXPECT_TRUE(b->GetShowCaption());
    EXPECT_EQ(b->GetImageIndex(), -1);
    EXPECT_EQ(b->GetItemHeight(), -1);
    EXPECT_EQ(b->GetSelectedItemIndex(), -1);
    EXPECT_EQ(b->GetSize(), csRegular);
    EXPECT_EQ(b->GetRibbons(), TadxRibbons{msrOutlookMailCompose});
    EXPECT_EQ(b->GetRoot(), tab);
    EXPECT_EQ(b->Module(), module.get());
    EXPECT_EQ(b->GetParentIDMso(), u"");
    EXPECT_EQ(b->DisplayName(), "(TadxRibbonButton)");
    b->SetCaption(u"Send");
    EXPECT_EQ(b->DisplayName(), "Send (TadxRibbonButton)");
}

TEST_F(RibbonControls, ADesignedTabGivesNewControlsIdsAndNumberedCaptions) {
    TadxModulePtr designed(new TadxCOMAddInModule(nullptr));
    designed->SetDesigning(true);
    auto* t = new TadxRibbonTab(designed.get());
    EXPECT_EQ(text::Narrow(t->Id()).substr(0, 12), "adxRibbonTab");
    EXPECT_EQ(t->Id().size(), 12u + 32u);
    EXPECT_EQ(t->Caption(), u"adxRibbonTab1");
    auto* g = static_cast<TadxRibbonGroup*>(t->Controls()->Add());
    std::vector<TadxRibbonCustomControl*> buttons;
    for (int i = 0; i < 3; ++i)
        buttons.push_back(g->Controls()->Add(adxRibbonTypeButton));
    std::string id = text::Narrow(buttons[2]->GetID());
    EXPECT_EQ(id.substr(0, 15), "adxRibbonButton");
    EXPECT_EQ(id.size(), 15u + 32u);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF", 15), std::string::npos) << id;
    EXPECT_NE(buttons[0]->GetID(), buttons[1]->GetID());
    EXPECT_EQ(buttons[2]->GetCaption(), u"adxRibbonButton3");
    EXPECT_EQ(g->Controls()->Add(adxRibbonTypeSeparator)->GetCaption(), u"");
    // At run time the stream's values stand.
    TadxRibbonCustomControl* plain = group->Controls()->Add(adxRibbonTypeButton);
    EXPECT_EQ(plain->GetID(), u"");
    EXPECT_EQ(plain->GetCaption(), u"");
}

TEST_F(RibbonControls, SettersInvalidateOnlyOnARealChangeAndOnlyOnceLoaded) {
    TadxRibbonCustomControl* b = Add(adxRibbonTypeButton, u"B");
    b->SetEnabled(false); // before the ribbon loaded: stored, nothing sent
    EXPECT_FALSE(b->GetEnabled());
    LoadRibbon();
    b->SetEnabled(false);
    b->SetCaption(u"");
    b->SetKeyTip(u"");
    EXPECT_TRUE(Invalidations().empty());
    b->SetEnabled(true);
    b->SetCaption(u"Send");
    b->SetKeyTip(u"SENDX");
    b->SetKeyTip(u"SENDY");
    EXPECT_EQ(Invalidations(), (Strings{"B", "B", "B"}));
    EXPECT_EQ(b->GetKeyTip(), u"SEN");
}

TEST_F(RibbonControls, EveryShownPropertyInvalidatesAndIdIdMsoRibbonsDoNot) {
    TadxRibbonCustomControl* b = Add(adxRibbonTypeButton, u"B");
    LoadRibbon();
    b->SetDescription(u"d");
    b->SetImageIndex(1);
    b->SetImageMso(u"Paste");
    b->SetInsertAfterIdMso(u"a");
    b->SetInsertAfterId(u"b");
    b->SetInsertBeforeIdMso(u"c");
    b->SetInsertBeforeId(u"d");
    b->SetItemHeight(5);
    b->SetItemWidth(6);
    b->SetPressed(true);
    b->SetSelectedItemId(u"s");
    b->SetSelectedItemIndex(2);
    b->SetScreenTip(u"t");
    b->SetShowCaption(false);
    b->SetSize(csLarge);
    b->SetSuperTip(u"u");
    b->SetText(u"v");
    b->SetTitle(u"w");
    b->SetVisible(false);
    EXPECT_EQ(Invalidations().size(), 19u);
    ribbon->ClearInvalidations();
    b->SetID(u"B2");
    b->SetRibbons(TadxRibbons{msrOutlookMailRead});
    EXPECT_TRUE(Invalidations().empty());
    b->SetIDMso(u"Bold");
    EXPECT_TRUE(Invalidations().empty());
    b->SetVisible(true); // a built-in control: the whole ribbon is asked again
    EXPECT_EQ(Invalidations(), Strings{""});
}

TEST_F(RibbonControls, TheGlyphInvalidatesWheneverItIsSetOrDrawnOn) {
    TadxRibbonCustomControl* b = Add(adxRibbonTypeButton, u"B");
    LoadRibbon();
    TBitmap picture(4, 4);
    b->SetGlyph(&picture);
    b->SetGlyph(&picture);
    EXPECT_EQ(Invalidations(), (Strings{"B", "B"}));
    b->GetGlyph()->Canvas()->SetPixels(1, 1, clRed);
    EXPECT_EQ(Invalidations().size(), 3u);
}

TEST_F(RibbonControls, ASplitButtonInvalidatesItselfAndItsInnerButton) {
    TadxRibbonCustomControl* split = Add(adxRibbonTypeSplitButton, u"Split");
    LoadRibbon();
    split->SetEnabled(false);
    EXPECT_EQ(Invalidations(), (Strings{"Split", "Splitwrapped"}));
}

TEST_F(RibbonControls, AnItemOfADropDownAlsoInvalidatesTheDropDown) {
    auto* dropDown = static_cast<TadxRibbonDropDown*>(Add(adxRibbonTypeDropDown, u"Drop"));
    TadxRibbonCustomControl* item = dropDown->Items()->Add();
    item->SetID(u"Item");
    auto* gallery = static_cast<TadxRibbonGallery*>(Add(adxRibbonTypeGallery, u"Gallery"));
    TadxRibbonCustomControl* galleryItem = gallery->Items()->Add();
    galleryItem->SetID(u"GalleryItem");
    LoadRibbon();
    item->SetCaption(u"x");
    galleryItem->SetCaption(u"y");
    EXPECT_EQ(Invalidations(), (Strings{"Item", "Drop", "GalleryItem"}));
    ribbon->ClearInvalidations();
    dropDown->Items()->Add(); // the list changed
    EXPECT_EQ(Invalidations(), Strings{"Drop"});
}

// Only what the drop-down shows of an item (caption, image, tips) redraws
// the drop-down; any other change redraws the item alone.
TEST_F(RibbonControls, AnItemRedrawsItsDropDownOnlyForWhatTheDropDownShows) {
    auto* dropDown = static_cast<TadxRibbonDropDown*>(Add(adxRibbonTypeDropDown, u"Drop"));
    TadxRibbonCustomControl* item = dropDown->Items()->Add();
    item->SetID(u"Item");
    LoadRibbon();
    struct Case {
        const char* Change;
        std::function<void()> Apply;
        bool RedrawsDropDown;
    };
    TBitmap glyph(2, 2);
    const Case cases[] = {
        {"caption", [&] { item->SetCaption(u"New"); }, true},
        {"image index", [&] { item->SetImageIndex(3); }, true},
        {"screen tip", [&] { item->SetScreenTip(u"Tip"); }, true},
        {"super tip", [&] { item->SetSuperTip(u"More"); }, true},
        {"glyph", [&] { item->SetGlyph(&glyph); }, true},
        {"enabled", [&] { item->SetEnabled(false); }, false},
        {"visible", [&] { item->SetVisible(false); }, false},
        {"description", [&] { item->SetDescription(u"About"); }, false},
        {"key tip", [&] { item->SetKeyTip(u"K"); }, false},
        {"image mso", [&] { item->SetImageMso(u"Paste"); }, false},
        {"size", [&] { item->SetSize(csLarge); }, false},
        {"the same caption again", [&] { item->SetCaption(u"New"); }, false},
    };
    for (const Case& c : cases) {
        ribbon->ClearInvalidations();
        c.Apply();
        Strings expected;
        if (std::string(c.Change) != "the same caption again")
            expected.push_back("Item");
        if (c.RedrawsDropDown)
            expected.push_back("Drop");
        EXPECT_EQ(Invalidations(), expected) << c.Change;
    }
}

TEST_F(RibbonControls, AFailureOfTheHostRaises) {
    TadxRibbonCustomControl* b = Add(adxRibbonTypeButton, u"B");
    struct FailingRibbon : DispatchObject<IRibbonUI> {
        HRESULT Invalidate() override { return E_FAIL; }
        HRESULT InvalidateControl(const BSTR&) override { return E_FAIL; }
    };
    module->RibbonUI = MakeComObject<FailingRibbon>();
    EXPECT_THROW(b->SetEnabled(false), EOleSysError);
    module->RibbonUI = nullptr;
}

TEST_F(RibbonControls, TheKeyListFollowsIdAndIdMsoAndForgetsFreedControls) {
    TadxRibbonCustomControl* b = Add(adxRibbonTypeButton, u"B");
    EXPECT_EQ(module->FindRibbonControl(u"b"), b);
    b->SetID(u"");
    EXPECT_EQ(b->GetID(), u"B");
    b->SetIDMso(u"Bold");
    EXPECT_EQ(module->FindRibbonControl(u"BOLD"), b);
    EXPECT_EQ(module->FindRibbonControl(u"B"), b); // through its own Id
    b->SetIDMso(u"");
    EXPECT_EQ(module->KeyList->Strings(module->KeyList->IndexOfObject(b)), "B");
    int keys = module->KeyList->Count();
    group->Controls()->Delete(b->Index());
    EXPECT_EQ(module->KeyList->Count(), keys - 1);
    EXPECT_EQ(module->KeyList->IndexOfObject(b), -1);
}

TEST_F(RibbonControls, CollectionsRefuseToGrowBeyondTheirLimits) {
    auto fill = [](TadxRibbonControls* c, int code) {
        while (c->Count() < c->MaxCount())
            c->Add(code);
    };
    fill(group->Controls(), adxRibbonTypeSeparator);
    try {
        group->Controls()->Add(adxRibbonTypeButton);
        FAIL();
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode, 31120);
        EXPECT_EQ(e.Message, "There cannot be more than 1000 items in this control!");
    }
    EXPECT_EQ(group->Controls()->Count(), 1000);
    auto* split = static_cast<TadxRibbonSplitButton*>(
        Add(adxRibbonTypeSplitButton, u"S", tab->Controls()->Add()->GetControls()));
    fill(split->Controls(), adxRibbonTypeMenu);
    ExpectRaises<EOleSysError>([&] { split->Controls()->Add(); },
                               "There cannot be more than 10 items in this control!");
    auto* drop = static_cast<TadxRibbonDropDown*>(
        split->Controls()->GetItem(0)->GetControls()->Add(adxRibbonTypeDropDown));
    fill(drop->Controls(), adxRibbonTypeButton);
    ExpectRaises<EOleSysError>([&] { drop->Controls()->Add(); },
                               "There cannot be more than 16 items in this control!");
    while (tab->Controls()->Count() < 100)
        tab->Controls()->Add();
    ExpectRaises<EOleSysError>([&] { tab->Controls()->Add(); },
                               "There cannot be more than 100 items in this control!");
}

TEST_F(RibbonControls, AGroupKeepsItsOneDialogBoxLauncherLast) {
    TadxRibbonCustomControl* launcher = Add(adxRibbonTypeDialogBoxLauncher, u"L");
    Add(adxRibbonTypeButton, u"B1");
    Add(adxRibbonTypeButton, u"B2");
    EXPECT_EQ(launcher->Index(), 2);
    try {
        group->Controls()->Add(adxRibbonTypeDialogBoxLauncher);
        FAIL();
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode, 31119);
        EXPECT_EQ(
            e.Message,
            "There can be only one instance of TadxRibbonDialogBoxLauncher in the Ribbon Group!");
    }
    EXPECT_EQ(group->Controls()->Count(), 3);
    EXPECT_EQ(module->KeyList->Count(), 5);
}

TEST_F(RibbonControls, TypeCodesMakeTheirClassesAndOtherCodesAreRefused) {
    const std::pair<int, const char*> classes[] = {
        {4, "TadxRibbonGroup"},
        {5, "TadxRibbonBox"},
        {6, "TadxRibbonButtonGroup"},
        {7, "TadxRibbonButton"},
        {8, "TadxRibbonSplitButton"},
        {9, "TadxRibbonLabel"},
        {10, "TadxRibbonCheckBox"},
        {11, "TadxRibbonEditBox"},
        {12, "TadxRibbonComboBox"},
        {13, "TadxRibbonDropDown"},
        {14, "TadxRibbonGallery"},
        {15, "TadxRibbonMenu"},
        {16, "TadxRibbonSeparator"},
        {17, "TadxRibbonMenuSeparator"},
        {18, "TadxRibbonDialogBoxLauncher"},
        {19, "TadxRibbonItem"},
    };
    for (const auto& [code, name] : classes) {
        TadxRibbonCustomControl* c = group->Controls()->Add(code);
        EXPECT_EQ(c->ClassName(), name);
        EXPECT_EQ(c->GetType(), code);
    }
    for (int code : {-1, 0, 1, 3, 20, 255})
        ExpectRaises<EOleSysError>([&] { group->Controls()->Add(code); },
                                   std::to_string(code) +
                                       " is not the type code of a ribbon control class");
    auto* drop = static_cast<TadxRibbonDropDown*>(group->Controls()->GetItem(9));
    EXPECT_EQ(drop->Items()->Add(adxRibbonTypeButton), nullptr); // items come from Add() only
    EXPECT_EQ(drop->Items()->Add()->ClassName(), "TadxRibbonItem");
}

TEST_F(RibbonControls, AssignCopiesTheShownPropertiesAndTheChildrenByClass) {
    auto* source = static_cast<TadxRibbonMenu*>(Add(adxRibbonTypeMenu, u"Source"));
    source->SetCaption(u"Menu");
    source->SetScreenTip(u"not copied");
    source->SetSize(csLarge);
    Add(adxRibbonTypeCheckBox, u"Check", source->Controls())->SetCaption(u"Tick");
    Add(adxRibbonTypeMenuSeparator, u"Sep", source->Controls());
    auto* copy = static_cast<TadxRibbonMenu*>(Add(adxRibbonTypeMenu, u"Copy"));
    copy->Assign(source);
    copy->SetControls(source->Controls());
    EXPECT_EQ(copy->GetID(), u"Copy");
    EXPECT_EQ(copy->GetCaption(), u"Menu");
    EXPECT_EQ(copy->GetScreenTip(), u"");
    EXPECT_EQ(copy->GetSize(), csLarge);
    ASSERT_EQ(copy->Controls()->Count(), 2);
    EXPECT_EQ(copy->Controls()->GetItem(0)->ClassName(), "TadxRibbonCheckBox");
    EXPECT_EQ(copy->Controls()->GetItem(0)->GetCaption(), u"Tick");
    EXPECT_EQ(copy->Controls()->GetItem(1)->ClassName(), "TadxRibbonMenuSeparator");
}

TEST_F(RibbonControls, ItemsAssignedFromControlsOfAnotherKindBecomeItems) {
    auto* drop = static_cast<TadxRibbonDropDown*>(Add(adxRibbonTypeDropDown, u"Drop"));
    auto* menu = static_cast<TadxRibbonMenu*>(Add(adxRibbonTypeMenu, u"Menu"));
    Add(adxRibbonTypeButton, u"B1", menu->Controls())->SetCaption(u"First");
    Add(adxRibbonTypeCheckBox, u"B2", menu->Controls())->SetCaption(u"Second");
    drop->Items()->Add()->SetCaption(u"Old");
    drop->SetItems(menu->Controls());
    ASSERT_EQ(drop->Items()->Count(), 2);
    EXPECT_EQ(drop->Items()->GetItem(0)->ClassName(), "TadxRibbonItem");
    EXPECT_EQ(drop->Items()->GetItem(0)->GetCaption(), u"First");
    EXPECT_EQ(drop->Items()->GetItem(1)->GetCaption(), u"Second");
}

TEST_F(RibbonControls, GalleryGridAndBoxStyleSetters) {
    auto* gallery = static_cast<TadxRibbonGallery*>(Add(adxRibbonTypeGallery, u"G"));
    auto* box = static_cast<TadxRibbonBox*>(Add(adxRibbonTypeBox, u"X"));
    LoadRibbon();
    gallery->SetColumns(0);
    gallery->SetRows(1025);
    EXPECT_EQ(gallery->Columns(), 1);
    EXPECT_EQ(gallery->Rows(), 1);
    gallery->SetColumns(1024);
    box->SetBoxStyle(TadxRibbonXBoxStyle::bsVertical);
    box->SetBoxStyle(TadxRibbonXBoxStyle::bsVertical);
    EXPECT_EQ(gallery->Columns(), 1024);
    EXPECT_EQ(Invalidations(), (Strings{"G", "X"}));
}

TEST_F(RibbonControls, AMenuOfASplitButtonNeverBecomesDynamic) {
    auto* split = static_cast<TadxRibbonSplitButton*>(Add(adxRibbonTypeSplitButton, u"S"));
    auto* inSplit = static_cast<TadxRibbonMenu*>(split->Controls()->Add());
    inSplit->SetDynamic(true);
    EXPECT_FALSE(inSplit->Dynamic());
    auto* plain = static_cast<TadxRibbonMenu*>(Add(adxRibbonTypeMenu, u"M"));
    plain->SetDynamic(true);
    EXPECT_TRUE(plain->Dynamic());
}

TEST_F(RibbonControls, FreeingTheModuleFreesTabsAndControlsWithoutTouchingItsLists) {
    Add(adxRibbonTypeButton, u"B");
    Add(adxRibbonTypeMenu, u"M");
    module.reset(); // the sanitizer build checks that nothing dangles
    SUCCEED();
}

// ---- attribute lists ----

TEST_F(RibbonControls, AButtonInsideABuiltInGroupHasOnlyItsIdMso) {
    group->SetIDMso(u"GroupClipboard");
    TadxRibbonCustomControl* b = Add(adxRibbonTypeButton, u"B");
    b->SetIDMso(u"Copy");
    b->SetCaption(u"ignored");
    EXPECT_EQ(Attributes(*b), Strings{"idMso=Copy"});
    EXPECT_EQ(Attributes(*group),
              (Strings{"getVisible=GetVisible_Callback", "idMso=GroupClipboard"}));
}

TEST_F(RibbonControls, ABuiltInButtonInACustomGroupCarriesItsStaticValues) {
    auto* b = static_cast<TadxRibbonButton*>(Add(adxRibbonTypeButton, u"B"));
    b->SetIDMso(u"Copy");
    b->SetCaption(u"Copy it");
    b->ParseMsoXmlTypeAs = pxtControl;
    EXPECT_EQ(b->GetXmlType(), "control");
    EXPECT_EQ(Attributes(*b),
              (Strings{"idMso=Copy", "label=Copy it", "showLabel=true", "enabled=true",
                       "getSize=GetSize_Callback", "getVisible=GetVisible_Callback"}));
}

TEST_F(RibbonControls, AToggleButtonInADropDownIsAPlainButton) {
    auto* drop = static_cast<TadxRibbonDropDown*>(Add(adxRibbonTypeDropDown, u"D"));
    auto* b = static_cast<TadxRibbonButton*>(Add(adxRibbonTypeButton, u"B", drop->Controls()));
    b->ToggleButton = true;
    EXPECT_EQ(b->GetXmlType(), "button");
    Strings a = Attributes(*b);
    EXPECT_NE(std::find(a.begin(), a.end(), "onAction=OnActionCommon_Callback"), a.end());
    EXPECT_EQ(std::find(a.begin(), a.end(), "getPressed=GetPressed_Callback"), a.end());
    auto* toggle = static_cast<TadxRibbonButton*>(Add(adxRibbonTypeButton, u"T"));
    toggle->ToggleButton = true;
    EXPECT_EQ(toggle->GetXmlType(), "toggleButton");
}

TEST_F(RibbonControls, ButtonsInMenusAndSplitButtonsLeaveOutSizeOrVisibility) {
    auto* split = static_cast<TadxRibbonSplitButton*>(Add(adxRibbonTypeSplitButton, u"S"));
    TadxRibbonCustomControl* menu = split->Controls()->Add();
    Strings inMenu = Attributes(*Add(adxRibbonTypeButton, u"B", menu->GetControls()));
    EXPECT_EQ(std::find(inMenu.begin(), inMenu.end(), "getSize=GetSize_Callback"), inMenu.end());
    EXPECT_NE(std::find(inMenu.begin(), inMenu.end(), "getVisible=GetVisible_Callback"),
              inMenu.end());
    // A button placed straight into a split button (as a stored form may do).
    TadxRibbonControls direct(split, 10, TCollection::ItemClassOf<TadxRibbonButton>());
    Strings inSplit = Attributes(*direct.Add());
    EXPECT_EQ(std::find(inSplit.begin(), inSplit.end(), "getVisible=GetVisible_Callback"),
              inSplit.end());
}

TEST_F(RibbonControls, AnEditBoxWritesMaxLengthFromOneTo1024) {
    auto* edit = static_cast<TadxRibbonEditBox*>(Add(adxRibbonTypeEditBox, u"E"));
    for (const auto& [length, shown] :
         {std::pair{0, false}, {2000, false}, {1, true}, {1024, true}}) {
        edit->MaxLength = length;
        Strings a = Attributes(*edit);
        bool has = std::find(a.begin(), a.end(), "maxLength=" + std::to_string(length)) != a.end();
        EXPECT_EQ(has, shown) << length;
    }
}

TEST_F(RibbonControls, ADropDownWritesTheSelectionAttributeThatIsSet) {
    auto* drop = static_cast<TadxRibbonDropDown*>(Add(adxRibbonTypeDropDown, u"D"));
    auto has = [&](const char* line) {
        Strings a = Attributes(*drop);
        return std::find(a.begin(), a.end(), line) != a.end();
    };
    EXPECT_FALSE(has("getSelectedItemIndex=GetSelectedItemIndex_Callback"));
    EXPECT_FALSE(has("getSelectedItemID=GetSelectedItemId_Callback"));
    drop->SetSelectedItemId(u"x");
    EXPECT_TRUE(has("getSelectedItemID=GetSelectedItemId_Callback"));
    drop->SetSelectedItemIndex(0);
    EXPECT_TRUE(has("getSelectedItemIndex=GetSelectedItemIndex_Callback"));
    EXPECT_FALSE(has("getSelectedItemID=GetSelectedItemId_Callback"));
}

TEST_F(RibbonControls, ASharedGroupWithoutANamespaceIsAnOrdinaryGroup) {
    group->Shared = true;
    EXPECT_EQ(Attributes(*group)[1], "id=Group");
}

TEST_F(RibbonControls, TheSplitButtonsInnerButtonAttributes) {
    auto* split = static_cast<TadxRibbonSplitButton*>(Add(adxRibbonTypeSplitButton, u"S"));
    split->SetImageMso(u"Paste");
    split->ToggleButton = true;
    EXPECT_EQ(Attributes(*split),
              (Strings{"id=S", "getShowLabel=GetShowLabel_Callback",
                       "getEnabled=GetEnabled_Callback", "getKeytip=GetKeyTip_Callback",
                       "getSize=GetSize_Callback", "getVisible=GetVisible_Callback"}));
    std::unique_ptr<TStringList> inner = split->GetWrappedAttributes();
    EXPECT_EQ(inner->Strings(0), "id=Swrapped");
    EXPECT_EQ(inner->Strings(1), "imageMso=Paste");
    EXPECT_EQ(inner->Strings(inner->Count() - 2), "getPressed=GetPressed_Callback");
    EXPECT_EQ(inner->Strings(inner->Count() - 1), "onAction=OnActionState_Callback");
}

// ---- stored forms ----

TEST(RibbonControlTypes, TheExampleOfAGroupWithASplitButtonAndTwoButtons) {
    const std::vector<uint8_t> example = {3, 0, 0, 0, 8, 0, 0, 0, 7, 0, 0, 0, 7, 0, 0, 0};
    EXPECT_EQ(adxWriteControlTypes({8, 7, 7}), example);
    EXPECT_EQ(adxReadControlTypes(example), (std::vector<int32_t>{8, 7, 7}));
    EXPECT_EQ(adxWriteControlTypes({}), (std::vector<uint8_t>{0, 0, 0, 0}));
    TadxModulePtr module = LoadModule(SendActionsForm());
    auto* group = dynamic_cast<TadxRibbonGroup*>(module->FindRibbonControl(kGroupId));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->ControlTypesData(), example);
    auto* empty = static_cast<TadxRibbonGroup*>(group->GetRoot()->Controls()->Add());
    EXPECT_EQ(empty->ControlTypesData(), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(RibbonControlTypes, MalformedDataIsRefused) {
    const std::vector<std::vector<uint8_t>> bad = {
        {},
        {1, 0, 0},
        {1, 0, 0, 0},                   // a count without its code
        {0xFF, 0xFF, 0xFF, 0xFF},       // a negative count
        {0, 0, 0, 0, 7, 0, 0, 0},       // a code beyond the count
        {2, 0, 0, 0, 7, 0, 0, 0, 7, 0}, // a cut code
        {0xFF, 0xFF, 0xFF, 0x3F, 7, 0, 0, 0},
    };
    for (const auto& data : bad)
        EXPECT_THROW(adxReadControlTypes(data), EReadError);
}

TEST(RibbonStoredForm, TheSendActionsFormBuildsItsTree) {
    TadxModulePtr module = LoadModule(SendActionsForm());
    auto* split =
        TadxRibbonCustomControl::AsRibbonSplitButton(module->FindRibbonControl(kSplitButtonId));
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->GetCaption(), u"Track +\r\nSend");
    EXPECT_EQ(split->Tag, 6);
    EXPECT_EQ(split->GetSize(), csLarge);
    EXPECT_TRUE(static_cast<bool>(split->OnClick));
    EXPECT_FALSE(split->GetGlyph()->Empty());
    auto* menu = dynamic_cast<TadxRibbonMenu*>(split->Controls()->GetItem(0));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Controls()->Count(), 6);
    TadxRibbonCustomControl* hidden = menu->Controls()->GetItem(5);
    EXPECT_EQ(hidden->Tag, 7);
    EXPECT_FALSE(hidden->GetEnabled());
    EXPECT_FALSE(hidden->GetVisible());
    EXPECT_EQ(module->KeyList->Count(), 2 + 1 + 1 + 1 + 6 + 2 + 1 + 3);
    auto* explorer = dynamic_cast<TadxRibbonTab*>(module->FindRibbonControl(kExplorerTabId));
    ASSERT_NE(explorer, nullptr);
    EXPECT_EQ(explorer->Tag(), 1);
    EXPECT_EQ(explorer->Images(), module->FindComponent("ImageList1"));
}

TEST(RibbonStoredForm, BadChildListsFailToLoadAtTheirLine) {
    auto group = [](const std::string& body) {
        return ModuleWith("  object Tab: TadxRibbonTab\n    Controls = <\n      item\n" + body +
                          "      end>\n  end\n");
    };
    const char* children =
        "        Controls_ = <\n          item\n            Id = 'A'\n          end\n"
        "          item\n            Id = 'B'\n          end>\n";
    const std::pair<std::string, const char*> cases[] = {
        {group(std::string("        ControlTypes = {01000000 07000000}\n") + children),
         "the form holds more"},
        {group(std::string("        ControlTypes = {02000000 07000000 63000000}\n") + children),
         "99 is not the type code"},
        {group("        ControlTypes = {02000000 07000000}\n"), "does not match"},
    };
    for (const auto& [form, reason] : cases) {
        try {
            LoadModule(form);
            ADD_FAILURE() << "loaded: " << reason;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message.find(reason), std::string::npos) << e.Message;
        }
    }
}

TEST(RibbonStoredForm, AGroupOfMoreThanAThousandChildrenFailsToLoad) {
    std::string codes = "E9030000";
    std::string items;
    for (int i = 0; i < 1001; ++i) {
        codes += "10000000";
        items += i < 1000 ? "          item\n          end\n" : "          item\n          end>\n";
    }
    std::string form = ModuleWith(
        "  object Tab: TadxRibbonTab\n    Controls = <\n      item\n        ControlTypes = {" +
        codes + "}\n        Controls_ = <\n" + items + "      end>\n  end\n");
    try {
        LoadModule(form);
        ADD_FAILURE() << "a group of 1001 children loaded";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find("There cannot be more than 1000 items in this control!"),
                  std::string::npos)
            << e.Message;
    }
}

} // namespace
} // namespace rbtest
