// Reading and validating custom UI documents with libxml2.
#include "platform/sim/RibbonDocument.h"

#include "platform/rtl/FileUtils.h"
#include "platform/text/Text.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <mutex>

#ifndef LORVANE_CUSTOMUI_SCHEMA
#error "LORVANE_CUSTOMUI_SCHEMA must name the committed custom UI schema"
#endif

namespace sim {

namespace {

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

struct ParserFree {
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

std::string ToString(const xmlChar* s) {
    return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
}

// libxml2's message without its trailing line break.
std::string ErrorText(const xmlError* error) {
    if (!error || !error->message)
        return "unknown error";
    std::string message = error->message;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return "line " + std::to_string(error->line) + ": " + message;
}

// Parses UTF-16 text as a UTF-8 document; the network stays closed and
// entities are not expanded, since the text comes from an add-in. On failure
// the result is null and error holds libxml2's message with its line.
DocPtr TryParseXml(std::u16string_view xml, std::string& error) {
    xmlInitParser();
    std::string utf8 = text::Utf16ToUtf8(xml);
    std::unique_ptr<xmlParserCtxt, ParserFree> ctxt(xmlNewParserCtxt());
    if (!ctxt) {
        error = "out of memory";
        return nullptr;
    }
    DocPtr doc(xmlCtxtReadMemory(ctxt.get(), utf8.data(), static_cast<int>(utf8.size()), nullptr,
                                 "UTF-8",
                                 XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc || !ctxt->wellFormed) {
        error = ErrorText(xmlCtxtGetLastError(ctxt.get()));
        return nullptr;
    }
    return doc;
}

DocPtr ParseXml(std::u16string_view xml, const char* what) {
    std::string error;
    DocPtr doc = TryParseXml(xml, error);
    if (!doc)
        throw EHostFailure(std::string(what) + " is not well formed: " + error);
    return doc;
}

bool IsCustomUINamespace(const xmlNode* node) {
    if (!node->ns || !node->ns->href)
        return false;
    std::string href = ToString(node->ns->href);
    return href == CustomUINamespace || href == CustomUI2009Namespace;
}

std::string QualifiedName(const xmlAttr* attr) {
    std::string name = ToString(attr->name);
    if (attr->ns && attr->ns->prefix)
        return ToString(attr->ns->prefix) + ":" + name;
    return name;
}

std::unique_ptr<RibbonElement> Convert(xmlDoc* doc, const xmlNode* node, RibbonElement* parent) {
    auto element = std::make_unique<RibbonElement>();
    element->Tag = ToString(node->name);
    element->Parent = parent;
    for (const xmlAttr* attr = node->properties; attr; attr = attr->next) {
        xmlChar* value = xmlNodeListGetString(doc, attr->children, 1);
        element->Attributes.emplace_back(QualifiedName(attr), ToString(value));
        xmlFree(value);
    }
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            element->Children.push_back(Convert(doc, child, element.get()));
    }
    return element;
}

RibbonElement* FindDynamicMenu(RibbonElement& element, std::string_view id) {
    if (element.Tag == "dynamicMenu" && element.Id() == id)
        return &element;
    for (auto& child : element.Children) {
        if (RibbonElement* found = FindDynamicMenu(*child, id))
            return found;
    }
    return nullptr;
}

void Collect(const RibbonElement& element, std::vector<const RibbonElement*>& out) {
    out.push_back(&element);
    for (const auto& child : element.Children)
        Collect(*child, out);
}

} // namespace

const std::string* RibbonElement::Find(std::string_view name) const {
    for (const auto& [key, value] : Attributes) {
        if (key == name)
            return &value;
    }
    return nullptr;
}

std::string RibbonElement::Attribute(std::string_view name) const {
    const std::string* value = Find(name);
    return value ? *value : std::string();
}

std::string RibbonElement::Id() const {
    if (const std::string* id = Find("id"))
        return *id;
    if (const std::string* idMso = Find("idMso"))
        return *idMso;
    if (const std::string* idQ = Find("idQ")) {
        size_t colon = idQ->find(':');
        return colon == std::string::npos ? *idQ : idQ->substr(colon + 1);
    }
    return std::string();
}

bool IsCallbackAttribute(std::string_view name) {
    if (name == "onLoad" || name == "loadImage" || name == "onAction" || name == "onChange")
        return true;
    return name.size() > 3 && name.substr(0, 3) == "get" && name[3] >= 'A' && name[3] <= 'Z';
}

RibbonDocument::RibbonDocument(std::u16string_view xml) {
    DocPtr doc = ParseXml(xml, "The ribbon document");
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root || ToString(root->name) != "customUI" || !IsCustomUINamespace(root))
        throw EHostFailure("The ribbon document's root is not a customUI element of the custom "
                           "UI namespace");
    root_ = Convert(doc.get(), root, nullptr);
    namespace_ = ToString(root->ns->href);
    Reindex();
}

void RibbonDocument::Reindex() {
    elements_.clear();
    Collect(*root_, elements_);
}

const RibbonElement* RibbonDocument::FindControl(std::string_view id) const {
    if (id.empty())
        return nullptr;
    for (const RibbonElement* element : elements_) {
        if (element->Id() == id)
            return element;
    }
    return nullptr;
}

std::vector<std::string> RibbonDocument::CallbackNames() const {
    std::vector<std::string> names;
    for (const RibbonElement* element : elements_) {
        for (const auto& [attribute, value] : element->Attributes) {
            if (!IsCallbackAttribute(attribute) || value.empty())
                continue;
            bool known = false;
            for (const std::string& name : names)
                known = known || name == value;
            if (!known)
                names.push_back(value);
        }
    }
    return names;
}

void RibbonDocument::SetDynamicContent(std::string_view dynamicMenuId,
                                       std::u16string_view menuXml) {
    RibbonElement* target = FindDynamicMenu(*root_, dynamicMenuId);
    if (!target)
        throw EHostFailure("The ribbon has no dynamicMenu \"" + std::string(dynamicMenuId) + "\"");
    DocPtr doc = ParseXml(menuXml, "The dynamic menu's content");
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root || ToString(root->name) != "menu" || !IsCustomUINamespace(root))
        throw EHostFailure("The dynamic menu's content is not a menu element of the custom UI "
                           "namespace");
    std::unique_ptr<RibbonElement> menu = Convert(doc.get(), root, target);
    target->Children = std::move(menu->Children);
    for (auto& child : target->Children)
        child->Parent = target;
    Reindex();
}

const std::string& RibbonSchemaPath() {
    static const std::string path = LORVANE_CUSTOMUI_SCHEMA;
    return path;
}

namespace {

void CollectError(void* context, xmlErrorPtr error) {
    static_cast<std::vector<std::string>*>(context)->push_back(ErrorText(error));
}

// The schema's text without its annotations: they document each type for
// people and take no part in validation, but make up most of what parsing
// the schema costs (a host process that validates one ribbon pays it whole).
std::string SchemaWithoutAnnotations(std::string text) {
    const std::string open = "<xsd:annotation>", close = "</xsd:annotation>";
    std::string kept;
    kept.reserve(text.size());
    size_t from = 0;
    for (size_t at; (at = text.find(open, from)) != std::string::npos;) {
        size_t end = text.find(close, at);
        if (end == std::string::npos)
            break;
        kept.append(text, from, at - from);
        from = end + close.size();
    }
    kept.append(text, from, std::string::npos);
    return kept;
}

// The schema is read once per process: it is large, and every ribbon test
// validates several documents.
xmlSchema* CustomUISchema() {
    static std::once_flag once;
    static xmlSchema* schema = nullptr;
    std::call_once(once, [] {
        xmlInitParser();
        std::string text;
        try {
            text = SchemaWithoutAnnotations(ReadFileBytes(RibbonSchemaPath()));
        } catch (const Exception&) {
            return;
        }
        // The schema's own indentation is no content of it either. The
        // compiled schema points into its document, which stays as long.
        static DocPtr doc;
        doc.reset(xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8",
                                XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR |
                                    XML_PARSE_NOWARNING));
        if (!doc)
            return;
        std::vector<std::string> ignored;
        xmlSchemaParserCtxt* parser = xmlSchemaNewDocParserCtxt(doc.get());
        if (!parser)
            return;
        xmlSchemaSetParserStructuredErrors(parser, CollectError, &ignored);
        schema = xmlSchemaParse(parser);
        xmlSchemaFreeParserCtxt(parser);
    });
    return schema;
}

} // namespace

std::vector<std::string> ValidateRibbonXml(std::u16string_view xml) {
    xmlSchema* schema = CustomUISchema();
    if (!schema)
        throw EHostFailure("The custom UI schema cannot be read: " + RibbonSchemaPath());
    std::vector<std::string> problems;
    std::string error;
    DocPtr doc = TryParseXml(xml, error);
    if (!doc) {
        problems.push_back(error);
        return problems;
    }
    xmlSchemaValidCtxt* validator = xmlSchemaNewValidCtxt(schema);
    if (!validator)
        throw EHostFailure("The custom UI schema validator cannot be created");
    xmlSchemaSetValidStructuredErrors(validator, CollectError, &problems);
    int result = xmlSchemaValidateDoc(validator, doc.get());
    xmlSchemaFreeValidCtxt(validator);
    if (result != 0 && problems.empty())
        problems.push_back("the document does not follow the custom UI schema");
    return problems;
}

} // namespace sim
