// The command-bar component: its properties, pushing them to the host bar
// once per design change, finding its controls again, and uninstalling.
#include "framework/commandbars/CustomCommandBar.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CommandBarStore.h"
#include "framework/commandbars/HostObjectGone.h"
#include "framework/commandbars/ModuleCommandBars.h"
#include "framework/support/FrameworkErrors.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"
#include "platform/text/Text.h"

namespace {

TadxModuleServices* CheckModule(TComponent* owner) {
    auto* module = dynamic_cast<TadxModuleServices*>(owner);
    if (!module)
        adx::RaiseError(
            adx::ErrWrongContainer, adx::SWrongContainer,
            {ClassNameOf<TadxCustomCommandBar>(), owner ? owner->ClassName() : std::string("nil")});
    return module;
}

} // namespace

TadxCustomCommandBar::TadxCustomCommandBar(TComponent* AOwner)
    : TComponent(AOwner), module_(CheckModule(AOwner)),
      controls_(std::make_unique<TadxCommandBarControls>(this)),
      supportedApps_(module_->SupportedApps()) {
    if (module_->CommandBarList)
        module_->CommandBarList->Add(this);
    if ((ComponentState() & csDesigning) && commandBarName_.empty()) {
        int count = 0;
        adxForEachCommandBar(*module_, [&](TadxCustomCommandBar&) { ++count; });
        commandBarName_ = u"Custom " + text::Wide(std::to_string(count));
    }
}

TadxCustomCommandBar::~TadxCustomCommandBar() {
    if (module_ && module_->CommandBarList)
        module_->CommandBarList->Remove(this);
    CommandBar = nullptr;
    controls_.reset();
    module_ = nullptr;
}

void TadxCustomCommandBar::CountChange() {
    if (ComponentState() & csDesigning)
        ++changeCounter_;
}

void TadxCustomCommandBar::ReportError(const Exception& E) {
    if (module_)
        module_->DoError(E);
}

bool TadxCustomCommandBar::ForHost() const {
    return module_ && supportedApps_.Contains(module_->HostType);
}

Variant TadxCustomCommandBar::HostValue(const char* hostName, const Variant& stored) {
    if (!CommandBar)
        return stored;
    try {
        return dispGet(CommandBar, hostName);
    } catch (const Exception& e) {
        ReportError(e);
        return stored;
    }
}

Variant TadxCustomCommandBar::FrameworkRead(const char* HostName, const Variant& Stored) {
    return adxFrameworkRead(CommandBar.Get(), HostName, Stored, [this] { CommandBar = nullptr; });
}

template <class T>
void TadxCustomCommandBar::Set(T& field, const T& value, const char* hostName, Variant hostValue) {
    try {
        if (field != value)
            field = value;
        if (CommandBar)
            adxPushHostValue(CommandBar.Get(), hostName, hostValue);
        CountChange();
    } catch (const Exception& e) {
        ReportError(e);
    }
}

// ---- properties ----

bool TadxCustomCommandBar::GetEnabled() {
    return HostValue("Enabled", enabled_).AsBool();
}
void TadxCustomCommandBar::SetEnabled(bool Value) {
    Set(enabled_, Value, "Enabled", Value);
}
void TadxCustomCommandBar::SetVisible(bool Value) {
    Set(visible_, Value, "Visible", Value);
}
TadxMsoBarPosition TadxCustomCommandBar::GetPosition() {
    return static_cast<TadxMsoBarPosition>(HostValue("Position", position_).AsInteger());
}
void TadxCustomCommandBar::SetPosition(TadxMsoBarPosition Value) {
    try {
        CheckAdvancedRule(true, Value);
    } catch (const Exception& e) {
        ReportError(e);
        return;
    }
    Set(position_, Value, "Position", static_cast<int32_t>(Value));
}
TadxMsoBarProtection TadxCustomCommandBar::GetProtection() {
    if (!CommandBar)
        return protection_;
    return adxProtectionIndex(HostValue("Protection", adxProtectionFlag(protection_)).AsInteger());
}
void TadxCustomCommandBar::SetProtection(TadxMsoBarProtection Value) {
    try {
        CheckAdvancedRule(false, Value);
    } catch (const Exception& e) {
        ReportError(e);
        return;
    }
    Set(protection_, Value, "Protection", adxProtectionFlag(Value));
}
int32_t TadxCustomCommandBar::GetLeftPosition() {
    return HostValue("Left", leftPosition_).AsInteger();
}
void TadxCustomCommandBar::SetLeftPosition(int32_t Value) {
    Set(leftPosition_, Value, "Left", Value);
}
int32_t TadxCustomCommandBar::GetTopPosition() {
    return HostValue("Top", topPosition_).AsInteger();
}
void TadxCustomCommandBar::SetTopPosition(int32_t Value) {
    Set(topPosition_, Value, "Top", Value);
}
int32_t TadxCustomCommandBar::GetRowIndex() {
    return HostValue("RowIndex", rowIndex_).AsInteger();
}
void TadxCustomCommandBar::SetRowIndex(int32_t Value) {
    Set(rowIndex_, Value, "RowIndex", Value);
}
std::u16string TadxCustomCommandBar::GetCommandBarName() {
    return HostValue("Name", commandBarName_).AsWide();
}
void TadxCustomCommandBar::SetCommandBarNameLocal(const std::u16string& Value) {
    try {
        if (commandBarNameLocal_ != Value)
            commandBarNameLocal_ = Value;
        if (CommandBar)
            adxPushHostValue(CommandBar.Get(), "NameLocal", Value);
    } catch (const Exception& e) {
        ReportError(e);
    }
}
void TadxCustomCommandBar::SetTemporary(bool Value) {
    temporary_ = Value;
    CountChange();
}
void TadxCustomCommandBar::SetSupportedApps(TadxHostAppSet Value) {
    supportedApps_ = Value;
    CountChange();
}
void TadxCustomCommandBar::SetShowOnRibbonHosts(bool Value) {
    showOnRibbonHosts_ = Value;
    CountChange();
}

void TadxCustomCommandBar::CheckAdvancedRule(bool position, int value) {
    bool advanced = false;
    for (int i = 0; i < controls_->Count(); ++i)
        advanced = advanced || controls_->GetItem(i)->GetAsAdvancedControl();
    if (!advanced)
        return;
    if (position && (value == adxMsoBarPopup || value == adxMsoBarMenuBar))
        adx::RaiseError(adx::ErrAdvancedControlPlacement1, adx::SAdvancedControlPosition);
    if (!position && value != adxMsoBarNoChangeDock)
        adx::RaiseError(adx::ErrAdvancedControlPlacement2, adx::SAdvancedControlProtection);
}

bool TadxCustomCommandBar::GetBuiltIn() {
    return CommandBar && dispGet(CommandBar, "BuiltIn").AsBool();
}

void TadxCustomCommandBar::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || (ComponentState() & csDestroying) || !controls_)
        return;
    for (int i = 0; i < controls_->Count(); ++i)
        if (auto* advanced = controls_->GetItem(i)->GetAsAdvancedControl();
            advanced && advanced->Control == AComponent)
            advanced->Control = nullptr;
}

// ---- the push ----

bool TadxCustomCommandBar::IsChanged() {
    return adxRecordChanged(module_->GetRegistryKey(), "\\CommandBars",
                            text::Narrow(commandBarName_), changeCounter_);
}

void TadxCustomCommandBar::ApplyChanges() {
    adxWriteRecord(module_->GetRegistryKey(), "\\CommandBars", text::Narrow(commandBarName_),
                   changeCounter_);
}

void TadxCustomCommandBar::SetProperties() {
    if (!CommandBar)
        return;
    if (temporary_ || IsChanged() || module_->HostType == ohaAccess) {
        SetEnabled(enabled_);
        if (enabled_)
            SetVisible(visible_);
        SetProtection(protection_);
        SetPosition(position_);
        if (leftPosition_ != -1)
            SetLeftPosition(leftPosition_);
        if (topPosition_ != -1)
            SetTopPosition(topPosition_);
        if (rowIndex_ != -1)
            SetRowIndex(rowIndex_);
        if (!temporary_)
            ApplyChanges();
    }
    // Word with the ribbon shows a bar only when told again.
    if (module_->HostType == ohaWord && showOnRibbonHosts_ && module_->IsRibbonHost && enabled_)
        SetVisible(visible_);
}

// ---- explorer bars ----

TadxOlExplorerCustomCommandBar::TadxOlExplorerCustomCommandBar(TComponent* AOwner)
    : TadxCustomCommandBar(AOwner), folderNames_(std::make_unique<TStringList>()) {
    temporary_ = true;
    position_ = adxMsoBarTop;
    supportedApps_ = TadxHostAppSet{ohaOutlook};
    showOnRibbonHosts_ = true;
}

void TadxOlExplorerCustomCommandBar::SetSupportedApps(TadxHostAppSet Value) {
    TadxCustomCommandBar::SetSupportedApps(Value);
    // An explorer bar lives in Outlook only.
    supportedApps_ = TadxHostAppSet{ohaOutlook};
}
