// Typed values: variants written as XML text with their type beside them, and
// read back by that type or by a schema type name.
#include "DomTestSupport.h"

#include "platform/com/OleError.h"
#include "platform/rtl/Conversions.h"
#include "platform/text/Text.h"
#include "xml/RwXmlVariant.h"

using domtest::DomTest;

namespace {

class DomVarValue : public DomTest {};

TEST_F(DomVarValue, ValuesReadBackWithTheTypeTheyWereWrittenWith) {
    const struct {
        const char* what;
        Variant value;
        std::u16string text;
        std::u16string varType;
    } cases[] = {
        {"integer", Variant(42), u"42", u"3"},
        {"short", Variant(int16_t(-7)), u"-7", u"2"},
        {"byte", Variant(uint8_t(200)), u"200", u"17"},
        {"double", Variant(1.5), u"1.5", u"5"},
        {"Boolean", Variant(true), u"true", u"11"},
        {"text", Variant(u"a<b"), u"a&lt;b", u"8"},
        {"date", Variant::Date(45000.5), u"2023-03-15T12:00:00.000", u"7"},
        {"empty", Variant(), u"", u"0"},
    };
    for (const auto& c : cases) {
        auto element = doc_->CreateElement(u"e");
        element->SetNodeVarValue(c.value);
        EXPECT_EQ(element->GetSelf()->Value(), c.text) << c.what;
        EXPECT_EQ(element->GetAttribute(u"vartype"), c.varType) << c.what;
        Variant back = element->GetNodeVarValue();
        if (c.value.Type() == VT_I2 || c.value.Type() == VT_UI1) {
            EXPECT_EQ(back.Type(), VT_I4) << c.what;
            EXPECT_EQ(back.AsInteger(), c.value.AsInteger()) << c.what;
        } else {
            EXPECT_TRUE(back == c.value) << c.what << ": " << back.DebugText();
        }
    }
}

TEST_F(DomVarValue, ASchemaTypeNamesTheTypeWhenThereIsNoVarType) {
    auto element = doc_->CreateElement(u"e");
    element->SetAttribute(u"type", u"xs:int");
    element->SetNodeValue(u"12");
    EXPECT_TRUE(element->GetNodeVarValue() == Variant(12));
    element->SetAttribute(u"type", u"BOOLEAN");
    element->SetNodeValue(u"1");
    EXPECT_TRUE(element->GetNodeVarValue() == Variant(true));
}

TEST_F(DomVarValue, WithoutATypeTheValueIsTextUnescaped) {
    auto element = doc_->CreateElement(u"e");
    element->SetInternalNodeValue(u"x &amp; y");
    EXPECT_TRUE(element->GetNodeVarValue() == Variant(u"x & y"));
}

TEST_F(DomVarValue, OtherNodesHaveNoTypedValueAndGetNoVarType) {
    auto comment = doc_->CreateComment(u"c");
    EXPECT_TRUE(comment->GetNodeVarValue().IsEmpty());
    auto element = doc_->CreateElement(u"e");
    element->SetAttribute(u"a", u"");
    auto attribute = element->GetAttributeNode(u"a");
    attribute->SetNodeVarValue(Variant(5));
    EXPECT_EQ(attribute->GetValue(), u"5");
    EXPECT_FALSE(element->HasAttribute(u"vartype"));
}

TEST_F(DomVarValue, TypesThatAreNotUnderstoodRaise) {
    auto element = doc_->CreateElement(u"e");
    element->SetAttribute(u"type", u"xs:anyURI");
    try {
        element->GetNodeVarValue();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message,
                  "The given schematype xs:anyURI could not be converted to a valid VariantType!");
    }
    element->SetAttribute(u"vartype", u"three");
    EXPECT_THROW(element->GetNodeVarValue(), EConvertError);
    element->SetAttribute(u"vartype", u"13");
    try {
        element->GetNodeVarValue();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "RwXmlToVariant; invalid type");
    }
    try {
        element->SetNodeVarValue(Variant::Error(E_FAIL));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "RwVariantToXml; invalid variant type");
    }
    EXPECT_THROW(element->SetNodeVarValue(Variant(int64_t(1) << 40)), EOleSysError);
}

TEST_F(DomVarValue, AVarTypeBeyondSixteenBitsNamesNoType) {
    auto element = doc_->CreateElement(u"e");
    element->SetNodeValue(u"12");
    // Cut to 16 bits these would read as an integer.
    for (const char16_t* code : {u"65539", u"-65533"}) {
        element->SetAttribute(u"vartype", code);
        try {
            element->GetNodeVarValue();
            ADD_FAILURE() << "no exception for " << text::Narrow(code);
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "RwXmlToVariant; invalid type") << text::Narrow(code);
        }
    }
}

TEST(RwXmlVariant, SchemaTypeNamesGiveTheirVariantTypes) {
    const std::pair<std::u16string, VARTYPE> names[] = {
        {u"", VT_EMPTY},    {u"short", VT_I2},        {u"xs:int", VT_I4}, {u"Float", VT_R8},
        {u"double", VT_R8}, {u"date", VT_DATE},       {u"time", VT_DATE}, {u"boolean", VT_BOOL},
        {u"byte", VT_UI1},  {u"string", RwVarString},
    };
    for (const auto& [name, type] : names)
        EXPECT_EQ(RwSchemaTypeToVariantType(name), type) << text::Narrow(name);
    // Only the part before the first ":" is cut: "b:boolean" is no type.
    EXPECT_THROW(RwSchemaTypeToVariantType(u"a:b:boolean"), Exception);
}

TEST(RwXmlVariant, ByReferenceValuesAreWrittenAsTheValueTheyPointAt) {
    int32_t number = 9;
    EXPECT_EQ(RwVariantToXml(Variant::ByRef(&number)), u"9");
    EXPECT_EQ(RwVariantToXml(Variant::Null()), u"");
    EXPECT_EQ(RwVariantToXml(Variant::Currency(12345)), u"1.2345");
    EXPECT_TRUE(RwXmlToVariant(u"x", VT_NULL).IsNull());
    EXPECT_TRUE(RwXmlToVariant(u"&lt;", RwVarString) == Variant(u"<"));
}

} // namespace
