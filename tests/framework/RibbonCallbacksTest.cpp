// The ribbon callbacks through the add-in object's IDispatch, as the
// simulated ribbon host calls them: the fixed names and DISPIDs, what the
// controls answer, the not-found answers, invalidation, clicks reaching their
// handlers, guarded handlers, and calls with wrong arguments.
#include "RibbonTestSupport.h"

#include "platform/sim/RibbonObjects.h"
#include "platform/text/Text.h"

namespace rbtest {
namespace {

using Strings = std::vector<std::string>;

constexpr char16_t kCompose[] = u"Microsoft.Outlook.Mail.Compose";
constexpr char16_t kExplorer[] = u"Microsoft.Outlook.Explorer";

std::string Id(const char16_t* id) {
    return text::Narrow(id);
}

Variant Control(const std::u16string& id, ComPtr<IDispatch> context = nullptr) {
    return Variant(sim::SimulatedRibbonControl::Create(id, u"", std::move(context)));
}

// An Outlook window whose CurrentItem has that message class.
ComPtr<fwtest::FakeHost> Window(std::u16string messageClass) {
    ComPtr<fwtest::FakeHost> item = fwtest::FakeHost::Create(IID_IDispatch, u"");
    item->Table().Get("MessageClass", [messageClass] { return messageClass; });
    ComPtr<fwtest::FakeHost> window = fwtest::FakeHost::Create(IID_IDispatch, u"");
    window->Table().Get("CurrentItem", [item] { return ComPtr<IDispatch>(item); });
    return window;
}

class RibbonCallbacks : public RibbonAddIn {
protected:
    void SetUp() override { Connect(SendActionsForm("  OnRibbonLoaded = ModuleRibbonLoaded\n")); }

    TadxRibbonCustomControl& Find(const char16_t* id) {
        auto* control = dynamic_cast<TadxRibbonCustomControl*>(Module().FindRibbonControl(id));
        if (!control)
            throw Exception("No control " + Id(id));
        return *control;
    }
    // Invoke by name with the arguments given; the result in *result.
    HRESULT Call(const std::u16string& name, std::vector<Variant> args, Variant* result = nullptr,
                 uint32_t* argErr = nullptr) {
        DispArgs dispArgs(std::move(args));
        return InvokeByName(name, dispArgs, result, argErr);
    }
    Variant Answer(const std::u16string& name, std::vector<Variant> args) {
        Variant result;
        EXPECT_EQ(Call(name, std::move(args), &result), S_OK) << text::Narrow(name);
        return result;
    }
};

TEST_F(RibbonCallbacks, EveryCallbackNameHasItsFixedDispId) {
    const std::pair<const char16_t*, DISPID> table[] = {
        {u"RibbonLoaded_Callback", 10},
        {u"GetImages_Callback", 11},
        {u"GetVisible_Callback", 12},
        {u"GetKeyTip_Callback", 13},
        {u"GetLabel_Callback", 14},
        {u"GetEnabled_Callback", 15},
        {u"GetPressed_Callback", 16},
        {u"GetImage_Callback", 17},
        {u"GetSuperTip_Callback", 19},
        {u"GetScreenTip_Callback", 20},
        {u"GetSize_Callback", 21},
        {u"GetShowLabel_Callback", 22},
        {u"GetShowImage_Callback", 23},
        {u"GetDescription_Callback", 24},
        {u"GetText_Callback", 25},
        {u"GetItemCount_Callback", 26},
        {u"GetItemID_Callback", 27},
        {u"GetItemImage_Callback", 28},
        {u"GetItemLabel_Callback", 29},
        {u"GetItemScreenTip_Callback", 30},
        {u"GetItemSuperTip_Callback", 31},
        {u"GetShowItemImage_Callback", 32},
        {u"GetSelectedItemIndex_Callback", 33},
        {u"GetSelectedItemId_Callback", 34},
        {u"GetItemHeight_Callback", 35},
        {u"GetItemWidth_Callback", 36},
        {u"GetContent_Callback", 37},
        {u"GetTitle_Callback", 38},
        {u"OnActionCommon_Callback", 50},
        {u"OnActionCommonRepurposed_Callback", 51},
        {u"OnActionState_Callback", 52},
        {u"OnActionStateRepurposed_Callback", 53},
        {u"OnActionSelected_Callback", 54},
        {u"OnChange_Callback", 55},
    };
    ComPtr<IDispatch> dispatch = ComQuery<IDispatch>(addIn.Get());
    for (const auto& [name, id] : table) {
        DISPID got = 0;
        EXPECT_EQ(dispatch->GetIDsOfNames(GUID_NULL, &name, 1, LOCALE_USER_DEFAULT, &got), S_OK);
        EXPECT_EQ(got, id) << text::Narrow(name);
    }
}

TEST_F(RibbonCallbacks, NamesAreCaseSensitiveAndOnlyTheFirstOfSeveralIsLookedUp) {
    ComPtr<IDispatch> dispatch = ComQuery<IDispatch>(addIn.Get());
    const char16_t* lower[] = {u"getlabel_callback"};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(GUID_NULL, lower, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    const char16_t* three[] = {u"GetLabel_Callback", u"control", u"GetVisible_Callback"};
    DISPID ids[3] = {7, 7, 7};
    EXPECT_EQ(dispatch->GetIDsOfNames(GUID_NULL, three, 3, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], 14);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(ids[2], DISPID_UNKNOWN);
}

TEST_F(RibbonCallbacks, DispIdsOutsideTheTableAreNoMembers) {
    ComPtr<IDispatch> dispatch = ComQuery<IDispatch>(addIn.Get());
    DispArgs args{Control(kSplitButtonId)};
    for (DISPID id : {0, 9, 18, 39, 49, 56, -1}) {
        Variant result;
        EXPECT_EQ(dispatch->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                   &args.Params(), &result, nullptr, nullptr),
                  DISP_E_MEMBERNOTFOUND)
            << id;
    }
}

TEST_F(RibbonCallbacks, TheComposeRibbonShowsWhatItsControlsHold) {
    auto host = LoadRibbon(kCompose);
    EXPECT_EQ(journal, Strings{"Loaded"});
    EXPECT_TRUE(host->Errors().empty()) << host->Errors().front();
    sim::RibbonControlState inner = host->Render(Id(kSplitButtonId) + "wrapped");
    EXPECT_EQ(inner.Label, u"Track +\r\nSend");
    EXPECT_EQ(inner.ScreenTip, u"Click to Send Item and execute default actions");
    EXPECT_TRUE(inner.Image);
    EXPECT_TRUE(inner.ShowImage);
    sim::RibbonControlState split = host->Render(Id(kSplitButtonId));
    EXPECT_EQ(split.Size, RibbonControlSizeLarge);
    EXPECT_TRUE(split.Enabled);
    EXPECT_EQ(host->Render(Id(kMenuButtonIds[2])).Label, u"Send + Add Category...");
    sim::RibbonControlState hidden = host->Render(Id(kMenuButtonIds[5]));
    EXPECT_FALSE(hidden.Visible);
    EXPECT_FALSE(hidden.Enabled);
    sim::RibbonControlState spacer = host->Render(Id(kSpacerId));
    EXPECT_EQ(spacer.Label, u"     ");
    EXPECT_FALSE(spacer.Enabled);
    EXPECT_FALSE(spacer.ShowImage);
    EXPECT_EQ(host->Render(Id(kGroupId)).Label, u"Lorvane");
    EXPECT_EQ(host->Render(Id(kMenuId)).Label, u"IndividualActions");
    host->RenderAll();
    EXPECT_TRUE(host->Errors().empty()) << host->Errors().front();
}

TEST_F(RibbonCallbacks, EveryCallbackAnswersThroughTheHost) {
    auto host = LoadRibbon(kCompose);
    const std::string split = Id(kSplitButtonId);
    const std::string button = Id(kMenuButtonIds[0]);
    struct Case {
        const char* Name;
        std::string ControlId;
        std::vector<Variant> Args;
        VARTYPE Answer;
    };
    const Case cases[] = {
        {"GetVisible_Callback", button, {}, VT_BOOL},
        {"GetKeyTip_Callback", button, {}, VT_BSTR},
        {"GetLabel_Callback", button, {}, VT_BSTR},
        {"GetEnabled_Callback", button, {}, VT_BOOL},
        {"GetPressed_Callback", button, {}, VT_BOOL},
        {"GetImage_Callback", button, {}, VT_DISPATCH},
        {"GetSuperTip_Callback", button, {}, VT_BSTR},
        {"GetScreenTip_Callback", button, {}, VT_BSTR},
        {"GetSize_Callback", split, {}, VT_I4},
        {"GetShowLabel_Callback", button, {}, VT_BOOL},
        {"GetShowImage_Callback", button, {}, VT_BOOL},
        {"GetDescription_Callback", button, {}, VT_BSTR},
        {"GetText_Callback", button, {}, VT_BSTR},
        {"GetItemCount_Callback", button, {}, VT_I4},
        {"GetSelectedItemIndex_Callback", button, {}, VT_I4},
        {"GetSelectedItemId_Callback", button, {}, VT_BSTR},
        {"GetItemHeight_Callback", button, {}, VT_I4},
        {"GetItemWidth_Callback", button, {}, VT_I4},
        {"GetContent_Callback", button, {}, VT_BSTR},
        {"GetTitle_Callback", button, {}, VT_BSTR},
        {"OnActionCommon_Callback", button, {}, VT_EMPTY},
        {"OnActionState_Callback", button, {Variant(true)}, VT_EMPTY},
        {"OnActionSelected_Callback", button, {Variant(u"x"), Variant(0)}, VT_EMPTY},
        {"OnChange_Callback", button, {Variant(u"text")}, VT_EMPTY},
        {"GetImages_Callback", "", {Variant(Id(kMenuButtonIds[1]))}, VT_DISPATCH},
    };
    for (const Case& c : cases) {
        Variant answer = host->Invoke(c.Name, c.ControlId, c.Args);
        EXPECT_EQ(answer.Type(), c.Answer) << c.Name;
    }
    // The item callbacks of a drop-down.
    auto* drop = static_cast<TadxRibbonDropDown*>(
        static_cast<TadxRibbonGroup&>(Find(kGroupId)).Controls()->Add(adxRibbonTypeDropDown));
    drop->SetID(u"Drop");
    TadxRibbonCustomControl* item = drop->Items()->Add();
    item->SetID(u"First");
    item->SetCaption(u"First item");
    item->SetScreenTip(u"tip");
    item->SetSuperTip(u"super");
    host = LoadRibbon(kCompose);
    std::vector<sim::RibbonItemState> items = host->RenderItems("Drop");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Id, u"First");
    EXPECT_EQ(items[0].Label, u"First item");
    EXPECT_EQ(items[0].ScreenTip, u"tip");
    EXPECT_EQ(items[0].SuperTip, u"super");
    EXPECT_EQ(host->Invoke("GetShowItemImage_Callback", "Drop", {Variant(0)}).Type(), VT_BOOL);
    EXPECT_FALSE(host->Invoke("GetShowItemImage_Callback", "Drop", {Variant(0)}).AsBool());
    EXPECT_EQ(host->Invoke("GetItemImage_Callback", "Drop", {Variant(0)}).Type(), VT_DISPATCH);
    EXPECT_TRUE(host->Errors().empty());
}

TEST_F(RibbonCallbacks, AControlTheModuleDoesNotKnowGetsTheNotFoundAnswers) {
    struct Case {
        const char16_t* Name;
        bool Indexed;
        Variant Expected;
    };
    const Case cases[] = {
        {u"GetVisible_Callback", false, Variant(true)},
        {u"GetKeyTip_Callback", false, Variant(u"")},
        {u"GetLabel_Callback", false, Variant(u"")},
        {u"GetEnabled_Callback", false, Variant(true)},
        {u"GetPressed_Callback", false, Variant(false)},
        {u"GetSuperTip_Callback", false, Variant(u"")},
        {u"GetScreenTip_Callback", false, Variant(u"")},
        {u"GetSize_Callback", false, Variant(0)},
        {u"GetShowLabel_Callback", false, Variant(true)},
        {u"GetShowImage_Callback", false, Variant(false)},
        {u"GetDescription_Callback", false, Variant(u"")},
        {u"GetText_Callback", false, Variant()},
        {u"GetItemCount_Callback", false, Variant(0)},
        {u"GetItemID_Callback", true, Variant(u"")},
        {u"GetItemLabel_Callback", true, Variant(u"")},
        {u"GetItemScreenTip_Callback", true, Variant(u"")},
        {u"GetItemSuperTip_Callback", true, Variant(u"")},
        {u"GetShowItemImage_Callback", true, Variant(true)},
        {u"GetSelectedItemIndex_Callback", false, Variant(0)},
        {u"GetSelectedItemId_Callback", false, Variant(u"")},
        {u"GetItemHeight_Callback", false, Variant(-1)},
        {u"GetItemWidth_Callback", false, Variant(-1)},
        {u"GetContent_Callback", false, Variant(u"")},
        {u"GetTitle_Callback", false, Variant(u"")},
    };
    for (const Case& c : cases) {
        std::vector<Variant> args{Control(u"Unknown")};
        if (c.Indexed)
            args.emplace_back(3);
        EXPECT_EQ(Answer(c.Name, args), c.Expected) << text::Narrow(c.Name);
    }
    for (const char16_t* picture : {u"GetImage_Callback", u"GetItemImage_Callback"}) {
        std::vector<Variant> args{Control(u"Unknown")};
        if (picture[3] == u'I' && picture[4] == u't')
            args.emplace_back(0);
        Variant answer = Answer(picture, args);
        EXPECT_EQ(answer.Type(), VT_DISPATCH);
        EXPECT_FALSE(answer.AsDispatch());
    }
    EXPECT_FALSE(Answer(u"GetImages_Callback", {Variant(u"Unknown")}).AsDispatch());
    for (const char16_t* action : {u"OnActionCommon_Callback"})
        EXPECT_EQ(Call(action, {Control(u"Unknown")}), S_OK);
    EXPECT_EQ(Call(u"OnActionState_Callback", {Control(u"Unknown"), Variant(true)}), S_OK);
    EXPECT_EQ(Call(u"OnActionSelected_Callback", {Control(u"Unknown"), Variant(u""), Variant(0)}),
              S_OK);
    EXPECT_EQ(Call(u"OnChange_Callback", {Control(u"Unknown"), Variant(u"")}), S_OK);
    EXPECT_TRUE(journal.empty());
}

TEST_F(RibbonCallbacks, APropertyChangeIsShownAfterItsInvalidationAndTheSameValueSendsNothing) {
    auto host = LoadRibbon(kCompose);
    std::string inner = Id(kSplitButtonId) + "wrapped";
    EXPECT_EQ(host->Render(inner).Label, u"Track +\r\nSend");
    TadxRibbonCustomControl& split = Find(kSplitButtonId);
    split.SetCaption(u"Track +\r\nSend");
    EXPECT_TRUE(host->Invalidations().empty());
    split.SetCaption(u"Send now");
    split.SetEnabled(false);
    EXPECT_EQ(host->Invalidations(),
              (Strings{Id(kSplitButtonId), inner, Id(kSplitButtonId), inner}));
    EXPECT_EQ(host->Render(inner).Label, u"Send now");
    EXPECT_FALSE(host->Render(Id(kSplitButtonId)).Enabled);
}

TEST_F(RibbonCallbacks, AClickOnTheSplitButtonsInnerButtonReachesTheSplitButton) {
    auto host = LoadRibbon(kCompose);
    journal.clear();
    host->Click(Id(kSplitButtonId));
    EXPECT_EQ(journal,
              Strings{"Click TadxRibbonSplitButton Tag 6 " + Id(kSplitButtonId) + "wrapped"});
}

TEST_F(RibbonCallbacks, AClickOnAMenuButtonReachesItsHandlerWithItsTag) {
    auto host = LoadRibbon(kCompose);
    journal.clear();
    host->Click("Send + Add Category...");
    host->Click(Id(kMenuButtonIds[4]));
    EXPECT_EQ(journal, (Strings{"Click TadxRibbonButton Tag 3 " + Id(kMenuButtonIds[2]),
                                "Click TadxRibbonButton Tag 5 " + Id(kMenuButtonIds[4])}));
    EXPECT_THROW(host->Click(Id(kMenuButtonIds[5])), sim::EHostFailure); // hidden and disabled
}

TEST_F(RibbonCallbacks, AThrowingHandlerIsReportedOnceThroughDoError) {
    auto host = LoadRibbon(kExplorer);
    journal.clear();
    host->Click("About");
    EXPECT_EQ(journal,
              (Strings{"Click TadxRibbonButton Tag 0 " + Id(kAboutId), "Error Click failed"}));
    EXPECT_EQ(host->Calls().back().Result, S_OK);
    // Without OnError the module shows its error box, once.
    Module().OnError = nullptr;
    journal.clear();
    host->Click("About");
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Text,
              "LorvaneOL error: the add-in has fired an exception.\r\nClick failed");
}

TEST_F(RibbonCallbacks, AnActionArrivingWhileTheHandlerRunsUpdatesStateWithoutCallingItAgain) {
    auto host = LoadRibbon(kCompose);
    auto& button = static_cast<TadxRibbonButton&>(Find(kMenuButtonIds[0]));
    int calls = 0;
    button.OnClick = [&](TObject*, IRibbonControl*) {
        ++calls;
        EXPECT_EQ(Call(u"OnActionState_Callback", {Control(kMenuButtonIds[0]), Variant(true)}),
                  S_OK);
        EXPECT_TRUE(button.GetPressed());
    };
    host->Click(Id(kMenuButtonIds[0]));
    EXPECT_EQ(calls, 1);
    host->Click(Id(kMenuButtonIds[0]));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(host->Invalidations().empty()); // what the user did is not sent back
}

TEST_F(RibbonCallbacks, AHandlerMayFreeItsOwnControl) {
    auto host = LoadRibbon(kCompose);
    auto& button = static_cast<TadxRibbonButton&>(Find(kMenuButtonIds[0]));
    button.OnClick = [&](TObject*, IRibbonControl*) {
        button.Collection()->Delete(button.Index());
    };
    EXPECT_EQ(Call(u"OnActionCommon_Callback", {Control(kMenuButtonIds[0])}), S_OK);
    EXPECT_EQ(Module().FindRibbonControl(kMenuButtonIds[0]), nullptr);
}

TEST_F(RibbonCallbacks, AClickThatTurnsTheAddInOffAndRaisesEndsThere) {
    auto host = LoadRibbon(kCompose);
    auto& button = static_cast<TadxRibbonButton&>(Find(kMenuButtonIds[0]));
    button.OnClick = [this](TObject*, IRibbonControl*) {
        EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
        throw Exception("The licence has expired");
    };
    EXPECT_EQ(Call(u"OnActionCommon_Callback", {Control(kMenuButtonIds[0])}), S_OK);
    EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module(), nullptr);
    EXPECT_TRUE(user.Shown().empty());
}

TEST_F(RibbonCallbacks, CallsWithWrongArgumentsFailWithoutHarm) {
    struct Case {
        const char16_t* Name;
        std::vector<Variant> Args;
        HRESULT Expected;
        uint32_t ArgErr;
    };
    Variant control = Control(kMenuButtonIds[0]);
    const Case cases[] = {
        {u"GetLabel_Callback", {}, DISP_E_BADPARAMCOUNT, 0},
        {u"GetLabel_Callback", {control, Variant(1)}, DISP_E_BADPARAMCOUNT, 0},
        {u"GetLabel_Callback", {Variant(u"not a control")}, DISP_E_TYPEMISMATCH, 0},
        {u"GetLabel_Callback", {Variant(42)}, DISP_E_TYPEMISMATCH, 0},
        {u"GetItemLabel_Callback", {control, Variant(u"one")}, DISP_E_TYPEMISMATCH, 0},
        {u"OnActionState_Callback", {control, Variant(u"yes")}, DISP_E_TYPEMISMATCH, 0},
        {u"OnActionSelected_Callback",
         {control, Variant(u""), Variant(u"x")},
         DISP_E_TYPEMISMATCH,
         0},
        {u"OnActionCommonRepurposed_Callback", {control, Variant(u"no")}, DISP_E_TYPEMISMATCH, 0},
        {u"RibbonLoaded_Callback", {Variant(u"ribbon")}, DISP_E_TYPEMISMATCH, 0},
        {u"GetItemID_Callback", {control, Variant(int64_t(1) << 40)}, DISP_E_OVERFLOW, 0},
    };
    for (const Case& c : cases) {
        uint32_t argErr = 99;
        Variant result;
        EXPECT_EQ(Call(c.Name, c.Args, &result, &argErr), c.Expected) << text::Narrow(c.Name);
        if (c.Expected != DISP_E_BADPARAMCOUNT) {
            EXPECT_EQ(argErr, c.ArgErr) << text::Narrow(c.Name);
        }
        EXPECT_TRUE(result.IsEmpty());
    }
    // An object that is no ribbon control, or none at all, is the callback's failure.
    EXPECT_EQ(Call(u"GetLabel_Callback", {Variant(ComPtr<IDispatch>(Window(u"x")))}),
              DISP_E_EXCEPTION);
    EXPECT_EQ(Call(u"GetLabel_Callback", {Variant(static_cast<IDispatch*>(nullptr))}),
              DISP_E_EXCEPTION);
    // An item index outside the items.
    EXPECT_EQ(Call(u"GetItemLabel_Callback", {control, Variant(0)}), DISP_E_EXCEPTION);
    EXPECT_TRUE(journal.empty());
}

// The arguments are read as automation converts values: a number where a
// text is expected is its decimal text, a text of digits where a number is
// expected its number, a number where a Boolean is expected true unless 0.
TEST_F(RibbonCallbacks, ArgumentsAreConvertedAsAutomationConvertsThem) {
    TadxRibbonCustomControl* edit = Find(kGroupId).GetControls()->Add(adxRibbonTypeEditBox);
    edit->SetID(u"Edit");
    EXPECT_EQ(Call(u"OnChange_Callback", {Control(u"Edit"), Variant(3.5)}), S_OK);
    EXPECT_EQ(edit->GetText(), u"3.5");
    // Index "1" of a control without items is outside them.
    EXPECT_EQ(Call(u"GetItemLabel_Callback", {Control(u"Edit"), Variant(u"1")}), DISP_E_EXCEPTION);
    EXPECT_EQ(Answer(u"GetImages_Callback", {Variant(5)}),
              Variant(static_cast<IDispatch*>(nullptr)));
    Variant one(1);
    EXPECT_EQ(Call(u"OnActionCommonRepurposed_Callback", {Control(u"Edit"), Variant::ByRef(&one)}),
              S_OK);
    EXPECT_EQ(one.Type(), VT_BOOL);
    EXPECT_TRUE(one.AsBool());
}

TEST_F(RibbonCallbacks, ArgumentsByReferenceAreFollowedAndACancelIsWrittenOnlyWhereOneWasPassed) {
    TadxRibbonCustomControl* edit = Find(kGroupId).GetControls()->Add(adxRibbonTypeEditBox);
    edit->SetID(u"Edit");
    std::u16string text = u"typed";
    Variant byVariant = Control(u"Edit");
    EXPECT_EQ(Call(u"OnChange_Callback", {Variant::ByRef(&byVariant), Variant::ByRef(&text)}),
              S_OK);
    EXPECT_EQ(edit->GetText(), u"typed");

    Variant control = Control(kMenuButtonIds[0]);

    VARIANT_BOOL cancel = VARIANT_TRUE;
    EXPECT_EQ(Call(u"OnActionCommonRepurposed_Callback", {control, Variant::ByRefBool(&cancel)}),
              S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    Variant boxed(false);
    EXPECT_EQ(
        Call(u"OnActionStateRepurposed_Callback", {control, Variant(true), Variant::ByRef(&boxed)}),
        S_OK);
    EXPECT_EQ(boxed.Type(), VT_BOOL);
    EXPECT_FALSE(boxed.AsBool());
    // A cancel passed by value is read and left alone.
    DispArgs byValue{control, Variant(true)};
    EXPECT_EQ(InvokeByName(u"OnActionCommonRepurposed_Callback", byValue, nullptr), S_OK);
    EXPECT_EQ(byValue.Arg(1).Type(), VT_BOOL);
}

TEST_F(RibbonCallbacks, AMissingResultStillRunsTheCallback) {
    auto& button = static_cast<TadxRibbonButton&>(Find(kMenuButtonIds[0]));
    int asked = 0;
    button.OnPropertyChanging = [&](TObject*, TadxRibbonControlPropertyType, Variant&, IDispatch*) {
        ++asked;
    };
    EXPECT_EQ(Call(u"GetLabel_Callback", {Control(kMenuButtonIds[0])}, nullptr), S_OK);
    EXPECT_EQ(asked, 1);
}

TEST_F(RibbonCallbacks, OnlyTheInnerButtonsCallbacksDropWrapped) {
    TadxRibbonCustomControl& group = Find(kGroupId);
    TadxRibbonCustomControl* plain = group.GetControls()->Add(adxRibbonTypeButton);
    plain->SetID(u"AB");
    plain->SetCaption(u"plain");
    plain->SetKeyTip(u"P");
    TadxRibbonCustomControl* odd = group.GetControls()->Add(adxRibbonTypeButton);
    odd->SetID(u"AwrappedB");
    odd->SetCaption(u"odd");
    odd->SetKeyTip(u"O");
    EXPECT_EQ(Answer(u"GetLabel_Callback", {Control(u"AwrappedB")}), Variant(u"plain"));
    EXPECT_EQ(Answer(u"GetKeyTip_Callback", {Control(u"AwrappedB")}), Variant(u"O"));
}

TEST_F(RibbonCallbacks, KeysDifferingInLetterCaseReachTheFirst) {
    TadxRibbonCustomControl& group = Find(kGroupId);
    TadxRibbonCustomControl* first = group.GetControls()->Add(adxRibbonTypeButton);
    first->SetID(u"Twin");
    first->SetCaption(u"first");
    TadxRibbonCustomControl* second = group.GetControls()->Add(adxRibbonTypeButton);
    second->SetID(u"TWIN");
    second->SetCaption(u"second");
    EXPECT_EQ(Answer(u"GetLabel_Callback", {Control(u"TWIN")}), Variant(u"first"));
}

TEST_F(RibbonCallbacks, AControlOfAnotherClassUnderADuplicatedIdIsNotTakenForASplitButton) {
    // A tab listed before the split button under the split button's id.
    auto* stray = new TadxRibbonTab(&Module());
    stray->SetCaption(u"stray");
    Module().KeyList->Delete(Module().KeyList->IndexOfObject(stray));
    Module().KeyList->InsertObject(0, Id(kSplitButtonId), stray);
    EXPECT_EQ(Answer(u"GetLabel_Callback", {Control(std::u16string(kSplitButtonId) + u"wrapped")}),
              Variant(u"stray"));
    EXPECT_EQ(
        Call(u"OnActionCommon_Callback", {Control(std::u16string(kSplitButtonId) + u"wrapped")}),
        S_OK);
    EXPECT_TRUE(journal.empty());
}

TEST_F(RibbonCallbacks, InOutlookSharedBuiltInIdsAnswerForTheKindOfItemShown) {
    auto add = [&](TadxRibbons ribbons, bool enabled) {
        auto* tab = new TadxRibbonTab(&Module());
        tab->SetRibbons(ribbons);
        TadxRibbonCustomControl* group = tab->Controls()->Add();
        group->SetIDMso(u"GroupShared");
        group->SetRibbons(ribbons);
        group->SetEnabled(enabled);
        return group;
    };
    add(TadxRibbons{msrOutlookMailCompose}, true);
    add(TadxRibbons{msrOutlookAppointment}, false);
    Variant appointment =
        Control(u"GroupShared", ComPtr<IDispatch>(Window(u"IPM.Appointment.Meeting")));
    Variant mail = Control(u"GroupShared", ComPtr<IDispatch>(Window(u"IPM.Note.Signed")));
    Variant unknown = Control(u"GroupShared", ComPtr<IDispatch>(Window(u"IPM.Other")));
    Module().HostType = ohaOutlook;
    EXPECT_EQ(Answer(u"GetEnabled_Callback", {appointment}), Variant(false));
    EXPECT_EQ(Answer(u"GetEnabled_Callback", {mail}), Variant(true));
    EXPECT_EQ(Answer(u"GetEnabled_Callback", {unknown}), Variant(true));
    EXPECT_EQ(Answer(u"GetEnabled_Callback", {Control(u"GroupShared")}), Variant(true));
    Module().HostType = ohaWord;
    EXPECT_EQ(Answer(u"GetEnabled_Callback", {appointment}), Variant(true));
}

TEST(RibbonMessageClasses, TheFirstMatchingPrefixWins) {
    const std::pair<const char16_t*, uint32_t> cases[] = {
        {u"IPM.Note.Foo", 0x30},
        {u"IPM.Schedule.Meeting.Resp.Pos", 0x38000},
        {u"IPM.Schedule.Meeting.Request", 0xC0},
        {u"IPM.Post.RSS.x", 0x40000},
        {u"IPM.Post.x", 0x180000},
        {u"IPM.Taskrequest", 0x800},
        {u"IPM.Note", 0},
        {u"", 0},
        {u"ipm.sharing.x", 0x600000},
        {u"IPM.OLE.CLASS.x", 0x100},
    };
    for (const auto& [messageClass, mask] : cases)
        EXPECT_EQ(adxRibbonsOfMessageClass(messageClass), mask) << text::Narrow(messageClass);
}

TEST_F(RibbonCallbacks, OnPropertyChangingMayChangeTheAnswerAndItsExceptionIsReported) {
    auto& button = static_cast<TadxRibbonButton&>(Find(kMenuButtonIds[1]));
    std::vector<int> kinds;
    button.OnPropertyChanging = [&](TObject* sender, TadxRibbonControlPropertyType kind,
                                    Variant& value, IDispatch* context) {
        EXPECT_EQ(sender, &button);
        EXPECT_NE(context, nullptr);
        kinds.push_back(kind);
        if (kind == rcptCaption)
            value = Variant(u"Changed");
        if (kind == rcptVisible)
            throw Exception("changing failed");
    };
    auto window = Window(u"IPM.Note");
    EXPECT_EQ(Answer(u"GetLabel_Callback", {Control(kMenuButtonIds[1], window)}),
              Variant(u"Changed"));
    EXPECT_EQ(Answer(u"GetVisible_Callback", {Control(kMenuButtonIds[1], window)}), Variant(true));
    EXPECT_EQ(journal, Strings{"Error changing failed"});
    EXPECT_EQ(kinds, (std::vector<int>{rcptCaption, rcptVisible}));
}

TEST_F(RibbonCallbacks, ItemValuesGoToTheItemHandler) {
    auto* drop =
        static_cast<TadxRibbonDropDown*>(Find(kGroupId).GetControls()->Add(adxRibbonTypeDropDown));
    drop->SetID(u"Drop");
    drop->Items()->Add()->SetCaption(u"one");
    drop->Items()->Add()->SetCaption(u"two");
    std::vector<std::string> seen;
    drop->OnItemPropertyChanging = [&](TObject*, TadxRibbonControlPropertyType kind, Variant& value,
                                       IDispatch*, int32_t index) {
        seen.push_back(std::to_string(kind) + ":" + std::to_string(index));
        value = Variant(u"item " + text::Wide(std::to_string(index)));
    };
    drop->OnPropertyChanging = [&](TObject*, TadxRibbonControlPropertyType kind, Variant&,
                                   IDispatch*) {
        seen.push_back("control " + std::to_string(kind));
    };
    EXPECT_EQ(Answer(u"GetItemLabel_Callback", {Control(u"Drop"), Variant(1)}), Variant(u"item 1"));
    EXPECT_EQ(Answer(u"GetItemCount_Callback", {Control(u"Drop")}), Variant(2));
    EXPECT_EQ(seen, (Strings{"21:1", "control 13"}));
}

TEST_F(RibbonCallbacks, SelectionsAndTextReachTheControlAndItsHandler) {
    TadxRibbonCustomControl& group = Find(kGroupId);
    auto* drop = static_cast<TadxRibbonDropDown*>(group.GetControls()->Add(adxRibbonTypeDropDown));
    drop->SetID(u"Drop");
    drop->Items()->Add()->SetID(u"A");
    drop->Items()->Add()->SetID(u"B");
    drop->OnChange = [&](TObject* sender, IRibbonControl*) {
        journal.push_back("Change " + sender->ClassName());
    };
    auto* edit = static_cast<TadxRibbonEditBox*>(group.GetControls()->Add(adxRibbonTypeEditBox));
    edit->SetID(u"Edit");
    edit->OnChange = drop->OnChange;
    auto host = LoadRibbon(kCompose);
    host->Select("Drop", 1);
    host->ChangeText("Edit", u"hello");
    EXPECT_EQ(drop->GetSelectedItemIndex(), 1);
    EXPECT_EQ(drop->GetSelectedItemId(), u"B");
    EXPECT_EQ(edit->GetText(), u"hello");
    EXPECT_EQ(host->Render("Edit").Text, u"hello");
    EXPECT_EQ(journal,
              (Strings{"Loaded", "Change TadxRibbonDropDown", "Change TadxRibbonEditBox"}));
}

TEST_F(RibbonCallbacks, ADynamicMenuIsFilledWhenItOpens) {
    auto* menu = static_cast<TadxRibbonMenu*>(Find(kGroupId).GetControls()->Add(adxRibbonTypeMenu));
    menu->SetID(u"Dyn");
    menu->SetDynamic(true);
    menu->OnCreate = [menu](TObject*) {
        menu->Controls()->Clear();
        TadxRibbonCustomControl* b = menu->Controls()->Add(adxRibbonTypeButton);
        b->SetID(u"Late");
        b->SetCaption(u"Late button");
        static_cast<TadxRibbonButton*>(b)->OnClick = [](TObject*, IRibbonControl*) {
            journal.push_back("Late");
        };
    };
    auto host = LoadRibbon(kCompose);
    host->OpenDynamicMenu("Dyn");
    EXPECT_EQ(host->Render("Late").Label, u"Late button");
    host->Click("Late");
    EXPECT_EQ(journal.back(), "Late");
}

// A dynamic menu's OnCreate may turn the add-in off (the host disconnects it
// at once, freeing the module and the menu) or free the menu itself, and may
// raise after that: the content callback then answers no content and touches
// neither again.
class ADynamicMenuGoneFromItsOnCreate
    : public RibbonCallbacks,
      public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

TEST_P(ADynamicMenuGoneFromItsOnCreate, AnswersNoContent) {
    const bool turnsOff = std::get<0>(GetParam());
    const bool raises = std::get<1>(GetParam());
    auto* menu = static_cast<TadxRibbonMenu*>(Find(kGroupId).GetControls()->Add(adxRibbonTypeMenu));
    menu->SetID(u"Dyn");
    menu->SetDynamic(true);
    menu->OnCreate = [this, menu, turnsOff, raises](TObject*) {
        const bool raise = raises;
        if (turnsOff)
            EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
        else
            menu->Collection()->Delete(menu->Index());
        if (raise)
            throw Exception("The licence has expired");
    };
    EXPECT_EQ(Answer(u"GetContent_Callback", {Control(u"Dyn")}), Variant(u""));
    EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module() == nullptr, turnsOff);
    EXPECT_TRUE(user.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(RibbonCallbacks, ADynamicMenuGoneFromItsOnCreate,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

TEST_F(RibbonCallbacks, ALoadedHandlerMayTurnTheAddInOff) {
    std::string seen;
    const std::string said = "loaded and turned off";
    Module().OnRibbonLoaded = [this, &seen, said](TObject*, IRibbonUI*) {
        EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
        seen = said; // the handler's own state outlives the module
    };
    EXPECT_EQ(Call(u"RibbonLoaded_Callback",
                   {Variant(ComPtr<IRibbonUI>(sim::SimulatedRibbonUI::Create()))}),
              S_OK);
    EXPECT_EQ(seen, said);
    EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module(), nullptr);
}

TEST_F(RibbonCallbacks, TheRibbonIsKeptWhenItLoadsAndForgottenWithTheModule) {
    auto host = LoadRibbon(kCompose);
    EXPECT_EQ(Module().RibbonUI.Get(), static_cast<IRibbonUI*>(&host->RibbonUI()));
    addIn->OnDisconnection(ext_dm_HostShutdown, nullptr);
    // The host may still call: every control is unknown now.
    EXPECT_EQ(Answer(u"GetLabel_Callback", {Control(kSplitButtonId)}), Variant(u""));
    EXPECT_EQ(Call(u"OnActionCommon_Callback", {Control(kSplitButtonId)}), S_OK);
    EXPECT_EQ(Call(u"RibbonLoaded_Callback",
                   {Variant(ComPtr<IRibbonUI>(sim::SimulatedRibbonUI::Create()))}),
              S_OK);
    addIn = nullptr;
}

} // namespace
} // namespace rbtest
