// The label and the mouse, driven through the user-input layer as a user
// would: the hand cursor and one enter event per anchor, clicks that open
// web and mail links or fire OnAnchorClick, a link the opener refuses,
// hover repaints, hints, and handlers that free the label or its form.
#include "tests/htmllabel/HTMLabelSupport.h"

#include "platform/controls/UserInput.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Shell.h"

#include <gtest/gtest.h>

using namespace labeltest;

namespace {

// "Open " is 5 characters: the first anchor runs from 31 to 109, " or "
// follows, the second from 133 to 199, all on the line 0 to 11.
const char* const kLinks = "Open <a href=\"home\">the home page</a> or "
                           "<a href=\"mailto:help@lorvane.example\">write to us</a>.";
constexpr POINT kPlain{10, 5};
constexpr POINT kHome{40, 5};
constexpr POINT kHomeAgain{80, 5};
constexpr POINT kMail{150, 5};

// A host whose label shows the two links and records its events.
struct TLinkHost : THost {
    std::vector<std::string> Events;
    TLinkHost() {
        Label->SetHTMLText(kLinks);
        Label->OnAnchorEnter = [this](TObject*, const std::string& a) {
            Events.push_back("enter " + a);
        };
        Label->OnAnchorExit = [this](TObject*, const std::string& a) {
            Events.push_back("exit " + a);
        };
        Label->OnAnchorClick = [this](TObject*, const std::string& a) {
            Events.push_back("click " + a);
        };
        Form->PaintIfNeeded();
        platform::TakeDebugOutput();
    }
};

} // namespace

TEST(HTMLabelMouse, AnchorsShowTheHandAndAreEnteredOnceEach) {
    TLinkHost host;
    controls::MoveMouse(*host.Label, kPlain);
    EXPECT_EQ(controls::ShownCursor(), crDefault);
    controls::MoveMouse(*host.Label, kHome);
    EXPECT_EQ(controls::ShownCursor(), crHandPoint);
    EXPECT_EQ(host.Label->HoverLink(), 1);
    controls::MoveMouse(*host.Label, kHomeAgain);
    // Straight from one anchor to the next: no exit between.
    controls::MoveMouse(*host.Label, kMail);
    EXPECT_EQ(host.Label->HoverLink(), 2);
    controls::MoveMouse(*host.Label, kPlain);
    EXPECT_EQ(controls::ShownCursor(), crDefault);
    EXPECT_EQ(host.Label->HoverLink(), -1);
    EXPECT_EQ(host.Events, (std::vector<std::string>{
                               "enter home", "enter mailto:help@lorvane.example", "exit "}));
    // The index of each anchor reached goes to the debug output.
    EXPECT_EQ(platform::TakeDebugOutput(), (std::vector<std::string>{"1", "2"}));
}

TEST(HTMLabelMouse, WithHoverOnlyTheAnchorEnteredChangesLookAndRepaints) {
    // Without Hover every anchor has the hover look all the time and a
    // move onto one repaints nothing; with it only the anchor under the
    // mouse, repainted as it is entered and left.
    for (bool hover : {false, true}) {
        TLinkHost host;
        host.Label->SetHover(hover);
        host.Label->SetHoverFontColor(clRed);
        host.Form->PaintIfNeeded();
        host.Label->MouseMove({}, kHome.x, kHome.y);
        EXPECT_EQ(host.Form->NeedsPaint(), hover);
        std::vector<std::string> red;
        for (const std::string& line : PaintedText(*host.Form))
            if (line.find("clRed") != std::string::npos)
                red.push_back(line.substr(0, line.find(" font=")));
        std::vector<std::string> home = {R"(Text (39,8) "the ")", R"(Text (63,8) "home ")",
                                         R"(Text (93,8) "page")"};
        std::vector<std::string> mail = {R"(Text (141,8) "write ")", R"(Text (177,8) "to ")",
                                         R"(Text (195,8) "us")"};
        std::vector<std::string> expected = home;
        if (!hover)
            expected.insert(expected.end(), mail.begin(), mail.end());
        EXPECT_EQ(red, expected) << hover;
        // Leaving the label ends the hover.
        host.Form->PaintIfNeeded();
        host.Label->MouseLeave();
        EXPECT_EQ(host.Label->HoverLink(), -1);
        EXPECT_EQ(host.Form->NeedsPaint(), hover);
    }
}

TEST(HTMLabelMouse, AClickOnAWordFiresTheEventAndAMailLinkIsOpened) {
    platform::LinkRecorder links;
    TLinkHost host;
    EXPECT_TRUE(controls::Click(*host.Label, kHome));
    EXPECT_TRUE(controls::Click(*host.Label, kMail));
    EXPECT_TRUE(controls::Click(*host.Label, kPlain));
    EXPECT_EQ(links.Links(), (std::vector<std::string>{"mailto:help@lorvane.example"}));
    std::vector<std::string> clicks;
    for (const std::string& e : host.Events)
        if (e.rfind("click", 0) == 0)
            clicks.push_back(e);
    EXPECT_EQ(clicks, (std::vector<std::string>{"click home"}));
}

TEST(HTMLabelMouse, ALinkTheOpenerRefusesOpensNothingAndSaysSo) {
    platform::LinkRecorder links;
    TLinkHost host;
    host.Label->SetHTMLText("<a href=\"ftp://files.lorvane.example/x\">files</a>");
    host.Form->PaintIfNeeded();
    platform::TakeDebugOutput();
    controls::Click(*host.Label, POINT{5, 5});
    EXPECT_TRUE(links.Links().empty());
    for (const std::string& e : host.Events)
        EXPECT_NE(e.rfind("click", 0), 0u) << e;
    std::vector<std::string> debug = platform::TakeDebugOutput();
    ASSERT_FALSE(debug.empty());
    EXPECT_EQ(debug.back(), "The link ftp://files.lorvane.example/x was not opened (error 5)");
}

TEST(HTMLabelMouse, HintsShowTheAnchorOrTheWholeText) {
    TLinkHost host;
    host.Label->SetShowHint(true);
    host.Label->SetHint("plain hint");
    host.Label->SetAnchorHint(true);
    host.Label->OnAnchorHint = [](TObject*, std::string& anchor) {
        if (anchor == "home")
            anchor = "Our home page";
    };
    controls::MoveMouse(*host.Label, kHome);
    std::optional<controls::ShownHint> hint = controls::RestMouse();
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->Text, "Our home page");
    POINT screen = host.Label->ClientToScreen(kHome);
    EXPECT_EQ(hint->Position.x, screen.x + 10);
    EXPECT_EQ(hint->Position.y, screen.y - 10);
    controls::MoveMouse(*host.Label, kMail);
    EXPECT_EQ(controls::RestMouse()->Text, "mailto:help@lorvane.example");
    // Off the anchors: the label's own hint, or the whole text.
    controls::MoveMouse(*host.Label, kPlain);
    EXPECT_EQ(controls::RestMouse()->Text, "plain hint");
    host.Label->SetHintShowFull(true);
    EXPECT_EQ(controls::RestMouse()->Text, "Open the home page or write to us.");
    host.Label->SetHTMLHint(true);
    EXPECT_EQ(controls::RestMouse()->Text, kLinks);
    // Entering an anchor takes the shown hint away.
    controls::MoveMouse(*host.Label, kHome);
    EXPECT_FALSE(controls::CurrentHint());
}

TEST(HTMLabelMouse, HandlersMayFreeTheLabelOrItsForm) {
    // Each handler frees the form (and the label with it) from inside the
    // label's call; nothing of either is touched afterwards.
    enum Site { Enter, Exit, Click, Hint };
    for (Site site : {Enter, Exit, Click, Hint}) {
        auto* form = new TForm(nullptr);
        form->SetClientWidth(400);
        form->SetClientHeight(100);
        form->Show();
        auto* label = new THTMLabel(form);
        label->SetParent(form);
        label->SetBounds(8, 8, 300, 40);
        label->SetHTMLText(kLinks);
        label->SetShowHint(true);
        label->SetAnchorHint(true);
        label->SetHover(true);
        rtl::TLifeWatch alive = form->Watch();
        auto freeForm = [&form](auto&&...) {
            delete form;
            form = nullptr;
        };
        if (site == Enter)
            label->OnAnchorEnter = freeForm;
        if (site == Exit)
            label->OnAnchorExit = freeForm;
        if (site == Click)
            label->OnAnchorClick = freeForm;
        if (site == Hint)
            label->OnAnchorHint = freeForm;
        controls::MoveMouse(*label, kHome);
        if (alive)
            controls::MoveMouse(*label, kPlain);
        if (alive)
            controls::Click(*label, kHome);
        if (alive) {
            controls::MoveMouse(*label, kHome);
            EXPECT_FALSE(controls::RestMouse());
        }
        EXPECT_FALSE(alive) << site;
        delete form;
    }
}
