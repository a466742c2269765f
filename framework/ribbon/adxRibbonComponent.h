// IadxRibbonComponent: how the framework reaches a ribbon tab or control
// without knowing its class. The module keeps every tab and control in its
// key list under its IdMso (or its Id when it has none); the ribbon document
// and the ribbon callbacks find them there and talk to them through this
// interface: the document asks for the element name, the attribute list and
// the children, the callbacks for the values a control shows, and actions
// are handed over with DoAction. Tabs (TadxRibbonTab) and controls
// (TadxRibbonCustomControl and its classes) implement it.
//
// It is an interface of plain C++: components are owned by their module, tab
// or collection and are never freed through it.
#pragma once

#include "framework/ribbon/RibbonTypes.h"
#include "framework/support/RibbonKinds.h"

#include <cstdint>
#include <memory>
#include <string>

class TBitmap;
class TStringList;
class TadxRibbonControls;

class IadxRibbonComponent {
public:
    // ---- what the document and the actions need ----

    // Acts on a click, a selection or a text change the host reported.
    virtual void DoAction(TadxRibbonActionArguments& Args) = 0;
    // Offers a value a callback is about to answer to the add-in's handler,
    // which may change it; ItemIndex is the item's index for item values, else -1.
    virtual void DoChangeProperty(TadxRibbonControlPropertyType PropertyType, Variant& Value,
                                  IDispatch* Context, int32_t ItemIndex) = 0;
    // The element name in the ribbon document ("tab", "button", ...).
    virtual std::string GetXmlType() = 0;
    // The element's attributes as "name=value" lines, in document order.
    virtual std::unique_ptr<TStringList> GetAttributes() = 0;
    // The child controls, or nullptr for a component without children.
    virtual TadxRibbonControls* GetControls() = 0;
    // The items of a combo box, drop-down or gallery, or nullptr.
    virtual TadxRibbonControls* GetItems() = 0;
    // The ribbon control type code (1 for a tab).
    virtual uint8_t GetType() = 0;

    // ---- the values the callbacks ask for, and their setters ----

    // The label.
    virtual std::u16string GetCaption() = 0;
    virtual void SetCaption(const std::u16string& Value) = 0;
    // The description a large menu item shows under its label.
    virtual std::u16string GetDescription() = 0;
    virtual void SetDescription(const std::u16string& Value) = 0;
    // Whether the user can use it.
    virtual bool GetEnabled() = 0;
    virtual void SetEnabled(bool Value) = 0;
    // The component's own id (its "id" in the ribbon document).
    virtual std::u16string GetID() = 0;
    virtual void SetID(const std::u16string& Value) = 0;
    // The id of the built-in tab or control the component stands for; empty for its own.
    virtual std::u16string GetIDMso() = 0;
    virtual void SetIDMso(const std::u16string& Value) = 0;
    // The entry of the tab's image list it shows; -1 for none.
    virtual int32_t GetImageIndex() = 0;
    virtual void SetImageIndex(int32_t Value) = 0;
    // The built-in image it shows.
    virtual std::u16string GetImageMso() = 0;
    virtual void SetImageMso(const std::u16string& Value) = 0;
    // Where it is placed among built-in or custom siblings.
    virtual std::u16string GetInsertAfterIdMso() = 0;
    virtual void SetInsertAfterIdMso(const std::u16string& Value) = 0;
    virtual std::u16string GetInsertAfterId() = 0;
    virtual void SetInsertAfterId(const std::u16string& Value) = 0;
    virtual std::u16string GetInsertBeforeIdMso() = 0;
    virtual void SetInsertBeforeIdMso(const std::u16string& Value) = 0;
    virtual std::u16string GetInsertBeforeId() = 0;
    virtual void SetInsertBeforeId(const std::u16string& Value) = 0;
    // The size of a gallery's items; -1 for the host's.
    virtual int32_t GetItemHeight() = 0;
    virtual void SetItemHeight(int32_t Value) = 0;
    virtual int32_t GetItemWidth() = 0;
    virtual void SetItemWidth(int32_t Value) = 0;
    // The glyph bitmap, or nullptr for a component without one.
    virtual TBitmap* GetGlyph() = 0;
    // The key tip (at most 3 characters).
    virtual std::u16string GetKeyTip() = 0;
    virtual void SetKeyTip(const std::u16string& Value) = 0;
    // The state of a toggle button or check box.
    virtual bool GetPressed() = 0;
    virtual void SetPressed(bool Value) = 0;
    // The kinds of window whose ribbon shows it.
    virtual TadxRibbons GetRibbons() = 0;
    virtual void SetRibbons(TadxRibbons Value) = 0;
    // The item selected in a drop-down or gallery.
    virtual std::u16string GetSelectedItemId() = 0;
    virtual void SetSelectedItemId(const std::u16string& Value) = 0;
    virtual int32_t GetSelectedItemIndex() = 0;
    virtual void SetSelectedItemIndex(int32_t Value) = 0;
    // The tool tip's title and body.
    virtual std::u16string GetScreenTip() = 0;
    virtual void SetScreenTip(const std::u16string& Value) = 0;
    // Whether the label is shown.
    virtual bool GetShowCaption() = 0;
    virtual void SetShowCaption(bool Value) = 0;
    // Regular or large.
    virtual TadxRibbonXControlSize GetSize() = 0;
    virtual void SetSize(TadxRibbonXControlSize Value) = 0;
    virtual std::u16string GetSuperTip() = 0;
    virtual void SetSuperTip(const std::u16string& Value) = 0;
    // The text of an edit box or combo box.
    virtual std::u16string GetText() = 0;
    virtual void SetText(const std::u16string& Value) = 0;
    // A menu's title (a menu separator's caption).
    virtual std::u16string GetTitle() = 0;
    // The content of a dynamic menu (a "menu" document); empty for others.
    virtual std::u16string GetContent() = 0;
    // Whether it is shown.
    virtual bool GetVisible() = 0;
    virtual void SetVisible(bool Value) = 0;

protected:
    ~IadxRibbonComponent() = default;
};
