// The interfaces of the XML document tree. Callers (the add-in's configuration
// file, the builder, the writer's tests) reach every node through them; the
// classes behind them live in the Dom*.h headers.
//
// Methods keep their slot order. Operations that the tree does not offer raise
// a plain Exception "<Name> is not implemented!"; index errors raise
// ERwDOMException. Results that are interfaces come back as owned references.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

#include <cstdint>
#include <string>
#include <string_view>

class TRwDOMNode;
class TRwDOMDocument;
struct IRwDOMDocument;
struct IRwDOMNodeList;
struct IRwDOMNamedNodeMap;
struct IRwDOMElement;
struct IRwDOMAttr;
struct IRwDOMComment;
struct IRwDOMCDataSection;
struct IRwProcessingInstruction;

// The node type codes that GetNodeType returns.
namespace RwNodeType {
inline constexpr uint16_t Node = 0;
inline constexpr uint16_t Element = 1;
inline constexpr uint16_t Attribute = 2;
inline constexpr uint16_t CharacterData = 3;
inline constexpr uint16_t CDataSection = 4;
inline constexpr uint16_t ProcessingInstruction = 7;
inline constexpr uint16_t Comment = 8;
inline constexpr uint16_t Document = 9;
} // namespace RwNodeType

// Every node of the tree.
struct IRwDOMNode : IUnknown {
    static constexpr GUID Iid = MakeGuid("{10CA8F19-70A7-4D4C-B10C-1FEA8F92E484}");

    // Not implemented.
    virtual ComPtr<IRwDOMNode> GetDOMParent() = 0;
    // The owner document's object (the document itself for a document).
    virtual TRwDOMDocument* GetOwnerObject() = 0;
    // The node's object behind the interface.
    virtual TRwDOMNode* GetSelf() = 0;
    // The node's id, unique within its document (the document has 1).
    virtual int32_t GetIntID() = 0;
    // Not implemented.
    virtual void SetDOMParent(IRwDOMNode* parent) = 0;
    // Inserts newChild before refChild in refChild's parent (at the end when
    // refChild is not found there; appends to this node when refChild is nil).
    virtual ComPtr<IRwDOMNode> InsertBefore(IRwDOMNode* newChild, IRwDOMNode* refChild) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> ReplaceChild(IRwDOMNode* newChild, IRwDOMNode* oldChild) = 0;
    // Takes oldChild out of this node's children, with its own subtree, and
    // returns it; nil when it is not a child of this node.
    virtual ComPtr<IRwDOMNode> RemoveChild(IRwDOMNode* oldChild) = 0;
    // Appends newChild (taken out of its earlier parent) and returns it.
    virtual ComPtr<IRwDOMNode> AppendChild(IRwDOMNode* newChild) = 0;
    // Whether the node has children.
    virtual bool HasChildNodes() = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> CloneNode(bool deep) = 0;
    // Not implemented.
    virtual void Normalize() = 0;
    // Always false.
    virtual bool IsSupported(std::u16string_view feature, std::u16string_view version) = 0;
    // Whether the node has attributes.
    virtual bool HasAttributes() = 0;
    // The attribute list, created empty on first use.
    virtual ComPtr<IRwDOMNamedNodeMap> GetAttributes() = 0;
    // The child list, created empty on first use.
    virtual ComPtr<IRwDOMNodeList> GetChildNodes() = 0;
    // The first child; ERwDOMException code 1 when there is none.
    virtual ComPtr<IRwDOMNode> getFirstChild() = 0;
    // The last child; ERwDOMException code 1 when there is none.
    virtual ComPtr<IRwDOMNode> GetLastChild() = 0;
    // The name without its prefix.
    virtual std::u16string GetLocalName() = 0;
    // The namespace URI (empty when none).
    virtual std::u16string GetNamespaceURI() = 0;
    // prefix ":" local name when a prefix is set, else the local name.
    virtual std::u16string GetNodeName() = 0;
    // One of the RwNodeType codes.
    virtual uint16_t GetNodeType() = 0;
    // The value, unescaped.
    virtual std::u16string GetNodeValue() = 0;
    // An element's value as a variant of the type its "vartype" or "type"
    // attribute names (a string without either); empty for other nodes.
    virtual Variant GetNodeVarValue() = 0;
    // The parent; nil for the document, attributes and nodes not in a tree.
    virtual ComPtr<IRwDOMNode> GetParentNode() = 0;
    // The prefix (empty when none).
    virtual std::u16string GetPrefix() = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> GetPreviousSibling() = 0;
    // The owner document (the document itself for a document).
    virtual ComPtr<IRwDOMDocument> GetOwnerDocument() = 0;
    // Sets the value, escaping it for XML.
    virtual void SetNodeValue(std::u16string_view value) = 0;
    // Sets the value from a variant; an element also gets "vartype".
    virtual void SetNodeVarValue(const Variant& value) = 0;
    // Sets the value as given, already in its escaped form.
    virtual void SetInternalNodeValue(std::u16string_view value) = 0;
    // The node and its subtree as XML text, without line breaks or indent.
    virtual std::u16string GetXML() = 0;
    // The node and its subtree as XML text, each line ended by lineBreak and
    // indented by indent plus one indentUnit per level.
    virtual std::u16string GetFormatXML(std::string_view lineBreak, std::string_view indent,
                                        std::string_view indentUnit) = 0;
    // GetXML as UTF-8.
    virtual std::string GetUTF8XML() = 0;
    // GetFormatXML as UTF-8.
    virtual std::string GetUTF8FormatXML(std::string_view lineBreak, std::string_view indent,
                                         std::string_view indentUnit) = 0;
};

// The library's own name for the node interface: every node answers it with
// the same table as IRwDOMNode.
inline constexpr GUID IID_IRwExtraDOM = MakeGuid("{416611A9-B97F-4733-852D-C2AC1E568698}");

// An ordered list of nodes: a node's children or its attributes.
struct IRwDOMNodeList : IUnknown {
    static constexpr GUID Iid = MakeGuid("{63B3541B-6470-4A13-A1B4-B8F5A8BF2786}");

    // The node at index; ERwDOMException code 1 outside 0 .. length - 1.
    virtual ComPtr<IRwDOMNode> Item(int32_t index) = 0;
    // The number of nodes.
    virtual int32_t GetLength() = 0;
};

// The same list, looked up by name.
struct IRwDOMNamedNodeMap : IUnknown {
    static constexpr GUID Iid = MakeGuid("{4D008461-A41A-4914-A135-3A5A76B6144D}");

    // The first node whose local name is name; nil when none.
    virtual ComPtr<IRwDOMNode> GetNamedItem(std::u16string_view name) = 0;
    // Appends node unless one of the same node name is there; returns the one kept.
    virtual ComPtr<IRwDOMNode> SetNamedItem(IRwDOMNode* node) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> RemoveNamedItem(std::u16string_view name) = 0;
    // The node at index; ERwDOMException code 1 outside 0 .. length - 1.
    virtual ComPtr<IRwDOMNode> Item(int32_t index) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> GetNamedItemNS(std::u16string_view namespaceURI,
                                              std::u16string_view localName) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> SetNamedItemNS(IRwDOMNode* node) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> RemoveNamedItemNS(std::u16string_view namespaceURI,
                                                 std::u16string_view localName) = 0;
    // The number of nodes.
    virtual int32_t GetLength() = 0;
};

// The document: creates the nodes of its tree.
struct IRwDOMDocument : IRwDOMNode {
    static constexpr GUID Iid = MakeGuid("{FA720A65-B64F-4D1F-B9D9-F98D0E065DA7}");
    using BaseInterface = IRwDOMNode;

    // A new element of this document, not yet in the tree.
    virtual ComPtr<IRwDOMElement> CreateElement(std::u16string_view tagName) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> CreateDocumentFragment() = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> CreateTextNode(std::u16string_view data) = 0;
    // A new comment of this document, not yet in the tree.
    virtual ComPtr<IRwDOMComment> CreateComment(std::u16string_view data) = 0;
    // A new CDATA section of this document, not yet in the tree.
    virtual ComPtr<IRwDOMCDataSection> CreateCDataSection(std::u16string_view data) = 0;
    // A processing instruction added at once to the document's children,
    // unless one of that target is there already: then that one is returned.
    virtual ComPtr<IRwProcessingInstruction>
    CreateProcessingInstruction(std::u16string_view target, std::u16string_view data) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMAttr> CreateAttribute(std::u16string_view name) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> CreateEntityReference(std::u16string_view name) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNodeList> GetElementsByTagName(std::u16string_view tagName) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> ImportNode(IRwDOMNode* node, bool deep) = 0;
    // A new element with a namespace URI; the qualified name is kept whole.
    virtual ComPtr<IRwDOMElement> CreateElementNS(std::u16string_view namespaceURI,
                                                  std::u16string_view qualifiedName) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMAttr> CreateAttributeNS(std::u16string_view namespaceURI,
                                                 std::u16string_view qualifiedName) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNodeList> GetElementsByTagNameNS(std::u16string_view namespaceURI,
                                                          std::u16string_view localName) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMElement> GetElementById(std::u16string_view elementId) = 0;
    // Not implemented.
    virtual ComPtr<IUnknown> GetDocType() = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMElement> GetDocumentElement() = 0;
    // Not implemented.
    virtual ComPtr<IUnknown> GetDOMImplementation() = 0;
};

// An element: a name, attributes, a text value and children.
struct IRwDOMElement : IRwDOMNode {
    static constexpr GUID Iid = MakeGuid("{62D16C5D-137D-444F-B4FD-88F0BC567227}");
    using BaseInterface = IRwDOMNode;

    // The unescaped value of the attribute of that local name; empty when none.
    virtual std::u16string GetAttribute(std::u16string_view name) = 0;
    // Sets (adding when needed) the attribute of that local name, escaping the value.
    virtual void SetAttribute(std::u16string_view name, std::u16string_view value) = 0;
    // Not implemented.
    virtual void RemoveAttribute(std::u16string_view name) = 0;
    // The attribute of that local name; nil when none.
    virtual ComPtr<IRwDOMAttr> GetAttributeNode(std::u16string_view name) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMAttr> SetAttributeNode(IRwDOMAttr* attr) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMAttr> RemoveAttributeNode(IRwDOMAttr* attr) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNodeList> GetElementsByTagName(std::u16string_view name) = 0;
    // Not implemented.
    virtual std::u16string GetAttributeNS(std::u16string_view namespaceURI,
                                          std::u16string_view localName) = 0;
    // Sets the attribute found by the local name of qualifiedName (split at
    // its first ":"), adding it with that prefix and URI when there is none.
    virtual void SetAttributeNS(std::u16string_view namespaceURI, std::u16string_view qualifiedName,
                                std::u16string_view value) = 0;
    // Not implemented.
    virtual void RemoveAttributeNS(std::u16string_view namespaceURI,
                                   std::u16string_view localName) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMAttr> GetAttributeNodeNS(std::u16string_view namespaceURI,
                                                  std::u16string_view localName) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMAttr> SetAttributeNodeNS(IRwDOMAttr* attr) = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNodeList> GetElementsByTagNameNS(std::u16string_view namespaceURI,
                                                          std::u16string_view localName) = 0;
    // Whether an attribute of that local name exists.
    virtual bool HasAttribute(std::u16string_view name) = 0;
    // False without attributes; otherwise raises as GetNamedItemNS does.
    virtual bool HasAttributeNS(std::u16string_view namespaceURI,
                                std::u16string_view localName) = 0;
    // Not implemented.
    virtual std::u16string GetTagName() = 0;
};

// An attribute of an element.
struct IRwDOMAttr : IRwDOMNode {
    static constexpr GUID Iid = MakeGuid("{A43DF46F-99E9-4B02-A51D-C28545E831BF}");
    using BaseInterface = IRwDOMNode;

    // The local name.
    virtual std::u16string GetBaseName() = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMElement> GetOwnerElement() = 0;
    // Always false.
    virtual bool GetSpecified() = 0;
    // The value, unescaped.
    virtual std::u16string GetValue() = 0;
    // Sets the value, escaping it for XML.
    virtual void SetValue(std::u16string_view value) = 0;
};

// Text held unescaped: comments and CDATA sections. Offsets are one-based and
// forgiving, as the class library's string routines take them.
struct IRwDOMCharacterData : IRwDOMNode {
    static constexpr GUID Iid = MakeGuid("{BD23DCA4-1C8F-4C6F-9319-8D33F27177EA}");
    using BaseInterface = IRwDOMNode;

    // count characters from offset.
    virtual std::u16string SubstringData(int32_t offset, int32_t count) = 0;
    // Appends text to the data.
    virtual void AppendData(std::u16string_view text) = 0;
    // Inserts text before offset (at the end past it).
    virtual void InsertData(int32_t offset, std::u16string_view text) = 0;
    // Deletes count characters from offset.
    virtual void DeleteData(int32_t offset, int32_t count) = 0;
    // Replaces count characters from offset by text.
    virtual void ReplaceData(int32_t offset, int32_t count, std::u16string_view text) = 0;
    // The data.
    virtual std::u16string GetData() = 0;
    // Replaces the data.
    virtual void SetData(std::u16string_view data) = 0;
    // The number of UTF-16 code units in the data.
    virtual int32_t GetLength() = 0;
    // Not implemented.
    virtual ComPtr<IRwDOMNode> SplitText(int32_t offset) = 0;
};

// Every character-data node answers this too, with the same table.
struct IRwDOMText : IRwDOMCharacterData {
    static constexpr GUID Iid = MakeGuid("{6241007C-10FF-47E1-AD7B-F59C4E9EB682}");
    using BaseInterface = IRwDOMCharacterData;
};

// A CDATA section: character data written inside <![CDATA[ ]]>.
struct IRwDOMCDataSection : IRwDOMText {
    static constexpr GUID Iid = MakeGuid("{80E67F63-6DDB-4800-B7BF-0675B823D418}");
    using BaseInterface = IRwDOMText;
};

// A comment: character data written inside <!-- -->.
struct IRwDOMComment : IRwDOMText {
    static constexpr GUID Iid = MakeGuid("{FE667DE3-4B42-4DAB-ABF2-AEBD466D6E04}");
    using BaseInterface = IRwDOMText;
};

// A processing instruction; at document level they carry the pseudo-attributes
// of the XML declaration (target "version", data "1.0").
struct IRwProcessingInstruction : IRwDOMNode {
    static constexpr GUID Iid = MakeGuid("{6517710F-40BF-4A5E-BA9B-4C10A3AC486F}");
    using BaseInterface = IRwDOMNode;

    // The target (the node's name).
    virtual std::u16string GetTarget() = 0;
    // The data.
    virtual std::u16string GetData() = 0;
    // Replaces the data.
    virtual void SetData(std::u16string_view data) = 0;
};
