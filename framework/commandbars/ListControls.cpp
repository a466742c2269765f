// The edit, drop-down list and combo box: their properties, items and change.
#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"
#include "platform/text/Text.h"

TadxCustomCommandBarComboBox::TadxCustomCommandBarComboBox(TCollection* Collection)
    : TadxCommandBarControl(Collection), items_(std::make_unique<TStringList>()) {
    items_->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

TadxCustomCommandBarComboBox::~TadxCustomCommandBarComboBox() {
    items_->OnChange = nullptr;
}

void TadxCustomCommandBarComboBox::SetInterface(const ComPtr<IDispatch>& Control) {
    BindWithSink(Control, IID__CommandBarComboBox);
}

bool TadxCustomCommandBarComboBox::SetProperties() {
    const bool push = TadxCommandBarControl::SetProperties();
    if (!control_ || !push)
        return push;
    SetStyle(style_);
    if (dropdownLines_ != 0)
        SetDropdownLines(dropdownLines_);
    if (dropdownWidth_ != 0)
        SetDropdownWidth(dropdownWidth_);
    dispCall(control_, "Clear");
    if (GetType() != adxKindDropDownList && enabled_)
        SetText(text_);
    for (int i = 0; i < items_->Count(); ++i)
        dispCall(control_, "AddItem", text::Wide(items_->Strings(i)));
    if (listIndex_ != 0)
        SetListIndex(listIndex_);
    if (listHeaderCount_ != -1)
        SetListHeaderCount(listHeaderCount_);
    if (!temporary_)
        ApplyChanges();
    return push;
}

void TadxCustomCommandBarComboBox::DoAction() {
    rtl::FireSurvives(liveness_, OnChange, this);
}

void TadxCustomCommandBarComboBox::SetItems(const TStrings& Value) {
    items_->BeginUpdate();
    items_->Clear();
    for (int i = 0; i < Value.Count(); ++i)
        items_->Add(Value.Strings(i));
    // The end of the update fills the host list.
    items_->EndUpdate();
    CountChange();
}

void TadxCustomCommandBarComboBox::ItemsChanged(TObject*) {
    if (!control_)
        return;
    try {
        FillHostList();
    } catch (const Exception& e) {
        ReportError(e);
    }
}

void TadxCustomCommandBarComboBox::FillHostList() {
    try {
        dispCall(control_, "Clear");
    } catch (const Exception&) {
        // The host object went stale: find the control again by its tag.
        TadxModuleServices* module = Module();
        ComPtr<IDispatch> found = module ? module->FindControl(-1, officeTag_) : nullptr;
        if (!found) {
            // The host holds the control no longer: nothing to fill.
            SetInterface(nullptr);
            return;
        }
        SetInterface(found);
        dispCall(control_, "Clear");
    }
    for (int i = 0; i < items_->Count(); ++i)
        dispCall(control_, "AddItem", text::Wide(items_->Strings(i)));
}

int32_t TadxCustomCommandBarComboBox::GetDropdownLines() {
    return ReadHost("DropDownLines", dropdownLines_).AsInteger();
}
void TadxCustomCommandBarComboBox::SetDropdownLines(int32_t Value) {
    Set(dropdownLines_, Value, "DropDownLines");
}
int32_t TadxCustomCommandBarComboBox::GetDropdownWidth() {
    return ReadHost("DropDownWidth", dropdownWidth_).AsInteger();
}
void TadxCustomCommandBarComboBox::SetDropdownWidth(int32_t Value) {
    Set(dropdownWidth_, Value, "DropDownWidth");
}
int32_t TadxCustomCommandBarComboBox::GetListHeaderCount() {
    return ReadHost("ListHeaderCount", listHeaderCount_).AsInteger();
}
void TadxCustomCommandBarComboBox::SetListHeaderCount(int32_t Value) {
    Set(listHeaderCount_, Value, "ListHeaderCount");
}
int32_t TadxCustomCommandBarComboBox::GetListIndex() {
    return ReadHost("ListIndex", listIndex_).AsInteger();
}
void TadxCustomCommandBarComboBox::SetListIndex(int32_t Value) {
    Set(listIndex_, Value, "ListIndex");
}
TadxMsoComboStyle TadxCustomCommandBarComboBox::GetStyle() {
    return static_cast<TadxMsoComboStyle>(ReadHost("Style", style_).AsInteger());
}
void TadxCustomCommandBarComboBox::SetStyle(TadxMsoComboStyle Value) {
    Set(style_, Value, "Style");
}
std::u16string TadxCustomCommandBarComboBox::GetText() {
    return ReadHost("Text", text_).AsWide();
}
void TadxCustomCommandBarComboBox::SetText(const std::u16string& Value) {
    Set(text_, Value, "Text");
}
