// TadxRibbonCustomControl: the base of every ribbon element below a tab
// (group, button, menu, item, ...). A control is an item of a ribbon
// controls collection owned by its tab or by the control that contains it;
// it holds every property any ribbon control can have (each class publishes
// its own subset), answers IadxRibbonComponent for the ribbon document and
// the callbacks, keeps its entry in the module's key list under its IdMso
// (or its Id), and asks the host to query it again (Invalidate) when a
// property it shows really changes.
//
// Through its root tab a control reaches the module: the host's IRibbonUI,
// the Namespace, the key list and DoError. While the module is being
// destroyed its lists are gone; a control then leaves them alone.
#pragma once

#include "framework/ribbon/adxRibbonComponent.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Lifetime.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <string>

class TadxModuleServices;
class TadxRibbonTab;
class TadxRibbonControls;
class TadxRibbonGroup;
class TadxRibbonButton;
class TadxRibbonSplitButton;
class TBitmap;

class TadxRibbonCustomControl : public TCollectionItem, public IadxRibbonComponent {
public:
    // A control in Collection with the defaults, its Ribbons taken from the
    // collection's owner, registered in the module's key list.
    explicit TadxRibbonCustomControl(TCollection* Collection);
    // Leaves the key list and the collection.
    ~TadxRibbonCustomControl() override;

    // The control's life: a handler of the add-in may free the control (or
    // the whole module); whoever goes on with it afterwards watches it.
    const rtl::TLiveness& Liveness() const noexcept { return liveness_; }

    // ---- IadxRibbonComponent: what each class answers ----

    // Nothing by default.
    void DoAction(TadxRibbonActionArguments& Args) override;
    // Hands the value to OnPropertyChanging (guarded: its exception goes to DoError).
    void DoChangeProperty(TadxRibbonControlPropertyType PropertyType, Variant& Value,
                          IDispatch* Context, int32_t ItemIndex) override;
    // Empty by default.
    std::string GetXmlType() override;
    // An empty list by default.
    std::unique_ptr<TStringList> GetAttributes() override;
    // None by default.
    TadxRibbonControls* GetControls() override;
    TadxRibbonControls* GetItems() override;
    // 16 by default.
    uint8_t GetType() override;
    // The menu title by default.
    std::u16string GetTitle() override;
    // Empty by default.
    std::u16string GetContent() override;

    // ---- IadxRibbonComponent: the properties ----

    std::u16string GetCaption() override { return caption_; }
    void SetCaption(const std::u16string& Value) override;
    std::u16string GetDescription() override { return description_; }
    void SetDescription(const std::u16string& Value) override;
    bool GetEnabled() override { return enabled_; }
    void SetEnabled(bool Value) override;
    std::u16string GetID() override { return id_; }
    // An empty value is ignored; another becomes the key-list key (unless IdMso is set).
    void SetID(const std::u16string& Value) override;
    std::u16string GetIDMso() override { return idMso_; }
    // The key-list key becomes IdMso, or Id when IdMso is emptied.
    void SetIDMso(const std::u16string& Value) override;
    int32_t GetImageIndex() override { return imageIndex_; }
    void SetImageIndex(int32_t Value) override;
    std::u16string GetImageMso() override { return imageMso_; }
    void SetImageMso(const std::u16string& Value) override;
    std::u16string GetInsertAfterIdMso() override { return insertAfterIdMso_; }
    void SetInsertAfterIdMso(const std::u16string& Value) override;
    std::u16string GetInsertAfterId() override { return insertAfterId_; }
    void SetInsertAfterId(const std::u16string& Value) override;
    std::u16string GetInsertBeforeIdMso() override { return insertBeforeIdMso_; }
    void SetInsertBeforeIdMso(const std::u16string& Value) override;
    std::u16string GetInsertBeforeId() override { return insertBeforeId_; }
    void SetInsertBeforeId(const std::u16string& Value) override;
    int32_t GetItemHeight() override { return itemHeight_; }
    void SetItemHeight(int32_t Value) override;
    int32_t GetItemWidth() override { return itemWidth_; }
    void SetItemWidth(int32_t Value) override;
    // The glyph (owned by the control; never nullptr).
    TBitmap* GetGlyph() override { return glyph_.get(); }
    // Copies the bitmap (nullptr empties the glyph) and invalidates.
    void SetGlyph(TBitmap* Value);
    std::u16string GetKeyTip() override { return keyTip_; }
    // Keeps the first 3 characters.
    void SetKeyTip(const std::u16string& Value) override;
    bool GetPressed() override { return pressed_; }
    void SetPressed(bool Value) override;
    TadxRibbons GetRibbons() override { return ribbons_; }
    // The empty set is ignored; another is passed down to items and children.
    void SetRibbons(TadxRibbons Value) override;
    std::u16string GetSelectedItemId() override { return selectedItemId_; }
    void SetSelectedItemId(const std::u16string& Value) override;
    int32_t GetSelectedItemIndex() override { return selectedItemIndex_; }
    void SetSelectedItemIndex(int32_t Value) override;
    std::u16string GetScreenTip() override { return screenTip_; }
    void SetScreenTip(const std::u16string& Value) override;
    bool GetShowCaption() override { return showCaption_; }
    void SetShowCaption(bool Value) override;
    TadxRibbonXControlSize GetSize() override { return size_; }
    void SetSize(TadxRibbonXControlSize Value) override;
    std::u16string GetSuperTip() override { return superTip_; }
    void SetSuperTip(const std::u16string& Value) override;
    std::u16string GetText() override { return text_; }
    void SetText(const std::u16string& Value) override;
    void SetTitle(const std::u16string& Value);
    bool GetVisible() override { return visible_; }
    void SetVisible(bool Value) override;

    // ---- the control's place ----

    // The tab above the control, or nullptr when it is not (yet) under one.
    TadxRibbonTab* GetRoot() const;
    // The module of the root tab, or nullptr.
    TadxModuleServices* Module() const;
    // The IdMso of the tab or control owning the control's collection; empty otherwise.
    std::u16string GetParentIDMso() const;
    // The tab or control owning the control's collection, or nullptr.
    TObject* ParentObject() const;
    // The object as a group, button or split button, or nullptr.
    static TadxRibbonGroup* AsRibbonGroup(TObject* Object);
    static TadxRibbonButton* AsRibbonButton(TObject* Object);
    static TadxRibbonSplitButton* AsRibbonSplitButton(TObject* Object);

    // Asks the host to query the control again: nothing before the ribbon
    // loaded; the whole ribbon for a control with an IdMso; else the control.
    // A failure code of the host raises.
    virtual void Invalidate();
    // Copies the shown properties of another control through the setters
    // (not Id, IdMso, Glyph, KeyTip, ScreenTip, Title, Tag).
    void Assign(TPersistent* Source) override;

    // Published: a free integer for the add-in.
    int32_t Tag = 0;
    // Published: may change any value a callback is about to answer.
    TadxRibbonPropertyChanging OnPropertyChanging;

protected:
    // "(TClassName)", after the caption and a blank when there is one.
    std::string GetDisplayName() const override;
    // For the class constructors: while the root tab is designed and the Id
    // is empty, Id := "adxRibbon" + kind + 32 hexadecimal digits and, for a
    // class that shows a caption, Caption := the same prefix + the number of
    // such controls in the key list.
    void DesignTimeDefaults(const char* Kind, bool HasCaption);
    // Runs call (an OnClick, OnChange or OnCreate handler) unless a handler
    // of this control runs already; an exception goes to the module's
    // DoError. False when the handler freed this control (directly, or by
    // turning the add-in off): the caller must not touch it again, and an
    // exception the handler raised after that has nobody to go to.
    bool RunHandler(const std::function<void()>& call);
    // Stores Pressed from the arguments (when asked), then runs the click
    // handler (guarded, not re-entered).
    void DoClick(TadxRibbonActionArguments& Args, const TadxRibbonOnClick& handler,
                 bool storePressed);
    // The item values (rcptItemID to rcptItemGlyph) go to itemHandler, with
    // ItemIndex as its index, every other value to OnPropertyChanging; guarded.
    void RouteItemProperty(TadxRibbonControlPropertyType PropertyType, Variant& Value,
                           IDispatch* Context, int32_t ItemIndex,
                           const TadxRibbonItemPropertyChanging& itemHandler);
    // Runs call (a handler of the add-in) by the one rule for handlers that
    // free their caller (adxFire): an exception goes to the module's DoError
    // (it goes on to the caller when the control has no module), and ends
    // there when the handler turned the add-in off. False when the handler
    // freed this control.
    bool Fire(const std::function<void()>& call);
    // The namespace of the module (empty without one).
    std::u16string ModuleNamespace() const;
    // What the user did, stored by DoAction without telling the host (it
    // shows the change already).
    void StorePressed(bool Value) { pressed_ = Value; }
    void StoreText(const std::u16string& Value) { text_ = Value; }
    void StoreSelection(const std::u16string& Id, int32_t Index) {
        selectedItemId_ = Id;
        selectedItemIndex_ = Index;
    }
    // True when the collection holding the control belongs to a T.
    template <class T> bool OwnerIs() const { return dynamic_cast<T*>(ParentObject()) != nullptr; }
    // Stores value into field and invalidates when it differs; true then.
    template <class T> bool Change(T& field, const T& value) {
        if (field == value)
            return false;
        field = value;
        Invalidate();
        return true;
    }
    // What a list shows of an item changed: its caption, image or tips
    // (after the item was invalidated). Nothing by default.
    virtual void ShownInListChanged() {}

private:
    void UpdateKey();
    void GlyphChanged(TObject* Sender);

    // Set while a handler of this control runs.
    bool inAction_ = false;
    std::u16string caption_;
    std::u16string description_;
    bool enabled_ = true;
    std::u16string id_;
    std::u16string idMso_;
    int32_t imageIndex_ = -1;
    std::u16string imageMso_;
    std::u16string insertAfterIdMso_;
    std::u16string insertAfterId_;
    std::u16string insertBeforeIdMso_;
    std::u16string insertBeforeId_;
    int32_t itemHeight_ = -1;
    int32_t itemWidth_ = -1;
    std::u16string keyTip_;
    bool pressed_ = false;
    TadxRibbons ribbons_ = TadxRibbons::FromMask(0x80003F);
    std::u16string selectedItemId_;
    int32_t selectedItemIndex_ = -1;
    std::u16string screenTip_;
    std::u16string superTip_;
    bool showCaption_ = true;
    TadxRibbonXControlSize size_ = csRegular;
    std::u16string text_;
    bool visible_ = true;
    std::unique_ptr<TBitmap> glyph_;
    std::u16string title_;
    // Ends with the control, which a handler of its own may free.
    rtl::TLiveness liveness_;
};

// The module's key list while the module lives and keeps one; nullptr
// without a module and while the module is being destroyed.
TStringList* adxRibbonKeyList(TadxModuleServices* module);
// The key under which a tab or control is listed: IdMso when set, else Id.
std::string adxRibbonKey(IadxRibbonComponent& component);
// The text of a new GUID without braces and dashes (32 hexadecimal digits).
std::string adxGuidDigits();
