// Building the attribute list of a ribbon element: the "name=value" lines
// that the ribbon document writes into the element, in order. The building
// blocks the tab and every control class share live here: the id forms, the
// one insertion attribute, the image attributes, the built-in head and the
// callback attributes with the callback names of RibbonCallbackTable.h. A pair whose
// value is empty is never put in the list.
#pragma once

#include "framework/ribbon/RibbonCallbackTable.h"
#include "framework/ribbon/adxRibbonComponent.h"
#include "platform/rtl/StringList.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

// The ribbon document's namespace (the custom UI schema of 2006/01).
inline constexpr char16_t adxCustomUINamespace[] =
    u"http://schemas.microsoft.com/office/2006/01/customui";

class TadxAttributeList {
public:
    // The list of component, a tab or control of a module with that namespace.
    TadxAttributeList(IadxRibbonComponent& component, std::u16string ns);

    // name = value, unless value is empty.
    TadxAttributeList& Put(std::string_view name, std::u16string_view value);
    TadxAttributeList& Put(std::string_view name, std::string_view value);
    TadxAttributeList& Put(std::string_view name, const char* value) {
        return Put(name, std::string_view(value));
    }
    // name = "true" or "false".
    TadxAttributeList& Bool(std::string_view name, bool value);
    // The callback attribute (getLabel and the rest) with its fixed callback name.
    TadxAttributeList& Callback(std::string_view attribute);
    // Several callback attributes in order.
    TadxAttributeList& Callbacks(std::initializer_list<std::string_view> attributes);

    // "idQ" = "default:" + Id with a namespace, else "id" = Id.
    TadxAttributeList& Id();
    // "idQ" = "shared:" + Id.
    TadxAttributeList& SharedId();
    // The first non-empty of insertAfterMso, insertBeforeMso, insertAfterQ, insertBeforeQ.
    TadxAttributeList& Insert();
    // "getImage" when the component has a glyph or an image index.
    TadxAttributeList& Image();
    // "imageMso" = ImageMso.
    TadxAttributeList& ImageMso();
    // "idMso" = IdMso; true when the list ends there (the owner is built-in too).
    bool BuiltInHead(const std::u16string& parentIdMso);

    // True when the module has a namespace.
    bool HasNamespace() const { return !ns_.empty(); }
    // The list built.
    std::unique_ptr<TStringList> Take() { return std::move(list_); }

private:
    IadxRibbonComponent& component_;
    std::u16string ns_;
    std::unique_ptr<TStringList> list_;
};

// True when the component has a glyph that holds an image.
bool adxHasGlyph(IadxRibbonComponent& component);
