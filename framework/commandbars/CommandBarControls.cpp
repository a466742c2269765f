// The controls collection of a bar or pop-up, and copying controls.
#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/support/FrameworkErrors.h"
#include "platform/rtl/UpdateScope.h"

#include <optional>

TadxCommandBarControls::TadxCommandBarControls(TPersistent* AOwner)
    : TOwnedCollection(AOwner, [](TCollection* c) { return new TadxCommandBarControl(c); }) {}

TadxCommandBarControl* TadxCommandBarControls::GetItem(int Index) const {
    return static_cast<TadxCommandBarControl*>(Items(Index));
}

TadxCommandBarControl* TadxCommandBarControls::Add(int32_t Type) {
    switch (Type) {
    case adxKindButton:
        return new TadxCommandBarButton(this);
    case adxKindEdit:
        return new TadxCommandBarEdit(this);
    case adxKindDropDownList:
        return new TadxCommandBarDropDownList(this);
    case adxKindComboBox:
        return new TadxCommandBarComboBox(this);
    case adxKindPopup:
        return new TadxCommandBarPopup(this);
    case adxKindAdvanced:
        if (dynamic_cast<TadxCommandBarPopup*>(Owner()))
            adx::RaiseError(adx::ErrAdvancedControlPlacement3, adx::SAdvancedControlInPopup);
        if (auto* bar = dynamic_cast<TadxCustomCommandBar*>(Owner())) {
            TadxMsoBarPosition position = bar->GetPosition();
            if (position == adxMsoBarPopup || position == adxMsoBarMenuBar)
                bar->SetPosition(adxMsoBarTop);
            if (bar->GetProtection() != adxMsoBarNoChangeDock)
                bar->SetProtection(adxMsoBarNoChangeDock);
        }
        return new TadxCommandBarAdvancedControl(this);
    default:
        return new TadxCommandBarControl(this);
    }
}

std::vector<int32_t> TadxCommandBarControls::Kinds() const {
    std::vector<int32_t> kinds;
    for (int i = 0; i < Count(); ++i)
        kinds.push_back(GetItem(i)->GetType());
    return kinds;
}

void TadxCommandBarControls::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TadxCommandBarControls*>(Source);
    if (!source) {
        TOwnedCollection::Assign(Source);
        return;
    }
    TUpdateScope<TCollection> update(*this);
    Clear();
    for (int i = 0; i < source->Count(); ++i)
        Add(source->GetItem(i)->GetType())->Assign(source->GetItem(i));
}

void TadxCommandBarControl::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TadxCommandBarControl*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    std::optional<TUpdateScope<TCollection>> update;
    if (TCollection* collection = Collection())
        update.emplace(*collection);
    Tag = source->Tag;
    SetBeginGroup(source->beginGroup_);
    SetCaption(source->caption_);
    SetDescriptionText(source->descriptionText_);
    SetEnabled(source->enabled_);
    SetHeight(source->height_);
    SetHelpContextID(source->helpContextID_);
    SetHelpFile(source->helpFile_);
    SetParameter(source->parameter_);
    SetPriority(source->priority_);
    SetOfficeTag(source->officeTag_);
    SetTooltipText(source->tooltipText_);
    SetVisible(source->visible_);
    SetWidth(source->width_);
    SetTemporary(source->temporary_);
    SetAfterID(source->afterID_);
    SetBefore(source->before_);
    SetBeforeID(source->beforeID_);
    if (auto* button = GetAsButton(); button && source->GetAsButton()) {
        TadxCommandBarButton* from = source->GetAsButton();
        button->SetFaceID(from->GetFaceID());
        button->SetShortcutText(from->GetShortcutText());
        button->SetState(from->GetState());
        button->SetStyle(from->GetStyle());
        button->SetHyperlinkType(from->GetHyperlinkType());
        button->GlyphTransparentColor = from->GlyphTransparentColor;
        button->SetGlyph(from->Glyph());
    }
    auto* list = dynamic_cast<TadxCustomCommandBarComboBox*>(this);
    if (auto* from = dynamic_cast<TadxCustomCommandBarComboBox*>(source); list && from) {
        list->SetStyle(from->GetStyle());
        list->SetText(from->GetText());
        if (GetType() != adxKindEdit) {
            list->SetDropdownLines(from->GetDropdownLines());
            list->SetDropdownWidth(from->GetDropdownWidth());
            list->SetItems(*from->Items());
        }
    }
    if (auto* popup = GetAsPopup(); popup && source->GetAsPopup()) {
        SetOfficeID(source->officeID_);
        popup->Controls()->Assign(source->GetAsPopup()->Controls());
    }
    if (auto* advanced = GetAsAdvancedControl(); advanced && source->GetAsAdvancedControl())
        advanced->Control = source->GetAsAdvancedControl()->Control;
}
