// The command bars a simulated host keeps between sessions: the file form
// round trips bars, controls, pop-ups, lists and faces and leaves out what
// is temporary; reading it twice adds nothing twice; a malformed file is
// refused whole, naming its line; and the host driver writes the file when
// the host quits and reads it when the next one starts.
#include "tests/support/TempPlatformHome.h"

#include "platform/rtl/FileUtils.h"
#include "platform/sim/HostDriver.h"
#include "platform/sim/LastingBars.h"
#include "platform/sim/office/OfficeHostSim.h"
#include "platform/sim/outlook/OutlookSim.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

// A collection with a bar of every kind of lasting control, a temporary
// bar, a temporary control, and an add-in's control on "Standard".
ComPtr<SimulatedCommandBars> FilledBars() {
    ComPtr<SimulatedCommandBars> bars = SimulatedCommandBars::Create();
    SimCommandBar& tools = bars->AddBar(u"Tools 'n' more", 4, false);
    tools.SetValue("Visible", Variant(true));
    tools.SetValue("Left", Variant(120));
    SimCommandBarControl& hello = tools.AddControl(1, 1, 0, false);
    hello.SetValue("Caption", Variant(u"Say 'hi'\\ \u00e9\nnow"));
    hello.SetValue("Tag", Variant(u"tag-hello"));
    hello.SetValue("Enabled", Variant(false));
    SimButtonFace face;
    face.Width = 2;
    face.Height = 1;
    face.Pixels = {0x0000FF, 0xABCDEF};
    face.Source = "picture+mask";
    hello.SetFace(face);
    SimCommandBarControl& more = tools.AddControl(10, 1, 0, false);
    more.SetValue("Caption", Variant(u"More"));
    more.SetValue("Tag", Variant(u"tag-more"));
    SimCommandBarControl& inner = more.PopupBar()->AddControl(1, 1, 0, false);
    inner.SetValue("Caption", Variant(u"Inner"));
    inner.SetValue("Tag", Variant(u"tag-inner"));
    more.PopupBar()->AddControl(1, 1, 0, true).SetValue("Tag", Variant(u"tag-gone"));
    SimCommandBarControl& pick = tools.AddControl(4, 1, 0, false);
    pick.SetValue("Tag", Variant(u"tag-pick"));
    pick.SetValue("Text", Variant(u"b"));
    pick.SetListItems({u"a", u"b"});
    tools.AddControl(1, 1, 0, true).SetValue("Tag", Variant(u"tag-temporary"));
    bars->AddBar(u"Passing", 1, true).AddControl(1, 1, 0, false);
    bars->Bar(u"Standard")->AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"tag-std"));
    return bars;
}

std::string Header() {
    return "lorvane-command-bars 1\n";
}

} // namespace

TEST(LastingBars, RoundTripKeepsTheLastingBarsAndControlsAndLeavesOutTheTemporary) {
    ComPtr<SimulatedCommandBars> bars = FilledBars();
    const std::string text = WriteLastingBars(*bars);
    ComPtr<SimulatedCommandBars> read = SimulatedCommandBars::Create();
    ReadLastingBars(text, *read);
    EXPECT_EQ(WriteLastingBars(*read), text);

    ASSERT_TRUE(read->Bar(u"Tools 'n' more"));
    EXPECT_FALSE(read->Bar(u"Passing"));
    EXPECT_FALSE(read->FindByTag(u"tag-temporary"));
    EXPECT_FALSE(read->FindByTag(u"tag-gone"));
    SimCommandBar& tools = *read->Bar(u"Tools 'n' more");
    EXPECT_FALSE(tools.Temporary());
    EXPECT_EQ(tools.Value("Position").AsInteger(), 4);
    EXPECT_EQ(tools.Value("Left").AsInteger(), 120);
    EXPECT_EQ(read->FindByTag(u"tag-hello")->Caption(), u"Say 'hi'\\ \u00e9\nnow");
    EXPECT_EQ(read->FindByTag(u"tag-hello")->Face().Describe(),
              bars->FindByTag(u"tag-hello")->Face().Describe());
    EXPECT_EQ(read->FindByTag(u"tag-inner")->Parent(), read->FindByTag(u"tag-more")->PopupBar());
    EXPECT_EQ(read->FindByTag(u"tag-pick")->ListItems(), (std::vector<std::u16string>{u"a", u"b"}));
    // The host's own controls are the host's: only the add-in's is added.
    EXPECT_EQ(read->Bar(u"Standard")->Controls().size(), 4u);
    EXPECT_EQ(read->FindByTag(u"tag-std")->Parent(), read->Bar(u"Standard"));
}

TEST(LastingBars, ReadingTheSameBarsAgainAddsNothingTwice) {
    const std::string text = WriteLastingBars(*FilledBars());
    ComPtr<SimulatedCommandBars> read = SimulatedCommandBars::Create();
    ReadLastingBars(text, *read);
    ReadLastingBars(text, *read);
    EXPECT_EQ(WriteLastingBars(*read), text);
}

TEST(LastingBars, AMalformedFileIsRefusedWholeNamingItsLine) {
    struct Case {
        std::string Text;
        std::string Error;
    };
    const Case cases[] = {
        {"", "line 1: the file does not start with"},
        {"lorvane-command-bars 2\n", "line 1: the file does not start with"},
        {Header() + "control 1\n", "line 2: a control before any bar"},
        {Header() + "bar Tools\n", "line 2: \"Tools\" is not a quoted string"},
        {Header() + "bar ''\n", "line 2: a bar without a name"},
        {Header() + "bar 'x' 'y'\n", "line 2: \"bar\" takes 1 argument(s)"},
        {Header() + "bar 'x'\ncontrol 7\n", "line 3: no control type 7"},
        {Header() + "bar 'x'\ncontrol 99\n", "line 3: 99 is outside 0..10"},
        {Header() + "bar 'x'\ncontrol one\n", "line 3: \"one\" is not a number"},
        {Header() + "bar 'x'\nvalue Visible q 1\n", "line 3: a value's kind is b, i or s"},
        {Header() + "bar 'x'\nvalue Visible b 2\n", "line 3: 2 is outside 0..1"},
        {Header() + "bar 'x'\nvalue Left i 99999999999\n", "line 3: 99999999999 is outside"},
        {Header() + "builtin 'Standard'\nvalue Visible b 1\n", "line 3: a host's own bar"},
        {Header() + "bar 'x'\ncontrol 1\nitems 'a'\n", "line 4: items of a control that is no"},
        {Header() + "bar 'x'\nitems 'a'\n", "line 3: items without a control"},
        {Header() + "bar 'x'\ncontrol 1\nface 2 2 picture 000000\n",
         "line 4: a face of 2x2 takes 4 pixels"},
        {Header() + "bar 'x'\ncontrol 1\nface 1 1 picture 00000G\n",
         "line 4: \"00000G\" is not a colour"},
        {Header() + "bar 'x'\ncontrol 1\nface 999 1 picture\n", "line 4: 999 is outside 1..256"},
        {Header() + "bar 'x'\ncontrol 4\nface 1 1 picture 000000\n", "line 4: a face of a control"},
        {Header() + "bar 'x'\ncontrol 1\npopup\n", "line 4: controls inside a control that is no"},
        {Header() + "bar 'x'\nend\n", "line 3: an end without a pop-up"},
        {Header() + "bar 'x'\ncontrol 10\npopup\ncontrol 1\n", "line 6: a pop-up has no end"},
        {Header() + "bar 'x'\ncontrol 10\npopup\nbar 'y'\n", "line 5: a bar inside a pop-up"},
        {Header() + "bar 'x\n", "line 2: a string has no closing quote"},
        {Header() + "bar 'x\\q'\n", "line 2: unknown escape \\q"},
        {Header() + "bar 'x\\x4'\n", "line 2: a \\x escape needs two hexadecimal digits"},
        {Header() + "toolbar 'x'\n", "line 2: unknown record \"toolbar\""},
        {Header() + "'bar' 'x'\n", "line 2: a line starts with a word"},
    };
    for (const Case& c : cases) {
        ComPtr<SimulatedCommandBars> bars = SimulatedCommandBars::Create();
        const std::string before = WriteLastingBars(*bars);
        try {
            ReadLastingBars(c.Text, *bars);
            ADD_FAILURE() << "read: " << c.Text;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message.find(c.Error), std::string::npos) << c.Text << "\n" << e.Message;
        }
        EXPECT_EQ(WriteLastingBars(*bars), before) << c.Text;
        EXPECT_EQ(bars->Bars().size(), 2u) << c.Text;
    }
}

TEST(LastingBars, WordKeepsItsBarsFromOneSessionToTheNext) {
    TempPlatformHome home;
    {
        OfficeHostSim word(OfficeHostKind::Word);
        HostDriver driver(word);
        driver.Start();
        SimCommandBar& bar = word.App().Bars().AddBar(u"Kept", 1, false);
        bar.AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"tag-kept"));
        word.App().Bars().AddBar(u"Dropped", 1, true);
        driver.Quit();
        EXPECT_EQ(driver.Failures(), std::vector<std::string>{});
    }
    EXPECT_TRUE(FileExists(LastingBarsPath("Word")));
    OfficeHostSim word(OfficeHostKind::Word);
    HostDriver driver(word);
    driver.Start();
    EXPECT_EQ(driver.Failures(), std::vector<std::string>{});
    ASSERT_TRUE(word.App().Bars().Bar(u"Kept"));
    EXPECT_FALSE(word.App().Bars().Bar(u"Dropped"));
    EXPECT_TRUE(word.App().Bars().FindByTag(u"tag-kept"));
    // A new document shows them too, as from the normal template.
    word.OpenDocument(u"Report");
    EXPECT_TRUE(word.BarsInFront().FindByTag(u"tag-kept"));
}

TEST(LastingBars, OutlooksMainWindowHasTheBarsOfTheLastSession) {
    TempPlatformHome home;
    {
        OutlookSim outlook(12);
        outlook.OpenExplorer();
        HostDriver driver(outlook);
        driver.Start();
        outlook.App().Explorers().At(0).CommandBars().AddBar(u"Kept", 1, false);
        driver.Quit();
    }
    OutlookSim outlook(12);
    outlook.OpenExplorer();
    HostDriver driver(outlook);
    driver.Start();
    EXPECT_TRUE(outlook.App().Explorers().At(0).CommandBars().Bar(u"Kept"));
    EXPECT_EQ(driver.Failures(), std::vector<std::string>{});
}

TEST(LastingBars, AFileThatCannotBeReadIsAFailureAndTheHostStartsWithItsOwnBars) {
    TempPlatformHome home;
    WriteFileAtomic(LastingBarsPath("Word"), "lorvane-command-bars 1\nbar 'x'\ncontrol 9\n");
    OfficeHostSim word(OfficeHostKind::Word);
    HostDriver driver(word);
    driver.Start();
    ASSERT_EQ(driver.Failures().size(), 1u);
    EXPECT_NE(driver.Failures()[0].find("Word.bars: line 3: no control type 9"), std::string::npos)
        << driver.Failures()[0];
    EXPECT_EQ(word.App().Bars().Bars().size(), 2u);
    // Quitting writes the bars as they are now, in place of the bad file.
    driver.Quit();
    EXPECT_EQ(ReadFileBytes(LastingBarsPath("Word")), "lorvane-command-bars 1\n");
}
