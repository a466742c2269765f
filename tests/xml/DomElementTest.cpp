// Elements and attributes: values held escaped, attributes found by local
// name, and the operations that the tree does not offer.
#include "DomTestSupport.h"

#include <functional>

using domtest::DomTest;

namespace {

class DomElement : public DomTest {};

TEST_F(DomElement, NodeValueIsHeldEscapedAndReturnedUnescaped) {
    auto element = doc_->CreateElement(u"folder");
    element->SetNodeValue(u"a<b");
    EXPECT_EQ(element->GetSelf()->Value(), u"a&lt;b");
    EXPECT_EQ(element->GetNodeValue(), u"a<b");
    EXPECT_EQ(element->GetXML(), u"<folder>a&lt;b</folder>");
}

TEST_F(DomElement, InternalNodeValueIsStoredAsGiven) {
    auto element = doc_->CreateElement(u"folder");
    element->SetInternalNodeValue(u"x &amp; y");
    EXPECT_EQ(element->GetXML(), u"<folder>x &amp; y</folder>");
    EXPECT_EQ(element->GetNodeValue(), u"x & y");
}

TEST_F(DomElement, SetAttributeTwiceChangesTheOneAttribute) {
    auto element = doc_->CreateElement(u"a");
    element->SetAttribute(u"id", u"1");
    element->SetAttribute(u"id", u"2");
    EXPECT_EQ(element->GetAttributes()->GetLength(), 1);
    EXPECT_EQ(element->GetAttribute(u"id"), u"2");
    EXPECT_TRUE(element->HasAttribute(u"id"));
    EXPECT_TRUE(element->HasAttributes());
}

TEST_F(DomElement, AttributesAreFoundByLocalNameAndKeepTheirFirstPrefix) {
    auto element = doc_->CreateElement(u"a");
    element->SetAttribute(u"a:x", u"1");
    element->SetAttribute(u"b:x", u"2");
    ASSERT_EQ(element->GetAttributes()->GetLength(), 1);
    auto attribute = element->GetAttributeNode(u"x");
    ASSERT_TRUE(attribute);
    EXPECT_EQ(attribute->GetNodeName(), u"a:x");
    EXPECT_EQ(attribute->GetBaseName(), u"x");
    EXPECT_EQ(attribute->GetValue(), u"2");
    EXPECT_EQ(element->GetXML(), u"<a a:x=\"2\"/>");
}

TEST_F(DomElement, AttributeValuesAreEscapedAndUnescaped) {
    auto element = doc_->CreateElement(u"a");
    element->SetAttribute(u"title", u"\"x\" & <y>");
    EXPECT_EQ(element->GetAttribute(u"title"), u"\"x\" & <y>");
    EXPECT_EQ(element->GetXML(), u"<a title=\"&quot;x&quot; &amp; &lt;y&gt;\"/>");
}

TEST_F(DomElement, MissingAttributesReadEmpty) {
    auto element = doc_->CreateElement(u"a");
    EXPECT_EQ(element->GetAttribute(u"none"), u"");
    EXPECT_EQ(element->GetAttributeNode(u"none"), nullptr);
    EXPECT_FALSE(element->HasAttribute(u"none"));
}

TEST_F(DomElement, SetAttributeNSKeepsPrefixAndNamespace) {
    auto element = doc_->CreateElement(u"a");
    element->SetAttributeNS(u"urn:x", u"p:name", u"v");
    auto attribute = element->GetAttributeNode(u"name");
    ASSERT_TRUE(attribute);
    EXPECT_EQ(attribute->GetPrefix(), u"p");
    EXPECT_EQ(attribute->GetNamespaceURI(), u"urn:x");
    EXPECT_FALSE(attribute->GetSpecified());
    EXPECT_EQ(attribute->GetNodeType(), RwNodeType::Attribute);
    EXPECT_EQ(attribute->GetParentNode(), nullptr);
}

TEST_F(DomElement, HasAttributeNSIsFalseWithoutAttributesAndOtherwiseNotImplemented) {
    auto element = doc_->CreateElement(u"a");
    EXPECT_FALSE(element->HasAttributeNS(u"", u"x"));
    element->SetAttribute(u"x", u"1");
    try {
        element->HasAttributeNS(u"", u"x");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "GetNamedItemNS is not implemented!");
    }
}

TEST_F(DomElement, AttributeValueSetThroughTheAttributeIsEscaped) {
    auto element = doc_->CreateElement(u"a");
    element->SetAttribute(u"x", u"1");
    auto attribute = element->GetAttributeNode(u"x");
    attribute->SetValue(u"<");
    EXPECT_EQ(element->GetXML(), u"<a x=\"&lt;\"/>");
}

TEST(DomException, EachCodeHasItsText) {
    const std::pair<int, const char*> texts[] = {
        {1, "Index out of range %d"},   {2, "DOM String size wrong"},
        {3, "Hierarchy request error"}, {4, "Wrong Document error"},
        {5, "Invalid character"},       {6, "No Data alowed error"},
        {7, "No modification alowed"},  {8, "Not found error"},
        {9, "Not supported error"},     {10, "Attribute in use"},
        {11, "Invalid state"},          {12, "Syntax error on Line:%d Pos:%d    : %s"},
        {13, "Invalid modification"},   {14, "Namespace error"},
        {15, "Invalid access error"},
    };
    for (const auto& [code, text] : texts)
        EXPECT_STREQ(RwDOMErrorText(code), text) << code;
    EXPECT_EQ(ERwDOMException(12, {3, 7, "bad"}).Message, "Syntax error on Line:3 Pos:7    : bad");
}

class DomNotImplemented : public DomTest {};

TEST_F(DomNotImplemented, OperationsNotOfferedRaiseWithTheirNames) {
    auto element = doc_->CreateElement(u"e");
    doc_->AppendChild(element.Get());
    element->SetAttribute(u"a", u"1");
    auto attribute = element->GetAttributeNode(u"a");
    auto comment = doc_->CreateComment(u"c");
    auto map = element->GetAttributes();
    IRwDOMNode* node = element.Get();

    const std::pair<const char*, std::function<void()>> cases[] = {
        {"GetDOMParent", [&] { node->GetDOMParent(); }},
        {"SetDOMParent", [&] { node->SetDOMParent(nullptr); }},
        {"ReplaceChild", [&] { node->ReplaceChild(nullptr, nullptr); }},
        {"CloneNode", [&] { node->CloneNode(true); }},
        {"Normalize", [&] { node->Normalize(); }},
        {"GetPreviousSibling", [&] { node->GetPreviousSibling(); }},
        {"CreateDocumentFragment", [&] { doc_->CreateDocumentFragment(); }},
        {"CreateTextNode", [&] { doc_->CreateTextNode(u"t"); }},
        {"CreateAttribute", [&] { doc_->CreateAttribute(u"a"); }},
        {"CreateAttributeNS", [&] { doc_->CreateAttributeNS(u"", u"a"); }},
        {"CreateEntityReference", [&] { doc_->CreateEntityReference(u"amp"); }},
        {"GetElementsByTagName", [&] { doc_->GetElementsByTagName(u"e"); }},
        {"GetElementsByTagNameNS", [&] { doc_->GetElementsByTagNameNS(u"", u"e"); }},
        {"ImportNode", [&] { doc_->ImportNode(node, true); }},
        {"GetElementById", [&] { doc_->GetElementById(u"x"); }},
        {"GetDocType", [&] { doc_->GetDocType(); }},
        {"GetDocumentElement", [&] { doc_->GetDocumentElement(); }},
        {"GetDOMImplementation", [&] { doc_->GetDOMImplementation(); }},
        {"RemoveAttribute", [&] { element->RemoveAttribute(u"a"); }},
        {"RemoveAttributeNS", [&] { element->RemoveAttributeNS(u"", u"a"); }},
        {"RemoveAttributeNode", [&] { element->RemoveAttributeNode(attribute.Get()); }},
        {"SetAttributeNode", [&] { element->SetAttributeNode(attribute.Get()); }},
        {"SetAttributeNodeNS", [&] { element->SetAttributeNodeNS(attribute.Get()); }},
        {"GetAttributeNS", [&] { element->GetAttributeNS(u"", u"a"); }},
        {"GetAttributeNodeNS", [&] { element->GetAttributeNodeNS(u"", u"a"); }},
        {"GetElementsByTagName", [&] { element->GetElementsByTagName(u"e"); }},
        {"GetElementsByTagNameNS", [&] { element->GetElementsByTagNameNS(u"", u"e"); }},
        {"GetTagName", [&] { element->GetTagName(); }},
        {"GetOwnerElement", [&] { attribute->GetOwnerElement(); }},
        {"SplitText", [&] { comment->SplitText(1); }},
        {"RemoveNamedItem", [&] { map->RemoveNamedItem(u"a"); }},
        {"GetNamedItemNS", [&] { map->GetNamedItemNS(u"", u"a"); }},
        {"SetNamedItemNS", [&] { map->SetNamedItemNS(attribute.Get()); }},
        {"RemoveNamedItemNS", [&] { map->RemoveNamedItemNS(u"", u"a"); }},
    };
    const std::u16string before = doc_->GetXML();
    for (const auto& [name, call] : cases) {
        try {
            call();
            ADD_FAILURE() << name << " did not raise";
        } catch (const ERwDOMException&) {
            ADD_FAILURE() << name << " raised a DOM error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, std::string(name) + " is not implemented!");
        }
    }
    EXPECT_EQ(doc_->GetXML(), before);
}

} // namespace
