// Puts the node operations of TRwDOMNode on the interface table of a node
// class. Each node class derives from TRwDOMNode (its data) and from one
// facet over its most derived interface (IRwDOMElement, IRwDOMComment, ...),
// so a node carries exactly one interface table and answers every interface
// that its interface derives from, plus IRwExtraDOM, with the same pointer.
#pragma once

#include "platform/com/ComObject.h"
#include "xml/DomException.h"
#include "xml/DomNode.h"
#include "xml/DomNodeList.h"
#include "xml/DomWriter.h"

// Implements IUnknown and the IRwDOMNode slots of Itf for the node class Self.
template <class Itf, class Self> class TRwDOMNodeFacet : public Itf {
public:
    HRESULT QueryInterface(const GUID& iid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IRwExtraDOM || com_detail::Answers<Itf>(iid)) {
            *ppv = static_cast<Itf*>(this);
            Node().AddRefNode();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return Node().AddRefNode(); }
    ULONG Release() override { return Node().ReleaseNode(); }

    ComPtr<IRwDOMNode> GetDOMParent() override { RwRaiseNotImplemented("GetDOMParent"); }
    TRwDOMDocument* GetOwnerObject() override { return Node().OwnerDocument(); }
    TRwDOMNode* GetSelf() override { return &Node(); }
    int32_t GetIntID() override { return Node().Id(); }
    void SetDOMParent(IRwDOMNode*) override { RwRaiseNotImplemented("SetDOMParent"); }
    ComPtr<IRwDOMNode> InsertBefore(IRwDOMNode* newChild, IRwDOMNode* refChild) override {
        return Node().DoInsertBefore(newChild, refChild);
    }
    ComPtr<IRwDOMNode> ReplaceChild(IRwDOMNode*, IRwDOMNode*) override {
        RwRaiseNotImplemented("ReplaceChild");
    }
    ComPtr<IRwDOMNode> RemoveChild(IRwDOMNode* oldChild) override {
        return Node().DoRemoveChild(oldChild);
    }
    ComPtr<IRwDOMNode> AppendChild(IRwDOMNode* newChild) override {
        return Node().DoAppendChild(newChild);
    }
    bool HasChildNodes() override { return Node().ChildCount() > 0; }
    ComPtr<IRwDOMNode> CloneNode(bool) override { RwRaiseNotImplemented("CloneNode"); }
    void Normalize() override { RwRaiseNotImplemented("Normalize"); }
    bool IsSupported(std::u16string_view, std::u16string_view) override { return false; }
    bool HasAttributes() override { return Node().AttributeCount() > 0; }
    ComPtr<IRwDOMNamedNodeMap> GetAttributes() override {
        return ComPtr<IRwDOMNamedNodeMap>::Share(&Node().Attributes());
    }
    ComPtr<IRwDOMNodeList> GetChildNodes() override {
        return ComPtr<IRwDOMNodeList>::Share(&Node().Children());
    }
    ComPtr<IRwDOMNode> getFirstChild() override { return Node().DoGetFirstChild(); }
    ComPtr<IRwDOMNode> GetLastChild() override { return Node().DoGetLastChild(); }
    std::u16string GetLocalName() override { return Node().LocalName(); }
    std::u16string GetNamespaceURI() override { return Node().NamespaceURI(); }
    std::u16string GetNodeName() override { return Node().NodeName(); }
    uint16_t GetNodeType() override { return Node().NodeType(); }
    std::u16string GetNodeValue() override { return Node().DoGetNodeValue(); }
    Variant GetNodeVarValue() override { return Node().DoGetNodeVarValue(); }
    ComPtr<IRwDOMNode> GetParentNode() override { return Node().DoGetParentNode(); }
    std::u16string GetPrefix() override { return Node().Prefix(); }
    ComPtr<IRwDOMNode> GetPreviousSibling() override {
        RwRaiseNotImplemented("GetPreviousSibling");
    }
    ComPtr<IRwDOMDocument> GetOwnerDocument() override { return Node().DoGetOwnerDocument(); }
    void SetNodeValue(std::u16string_view value) override { Node().DoSetNodeValue(value); }
    void SetNodeVarValue(const Variant& value) override { Node().DoSetNodeVarValue(value); }
    void SetInternalNodeValue(std::u16string_view value) override { Node().AssignValue(value); }
    std::u16string GetXML() override { return RwNodeToXML(Node()); }
    std::u16string GetFormatXML(std::string_view lineBreak, std::string_view indent,
                                std::string_view indentUnit) override {
        return RwNodeToXML(Node(), lineBreak, indent, indentUnit);
    }
    std::string GetUTF8XML() override { return RwNodeToUTF8XML(Node()); }
    std::string GetUTF8FormatXML(std::string_view lineBreak, std::string_view indent,
                                 std::string_view indentUnit) override {
        return RwNodeToUTF8XML(Node(), lineBreak, indent, indentUnit);
    }

protected:
    TRwDOMNodeFacet() = default;
    ~TRwDOMNodeFacet() override = default;

    // The node object: the class that derives from both this facet and TRwDOMNode.
    TRwDOMNode& Node() noexcept { return static_cast<Self&>(*this); }
};
