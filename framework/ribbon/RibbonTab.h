// TadxRibbonTab: a ribbon tab the add-in module contributes or extends: a
// tab of its own, or a built-in tab (IdMso) into which its groups go. It is
// a component owned by the module; it owns its groups, keeps itself in the
// module's tab list (or its contextual-tab list when it has a Context) and
// in the key list, and answers IadxRibbonComponent for the ribbon document
// and the callbacks. The image list named by Images gives the pictures of
// its controls' ImageIndex.
#pragma once

#include "framework/ribbon/adxRibbonComponent.h"
#include "platform/forms/Component.h"

#include <memory>
#include <string>

class TadxModuleServices;
class TadxRibbonControls;
class TCustomImageList;

class TadxRibbonTab : public TComponent, public IadxRibbonComponent {
public:
    // A tab of the module Owner; raises EOleSysError 31112 when Owner is not
    // an add-in module. Its Ribbons are those of the module's hosts, and it
    // joins the module's tab list and key list.
    explicit TadxRibbonTab(TComponent* Owner);
    // Leaves the module's lists (while they exist) and frees the groups.
    ~TadxRibbonTab() override;

    // ---- published properties ----

    const std::u16string& Caption() const { return caption_; }
    void SetCaption(const std::u16string& Value) override { caption_ = Value; }
    // The contextual tab set ("prefix.TabSetIdMso"), empty for an ordinary tab;
    // a change moves the tab between the module's two tab lists.
    const std::string& Context() const { return context_; }
    void SetContext(const std::string& Value);
    // The groups (at most 100).
    TadxRibbonControls* Controls() const { return controls_.get(); }
    // Assigns the groups of another collection.
    void SetControls(TadxRibbonControls* Value);
    const std::u16string& Id() const { return id_; }
    const std::u16string& IdMso() const { return idMso_; }
    // The image list of the controls' ImageIndex, or nullptr.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* Value);
    bool Shared() const { return shared_; }
    void SetShared(bool Value) { shared_ = Value; }

    // ---- IadxRibbonComponent ----

    void DoAction(TadxRibbonActionArguments& Args) override {}
    void DoChangeProperty(TadxRibbonControlPropertyType, Variant&, IDispatch*, int32_t) override {}
    std::string GetXmlType() override { return "tab"; }
    std::unique_ptr<TStringList> GetAttributes() override;
    TadxRibbonControls* GetControls() override { return controls_.get(); }
    TadxRibbonControls* GetItems() override { return nullptr; }
    uint8_t GetType() override;
    std::u16string GetCaption() override { return caption_; }
    std::u16string GetDescription() override { return {}; }
    void SetDescription(const std::u16string&) override {}
    bool GetEnabled() override { return true; }
    void SetEnabled(bool) override {}
    std::u16string GetID() override { return id_; }
    // An empty value is ignored; another becomes the key-list key (also with an IdMso).
    void SetID(const std::u16string& Value) override;
    std::u16string GetIDMso() override { return idMso_; }
    // The key-list key becomes IdMso, or Id when IdMso is emptied.
    void SetIDMso(const std::u16string& Value) override;
    int32_t GetImageIndex() override { return 0; }
    void SetImageIndex(int32_t) override {}
    std::u16string GetImageMso() override { return {}; }
    void SetImageMso(const std::u16string&) override {}
    std::u16string GetInsertAfterIdMso() override { return insertAfterIdMso_; }
    void SetInsertAfterIdMso(const std::u16string& Value) override { insertAfterIdMso_ = Value; }
    std::u16string GetInsertAfterId() override { return insertAfterId_; }
    void SetInsertAfterId(const std::u16string& Value) override { insertAfterId_ = Value; }
    std::u16string GetInsertBeforeIdMso() override { return insertBeforeIdMso_; }
    void SetInsertBeforeIdMso(const std::u16string& Value) override { insertBeforeIdMso_ = Value; }
    std::u16string GetInsertBeforeId() override { return insertBeforeId_; }
    void SetInsertBeforeId(const std::u16string& Value) override { insertBeforeId_ = Value; }
    int32_t GetItemHeight() override { return -1; }
    void SetItemHeight(int32_t) override {}
    int32_t GetItemWidth() override { return -1; }
    void SetItemWidth(int32_t) override {}
    TBitmap* GetGlyph() override { return nullptr; }
    std::u16string GetKeyTip() override { return keyTip_; }
    // Keeps the first 3 characters; invalidates when they change.
    void SetKeyTip(const std::u16string& Value) override;
    bool GetPressed() override { return false; }
    void SetPressed(bool) override {}
    TadxRibbons GetRibbons() override { return ribbons_; }
    // An equal or empty set is ignored; another is passed on to every group.
    void SetRibbons(TadxRibbons Value) override;
    std::u16string GetSelectedItemId() override { return {}; }
    void SetSelectedItemId(const std::u16string&) override {}
    int32_t GetSelectedItemIndex() override { return -1; }
    void SetSelectedItemIndex(int32_t) override {}
    std::u16string GetScreenTip() override { return {}; }
    void SetScreenTip(const std::u16string&) override {}
    bool GetShowCaption() override { return false; }
    void SetShowCaption(bool) override {}
    TadxRibbonXControlSize GetSize() override { return csRegular; }
    void SetSize(TadxRibbonXControlSize) override {}
    std::u16string GetSuperTip() override { return {}; }
    void SetSuperTip(const std::u16string&) override {}
    std::u16string GetText() override { return {}; }
    void SetText(const std::u16string&) override {}
    std::u16string GetTitle() override { return {}; }
    std::u16string GetContent() override { return {}; }
    bool GetVisible() override { return visible_; }
    void SetVisible(bool Value) override { visible_ = Value; }

    // ---- the tab's place ----

    // The module that owns the tab (nullptr once it is being destroyed).
    TadxModuleServices* Module() const { return module_; }
    // Asks the host to query the tab again (the whole ribbon for a built-in
    // tab); nothing before the ribbon loaded. A failure code of the host raises.
    void Invalidate();

protected:
    // Forgets Images when the list goes, and resets every control's ImageIndex.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void UpdateKey();

    TCustomImageList* images_ = nullptr;
    TadxModuleServices* module_ = nullptr;
    std::u16string caption_;
    std::string context_;
    std::unique_ptr<TadxRibbonControls> controls_;
    std::u16string id_;
    std::u16string idMso_;
    std::u16string insertAfterIdMso_;
    std::u16string insertAfterId_;
    std::u16string insertBeforeIdMso_;
    std::u16string insertBeforeId_;
    std::u16string keyTip_;
    TadxRibbons ribbons_;
    bool visible_ = true;
    bool shared_ = false;
};
