// The simulated ribbon host's reading of a custom UI document.
//
// An add-in hands the host its ribbon as XML text (GetCustomUI). The host keeps
// the elements, their attributes and the callback names that the attributes
// name, and finds controls by identifier; the ribbon host (RibbonHost.h) then
// calls those callbacks. The text is read with libxml2, never with our
// own XML library, so that the two check each other.
#pragma once

#include "platform/sim/HostFailure.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sim {

// The namespace of the 2006 custom UI schema, which every document of our
// add-ins uses.
inline constexpr std::string_view CustomUINamespace =
    "http://schemas.microsoft.com/office/2006/01/customui";
// The namespace of the 2009 custom UI schema, which later hosts also read.
inline constexpr std::string_view CustomUI2009Namespace =
    "http://schemas.microsoft.com/office/2009/07/customui";

// One element of a ribbon document: its name, its attributes in document
// order, and its child elements.
class RibbonElement {
public:
    // The element's local name ("button", "group", "splitButton").
    std::string Tag;
    // The attributes as written (qualified name, value), in document order.
    std::vector<std::pair<std::string, std::string>> Attributes;
    // The enclosing element; null for the root.
    RibbonElement* Parent = nullptr;
    // The child elements in document order.
    std::vector<std::unique_ptr<RibbonElement>> Children;

    // The value of an attribute, or null when the element lacks it.
    const std::string* Find(std::string_view name) const;
    // The value of an attribute, or empty text when the element lacks it.
    std::string Attribute(std::string_view name) const;
    // True when the element carries the attribute.
    bool Has(std::string_view name) const { return Find(name) != nullptr; }
    // The identifier that IRibbonControl.Id reports for this control: "id",
    // else "idMso", else the local part of "idQ"; empty when it has none.
    std::string Id() const;
};

// True for an attribute whose value names a callback of the add-in ("onLoad",
// "loadImage", "onAction", "onChange" and every "get..." attribute).
bool IsCallbackAttribute(std::string_view name);

// A parsed custom UI document.
class RibbonDocument {
public:
    // Reads a document; raises EHostFailure with libxml2's message and line
    // when the text is not well formed or its root is not a customUI element
    // of a custom UI namespace.
    explicit RibbonDocument(std::u16string_view xml);

    // The customUI element.
    const RibbonElement& Root() const { return *root_; }
    // The namespace of the root (CustomUINamespace or CustomUI2009Namespace).
    const std::string& Namespace() const noexcept { return namespace_; }
    // Every element in document order, the root first (dynamic menu content
    // included once it was added).
    const std::vector<const RibbonElement*>& Elements() const { return elements_; }
    // The first element, in document order, whose Id() is id (exact case).
    const RibbonElement* FindControl(std::string_view id) const;
    // The distinct callback names named by the document's attributes, in the
    // order of their first appearance.
    std::vector<std::string> CallbackNames() const;
    // Replaces the children of the dynamic menu with that id by the controls
    // of the menu document its getContent callback returned; raises
    // EHostFailure for unreadable content or when no dynamicMenu has the id.
    void SetDynamicContent(std::string_view dynamicMenuId, std::u16string_view menuXml);

private:
    void Reindex();

    std::unique_ptr<RibbonElement> root_;
    std::string namespace_;
    std::vector<const RibbonElement*> elements_;
};

// The problems found when a ribbon document is validated against the custom
// UI schema (platform/sim/schemas/customUI.libxml2.xsd); empty when it is
// valid. Each problem names its line.
std::vector<std::string> ValidateRibbonXml(std::u16string_view xml);

// The full path of the custom UI schema that ValidateRibbonXml uses.
const std::string& RibbonSchemaPath();

} // namespace sim
