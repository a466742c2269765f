// The simulated ribbon host's reading and validation of custom UI documents.
#include "platform/sim/RibbonDocument.h"
#include "platform/text/Text.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

const char16_t* const ComposeRibbon =
    u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
    u"onLoad=\"RibbonLoaded_Callback\" loadImage=\"GetImages_Callback\">\r\n"
    u"\t<ribbon>\r\n"
    u"\t\t<tabs>\r\n"
    u"\t\t\t<tab getVisible=\"GetVisible_Callback\" idMso=\"TabNewMailMessage\">\r\n"
    u"\t\t\t\t<group id=\"G1\" getLabel=\"GetLabel_Callback\" "
    u"insertBeforeMso=\"GroupClipboard\">\r\n"
    u"\t\t\t\t\t<splitButton id=\"S1\" getSize=\"GetSize_Callback\">\r\n"
    u"\t\t\t\t\t\t<button id=\"S1wrapped\" getLabel=\"GetLabel_Callback\" "
    u"onAction=\"OnActionCommon_Callback\" />\r\n"
    u"\t\t\t\t\t\t<menu id=\"M1\">\r\n"
    u"\t\t\t\t\t\t\t<button id=\"B1\" label=\"First\" tag=\"one\" "
    u"onAction=\"OnActionCommon_Callback\" />\r\n"
    u"\t\t\t\t\t\t</menu>\r\n"
    u"\t\t\t\t\t</splitButton>\r\n"
    u"\t\t\t\t</group>\r\n"
    u"\t\t\t</tab>\r\n"
    u"\t\t</tabs>\r\n"
    u"\t</ribbon>\r\n"
    u"</customUI>";

} // namespace

TEST(RibbonDocument, KeepsElementsAttributesAndIdentifiers) {
    RibbonDocument doc(ComposeRibbon);
    EXPECT_EQ(doc.Root().Tag, "customUI");
    EXPECT_EQ(doc.Root().Attribute("onLoad"), "RibbonLoaded_Callback");
    ASSERT_EQ(doc.Elements().size(), 9u);

    const RibbonElement* tab = doc.FindControl("TabNewMailMessage");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->Tag, "tab");
    // Attributes stay in document order.
    ASSERT_EQ(tab->Attributes.size(), 2u);
    EXPECT_EQ(tab->Attributes[0].first, "getVisible");
    EXPECT_EQ(tab->Attributes[1].first, "idMso");

    const RibbonElement* inner = doc.FindControl("S1wrapped");
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Parent->Id(), "S1");
    EXPECT_EQ(doc.FindControl("B1")->Attribute("tag"), "one");
    EXPECT_EQ(doc.FindControl("b1"), nullptr) << "identifiers are compared exactly";
    EXPECT_EQ(doc.FindControl(""), nullptr);
}

TEST(RibbonDocument, ListsEachCallbackNameOnceInOrderOfAppearance) {
    RibbonDocument doc(ComposeRibbon);
    std::vector<std::string> expected = {"RibbonLoaded_Callback", "GetImages_Callback",
                                         "GetVisible_Callback",   "GetLabel_Callback",
                                         "GetSize_Callback",      "OnActionCommon_Callback"};
    EXPECT_EQ(doc.CallbackNames(), expected);
}

TEST(RibbonDocument, QualifiedIdentifierReportsItsLocalPart) {
    RibbonDocument doc(u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
                       u"xmlns:x=\"urn:addin\"><ribbon><tabs><tab idQ=\"x:Mine\" label=\"L\"/>"
                       u"</tabs></ribbon></customUI>");
    ASSERT_NE(doc.FindControl("Mine"), nullptr);
    EXPECT_EQ(doc.FindControl("Mine")->Attribute("idQ"), "x:Mine");
}

TEST(RibbonDocument, CallbackAttributesAreRecognisedByName) {
    for (const char* name : {"onLoad", "loadImage", "onAction", "onChange", "getLabel",
                             "getItemCount", "getShowImage"})
        EXPECT_TRUE(IsCallbackAttribute(name)) << name;
    for (const char* name : {"label", "id", "imageMso", "get", "getter", "tag", "onaction"})
        EXPECT_FALSE(IsCallbackAttribute(name)) << name;
}

TEST(RibbonDocument, UnreadableDocumentsAreRejectedWithAReason) {
    struct Case {
        const char16_t* xml;
        const char* reason;
    };
    const Case cases[] = {
        {u"", "not well formed"},
        {u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">",
         "not well formed"},
        {u"<customUI><ribbon/></customUI>", "root is not a customUI"},
        {u"<ribbon xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\"/>",
         "root is not a customUI"},
        {u"<customUI xmlns=\"urn:other\"/>", "root is not a customUI"},
        {u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
         u"a=\"1\" a=\"2\"/>",
         "not well formed"},
    };
    for (const Case& c : cases) {
        try {
            RibbonDocument doc(c.xml);
            ADD_FAILURE() << "accepted: " << text::Narrow(c.xml);
        } catch (const EHostFailure& e) {
            EXPECT_NE(e.Message.find(c.reason), std::string::npos) << e.Message;
        }
    }
}

TEST(RibbonDocument, DynamicMenuContentBecomesItsChildren) {
    RibbonDocument doc(u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
                       u"<ribbon><tabs><tab id=\"T\" label=\"T\"><group id=\"G\" label=\"G\">"
                       u"<dynamicMenu id=\"D\" label=\"D\" getContent=\"GetContent_Callback\"/>"
                       u"</group></tab></tabs></ribbon></customUI>");
    doc.SetDynamicContent(
        "D", u"<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
             u"<button id=\"X\" label=\"X\" onAction=\"OnActionCommon_Callback\"/></menu>");
    const RibbonElement* x = doc.FindControl("X");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Parent->Id(), "D");

    // New content replaces the old.
    doc.SetDynamicContent("D",
                          u"<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
                          u"<button id=\"Y\" label=\"Y\"/></menu>");
    EXPECT_EQ(doc.FindControl("X"), nullptr);
    EXPECT_NE(doc.FindControl("Y"), nullptr);

    EXPECT_THROW(doc.SetDynamicContent("G", u"<menu/>"), EHostFailure);
    EXPECT_THROW(doc.SetDynamicContent("D", u"<menu"), EHostFailure);
}

TEST(RibbonSchema, ValidDocumentHasNoProblems) {
    EXPECT_EQ(ValidateRibbonXml(ComposeRibbon), std::vector<std::string>{});
}

TEST(RibbonSchema, InvalidDocumentsReportTheirProblems) {
    const char16_t* const invalid[] = {
        // An unknown attribute.
        u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
        u"<ribbon><tabs><tab id=\"T\" colour=\"red\"/></tabs></ribbon></customUI>",
        // A button directly in a tab.
        u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
        u"<ribbon><tabs><tab id=\"T\"><button id=\"B\"/></tab></tabs></ribbon></customUI>",
        // A size that the schema does not know.
        u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
        u"<ribbon><tabs><tab id=\"T\"><group id=\"G\"><button id=\"B\" size=\"huge\"/>"
        u"</group></tab></tabs></ribbon></customUI>",
        // Not well formed.
        u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">",
    };
    for (const char16_t* xml : invalid) {
        std::vector<std::string> problems = ValidateRibbonXml(xml);
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(problems[0].rfind("line ", 0), 0u) << problems[0];
    }
}
