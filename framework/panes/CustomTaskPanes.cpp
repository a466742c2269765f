// The module's task-pane collection: making and removing the live panes.
#include "framework/panes/CustomTaskPanes.h"

#include "framework/support/ModuleServices.h"
#include "platform/text/Text.h"

namespace {

bool InDock(MsoCTPDockPosition position, MsoCTPDockPosition a, MsoCTPDockPosition b) {
    return position == a || position == b || position == msoCTPDockPositionFloating;
}

} // namespace

TadxCustomTaskPanes::TadxCustomTaskPanes(TadxModuleServices* Owner)
    : TOwnedCollection(Owner, ItemClassOf<TadxCustomTaskPane>()), module_(Owner) {}

TadxCustomTaskPanes::~TadxCustomTaskPanes() {
    Liveness.End();
}

TadxCustomTaskPane* TadxCustomTaskPanes::GetItem(int Index) const {
    return static_cast<TadxCustomTaskPane*>(Items(Index));
}

void TadxCustomTaskPanes::ReportError(const Exception& e) {
    module_->DoError(e);
}

void TadxCustomTaskPanes::MakeCTP(IDispatch* Window, int WindowKind) {
    if (!module_->CTPFactory)
        return;
    // Handlers may add, delete or clear declarations: walk by index and
    // check the bounds again each time.
    rtl::TLifeWatch self = Liveness.Watch();
    for (int i = 0; self && i < Count(); ++i)
        MakePane(i, Window, WindowKind);
}

void TadxCustomTaskPanes::MakePane(int index, IDispatch* window, int windowKind) {
    TadxCustomTaskPane& pane = *GetItem(index);
    if ((windowKind == adxCTPWindowExplorer && !pane.OutlookWindows.Contains(olExplorers)) ||
        (windowKind == adxCTPWindowInspector && !pane.OutlookWindows.Contains(olInspectors)))
        return;
    if (!pane.SupportedApps.Contains(module_->HostType) || pane.ControlProgID.empty() ||
        pane.Title.empty())
        return;
    rtl::TLifeWatch alive = pane.Liveness.Watch();
    try {
        if (module_->HostType == ohaInfoPath)
            pane.FixInfoPathPanes();
        else if (module_->HostType == ohaWord)
            pane.FixWordPanes();
    } catch (const Exception& e) {
        // The host refused a look at its windows: report it and make the pane anyway.
        if (alive)
            ReportError(e);
    }
    if (!alive || pane.Instances().GetItemByWindow(window))
        return;
    bool cancel = false;
    if (!FireGuarded(pane.Liveness, module_->OnTaskPaneBeforeCreate, &pane, window, cancel) ||
        cancel || !CreatePane(pane, window))
        return;
    TadxCustomTaskPaneInstance* instance =
        pane.Instances().ItemByIndex(pane.Instances().Count() - 1);
    if (!FireGuarded(instance->Liveness, module_->OnTaskPaneAfterCreate, &pane, instance) ||
        !pane.Visible())
        return;
    cancel = false;
    if (!FireGuarded(instance->Liveness, module_->OnTaskPaneBeforeShow, &pane, instance, cancel))
        return;
    if (cancel) {
        if (!WordTaskbar)
            instance->Shown = false;
        return;
    }
    ShowPane(pane, *instance);
}

bool TadxCustomTaskPanes::CreatePane(TadxCustomTaskPane& pane, IDispatch* window) {
    ComPtr<_CustomTaskPane> created;
    try {
        Variant parent = window ? Variant(ComPtr<IDispatch>::Share(window)) : Variant::Missing();
        OleCheck(module_->CTPFactory->CreateCTP(text::Utf8ToUtf16(pane.ControlProgID), pane.Title,
                                                parent, created.Receive()));
        if (!created)
            return false;
        OleCheck(created->put_DockPosition(static_cast<MsoCTPDockPosition>(pane.DockPosition())));
        OleCheck(created->put_DockPositionRestrict(
            static_cast<MsoCTPDockPositionRestrict>(pane.DockPositionRestrict())));
        MsoCTPDockPosition position = msoCTPDockPositionRight;
        if (pane.Height() != -1) {
            OleCheck(created->get_DockPosition(&position));
            if (InDock(position, msoCTPDockPositionTop, msoCTPDockPositionBottom))
                OleCheck(created->put_Height(pane.Height()));
        }
        if (pane.Width() != -1) {
            OleCheck(created->get_DockPosition(&position));
            if (InDock(position, msoCTPDockPositionLeft, msoCTPDockPositionRight))
                OleCheck(created->put_Width(pane.Width()));
        }
    } catch (const Exception& e) {
        // A pane the host made but that could not be set up is closed
        // again: the framework would otherwise leave it in the window with
        // no instance to remove it.
        if (created)
            created->Delete();
        ReportError(e);
        return false;
    }
    pane.Instances().InternalAdd(std::move(created));
    return true;
}

void TadxCustomTaskPanes::ShowPane(TadxCustomTaskPane& pane, TadxCustomTaskPaneInstance& instance) {
    rtl::TLifeWatch alive = instance.Liveness.Watch();
    try {
        // The host may report the change at once, to a handler that removes the pane.
        instance.Pane().Set_Visible(true);
    } catch (const Exception& e) {
        if (alive)
            ReportError(e);
    }
    if (!alive)
        return;
    if (!WordTaskbar)
        instance.Shown = instance.Visible();
    FireGuarded(instance.Liveness, module_->OnTaskPaneAfterShow, &pane, &instance);
}

void TadxCustomTaskPanes::RemoveCTP(IDispatch* Window) {
    if (!module_->CTPFactory)
        return;
    rtl::TLifeWatch self = Liveness.Watch();
    for (int i = 0; self && i < Count(); ++i) {
        TadxCustomTaskPaneInstances& instances = GetItem(i)->Instances();
        if (TadxCustomTaskPaneInstance* instance = instances.GetItemByWindow(Window))
            instances.DeleteInstance(instance);
    }
}

void TadxCustomTaskPanes::Clear() {
    rtl::TLifeWatch self = Liveness.Watch();
    for (int i = Count() - 1; self && i >= 0; --i) {
        if (i >= Count())
            continue;
        TadxCustomTaskPane* pane = GetItem(i);
        rtl::TLifeWatch declared = pane->Liveness.Watch();
        for (int j = pane->Instances().Count() - 1; declared && j >= 0; --j)
            if (j < pane->Instances().Count())
                pane->Instances().DeleteInstance(pane->Instances().ItemByIndex(j));
    }
    if (self)
        TOwnedCollection::Clear();
}
