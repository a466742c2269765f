// The writer. It walks the tree with a stack of its own instead of recursing,
// so a tree of any depth is written without exhausting the call stack.
//
// Format, with LB the line break, IN the indent and IU the indent unit:
//   document   "<?xml " + its processing instructions, blank-separated + "?>" LB,
//              then its other children at indent IN
//   element    IN "<" name attributes "/>" LB                        no children, no value
//              IN "<" name attributes ">" value "</" name ">" LB      no children
//              IN "<" name attributes ">" content children IN "</" name ">" LB
//              where content is the value, or LB when the value is blank,
//              and the children are written at IN + IU
//   attribute  name "=\"" value "\""        processing instruction  target "=\"" data "\""
//   comment    IN "<!--" text "-->" LB      CDATA section  IN "<![CDATA[" text "]]>" LB
#include "xml/DomWriter.h"

#include "platform/text/Text.h"
#include "xml/DomCharacterData.h"
#include "xml/DomNodeList.h"
#include "xml/DomProcessingInstruction.h"
#include "xml/RwUtf8.h"

#include <vector>

namespace {

class TRwXMLWriter {
public:
    TRwXMLWriter(std::string_view lineBreak, std::string_view indent, std::string_view indentUnit)
        : lineBreak_(text::Wide(lineBreak)), indent_(text::Wide(indent)),
          indentUnit_(text::Wide(indentUnit)) {}

    // The text of node and its subtree.
    std::u16string Write(const TRwDOMNode& node) {
        if (node.NodeType() == RwNodeType::Document)
            WriteDocument(node);
        else
            WriteTree(node);
        return std::move(out_);
    }

private:
    void WriteDocument(const TRwDOMNode& document) {
        const TRwDOMNodeList* children = document.ChildList();
        if (!children)
            return;
        bool header = false;
        for (const TRwDOMNode* child : children->Nodes()) {
            if (child->NodeType() != RwNodeType::ProcessingInstruction)
                continue;
            out_ += header ? u" " : u"<?xml ";
            header = true;
            WriteLeaf(*child);
        }
        if (header) {
            out_ += u"?>";
            out_ += lineBreak_;
        }
        for (const TRwDOMNode* child : children->Nodes())
            if (child->NodeType() != RwNodeType::ProcessingInstruction)
                WriteTree(*child);
    }

    // An element with everything below it, or any other node.
    void WriteTree(const TRwDOMNode& root) {
        struct Open {
            const TRwDOMNode* element;
            size_t next; // the child to write next
        };
        std::vector<Open> open;
        auto enter = [&](const TRwDOMNode& node) {
            if (node.NodeType() != RwNodeType::Element)
                WriteLeaf(node);
            else if (StartElement(node)) {
                open.push_back({&node, 0});
                indent_ += indentUnit_;
            }
        };
        enter(root);
        while (!open.empty()) {
            const TRwDOMNode& element = *open.back().element;
            const auto& children = element.ChildList()->Nodes();
            if (open.back().next < children.size()) {
                enter(*children[open.back().next++]);
                continue;
            }
            indent_.resize(indent_.size() - indentUnit_.size());
            out_ += indent_;
            out_ += u"</";
            WriteName(element);
            out_ += u'>';
            out_ += lineBreak_;
            open.pop_back();
        }
    }

    // Writes an element up to its children; false when that was all of it.
    bool StartElement(const TRwDOMNode& element) {
        out_ += indent_;
        out_ += u'<';
        WriteName(element);
        if (const TRwDOMNodeList* attributes = element.AttributeList()) {
            for (const TRwDOMNode* attribute : attributes->Nodes()) {
                out_ += u' ';
                WriteLeaf(*attribute);
            }
        }
        const std::u16string_view value = element.Value();
        if (element.ChildCount() > 0) {
            out_ += u'>';
            if (RwIsBlank(value))
                out_ += lineBreak_;
            else
                out_ += value;
            return true;
        }
        if (value.empty()) {
            out_ += u"/>";
        } else {
            out_ += u'>';
            out_ += value;
            out_ += u"</";
            WriteName(element);
            out_ += u'>';
        }
        out_ += lineBreak_;
        return false;
    }

    // Every node but elements and documents, which have no subtree to write.
    void WriteLeaf(const TRwDOMNode& node) {
        switch (node.NodeType()) {
        case RwNodeType::Attribute:
            WriteName(node);
            WriteQuoted(node.Value());
            break;
        case RwNodeType::ProcessingInstruction:
            WriteName(node);
            WriteQuoted(static_cast<const TRwProcessingInstruction&>(node).Data());
            break;
        case RwNodeType::Comment:
            WriteMarkup(u"<!--", static_cast<const TRwDOMCharacterData&>(node).Data(), u"-->");
            break;
        case RwNodeType::CDataSection:
            WriteMarkup(u"<![CDATA[", static_cast<const TRwDOMCharacterData&>(node).Data(), u"]]>");
            break;
        default:
            break;
        }
    }

    void WriteName(const TRwDOMNode& node) {
        if (!node.Prefix().empty()) {
            out_ += node.Prefix();
            out_ += u':';
        }
        out_ += node.LocalName();
    }

    void WriteQuoted(std::u16string_view value) {
        out_ += u"=\"";
        out_ += value;
        out_ += u'"';
    }

    void WriteMarkup(std::u16string_view open, std::u16string_view text,
                     std::u16string_view close) {
        out_ += indent_;
        out_ += open;
        out_ += text;
        out_ += close;
        out_ += lineBreak_;
    }

    std::u16string lineBreak_;
    std::u16string indent_; // grows by one unit per open element
    std::u16string indentUnit_;
    std::u16string out_;
};

} // namespace

bool RwIsBlank(std::u16string_view text) noexcept {
    for (char16_t c : text)
        if (c > u' ')
            return false;
    return true;
}

std::u16string RwNodeToXML(const TRwDOMNode& node, std::string_view lineBreak,
                           std::string_view indent, std::string_view indentUnit) {
    return TRwXMLWriter(lineBreak, indent, indentUnit).Write(node);
}

std::string RwNodeToUTF8XML(const TRwDOMNode& node, std::string_view lineBreak,
                            std::string_view indent, std::string_view indentUnit) {
    // Characters above U+FFFF become one four-byte sequence each.
    return UTF8Encode(RwNodeToXML(node, lineBreak, indent, indentUnit));
}
