// What every command-bar control shares: its properties, the push to the
// host once per design change with its placement, binding and deleting.
#include "framework/commandbars/CommandBarControl.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CommandBarStore.h"
#include "framework/commandbars/ControlEventSink.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/commandbars/HostObjectGone.h"
#include "framework/support/FrameworkErrors.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/Guid.h"
#include "platform/com/LateBound.h"
#include "platform/text/Text.h"

ComPtr<IDispatch> adxQueryHostInterface(IUnknown* Object, const GUID& Iid) {
    if (!Object)
        return nullptr;
    void* found = nullptr;
    if (FAILED(Object->QueryInterface(Iid, &found)) || !found)
        throw EOleSysError("The host control does not support the interface " + GUIDToString(Iid),
                           E_NOINTERFACE);
    // Every command-bar interface is a dispatch interface.
    return ComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(found));
}

TadxCommandBarControl::TadxCommandBarControl(TCollection* Collection)
    : TCollectionItem(Collection), officeTag_(text::Wide(GUIDToString(GUID::Create()))) {
    if (TadxCustomCommandBar* bar = Bar()) {
        if (auto* explorerBar = dynamic_cast<TadxOlExplorerCustomCommandBar*>(bar))
            olExplorerItemTypes = explorerBar->ItemTypes;
        temporary_ = bar->Temporary();
    }
}

TadxCommandBarControl::~TadxCommandBarControl() {
    liveness_.End();
    DropSink();
}

TadxCustomCommandBar* TadxCommandBarControl::Bar() const {
    TCollection* collection = Collection();
    if (!collection)
        return nullptr;
    TPersistent* owner = collection->Owner();
    if (auto* bar = dynamic_cast<TadxCustomCommandBar*>(owner))
        return bar;
    if (auto* popup = dynamic_cast<TadxCommandBarControl*>(owner))
        return popup->Bar();
    return nullptr;
}

TadxModuleServices* TadxCommandBarControl::Module() const {
    TadxCustomCommandBar* bar = Bar();
    return bar ? bar->Module() : nullptr;
}

TadxCommandBarPopup* TadxCommandBarControl::ParentPopup() const {
    TCollection* collection = Collection();
    return collection ? dynamic_cast<TadxCommandBarPopup*>(collection->Owner()) : nullptr;
}

void TadxCommandBarControl::CountChange() {
    TadxCustomCommandBar* bar = Bar();
    if (bar && (bar->ComponentState() & csDesigning))
        ++changeCounter_;
}

void TadxCommandBarControl::SetIndex(int index) {
    TCollectionItem::SetIndex(index);
    TCollection* collection = Collection();
    for (int i = 0; collection && i < collection->Count(); ++i)
        if (auto* control = dynamic_cast<TadxCommandBarControl*>(collection->Items(i)))
            control->CountChange();
}

void TadxCommandBarControl::ReportError(const Exception& E) {
    if (TadxModuleServices* module = Module())
        module->DoError(E);
}

void TadxCommandBarControl::PushHost(const char* hostName, const Variant& value) {
    adxPushHostValue(control_.Get(), hostName, value);
}

Variant TadxCommandBarControl::ReadHost(const char* hostName, const Variant& stored) {
    if (!control_)
        return stored;
    try {
        return dispGet(control_, hostName);
    } catch (const Exception& e) {
        ReportError(e);
        return stored;
    }
}

Variant TadxCommandBarControl::FrameworkRead(const char* HostName, const Variant& Stored) {
    return adxFrameworkRead(control_.Get(), HostName, Stored, [this] { SetInterface(nullptr); });
}

// ---- binding ----

void TadxCommandBarControl::SetInterface(const ComPtr<IDispatch>& Control) {
    control_ = adxQueryHostInterface(Control.Get(), IID_CommandBarControl);
}

void TadxCommandBarControl::DropSink() noexcept {
    if (!sink_)
        return;
    ComPtr<TadxEventSink> sink = std::move(sink_);
    if (TadxModuleServices* module = Module(); module && module->EventSinks)
        module->EventSinks->Remove(sink.Get());
    sink->Disconnect();
    sink->Detach();
}

void TadxCommandBarControl::BindWithSink(const ComPtr<IDispatch>& Control, const GUID& Iid) {
    ComPtr<IDispatch> bound = adxQueryHostInterface(Control.Get(), Iid);
    DropSink();
    control_ = bound;
    if (!control_)
        return;
    sink_ = TadxEventSink::Create(Module(), this);
    if (TadxModuleServices* module = Module(); module && module->EventSinks)
        module->EventSinks->Add(sink_.Get());
}

bool TadxCommandBarControl::HasOfficeTag() {
    if (!officeTag_.empty())
        return true;
    if (!missingTagReported_) {
        missingTagReported_ = true;
        try {
            adx::RaiseError(adx::ErrPropertyEmpty, adx::SPropertyEmpty, {"OfficeTag"});
        } catch (const Exception& e) {
            ReportError(e);
        }
    }
    return false;
}

// ---- the push ----

bool TadxCommandBarControl::IsChanged() {
    TadxModuleServices* module = Module();
    return !module || adxRecordChanged(module->GetRegistryKey(), "\\Controls",
                                       text::Narrow(officeTag_), changeCounter_);
}

void TadxCommandBarControl::ApplyChanges() {
    if (TadxModuleServices* module = Module())
        adxWriteRecord(module->GetRegistryKey(), "\\Controls", text::Narrow(officeTag_),
                       changeCounter_);
}

bool TadxCommandBarControl::SetProperties() {
    TadxModuleServices* module = Module();
    const bool push = temporary_ || IsChanged() || (module && module->HostType == ohaAccess);
    if (!control_ || !push)
        return push;
    if (!temporary_ && module && module->StartMode != adxStartModeFirstStart)
        Place();
    SetBeginGroup(beginGroup_);
    SetCaption(caption_);
    SetDescriptionText(descriptionText_);
    SetEnabled(enabled_);
    if (height_ != 0)
        SetHeight(height_);
    SetHelpContextID(helpContextID_);
    SetHelpFile(helpFile_);
    SetParameter(parameter_);
    SetPriority(priority_);
    SetOfficeTag(officeTag_);
    SetTooltipText(tooltipText_);
    SetVisible(visible_);
    if (width_ != 0)
        SetWidth(width_);
    return push;
}

namespace {

// Moves a host control to position target of its bar. The position is
// clamped to one past the bar's last control: after the user removed
// controls the design's position may lie beyond it, and the host refuses
// such a move on every start.
void MoveTo(IDispatch* control, int target) {
    int count = dispGet(dispGet(dispGet(control, "Parent"), "Controls"), "Count").AsInteger();
    if (target > count + 1)
        target = count + 1;
    dispCall(control, "Move", Variant::Missing(), target);
}

} // namespace

void TadxCommandBarControl::Place() {
    const int officeIndex = GetOfficeIndex();
    if (before_ != 0 && before_ != officeIndex)
        MoveTo(control_.Get(), before_);
    TadxCustomCommandBar* bar = Bar();
    if (bar && !bar->GetBuiltIn() && before_ == 0 && beforeID_ == 0 && afterID_ == 0) {
        int target = Index() + 1;
        const int current = GetOfficeIndex();
        if (target != current) {
            if (target > current)
                ++target;
            MoveTo(control_.Get(), target);
        }
    }
    if (beforeID_ == 0 && afterID_ == 0)
        return;
    ComPtr<IDispatch> parentBar;
    if (TadxCommandBarPopup* popup = ParentPopup())
        parentBar = popup->PopupBar();
    else if (bar)
        parentBar = bar->CommandBar;
    if (!parentBar)
        return;
    ComPtr<IDispatch> reference = dispCall(parentBar, "FindControl", Variant::Missing(),
                                           beforeID_ != 0 ? beforeID_ : afterID_,
                                           Variant::Missing(), Variant::Missing(), true)
                                      .AsDispatch();
    if (!reference)
        return;
    const int referenceIndex = dispGet(reference, "Index").AsInteger();
    const int current = GetOfficeIndex();
    if (beforeID_ != 0) {
        if (referenceIndex - 1 != current)
            MoveTo(control_.Get(), referenceIndex);
    } else if (referenceIndex + 1 != current) {
        MoveTo(control_.Get(), referenceIndex + 1);
    }
}

void TadxCommandBarControl::Delete(bool Temporary) {
    if (control_)
        dispCall(control_, "Delete", Temporary);
    SetInterface(nullptr);
}

int32_t TadxCommandBarControl::GetOfficeIndex() {
    return control_ ? dispGet(control_, "Index").AsInteger() : 1;
}

ComPtr<IDispatch> TadxCommandBarControl::GetParent() {
    return control_ ? dispGet(control_, "Parent").AsDispatch() : nullptr;
}

// ---- properties ----

bool TadxCommandBarControl::GetBeginGroup() {
    return ReadHost("BeginGroup", beginGroup_).AsBool();
}
void TadxCommandBarControl::SetBeginGroup(bool Value) {
    Set(beginGroup_, Value, "BeginGroup");
}
std::u16string TadxCommandBarControl::GetCaption() {
    return ReadHost("Caption", caption_).AsWide();
}
void TadxCommandBarControl::SetCaption(const std::u16string& Value) {
    Set(caption_, Value, "Caption");
}
std::u16string TadxCommandBarControl::GetDescriptionText() {
    return ReadHost("DescriptionText", descriptionText_).AsWide();
}
void TadxCommandBarControl::SetDescriptionText(const std::u16string& Value) {
    Set(descriptionText_, Value, "DescriptionText");
}
bool TadxCommandBarControl::GetEnabled() {
    return ReadHost("Enabled", enabled_).AsBool();
}
void TadxCommandBarControl::SetEnabled(bool Value) {
    try {
        if (enabled_ != Value)
            enabled_ = Value;
        if (control_ && adxPushHostValue(control_.Get(), "Enabled", Variant(Value))) {
            TadxModuleServices* module = Module();
            // Outlook draws a control's new state only when its width changes.
            if (module && module->HostType == ohaOutlook) {
                dispPut(control_, "Width", dispGet(control_, "Width").AsInteger() + 1);
                dispPut(control_, "Width", dispGet(control_, "Width").AsInteger() - 1);
            }
        }
        CountChange();
    } catch (const Exception& e) {
        ReportError(e);
    }
}
int32_t TadxCommandBarControl::GetHeight() {
    return ReadHost("Height", height_).AsInteger();
}
void TadxCommandBarControl::SetHeight(int32_t Value) {
    Set(height_, Value, "Height");
}
int32_t TadxCommandBarControl::GetHelpContextID() {
    return ReadHost("HelpContextID", helpContextID_).AsInteger();
}
void TadxCommandBarControl::SetHelpContextID(int32_t Value) {
    Set(helpContextID_, Value, "HelpContextID");
}
std::u16string TadxCommandBarControl::GetHelpFile() {
    return ReadHost("HelpFile", helpFile_).AsWide();
}
void TadxCommandBarControl::SetHelpFile(const std::u16string& Value) {
    Set(helpFile_, Value, "HelpFile");
}
std::u16string TadxCommandBarControl::GetParameter() {
    return ReadHost("Parameter", parameter_).AsWide();
}
void TadxCommandBarControl::SetParameter(const std::u16string& Value) {
    Set(parameter_, Value, "Parameter");
}
int32_t TadxCommandBarControl::GetPriority() {
    return ReadHost("Priority", priority_).AsInteger();
}
void TadxCommandBarControl::SetPriority(int32_t Value) {
    Set(priority_, Value, "Priority");
}
std::u16string TadxCommandBarControl::GetOfficeTag() {
    return ReadHost("Tag", officeTag_).AsWide();
}
void TadxCommandBarControl::SetOfficeTag(const std::u16string& Value) {
    Set(officeTag_, Value, "Tag");
}
std::u16string TadxCommandBarControl::GetTooltipText() {
    return ReadHost("TooltipText", tooltipText_).AsWide();
}
void TadxCommandBarControl::SetTooltipText(const std::u16string& Value) {
    Set(tooltipText_, Value, "TooltipText");
}
bool TadxCommandBarControl::GetVisible() {
    return ReadHost("Visible", visible_).AsBool();
}
void TadxCommandBarControl::SetVisible(bool Value) {
    Set(visible_, Value, "Visible");
}
int32_t TadxCommandBarControl::GetWidth() {
    return ReadHost("Width", width_).AsInteger();
}
void TadxCommandBarControl::SetWidth(int32_t Value) {
    Set(width_, Value, "Width");
}
void TadxCommandBarControl::SetTemporary(bool Value) {
    if (temporary_ == Value)
        return;
    temporary_ = Value;
    CountChange();
}
void TadxCommandBarControl::SetAfterID(int32_t Value) {
    afterID_ = Value;
    CountChange();
}
void TadxCommandBarControl::SetBefore(int32_t Value) {
    before_ = Value;
    CountChange();
}
void TadxCommandBarControl::SetBeforeID(int32_t Value) {
    beforeID_ = Value;
    CountChange();
}
int32_t TadxCommandBarControl::GetOfficeID() {
    return ReadHost("Id", officeID_).AsInteger();
}
void TadxCommandBarControl::SetOfficeID(int32_t Value) {
    officeID_ = Value;
    CountChange();
}

std::string TadxCommandBarControl::GetDisplayName() const {
    std::string name = "(" + ClassName() + ")";
    return caption_.empty() ? name : text::Narrow(caption_) + " " + name;
}

// ---- casts ----

TadxCommandBarButton* TadxCommandBarControl::GetAsButton() {
    return dynamic_cast<TadxCommandBarButton*>(this);
}
TadxCommandBarEdit* TadxCommandBarControl::GetAsEdit() {
    return dynamic_cast<TadxCommandBarEdit*>(this);
}
TadxCommandBarDropDownList* TadxCommandBarControl::GetAsDropDownList() {
    return dynamic_cast<TadxCommandBarDropDownList*>(this);
}
TadxCommandBarComboBox* TadxCommandBarControl::GetAsComboBox() {
    return dynamic_cast<TadxCommandBarComboBox*>(this);
}
TadxCommandBarPopup* TadxCommandBarControl::GetAsPopup() {
    return dynamic_cast<TadxCommandBarPopup*>(this);
}
TadxCommandBarAdvancedControl* TadxCommandBarControl::GetAsAdvancedControl() {
    return dynamic_cast<TadxCommandBarAdvancedControl*>(this);
}

// ---- Outlook item types ----

bool CheckItemClass(int32_t ItemType, TadxOLItemTypes ItemTypes) {
    return ItemType >= 0 && ItemType <= adxOLDistributionListItem &&
           ItemTypes.Contains(static_cast<TadxOLItemType>(ItemType));
}

void ScanExplControls(int32_t ItemType, TadxCommandBarControls& Controls) {
    for (int i = 0; i < Controls.Count(); ++i) {
        TadxCommandBarControl* control = Controls.GetItem(i);
        auto* bar = dynamic_cast<TadxOlExplorerCustomCommandBar*>(control->Bar());
        if (bar && control->olExplorerItemTypes == bar->ItemTypes)
            continue;
        if (control->GetOfficeID() == 1) {
            const bool member = CheckItemClass(ItemType, control->olExplorerItemTypes);
            if (control->olItemTypeAction == adxOLActionShow)
                control->SetVisible(member);
            else if (control->olItemTypeAction == adxOLActionEnable)
                control->SetEnabled(member);
        }
        if (TadxCommandBarPopup* popup = control->GetAsPopup())
            ScanExplControls(ItemType, *popup->Controls());
    }
}
