// The command-bar control kinds: the button (with its click), the edit,
// drop-down list and combo box (with their items and change), the pop-up
// menu with nested controls, and the advanced control, which no host of
// this system can hold and which therefore never connects.
#pragma once

#include "framework/commandbars/CommandBarControl.h"
#include "platform/forms/Component.h"
#include "platform/gfx/Bitmap.h"
#include "platform/rtl/StringList.h"

#include <memory>

class TadxCommandBarButton : public TadxCommandBarControl {
public:
    // A button with the defaults: no face, style automatic.
    explicit TadxCommandBarButton(TCollection* Collection);
    ~TadxCommandBarButton() override;

    TadxControlKind GetType() const override { return adxKindButton; }
    // Binds the host button (and a new event sink for its Click).
    void SetInterface(const ComPtr<IDispatch>& Control) override;
    // The base push, then the button's own properties and its record.
    bool SetProperties() override;
    // OnClick with the button as sender; a click arriving while OnClick
    // still runs is dropped. The handler may free the button.
    void DoAction() override;

    int32_t GetFaceID();
    void SetFaceID(int32_t Value);
    std::u16string GetShortcutText();
    void SetShortcutText(const std::u16string& Value);
    // The stored shortcut text, whatever the host says.
    const std::u16string& StoredShortcutText() const noexcept { return shortcutText_; }
    TadxMsoButtonState GetState();
    void SetState(TadxMsoButtonState Value);
    TadxMsoButtonStyle GetStyle();
    void SetStyle(TadxMsoButtonStyle Value);
    TadxMsoCommandBarButtonHyperlinkType GetHyperlinkType();
    void SetHyperlinkType(TadxMsoCommandBarButtonHyperlinkType Value);
    // The button's picture (owned; empty for none).
    TBitmap* Glyph() const noexcept { return glyph_.get(); }
    // Copies the picture and, while bound, gives the host button that face.
    void SetGlyph(TBitmap* Value);
    // The glyph's colour that shows the button through; clDefault takes the
    // glyph's bottom-left pixel.
    TColor GlyphTransparentColor = clDefault;
    // Gives the bound host button the glyph as its face: as a picture with
    // its mask, or through the clipboard on hosts that take no picture.
    void SetFace();
    // The host button gets the add-in's own action ("!<ProgID>") when set.
    bool DisableStandardAction = false;
    // Runs when the user clicks the button.
    TNotifyEvent OnClick;

private:
    int32_t faceID_ = 0;
    std::u16string shortcutText_;
    TadxMsoButtonState state_ = adxMsoButtonUp;
    TadxMsoButtonStyle style_ = adxMsoButtonAutomatic;
    TadxMsoCommandBarButtonHyperlinkType hyperlinkType_ = adxMsoHyperlinkNone;
    bool busy_ = false;
    std::unique_ptr<TBitmap> glyph_ = std::make_unique<TBitmap>();

    bool SetFaceByPicture();
    void PasteFaceThroughClipboard();
};

// What the edit, the drop-down list and the combo box share.
class TadxCustomCommandBarComboBox : public TadxCommandBarControl {
public:
    // A list control with no items.
    explicit TadxCustomCommandBarComboBox(TCollection* Collection);
    ~TadxCustomCommandBarComboBox() override;

    // Binds the host list (and a new event sink for its Change).
    void SetInterface(const ComPtr<IDispatch>& Control) override;
    // The base push, then the list's own properties, items and record.
    bool SetProperties() override;
    // OnChange with the control as sender.
    void DoAction() override;

    // The items; any change of them is pushed to the bound host list.
    TStringList* Items() const noexcept { return items_.get(); }
    // Replaces the items (and the host list's).
    void SetItems(const TStrings& Value);
    int32_t GetDropdownLines();
    void SetDropdownLines(int32_t Value);
    int32_t GetDropdownWidth();
    void SetDropdownWidth(int32_t Value);
    int32_t GetListHeaderCount();
    void SetListHeaderCount(int32_t Value);
    int32_t GetListIndex();
    void SetListIndex(int32_t Value);
    TadxMsoComboStyle GetStyle();
    void SetStyle(TadxMsoComboStyle Value);
    std::u16string GetText();
    void SetText(const std::u16string& Value);
    // Runs when the user changes the control's text or choice.
    TNotifyEvent OnChange;

private:
    void ItemsChanged(TObject* Sender);
    void FillHostList();

    std::unique_ptr<TStringList> items_;
    int32_t dropdownLines_ = 0;
    int32_t dropdownWidth_ = 0;
    int32_t listHeaderCount_ = -1;
    int32_t listIndex_ = 0;
    TadxMsoComboStyle style_ = adxMsoComboNormal;
    std::u16string text_;
};

class TadxCommandBarEdit : public TadxCustomCommandBarComboBox {
public:
    using TadxCustomCommandBarComboBox::TadxCustomCommandBarComboBox;
    TadxControlKind GetType() const override { return adxKindEdit; }
};

class TadxCommandBarDropDownList : public TadxCustomCommandBarComboBox {
public:
    using TadxCustomCommandBarComboBox::TadxCustomCommandBarComboBox;
    TadxControlKind GetType() const override { return adxKindDropDownList; }
};

class TadxCommandBarComboBox : public TadxCustomCommandBarComboBox {
public:
    using TadxCustomCommandBarComboBox::TadxCustomCommandBarComboBox;
    TadxControlKind GetType() const override { return adxKindComboBox; }
};

class TadxCommandBarPopup : public TadxCommandBarControl {
public:
    // A pop-up with no nested controls.
    explicit TadxCommandBarPopup(TCollection* Collection);
    ~TadxCommandBarPopup() override;

    TadxControlKind GetType() const override { return adxKindPopup; }
    // Binds the host pop-up.
    void SetInterface(const ComPtr<IDispatch>& Control) override;
    // The base push and the record (not the nested controls: the module does them).
    bool SetProperties() override;
    // Deletes the nested controls, then the host pop-up when it holds no control.
    void Delete(bool Temporary) override;
    // Finds every nested control again after a window change.
    void ReconnectControls();
    // The nested controls (owned).
    TadxCommandBarControls* Controls() const noexcept { return controls_.get(); }
    // The host pop-up's own bar (its menu), nil while unbound.
    ComPtr<IDispatch> PopupBar();
    // The kinds of "ButtonTypes" read from a stored form.
    std::vector<int32_t> ControlTypes;

private:
    std::unique_ptr<TadxCommandBarControls> controls_;
};

// A control that hosts a window. No host of this system offers a place for
// one, so it never connects: its caption, help and tooltip read empty and
// ignore writes, and its OfficeID reads 1.
class TadxCommandBarAdvancedControl : public TadxCommandBarControl {
public:
    using TadxCommandBarControl::TadxCommandBarControl;
    TadxControlKind GetType() const override { return adxKindAdvanced; }
    std::u16string GetCaption() override { return {}; }
    void SetCaption(const std::u16string&) override {}
    int32_t GetHelpContextID() override { return 0; }
    void SetHelpContextID(int32_t) override {}
    std::u16string GetHelpFile() override { return {}; }
    void SetHelpFile(const std::u16string&) override {}
    std::u16string GetTooltipText() override { return {}; }
    void SetTooltipText(const std::u16string&) override {}
    int32_t GetOfficeID() override { return 1; }
    void SetOfficeID(int32_t) override {}
    // The hosted window (not owned); cleared when it is freed.
    TComponent* Control = nullptr;
};
