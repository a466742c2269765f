// The ribbon tab: its place in the module's lists, its key, its attributes.
#include "framework/ribbon/RibbonTab.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonContainers.h"
#include "framework/support/FrameworkErrors.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/OleError.h"
#include "platform/gfx/ImageList.h"
#include "platform/text/Text.h"

namespace {

// The most groups a tab holds.
constexpr int kMaxGroups = 100;

TadxModuleServices& CheckOwner(TComponent* owner) {
    auto* module = dynamic_cast<TadxModuleServices*>(owner);
    if (!module)
        adx::RaiseError(
            adx::ErrWrongContainer, adx::SWrongContainer,
            {ClassNameOf<TadxRibbonTab>(), owner ? owner->ClassName() : std::string("nil")});
    return *module;
}

// The ribbon kinds of the hosts the module supports.
TadxRibbons RibbonsOfHosts(TadxHostAppSet hosts) {
    TadxRibbons ribbons = TadxRibbons::FromMask(0x80003F);
    if (!hosts.Contains(ohaAccess))
        ribbons.Exclude(msrAccessDatabase);
    if (!hosts.Contains(ohaExcel))
        ribbons.Exclude(msrExcelWorkbook);
    if (!hosts.Contains(ohaPowerPoint))
        ribbons.Exclude(msrPowerPointPresentation);
    if (!hosts.Contains(ohaWord))
        ribbons.Exclude(msrWordDocument);
    if (!hosts.Contains(ohaOutlook))
        ribbons -= TadxRibbons{msrOutlookMailRead, msrOutlookMailCompose, msrOutlookExplorer};
    return ribbons;
}

// The module's list a tab of that context belongs to (nullptr while it is destroyed).
TList<TObject>* TabListOf(TadxModuleServices* module, const std::string& context) {
    if (!module || (module->ComponentState() & csDestroying))
        return nullptr;
    return context.empty() ? module->RibbonTabs.get() : module->ContextualTabs.get();
}

// Resets ImageIndex of every control below controls, through their items and children.
void ClearImageIndexes(TadxRibbonControls* controls) {
    if (!controls)
        return;
    for (int i = 0; i < controls->Count(); ++i) {
        TadxRibbonCustomControl* control = controls->GetItem(i);
        control->SetImageIndex(-1);
        ClearImageIndexes(control->GetItems());
        ClearImageIndexes(control->GetControls());
    }
}

} // namespace

TadxRibbonTab::TadxRibbonTab(TComponent* Owner) : TComponent(&CheckOwner(Owner)) {
    module_ = static_cast<TadxModuleServices*>(Owner);
    ribbons_ = RibbonsOfHosts(module_->SupportedApps());
    visible_ = true;
    controls_ = std::make_unique<TadxRibbonControls>(this, kMaxGroups,
                                                     TCollection::ItemClassOf<TadxRibbonGroup>());
    TStringList* keys = adxRibbonKeyList(module_);
    if ((ComponentState() & csDesigning) && id_.empty()) {
        id_ = text::Wide("adxRibbonTab" + adxGuidDigits());
        int tabs = 0;
        if (keys)
            for (int i = 0; i < keys->Count(); ++i)
                if (dynamic_cast<TadxRibbonTab*>(keys->Objects(i)))
                    ++tabs;
        caption_ = text::Wide("adxRibbonTab" + std::to_string(tabs + 1));
    }
    if (TList<TObject>* tabs = TabListOf(module_, context_))
        tabs->Add(this);
    if (keys)
        keys->AddObject(text::Narrow(id_), this);
}

TadxRibbonTab::~TadxRibbonTab() {
    if (TList<TObject>* tabs = TabListOf(module_, context_))
        tabs->Remove(this);
    if (TStringList* keys = adxRibbonKeyList(module_)) {
        int index = keys->IndexOfObject(this);
        if (index >= 0)
            keys->Delete(index);
    }
    // The groups climb to this tab to leave the key list: free them while it is whole.
    controls_.reset();
    module_ = nullptr;
}

uint8_t TadxRibbonTab::GetType() {
    return adxRibbonTypeTab;
}

void TadxRibbonTab::SetContext(const std::string& Value) {
    if (Value == context_)
        return;
    if (TList<TObject>* from = TabListOf(module_, context_))
        from->Remove(this);
    context_ = Value;
    if (TList<TObject>* to = TabListOf(module_, context_))
        to->Add(this);
}

void TadxRibbonTab::SetControls(TadxRibbonControls* Value) {
    controls_->Assign(Value);
}

void TadxRibbonTab::SetImages(TCustomImageList* Value) {
    if (Value == images_)
        return;
    if (images_)
        images_->RemoveFreeNotification(this);
    images_ = Value;
    if (images_)
        images_->FreeNotification(this);
}

void TadxRibbonTab::UpdateKey() {
    TStringList* keys = adxRibbonKeyList(module_);
    if (!keys)
        return;
    int index = keys->IndexOfObject(this);
    if (index >= 0)
        keys->SetStrings(index, adxRibbonKey(*this));
}

void TadxRibbonTab::SetID(const std::u16string& Value) {
    if (Value.empty() || Value == id_)
        return;
    id_ = Value;
    // The entry takes the new Id even when the tab is listed under its IdMso.
    TStringList* keys = adxRibbonKeyList(module_);
    if (!keys)
        return;
    int index = keys->IndexOfObject(this);
    if (index >= 0)
        keys->SetStrings(index, text::Narrow(id_));
}

void TadxRibbonTab::SetIDMso(const std::u16string& Value) {
    if (Value == idMso_)
        return;
    idMso_ = Value;
    UpdateKey();
}

void TadxRibbonTab::SetKeyTip(const std::u16string& Value) {
    std::u16string keyTip = Value.substr(0, 3);
    if (keyTip == keyTip_)
        return;
    keyTip_ = keyTip;
    Invalidate();
}

void TadxRibbonTab::SetRibbons(TadxRibbons Value) {
    if (Value.Empty() || Value == ribbons_)
        return;
    ribbons_ = Value;
    for (int i = 0; i < controls_->Count(); ++i)
        controls_->GetItem(i)->SetRibbons(Value);
}

void TadxRibbonTab::Invalidate() {
    if (!module_ || !module_->RibbonUI)
        return;
    if (!idMso_.empty())
        OleCheck(module_->RibbonUI->Invalidate());
    else
        OleCheck(module_->RibbonUI->InvalidateControl(id_));
}

void TadxRibbonTab::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent || AComponent != images_)
        return;
    images_ = nullptr;
    ClearImageIndexes(controls_.get());
}

std::unique_ptr<TStringList> TadxRibbonTab::GetAttributes() {
    std::u16string ns = module_ ? module_->Namespace : std::u16string();
    TadxAttributeList list(*this, ns);
    if (shared_ && !ns.empty()) {
        list.SharedId()
            .Bool("visible", visible_)
            .Insert()
            .Put("keytip", keyTip_)
            .Put("label", caption_);
        return list.Take();
    }
    list.Callback("getVisible");
    if (!idMso_.empty()) {
        list.Put("idMso", idMso_);
        return list.Take();
    }
    list.Id().Insert().Callbacks({"getKeytip", "getLabel"});
    return list.Take();
}
