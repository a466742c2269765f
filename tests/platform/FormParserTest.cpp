// The stored-form parser: every element of the notation, and malformed texts
// refused with the form's name and the line.
#include "platform/forms/FormParser.h"
#include "platform/forms/FormErrors.h"

#include <gtest/gtest.h>

#include <string>

using namespace forms;

namespace {

FormObject Parse(const std::string& text) {
    return ParseForm(text, "TTestForm");
}

const FormValue& ValueOf(const FormObject& object, const std::string& name) {
    for (const auto& p : object.Properties)
        if (p.Name == name)
            return p.Value;
    throw std::runtime_error("no property " + name);
}

} // namespace

TEST(FormParser, ObjectHeaderNestingAndLines) {
    FormObject root = Parse("object Module: TModule\n"
                            "  Tag = 1\n"
                            "  object Timer1: TTimer\n"
                            "    object Inner: TThing\n"
                            "    end\n"
                            "  end\n"
                            "  object TAnonymous\n"
                            "  end\n"
                            "end\n");
    EXPECT_EQ(root.Name, "Module");
    EXPECT_EQ(root.ClassName, "TModule");
    EXPECT_EQ(root.Line, 1);
    ASSERT_EQ(root.Properties.size(), 1u);
    EXPECT_EQ(root.Properties[0].Line, 2);
    ASSERT_EQ(root.Children.size(), 2u);
    EXPECT_EQ(root.Children[0].Name, "Timer1");
    EXPECT_EQ(root.Children[0].Line, 3);
    ASSERT_EQ(root.Children[0].Children.size(), 1u);
    EXPECT_EQ(root.Children[0].Children[0].ClassName, "TThing");
    EXPECT_EQ(root.Children[1].Name, "");
    EXPECT_EQ(root.Children[1].ClassName, "TAnonymous");
}

TEST(FormParser, TheRootAloneStopsAtItsFirstNestedObject) {
    // What follows the root's properties is not parsed, malformed or not.
    FormObject root = ParseFormRoot("object Module: TModule\n"
                                    "  Tag = 1\n"
                                    "  Hosts = [a, b]\n"
                                    "  object Timer1: TTimer\n"
                                    "    Interval = = =\n",
                                    "TTestForm");
    EXPECT_EQ(root.Name, "Module");
    EXPECT_EQ(root.ClassName, "TModule");
    ASSERT_EQ(root.Properties.size(), 2u);
    EXPECT_EQ(root.Properties[1].Name, "Hosts");
    EXPECT_EQ(root.Properties[1].Line, 3);
    EXPECT_TRUE(root.Children.empty());
    EXPECT_EQ(ParseFormRoot("object M: TM\nend\n", "TTestForm").Properties.size(), 0u);
    // Malformed properties of the root are refused as ParseForm refuses them.
    try {
        ParseFormRoot("object M: TM\n  Tag = \n  object T: TThing\n  end\nend", "TTestForm");
        FAIL() << "accepted";
    } catch (const EParserError& e) {
        EXPECT_NE(e.Message.find("TTestForm"), std::string::npos) << e.Message;
    }
}

TEST(FormParser, KeywordsIgnoreLetterCase) {
    FormObject root = Parse("OBJECT A: TA\n Object B: TB End\nEND");
    EXPECT_EQ(root.Children.size(), 1u);
}

TEST(FormParser, StringsJoinPiecesCodesAndContinuations) {
    FormObject root = Parse("object A: TA\n"
                            "  S1 = 'Track +'#13#10'Send'\n"
                            "  S2 = 'It''s' + \n"
                            "    ' joined'\n"
                            "  S3 = #$41#66'c'\n"
                            "  S4 = ''\n"
                            "  S5 = 'Gr\xC3\xBC\xC3\x9F"
                            "e '#8364\n"
                            "  S6 = #55357#56832\n"
                            "  S7 = #55357'x'\n"
                            "  S8 = 'a'#0'b'\n"
                            "end");
    EXPECT_EQ(ValueOf(root, "S1").Text, "Track +\r\nSend");
    EXPECT_EQ(ValueOf(root, "S1").Type, FormValue::Kind::String);
    EXPECT_EQ(ValueOf(root, "S2").Text, "It's joined");
    EXPECT_EQ(ValueOf(root, "S3").Text, "ABc");
    EXPECT_EQ(ValueOf(root, "S4").Text, "");
    EXPECT_EQ(ValueOf(root, "S4").Type, FormValue::Kind::String);
    EXPECT_EQ(ValueOf(root, "S5").Text, "Gr\xC3\xBC\xC3\x9F"
                                        "e \xE2\x82\xAC");
    EXPECT_EQ(ValueOf(root, "S6").Text, "\xF0\x9F\x98\x80");
    EXPECT_EQ(ValueOf(root, "S7").Text, "\xEF\xBF\xBDx");
    EXPECT_EQ(ValueOf(root, "S8").Text, std::string("a\0b", 3));
}

TEST(FormParser, NumbersInDecimalHexNegativeAndFloat) {
    FormObject root = Parse("object A: TA\n"
                            "  I1 = 12\n I2 = -3\n I3 = $FF\n I4 = -$10\n I5 = $80003F\n"
                            "  I6 = 9223372036854775807\n I7 = $FFFFFFFF\n"
                            "  F1 = 1.5\n F2 = -2.25E2\n F3 = 3E-1\n F4 = 1.000000000000000000s\n"
                            "end");
    EXPECT_EQ(ValueOf(root, "I1").Integer, 12);
    EXPECT_EQ(ValueOf(root, "I2").Integer, -3);
    EXPECT_EQ(ValueOf(root, "I3").Integer, 255);
    EXPECT_EQ(ValueOf(root, "I4").Integer, -16);
    EXPECT_EQ(ValueOf(root, "I5").Integer, 0x80003F);
    EXPECT_EQ(ValueOf(root, "I6").Integer, INT64_MAX);
    EXPECT_EQ(ValueOf(root, "I7").Integer, 0xFFFFFFFFll);
    EXPECT_EQ(ValueOf(root, "I1").Type, FormValue::Kind::Integer);
    EXPECT_EQ(ValueOf(root, "F1").Type, FormValue::Kind::Float);
    EXPECT_DOUBLE_EQ(ValueOf(root, "F1").Float, 1.5);
    EXPECT_DOUBLE_EQ(ValueOf(root, "F2").Float, -225.0);
    EXPECT_DOUBLE_EQ(ValueOf(root, "F3").Float, 0.3);
    EXPECT_DOUBLE_EQ(ValueOf(root, "F4").Float, 1.0);
}

TEST(FormParser, IdentifiersSetsListsAndDottedNames) {
    FormObject root = Parse("object A: TA\n"
                            "  Enabled = False\n"
                            "  Images = Owner.ImageList1\n"
                            "  Font.Style = [fsBold, fsItalic]\n"
                            "  Empty = []\n"
                            "  Bytes = [0, 7]\n"
                            "  Lines.Strings = (\n    'a'\n    'b' + 'c'\n    12)\n"
                            "end");
    EXPECT_EQ(ValueOf(root, "Enabled").Type, FormValue::Kind::Identifier);
    EXPECT_EQ(ValueOf(root, "Enabled").Text, "False");
    EXPECT_EQ(ValueOf(root, "Images").Text, "Owner.ImageList1");
    const FormValue& style = ValueOf(root, "Font.Style");
    EXPECT_EQ(style.Type, FormValue::Kind::Set);
    EXPECT_EQ(style.Elements, (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(ValueOf(root, "Empty").Elements.empty());
    EXPECT_EQ(ValueOf(root, "Bytes").Elements, (std::vector<std::string>{"0", "7"}));
    const FormValue& lines = ValueOf(root, "Lines.Strings");
    ASSERT_EQ(lines.Items.size(), 3u);
    EXPECT_EQ(lines.Items[0].Text, "a");
    EXPECT_EQ(lines.Items[1].Text, "bc");
    EXPECT_EQ(lines.Items[2].Integer, 12);
}

TEST(FormParser, BinaryDataSpansLines) {
    FormObject root = Parse("object A: TA\n"
                            "  ControlTypes = {\n"
                            "    03000000080000000700\n"
                            "    0000 07 000000}\n"
                            "  Empty = {}\n"
                            "  After = 1\n"
                            "end");
    const FormValue& v = ValueOf(root, "ControlTypes");
    EXPECT_EQ(v.Type, FormValue::Kind::Binary);
    EXPECT_EQ(v.Bytes, (std::vector<uint8_t>{3, 0, 0, 0, 8, 0, 0, 0, 7, 0, 0, 0, 7, 0, 0, 0}));
    EXPECT_TRUE(ValueOf(root, "Empty").Bytes.empty());
    ASSERT_EQ(root.Properties.size(), 3u);
    EXPECT_EQ(root.Properties[2].Line, 6);
}

TEST(FormParser, CollectionsWithItemsIndexesAndNesting) {
    FormObject root = Parse("object A: TA\n"
                            "  Controls_ = <\n"
                            "    item\n"
                            "      Caption = 'Group'\n"
                            "      Controls_ = <\n"
                            "        item [0]\n"
                            "          Tag = 6\n"
                            "        end>\n"
                            "    end\n"
                            "    item[3]\n"
                            "    end>\n"
                            "  None = <>\n"
                            "end");
    const FormValue& c = ValueOf(root, "Controls_");
    ASSERT_EQ(c.Type, FormValue::Kind::Collection);
    ASSERT_EQ(c.CollectionItems.size(), 2u);
    EXPECT_EQ(c.CollectionItems[0].Index, -1);
    EXPECT_EQ(c.CollectionItems[0].Line, 3);
    EXPECT_EQ(c.CollectionItems[1].Index, 3);
    EXPECT_TRUE(c.CollectionItems[1].Properties.empty());
    const auto& inner = c.CollectionItems[0].Properties[1].Value;
    ASSERT_EQ(inner.CollectionItems.size(), 1u);
    EXPECT_EQ(inner.CollectionItems[0].Index, 0);
    EXPECT_EQ(inner.CollectionItems[0].Properties[0].Value.Integer, 6);
    EXPECT_TRUE(ValueOf(root, "None").CollectionItems.empty());
}

struct BadForm {
    const char* name;
    const char* text;
    int line;
    const char* message;
};

// Test names show the case's name instead of its bytes.
void PrintTo(const BadForm& bad, std::ostream* os) {
    *os << bad.name;
}

class FormParserBad : public ::testing::TestWithParam<BadForm> {};

TEST_P(FormParserBad, IsRefusedWithFormAndLine) {
    const BadForm& bad = GetParam();
    try {
        Parse(bad.text);
        FAIL() << "accepted: " << bad.text;
    } catch (const EParserError& e) {
        EXPECT_EQ(e.Line, bad.line) << e.Message;
        EXPECT_EQ(e.FormName, "TTestForm");
        EXPECT_NE(e.Message.find(bad.message), std::string::npos) << e.Message;
        EXPECT_NE(e.Message.find("(form TTestForm, line " + std::to_string(bad.line) + ")"),
                  std::string::npos)
            << e.Message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormParserBad,
    ::testing::Values(
        BadForm{"EmptyText", "", 1, "'object' expected but end of text found"},
        BadForm{"NoObjectKeyword", "objekt A: TA end", 1, "'object' expected"},
        BadForm{"NoClassName", "object A: end", 1, "Class name expected but 'end' found"},
        BadForm{"UnclosedObject", "object A: TA\n  X = 1\n", 3,
                "Property name expected but end of text found"},
        BadForm{"TextAfterRoot", "object A: TA\nend\nobject B: TB end", 3, "end of text expected"},
        BadForm{"NoEquals", "object A: TA\n  X 1\nend", 2, "'=' expected"},
        BadForm{"NoValue", "object A: TA\n  X =\nend", 3,
                "Property value expected but 'end' found"},
        BadForm{"UnterminatedString", "object A: TA\n  X = 'abc\nend", 2, "Unterminated string"},
        BadForm{"PlusWithoutString", "object A: TA\n  X = 'a' + 1\nend", 2, "String expected"},
        BadForm{"HashWithoutCode", "object A: TA\n  X = #\nend", 2, "Character code expected"},
        BadForm{"CodeBeyondUnicode", "object A: TA\n  X = #1114112\nend", 2,
                "Invalid character code"},
        BadForm{"LettersAfterNumber", "object A: TA\n  X = 12abc\nend", 2, "Invalid number"},
        BadForm{"DollarWithoutDigits", "object A: TA\n  X = $\nend", 2,
                "Hexadecimal digit expected"},
        BadForm{"HexTooLarge", "object A: TA\n  X = $1FFFFFFFFFFFFFFFF\nend", 2, "too large"},
        BadForm{"DecimalTooLarge", "object A: TA\n  X = 99999999999999999999\nend", 2,
                "out of range"},
        BadForm{"SetWithoutComma", "object A: TA\n  X = [a b]\nend", 2, "',' expected"},
        BadForm{"UnclosedSet", "object A: TA\n  X = [a,\nend", 3, "Set element expected"},
        BadForm{"UnclosedList", "object A: TA\n  X = ('a'\nend", 3, "Property value expected"},
        BadForm{"CollectionWithoutItem", "object A: TA\n  X = <\n  Y = 1\n>\nend", 3,
                "'item' expected"},
        BadForm{"ItemIndexNotNumber", "object A: TA\n  X = < item [a] end >\nend", 2,
                "Item index expected"},
        BadForm{"ItemIndexNegative", "object A: TA\n  X = < item [-1] end >\nend", 2,
                "Item index expected"},
        BadForm{"OddHexDigits", "object A: TA\n  X = {0A0\n}\nend", 2, "hexadecimal digit pairs"},
        BadForm{"NonHexDigit", "object A: TA\n  X = {0A 0G}\nend", 2, "hexadecimal digit pairs"},
        BadForm{"UnclosedBinary", "object A: TA\n  X = {0A\n\n", 2, "binary data not closed"},
        BadForm{"UnknownSymbol", "object A: TA\n  X = ;\nend", 2, "Invalid character ';'"},
        BadForm{"ControlCharacter", "object A: TA\n  X = \x01\nend", 2, "Invalid character code 1"},
        BadForm{"PropertyAfterChild", "object A: TA\n  object B: TB\n  end\n  Y = 1\nend", 4,
                "'end' expected"},
        BadForm{"InheritedObject", "inherited A: TA\nend", 1,
                "'inherited' objects are not supported"},
        BadForm{"DotWithoutName", "object A: TA\n  X.= 1\nend", 2, "Property name expected"}));

TEST(FormParser, DeepNestingIsRefusedNotOverflowed) {
    std::string deep = "object A: TA\n X = ";
    for (int i = 0; i < 10000; ++i)
        deep += "(";
    EXPECT_THROW(Parse(deep), EParserError);
    std::string objects;
    for (int i = 0; i < 10000; ++i)
        objects += "object A: TA\n";
    EXPECT_THROW(Parse(objects), EParserError);
    std::string collections = "object A: TA\n";
    for (int i = 0; i < 10000; ++i)
        collections += " X = < item\n";
    EXPECT_THROW(Parse(collections), EParserError);
}

TEST(FormParser, NestingUpToTheLimitIsRead) {
    std::string text = "object A: TA\n X = ";
    for (int i = 0; i < kMaxFormNesting - 1; ++i)
        text += "(";
    for (int i = 0; i < kMaxFormNesting - 1; ++i)
        text += ")";
    text += "\nend";
    EXPECT_NO_THROW(Parse(text));
}
