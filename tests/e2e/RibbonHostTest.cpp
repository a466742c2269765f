// The product's ribbon as Outlook receives it: lorvane-host's ribbon command
// prints the document GetCustomUI gives for a ribbon identifier, compared
// byte for byte with the documents kept beside the tests and checked against
// the custom UI schema; the demo shows the ribbons and clicks one.
#include "tests/e2e/E2eSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/sim/RibbonDocument.h"
#include "platform/text/Text.h"

#include <fstream>
#include <sstream>

using namespace e2e;

namespace {

std::string Golden(const std::string& name) {
    std::ifstream in(std::string(LORVANE_TEST_DATA) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << "missing " << name;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Where two texts first differ, with the line around it.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    size_t line = expected.rfind('\n', at ? at - 1 : 0);
    line = line == std::string::npos ? 0 : line + 1;
    return "first difference at byte " + std::to_string(at) +
           "\n  expected: " + expected.substr(line, at - line + 40) +
           "\n  actual:   " + actual.substr(line, at - line + 40);
}

class RibbonCommand : public ::testing::Test {
protected:
    HostRun Ribbon(const std::string& id) const {
        return RunHost("--data " + machine.path + " ribbon " + id);
    }
    void ExpectDocument(const std::string& id, const std::string& golden) const {
        HostRun run = Ribbon(id);
        ASSERT_EQ(run.ExitCode, 0) << run.Output;
        std::string expected = Golden(golden);
        EXPECT_TRUE(run.Output == expected) << FirstDifference(expected, run.Output);
        std::vector<std::string> problems = sim::ValidateRibbonXml(text::Wide(run.Output));
        EXPECT_TRUE(problems.empty()) << problems.front();
    }

    TempPlatformHome machine;
};

TEST_F(RibbonCommand, TheNewMailWindowGetsTheWorkedExampleByteForByte) {
    ExpectDocument("Microsoft.Outlook.Mail.Compose", "ribbon-mail-compose.xml");
}

TEST_F(RibbonCommand, TheExplorerGetsItsOwnTab) {
    ExpectDocument("Microsoft.Outlook.Explorer", "ribbon-explorer.xml");
}

TEST_F(RibbonCommand, AWindowOfAnotherKindGetsAnEmptyRibbon) {
    HostRun run = Ribbon("Microsoft.Outlook.Mail.Read");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_EQ(run.Output,
              "<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
              "onLoad=\"RibbonLoaded_Callback\" loadImage=\"GetImages_Callback\">\r\n"
              "\t<ribbon>\r\n\t</ribbon>\r\n</customUI>");
}

TEST_F(RibbonCommand, TheIdentifierIsRequired) {
    HostRun run = RunHost("--data " + machine.path + " ribbon");
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Output.find("ribbon takes ID"), std::string::npos) << run.Output;
}

TEST(RibbonDemo, ShowsBothRibbonsAndAClickReachesTheAddIn) {
    HostRun run = RunHost("demo");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    for (const char* seen : {
             "== The add-in's ribbon in explorer on Personal Folders\\Inbox",
             "button \"About\" (adxRibbonButtonC0A4F1E2B3D5467890ABCDEF12345678)",
             "== The add-in's ribbon in new message \"Draft\"",
             "button \"Track + Send\" "
             "(adxRibbonSplitButton8067D16769B947FAB5967F6972A48538wrapped)",
             "\"There must be at least one name or distribution list in the To, Cc, or Bcc "
             "box.\"",
         })
        EXPECT_NE(run.Output.find(seen), std::string::npos) << seen << "\n" << run.Output;
}

} // namespace
