// The simulated ribbon host: asking an add-in for its document, calling the
// callbacks it names by name with Office's argument lists, recording
// invalidations, showing controls and playing the user's clicks.
#include "platform/sim/RibbonHost.h"
#include "platform/com/Com.h"
#include "platform/office/Office.h"
#include "platform/text/Text.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

using namespace sim;

namespace {

// An add-in object with a ribbon: it answers GetCustomUI with Xml and
// records every callback with its arguments, answering get... callbacks from
// Answers ("GetLabel_Callback:B1").
class RibbonAddIn final : public DispatchObject<IRibbonExtensibility> {
public:
    static ComPtr<RibbonAddIn> Create(std::u16string xml) {
        return MakeComObject<RibbonAddIn>(std::move(xml));
    }

    HRESULT GetCustomUI(const BSTR& ribbonId, BSTR* xml) override {
        AskedFor.push_back(text::Narrow(ribbonId));
        if (ThrowFromGetCustomUI)
            throw std::runtime_error("GetCustomUI broke the rule");
        if (FAILED(CustomUIResult))
            return CustomUIResult;
        *xml = Xml;
        return S_OK;
    }

    std::u16string Xml;
    HRESULT CustomUIResult = S_OK;
    bool ThrowFromGetCustomUI = false;
    std::vector<std::string> AskedFor;
    std::vector<std::string> Calls;
    std::map<std::string, Variant> Answers;
    ComPtr<IRibbonUI> Ribbon;
    ComPtr<IDispatch> LastContext;
    bool CancelCommands = false;

private:
    friend struct ::ComMaker;
    explicit RibbonAddIn(std::u16string xml) : Xml(std::move(xml)) {
        // Callback names are matched exactly, as the framework's table does.
        Members.SetCaseSensitive(true);
        Members.Method("RibbonLoaded_Callback", [this](DispCall& call) {
            Log("RibbonLoaded_Callback", call);
            Ribbon = call.Dispatch(0).Query<IRibbonUI>();
        });
        for (const char* name :
             {"GetLabel_Callback", "GetEnabled_Callback", "GetVisible_Callback", "GetSize_Callback",
              "GetImage_Callback", "GetPressed_Callback", "GetScreenTip_Callback",
              "GetItemCount_Callback", "GetItemID_Callback", "GetItemLabel_Callback",
              "GetContent_Callback", "GetImages_Callback"})
            Members.Method(name, [this, name](DispCall& call) { return Answer(name, call); });
        for (const char* name : {"OnActionCommon_Callback", "OnActionState_Callback",
                                 "OnActionSelected_Callback", "OnChange_Callback"})
            Members.Method(name, [this, name](DispCall& call) { Log(name, call); });
        Members.Method("OnActionRepurposed_Callback", [this](DispCall& call) {
            Log("OnActionRepurposed_Callback", call);
            if (CancelCommands)
                call[call.Count() - 1].SetValue(true);
        });
        Members.Method("Failing_Callback", [this](DispCall& call) -> Variant {
            Log("Failing_Callback", call);
            throw Exception("the handler failed");
        });
    }

    // The record of one call: the name and each argument in declaration order.
    void Log(const std::string& name, DispCall& call) {
        std::string line = name + "(";
        for (size_t i = 0; i < call.Count(); ++i) {
            const Variant& arg = call[i];
            line += i ? ", " : "";
            ComPtr<IRibbonControl> control;
            if (arg.BaseType() == VT_DISPATCH)
                control = arg.AsDispatch().Query<IRibbonControl>();
            if (control) {
                BSTR id, tag;
                control->get_Id(&id);
                control->get_Tag(&tag);
                control->get_Context(LastContext.Receive());
                line +=
                    "control " + text::Narrow(id) + (tag.empty() ? "" : "/" + text::Narrow(tag));
            } else if (arg.BaseType() == VT_DISPATCH && arg.AsDispatch().Query<IRibbonUI>()) {
                line += "ribbon";
            } else if (arg.BaseType() == VT_BOOL) {
                line += std::string(arg.IsByRef() ? "&" : "") + (arg.AsBool() ? "true" : "false");
            } else if (arg.BaseType() == VT_I4) {
                line += std::to_string(arg.AsInteger());
            } else {
                line += "'" + arg.AsString() + "'";
            }
        }
        Calls.push_back(line + ")");
    }

    Variant Answer(const std::string& name, DispCall& call) {
        Log(name, call);
        std::string key = name;
        if (call.Count() > 0 && call[0].BaseType() == VT_DISPATCH) {
            if (ComPtr<IRibbonControl> control = call[0].AsDispatch().Query<IRibbonControl>()) {
                BSTR id;
                control->get_Id(&id);
                key += ":" + text::Narrow(id);
            }
        } else if (call.Count() > 0) {
            key += ":" + call[0].AsString();
        }
        if (call.Count() > 1)
            key += ":" + call[1].AsString();
        auto answer = Answers.find(key);
        if (answer == Answers.end())
            throw Exception("no answer for " + key);
        return answer->second;
    }
};

// A picture the add-in hands out.
class Picture final : public DispatchObject<IDispatch> {
    friend struct ::ComMaker;
};

std::u16string
Document(const std::u16string& body,
         const std::u16string& rootAttributes = u" onLoad=\"RibbonLoaded_Callback\"") {
    return u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\"" +
           rootAttributes + u"><ribbon><tabs><tab id=\"T\" label=\"Tab\">" + body +
           u"</tab></tabs></ribbon></customUI>";
}

const std::u16string SplitButtonGroup =
    u"<group id=\"G\" label=\"Group\">"
    u"<splitButton id=\"S1\" getSize=\"GetSize_Callback\" getEnabled=\"GetEnabled_Callback\">"
    u"<button id=\"S1wrapped\" getLabel=\"GetLabel_Callback\" "
    u"onAction=\"OnActionCommon_Callback\"/>"
    u"<menu id=\"M\"><button id=\"B1\" label=\"First\" tag=\"one\" "
    u"onAction=\"OnActionCommon_Callback\"/></menu>"
    u"</splitButton>"
    u"<button id=\"B2\" label=\"Second\" imageMso=\"FileSave\" size=\"large\" enabled=\"false\" "
    u"onAction=\"OnActionCommon_Callback\"/>"
    u"</group>";

class RibbonHostTest : public ::testing::Test {
protected:
    void TearDown() override {
        host.reset();
        addIn = nullptr;
        EXPECT_EQ(LibraryObjectCount().Objects(), objectsBefore) << "an object was left alive";
    }

    RibbonHost& Load(std::u16string xml,
                     const char16_t* ribbonId = u"Microsoft.Outlook.Mail.Compose") {
        addIn = RibbonAddIn::Create(std::move(xml));
        host = std::make_unique<RibbonHost>(addIn->UnknownSelf(), ribbonId);
        host->Load();
        return *host;
    }

    long objectsBefore = LibraryObjectCount().Objects();
    ComPtr<RibbonAddIn> addIn;
    std::unique_ptr<RibbonHost> host;
};

} // namespace

TEST_F(RibbonHostTest, LoadAsksForTheRibbonIdentifierAndHandsTheRibbonToOnLoad) {
    RibbonHost& ribbon = Load(Document(SplitButtonGroup));
    EXPECT_EQ(addIn->AskedFor, std::vector<std::string>{"Microsoft.Outlook.Mail.Compose"});
    EXPECT_EQ(addIn->Calls, std::vector<std::string>{"RibbonLoaded_Callback(ribbon)"});
    ASSERT_TRUE(addIn->Ribbon);
    EXPECT_TRUE(ribbon.HasDocument());
    EXPECT_EQ(ribbon.Xml(), addIn->Xml);
    EXPECT_NE(ribbon.Document().FindControl("S1wrapped"), nullptr);
    ASSERT_EQ(ribbon.Calls().size(), 1u);
    EXPECT_EQ(ribbon.Calls()[0].Name, "RibbonLoaded_Callback");
    EXPECT_TRUE(ribbon.Errors().empty());
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, ControlsAreAskedOnceUntilTheAddInInvalidatesThem) {
    RibbonHost& ribbon = Load(Document(SplitButtonGroup));
    addIn->Answers["GetLabel_Callback:S1wrapped"] = u"Track +\r\nSend";
    EXPECT_EQ(ribbon.Render("S1wrapped").Label, u"Track +\r\nSend");
    EXPECT_EQ(ribbon.Render("S1wrapped").Label, u"Track +\r\nSend");
    EXPECT_EQ(addIn->Calls.size(), 2u) << "the second rendering asks nothing";

    addIn->Answers["GetLabel_Callback:S1wrapped"] = u"Changed";
    ASSERT_EQ(addIn->Ribbon->InvalidateControl(u"S1wrapped"), S_OK);
    EXPECT_EQ(ribbon.Render("S1wrapped").Label, u"Changed");
    EXPECT_EQ(addIn->Calls.size(), 3u);

    dispCall(addIn->Ribbon, "Invalidate");
    ribbon.Render("S1wrapped");
    EXPECT_EQ(addIn->Calls.size(), 4u);
    EXPECT_EQ(ribbon.Invalidations(), (std::vector<std::string>{"S1wrapped", ""}));
    EXPECT_EQ(addIn->Ribbon->InvalidateControl(u""), E_INVALIDARG);
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, ShownStateComesFromCallbacksThenAttributesThenDefaults) {
    RibbonHost& ribbon = Load(Document(SplitButtonGroup));
    addIn->Answers["GetSize_Callback:S1"] = int(RibbonControlSizeLarge);
    addIn->Answers["GetEnabled_Callback:S1"] = true;
    RibbonControlState split = ribbon.Render("S1");
    EXPECT_EQ(split.Kind, "splitButton");
    EXPECT_EQ(split.Size, RibbonControlSizeLarge);
    EXPECT_TRUE(split.Enabled);
    EXPECT_TRUE(split.Visible);

    RibbonControlState second = ribbon.Render("B2");
    EXPECT_EQ(second.Label, u"Second");
    EXPECT_FALSE(second.Enabled);
    EXPECT_EQ(second.Size, RibbonControlSizeLarge);
    EXPECT_EQ(second.ImageMso, "FileSave");
    EXPECT_FALSE(second.Image);
    EXPECT_EQ(ribbon.Render("B1").Size, RibbonControlSizeRegular);
    EXPECT_THROW(ribbon.Render("Nowhere"), EHostFailure);
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, PicturesComeFromGetImageOrFromLoadImage) {
    RibbonHost& ribbon =
        Load(Document(u"<group id=\"G\" label=\"G\">"
                      u"<button id=\"P1\" label=\"P1\" getImage=\"GetImage_Callback\"/>"
                      u"<button id=\"P2\" label=\"P2\" getImage=\"GetImage_Callback\"/>"
                      u"<button id=\"P3\" label=\"P3\" image=\"logo\"/></group>",
                      u" loadImage=\"GetImages_Callback\""));
    ComPtr<IDispatch> picture = MakeComObject<Picture>();
    addIn->Answers["GetImage_Callback:P1"] = Variant(picture);
    addIn->Answers["GetImage_Callback:P2"] = u"HappyFace";
    addIn->Answers["GetImages_Callback:logo"] = Variant(picture);
    EXPECT_EQ(ribbon.Render("P1").Image, picture);
    EXPECT_EQ(ribbon.Render("P2").ImageMso, "HappyFace");
    EXPECT_EQ(ribbon.Render("P3").Image, picture);
    EXPECT_EQ(addIn->Calls.back(), "GetImages_Callback('logo')");
}

TEST_F(RibbonHostTest, ClickingCallsOnActionWithTheArgumentListOfTheControlKind) {
    RibbonHost& ribbon = Load(Document(
        u"<group id=\"G\" label=\"G\">"
        u"<button id=\"B\" label=\"Button\" tag=\"t\" onAction=\"OnActionCommon_Callback\"/>"
        u"<toggleButton id=\"TB\" label=\"Toggle\" onAction=\"OnActionState_Callback\"/>"
        u"<checkBox id=\"CB\" label=\"Check\" getPressed=\"GetPressed_Callback\" "
        u"onAction=\"OnActionState_Callback\"/>"
        u"<dropDown id=\"DD\" label=\"Drop\" onAction=\"OnActionSelected_Callback\">"
        u"<item id=\"i0\" label=\"Zero\"/><item id=\"i1\" label=\"One\"/></dropDown>"
        u"<editBox id=\"EB\" label=\"Edit\" onChange=\"OnChange_Callback\"/>"
        u"</group>"));
    addIn->Answers["GetPressed_Callback:CB"] = true;
    addIn->Calls.clear();
    ribbon.Click("B");
    ribbon.Click("TB");
    ribbon.Click("TB");
    ribbon.Click("CB");
    ribbon.Select("DD", 1);
    ribbon.ChangeText("EB", u"typed");
    std::vector<std::string> expected = {
        "OnActionCommon_Callback(control B/t)",
        "OnActionState_Callback(control TB, true)",
        "OnActionState_Callback(control TB, false)",
        "GetPressed_Callback(control CB)",
        "OnActionState_Callback(control CB, false)",
        "OnActionSelected_Callback(control DD, 'i1', 1)",
        "OnChange_Callback(control EB, 'typed')",
    };
    EXPECT_EQ(addIn->Calls, expected);
    EXPECT_TRUE(ribbon.Errors().empty());
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, ItemCallbacksTakeTheControlAndTheIndex) {
    RibbonHost& ribbon = Load(
        Document(u"<group id=\"G\" label=\"G\"><gallery id=\"GA\" label=\"Gallery\" "
                 u"getItemCount=\"GetItemCount_Callback\" getItemID=\"GetItemID_Callback\" "
                 u"getItemLabel=\"GetItemLabel_Callback\" onAction=\"OnActionSelected_Callback\"/>"
                 u"</group>"));
    addIn->Answers["GetItemCount_Callback:GA"] = 2;
    for (int i = 0; i < 2; ++i) {
        addIn->Answers["GetItemID_Callback:GA:" + std::to_string(i)] = "id" + std::to_string(i);
        addIn->Answers["GetItemLabel_Callback:GA:" + std::to_string(i)] = "L" + std::to_string(i);
    }
    std::vector<RibbonItemState> items = ribbon.RenderItems("GA");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].Id, u"id1");
    EXPECT_EQ(items[1].Label, u"L1");
    EXPECT_EQ(addIn->Calls[2], "GetItemID_Callback(control GA, 0)");
    EXPECT_THROW(ribbon.Select("GA", 2), EHostFailure);
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, SplitButtonIsClickedThroughItsInnerButtonByIdOrByLabel) {
    RibbonHost& ribbon = Load(Document(SplitButtonGroup));
    addIn->Answers["GetEnabled_Callback:S1"] = true;
    addIn->Answers["GetSize_Callback:S1"] = 0;
    addIn->Answers["GetLabel_Callback:S1wrapped"] = u"Track +\r\nSend";
    ribbon.Click("S1");
    ribbon.Click("Track +\r\nSend");
    ribbon.Click("First");
    std::vector<std::string> actions;
    for (const std::string& call : addIn->Calls) {
        if (call.rfind("OnAction", 0) == 0)
            actions.push_back(call);
    }
    EXPECT_EQ(actions, (std::vector<std::string>{"OnActionCommon_Callback(control S1wrapped)",
                                                 "OnActionCommon_Callback(control S1wrapped)",
                                                 "OnActionCommon_Callback(control B1/one)"}));
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, HiddenDisabledAndUnknownControlsCannotBeClicked) {
    RibbonHost& ribbon = Load(Document(
        SplitButtonGroup +
        u"<group id=\"H\" label=\"Hidden\" getVisible=\"GetVisible_Callback\">"
        u"<button id=\"HB\" label=\"In hidden\" onAction=\"OnActionCommon_Callback\"/></group>"
        u"<group id=\"N\" label=\"N\"><button id=\"NA\" label=\"No action\"/></group>"));
    addIn->Answers["GetEnabled_Callback:S1"] = false;
    addIn->Answers["GetSize_Callback:S1"] = 0;
    addIn->Answers["GetVisible_Callback:H"] = false;
    for (const char* control : {"S1", "B1", "B2", "HB", "NA", "G", "Nowhere"})
        EXPECT_THROW(ribbon.Click(control), EHostFailure) << control;
    for (const std::string& call : addIn->Calls)
        EXPECT_EQ(call.find("OnAction"), std::string::npos) << call;
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, RepurposedCommandPassesCancelByReference) {
    RibbonHost& ribbon =
        Load(u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
             u"<commands><command idMso=\"FileSave\" onAction=\"OnActionRepurposed_Callback\"/>"
             u"<command idMso=\"Bold\" onAction=\"OnActionRepurposed_Callback\"/></commands>"
             u"</customUI>");
    EXPECT_FALSE(ribbon.ExecuteCommand("FileSave"));
    addIn->CancelCommands = true;
    EXPECT_TRUE(ribbon.ExecuteCommand("Bold", true));
    EXPECT_EQ(addIn->Calls, (std::vector<std::string>{
                                "OnActionRepurposed_Callback(control FileSave, &false)",
                                "OnActionRepurposed_Callback(control Bold, true, &false)"}));
    EXPECT_THROW(ribbon.ExecuteCommand("Italic"), EHostFailure);
}

TEST_F(RibbonHostTest, DynamicMenuContentIsAskedWhenItOpens) {
    RibbonHost& ribbon =
        Load(Document(u"<group id=\"G\" label=\"G\"><dynamicMenu id=\"D\" label=\"More\" "
                      u"getContent=\"GetContent_Callback\"/></group>"));
    addIn->Answers["GetContent_Callback:D"] =
        u"<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
        u"<button id=\"X\" label=\"Extra\" onAction=\"OnActionCommon_Callback\"/></menu>";
    ribbon.OpenDynamicMenu("D");
    ribbon.Click("Extra");
    EXPECT_EQ(addIn->Calls.back(), "OnActionCommon_Callback(control X)");
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, ControlsCarryTheWindowTheyAreShownIn) {
    RibbonHost& ribbon = Load(Document(SplitButtonGroup));
    ComPtr<IDispatch> window = MakeComObject<Picture>();
    ribbon.SetContext(window);
    ribbon.Click("First");
    EXPECT_EQ(addIn->LastContext, window);
    addIn->LastContext = nullptr;
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, FailingCallbacksLeaveDefaultsAndAreRecorded) {
    RibbonHost& ribbon = Load(
        Document(u"<group id=\"G\" label=\"G\">"
                 u"<button id=\"U\" getLabel=\"NoSuch_Callback\" getVisible=\"Failing_Callback\" "
                 u"onAction=\"Failing_Callback\"/>"
                 u"<button id=\"W\" label=\"W\" getSize=\"GetSize_Callback\"/></group>"));
    addIn->Answers["GetSize_Callback:W"] = u"huge";
    RibbonControlState state = ribbon.Render("U");
    EXPECT_EQ(state.Label, u"");
    EXPECT_TRUE(state.Visible);
    EXPECT_EQ(ribbon.Render("W").Size, RibbonControlSizeRegular);
    ASSERT_EQ(ribbon.Errors().size(), 3u);
    EXPECT_NE(ribbon.Errors()[0].find("the handler failed"), std::string::npos)
        << ribbon.Errors()[0];
    EXPECT_NE(ribbon.Errors()[1].find("NoSuch_Callback"), std::string::npos) << ribbon.Errors()[1];
    EXPECT_NE(ribbon.Errors()[2].find("cannot use"), std::string::npos) << ribbon.Errors()[2];
    EXPECT_EQ(ribbon.Calls()[2].Result, DISP_E_UNKNOWNNAME);

    try {
        ribbon.Click("U");
        ADD_FAILURE() << "a failing onAction is reported";
    } catch (const EHostFailure& e) {
        EXPECT_NE(e.Message.find("the handler failed"), std::string::npos) << e.Message;
    }
    addIn->Ribbon = nullptr;
}

TEST_F(RibbonHostTest, AddInsThatCannotGiveADocumentAreReported) {
    addIn = RibbonAddIn::Create(u"");
    RibbonHost empty(addIn->UnknownSelf(), u"Microsoft.Outlook.Explorer");
    empty.Load();
    EXPECT_FALSE(empty.HasDocument());
    EXPECT_THROW(empty.Document(), EHostFailure);
    EXPECT_THROW(empty.Click("B"), EHostFailure);

    addIn->CustomUIResult = E_OUTOFMEMORY;
    try {
        empty.Load();
        ADD_FAILURE() << "GetCustomUI failed";
    } catch (const EHostFailure& e) {
        EXPECT_EQ(e.ErrorCode, E_OUTOFMEMORY);
    }

    addIn->CustomUIResult = S_OK;
    addIn->Xml = Document(u"<button id=\"B\"/>");
    EXPECT_THROW(empty.Load(), EHostFailure) << "a button may not sit in a tab";
    empty.SetValidation(false);
    empty.Load();
    EXPECT_TRUE(empty.HasDocument());
    addIn->Xml = u"<customUI";
    EXPECT_THROW(empty.Load(), EHostFailure);

    // An exception that a COM method lets out is reported, not spread.
    addIn->ThrowFromGetCustomUI = true;
    try {
        empty.Load();
        ADD_FAILURE() << "GetCustomUI let an exception out";
    } catch (const EHostFailure& e) {
        EXPECT_NE(e.Message.find("GetCustomUI broke the rule"), std::string::npos) << e.Message;
        EXPECT_EQ(e.ErrorCode, E_UNEXPECTED);
    }

    ComPtr<Picture> notAnAddIn = MakeComObject<Picture>();
    RibbonHost none(notAnAddIn->UnknownSelf(), u"Microsoft.Outlook.Explorer");
    EXPECT_THROW(none.Load(), EHostFailure);
}
