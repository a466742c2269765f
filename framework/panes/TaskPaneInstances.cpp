// The live panes of a declaration, and the declaration's own properties.
#include "framework/panes/CustomTaskPanes.h"
#include "framework/support/ModuleServices.h"
#include "platform/text/Text.h"

namespace {

TadxCustomTaskPanes& PanesOf(TadxCustomTaskPane* pane) {
    return *static_cast<TadxCustomTaskPanes*>(pane->Collection());
}

bool HeightApplies(MsoCTPDockPosition p) {
    return p == msoCTPDockPositionTop || p == msoCTPDockPositionBottom ||
           p == msoCTPDockPositionFloating;
}

bool WidthApplies(MsoCTPDockPosition p) {
    return p == msoCTPDockPositionLeft || p == msoCTPDockPositionRight ||
           p == msoCTPDockPositionFloating;
}

} // namespace

// ---- TadxCustomTaskPaneInstance ----

TadxCustomTaskPaneInstance::TadxCustomTaskPaneInstance(TCollection* collection)
    : TCollectionItem(collection), parent_(static_cast<TadxCustomTaskPane*>(
                                       static_cast<TOwnedCollection*>(collection)->Owner())),
      pane_(std::make_unique<TadxInternalCustomTaskPane>([this](DISPID id) { PaneEvent(id); })),
      dockPosition_(parent_->DockPosition()), restrict_(parent_->DockPositionRestrict()),
      height_(parent_->Height()), title_(parent_->Title), visible_(parent_->Visible()),
      width_(parent_->Width()) {}

TadxCustomTaskPaneInstance::~TadxCustomTaskPaneInstance() {
    Liveness.End();
    // No event of the pane may reach an instance that is going.
    pane_->Close();
}

ComPtr<IDispatch> TadxCustomTaskPaneInstance::GetWindow() {
    if (!pane_->IsConnected())
        return nullptr;
    if (parent_->Module()->HostType == ohaWord)
        return Window;
    return pane_->Get_Window();
}

void TadxCustomTaskPaneInstance::SetDockPosition(TadxCTPDockPosition Value) {
    dockPosition_ = Value;
    pane_->Set_DockPosition(static_cast<MsoCTPDockPosition>(Value));
}

void TadxCustomTaskPaneInstance::SetDockPositionRestrict(TadxCTPDockPositionRestrict Value) {
    restrict_ = Value;
    pane_->Set_DockPositionRestrict(static_cast<MsoCTPDockPositionRestrict>(Value));
}

void TadxCustomTaskPaneInstance::SetHeight(int32_t Value) {
    height_ = Value;
    if (pane_->IsConnected() && HeightApplies(pane_->Get_DockPosition()))
        pane_->Set_Height(Value);
}

void TadxCustomTaskPaneInstance::SetWidth(int32_t Value) {
    width_ = Value;
    if (pane_->IsConnected() && WidthApplies(pane_->Get_DockPosition()))
        pane_->Set_Width(Value);
}

void TadxCustomTaskPaneInstance::SetVisible(bool Value) {
    visible_ = Value;
    pane_->Set_Visible(Value);
}

void TadxCustomTaskPaneInstance::PaneEvent(DISPID id) {
    TadxCustomTaskPanes& panes = PanesOf(parent_);
    if (id == 1) {
        if (!Updating) {
            try {
                Shown = pane_->Get_Visible();
            } catch (const Exception&) {
                // A pane that answers no more keeps its last known state.
            }
        }
        panes.FireGuarded(Liveness, parent_->OnVisibleStateChange, parent_, this);
    } else if (id == 2) {
        panes.FireGuarded(Liveness, parent_->OnDockPositionStateChange, parent_, this);
    }
}

// ---- TadxCustomTaskPaneInstances ----

TadxCustomTaskPaneInstances::TadxCustomTaskPaneInstances(TadxCustomTaskPane* Owner)
    : TOwnedCollection(Owner, ItemClassOf<TadxCustomTaskPaneInstance>()), owner_(Owner) {}

TadxCustomTaskPaneInstance*
TadxCustomTaskPaneInstances::InternalAdd(ComPtr<_CustomTaskPane> CustomTaskPane) {
    auto* instance = static_cast<TadxCustomTaskPaneInstance*>(Add());
    instance->Pane().ConnectTo(std::move(CustomTaskPane));
    if (owner_->Module()->HostType == ohaWord)
        instance->Window = instance->Pane().Get_Window();
    return instance;
}

TadxCustomTaskPaneInstance* TadxCustomTaskPaneInstances::ItemByIndex(int Index) const {
    return static_cast<TadxCustomTaskPaneInstance*>(Items(Index));
}

TadxCustomTaskPaneInstance* TadxCustomTaskPaneInstances::GetItemByWindow(IDispatch* Window) {
    switch (owner_->Module()->HostType) {
    case ohaExcel:
    case ohaPowerPoint:
    case ohaAccess:
        return Count() > 0 ? ItemByIndex(0) : nullptr;
    default:
        break;
    }
    // A window reaches the framework through several interfaces (the
    // host's event argument, a collection's item): compare COM identity.
    for (int i = 0; i < Count(); ++i)
        if (IsSameObject(ItemByIndex(i)->GetWindow().Get(), Window))
            return ItemByIndex(i);
    return nullptr;
}

bool TadxCustomTaskPaneInstances::DeleteInstance(TadxCustomTaskPaneInstance* Instance) {
    TadxCustomTaskPanes& panes = PanesOf(owner_);
    rtl::TLifeWatch declared = owner_->Liveness.Watch();
    if (!panes.FireGuarded(Instance->Liveness, owner_->Module()->OnTaskPaneBeforeDestroy, owner_,
                           Instance))
        return declared.Alive();
    // The host may report the pane's end to a handler that removes it first.
    rtl::TLifeWatch alive = Instance->Liveness.Watch();
    try {
        Instance->Pane().Delete();
    } catch (const Exception& e) {
        if (alive)
            owner_->Module()->DoError(e);
    }
    if (alive)
        delete Instance;
    return declared.Alive();
}

// ---- TadxCustomTaskPane ----

TadxCustomTaskPane::TadxCustomTaskPane(TCollection* collection)
    : TCollectionItem(collection), module_(static_cast<TadxCustomTaskPanes*>(collection)->Module()),
      instances_(std::make_unique<TadxCustomTaskPaneInstances>(this)) {
    Title = u"My Custom Pane " + text::Utf8ToUtf16(std::to_string(collection->Count()));
    SupportedApps = module_->SupportedApps();
}

TadxCustomTaskPane::~TadxCustomTaskPane() {
    Liveness.End();
}

void TadxCustomTaskPane::ForEachInstance(
    const std::function<void(TadxCustomTaskPaneInstance&)>& f) {
    rtl::TLifeWatch self = Liveness.Watch();
    for (int i = 0; self && i < instances_->Count(); ++i)
        f(*instances_->ItemByIndex(i));
}

void TadxCustomTaskPane::SetDockPosition(TadxCTPDockPosition Value) {
    dockPosition_ = Value;
    ForEachInstance([&](TadxCustomTaskPaneInstance& i) { i.SetDockPosition(Value); });
}

void TadxCustomTaskPane::SetDockPositionRestrict(TadxCTPDockPositionRestrict Value) {
    restrict_ = Value;
    ForEachInstance([&](TadxCustomTaskPaneInstance& i) { i.SetDockPositionRestrict(Value); });
}

void TadxCustomTaskPane::SetHeight(int32_t Value) {
    height_ = Value;
    ForEachInstance([&](TadxCustomTaskPaneInstance& i) { i.SetHeight(Value); });
}

void TadxCustomTaskPane::SetWidth(int32_t Value) {
    width_ = Value;
    ForEachInstance([&](TadxCustomTaskPaneInstance& i) { i.SetWidth(Value); });
}

void TadxCustomTaskPane::SetVisible(bool Value) {
    visible_ = Value;
    ForEachInstance([&](TadxCustomTaskPaneInstance& i) { i.SetVisible(Value); });
}
