// The product's ribbon in its module's stored form: the new-mail tab's group
// with the split button, its menu of individual actions and the spacers, the
// explorer's tab with its three buttons, every caption, tag, tip and glyph,
// the click handlers bound by name, and the ribbon state start-up places.
#include "tests/addin/ProductTestSupport.h"

#include "addin/LorvaneOL_IMPL.h"
#include "framework/ribbon/adxRibbon.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/ImageList.h"
#include "platform/text/Text.h"
#include "platform/win/Shell.h"

namespace {

class ProductRibbon : public ProductTest {
protected:
    ProductRibbon() : module(LorvaneFormClasses().Create<TAddInModule>(nullptr)) {}
    ~ProductRibbon() override { module->Free(); }

    TadxRibbonCustomControl& Control(const std::u16string& id) {
        auto* control = dynamic_cast<TadxRibbonCustomControl*>(module->FindRibbonControl(id));
        if (!control)
            throw Exception("no control " + text::Narrow(id));
        return *control;
    }
    // Clicks the control as OnActionCommon_Callback does.
    void Click(TadxRibbonCustomControl& control) {
        TadxRibbonActionArguments args;
        control.DoAction(args);
    }

    TAddInModule* module;
};

const std::u16string SplitButtonId = u"adxRibbonSplitButton8067D16769B947FAB5967F6972A48538";
const std::u16string MenuButtonIds[6] = {
    u"adxRibbonButtonB2B17C70373E4A859DF661D823CD3674",
    u"adxRibbonButton00789A7D7013425AB2477A36FC91E423",
    u"adxRibbonButton78F788A15882437884EB8BDF4C9FAD08",
    u"adxRibbonButton0BF8B3C833CE439597E8920A6A848A7B",
    u"adxRibbonButton6BD1C6E46865469CB47C458891E42B36",
    u"adxRibbonButton6B188D3D08BE4E2CB535D059B4C9524C",
};

} // namespace

TEST_F(ProductRibbon, TheComposeTabExtendsTheNewMailTabBeforeTheClipboard) {
    auto* tab = dynamic_cast<TadxRibbonTab*>(module->FindComponent("adxRibbonTab3"));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->IdMso(), u"TabNewMailMessage");
    EXPECT_EQ(tab->Caption(), u"Lorvane");
    EXPECT_EQ(tab->GetRibbons(), TadxRibbons{msrOutlookMailCompose});
    ASSERT_EQ(tab->Controls()->Count(), 1);
    auto* group = static_cast<TadxRibbonGroup*>(tab->Controls()->GetItem(0));
    EXPECT_EQ(group->GetCaption(), u"Lorvane");
    EXPECT_EQ(group->GetInsertBeforeIdMso(), u"GroupClipboard");
    ASSERT_EQ(group->Controls()->Count(), 3);
    for (int i : {1, 2}) {
        TadxRibbonCustomControl* spacer = group->Controls()->GetItem(i);
        EXPECT_EQ(spacer->ClassName(), "TadxRibbonButton");
        EXPECT_FALSE(spacer->GetEnabled());
        EXPECT_TRUE(spacer->GetGlyph()->Empty());
    }
    EXPECT_EQ(group->Controls()->GetItem(1)->GetCaption(), u"     ");
    EXPECT_EQ(group->Controls()->GetItem(2)->GetCaption(), u"");
}

TEST_F(ProductRibbon, TheSplitButtonAndItsMenuOfIndividualActions) {
    auto* split = TadxRibbonCustomControl::AsRibbonSplitButton(&Control(SplitButtonId));
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->GetCaption(), u"Track +\r\nSend");
    EXPECT_EQ(split->GetScreenTip(), u"Click to Send Item and execute default actions");
    EXPECT_EQ(split->GetSize(), csLarge);
    EXPECT_EQ(split->Tag, 6);
    EXPECT_FALSE(split->GetGlyph()->Empty());
    ASSERT_EQ(split->Controls()->Count(), 1);
    TadxRibbonCustomControl* menu = split->Controls()->GetItem(0);
    EXPECT_EQ(menu->GetCaption(), u"IndividualActions");
    const std::pair<const char16_t*, int> buttons[] = {
        {u"Send + File to Default Folder", 1}, {u"Send + File to Any Folder...", 2},
        {u"Send + Add Category...", 3},        {u"Send + Add to Calendar", 4},
        {u"Send + Add to Tasks", 5},           {u"Define Default Actions", 7},
    };
    ASSERT_EQ(menu->GetControls()->Count(), 6);
    for (int i = 0; i < 6; ++i) {
        TadxRibbonCustomControl& button = Control(MenuButtonIds[i]);
        EXPECT_EQ(button.GetCaption(), buttons[i].first);
        EXPECT_EQ(button.Tag, buttons[i].second);
        EXPECT_EQ(button.GetEnabled(), i < 5);
        EXPECT_EQ(button.GetVisible(), i < 5);
        EXPECT_FALSE(button.GetGlyph()->Empty());
        EXPECT_EQ(&button, menu->GetControls()->GetItem(i));
    }
}

TEST_F(ProductRibbon, TheExplorerTabHasItsThreeButtonsAndTheImageList) {
    auto* tab = dynamic_cast<TadxRibbonTab*>(module->FindComponent("adxRibbonTab1"));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->Id(), u"adxRibbonTab6E29F9EC36D34D209DE99473A16A1C6F");
    EXPECT_EQ(tab->Tag(), 1);
    EXPECT_EQ(tab->GetRibbons(), TadxRibbons{msrOutlookExplorer});
    EXPECT_EQ(tab->Images(), module->FindComponent("ImageList1"));
    TadxRibbonCustomControl* group = tab->Controls()->GetItem(0);
    EXPECT_EQ(group->GetCaption(), u"Lorvane");
    ASSERT_EQ(group->GetControls()->Count(), 3);
    const char16_t* captions[] = {u"Define Default Actions", u"Help", u"About"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(group->GetControls()->GetItem(i)->GetCaption(), captions[i]);
        EXPECT_FALSE(group->GetControls()->GetItem(i)->GetGlyph()->Empty());
    }
    // The compose tab comes first in the module's tab list.
    EXPECT_EQ(module->RibbonTabs->IndexOf(tab), 1);
}

TEST_F(ProductRibbon, ClicksReachTheirHandlers) {
    platform::LinkRecorder browser;
    Click(Control(SplitButtonId));
    Click(Control(MenuButtonIds[2]));
    Click(Control(MenuButtonIds[5]));
    auto* tab = dynamic_cast<TadxRibbonTab*>(module->FindComponent("adxRibbonTab1"));
    TadxRibbonControls* explorer = tab->Controls()->GetItem(0)->GetControls();
    for (int i = 0; i < 3; ++i)
        Click(*explorer->GetItem(i));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              // The split button's action 6, in a module without Outlook.
                              LogTime + "Exception in DoIndividualAction",
                              // The menu's action 3.
                              LogTime + "Exception in DoIndividualAction",
                              LogTime + "Exception in ClickTrackAndSendMain Mainloop",
                          }));
    // The split button's per-item dialog, the configuration dialog from the
    // hidden menu button and the explorer tab, the about box.
    std::vector<std::string> shown;
    for (const forms::ShownDialog& dialog : user.Shown())
        shown.push_back(dialog.Text + " " + dialog.Caption);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "TfrmConfig Select actions for this item",
                         "TfrmConfig Configure Default Tracking Options",
                         "TfrmConfig Configure Default Tracking Options",
                         "TFormAbout About Lorvane",
                     }));
    EXPECT_EQ(browser.Links(),
              std::vector<std::string>{"https://www.lorvane.example/support/outlook"});
}

TEST_F(ProductRibbon, StartUpOffersTheSplitButtonWithItsTrackingTip) {
    module->PlaceButtonBar();
    TadxRibbonCustomControl& split = Control(SplitButtonId);
    EXPECT_TRUE(split.GetEnabled());
    EXPECT_EQ(split.GetScreenTip(), u"Click to define tracking actions and send the message. Or "
                                    u"click pull-down menu for a single action");
    EXPECT_EQ(module->ExplorerTab, module->FindComponent("adxRibbonTab1"));
}
