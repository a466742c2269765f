// The clean-ups that run before a pane is made in Word and InfoPath: panes
// whose window is gone are removed, and Word's panes follow its
// "ShowWindowsInTaskbar" option (one window per document, or all documents
// in one window, where only the active document's pane is shown).
#include "framework/panes/CustomTaskPanes.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"

namespace {

// The windows of the host's Windows collection, items first .. first + Count - 1.
std::vector<ComPtr<IDispatch>> HostWindows(const Variant& app, int first) {
    std::vector<ComPtr<IDispatch>> windows;
    Variant collection = dispGet(app, "Windows");
    int count = dispGet(collection, "Count").AsInteger();
    for (int i = first; i < first + count; ++i)
        windows.push_back(dispGet(collection, "Item", i).AsDispatch());
    return windows;
}

// Whether window is one of windows, by COM identity.
bool Among(IDispatch* window, const std::vector<ComPtr<IDispatch>>& windows) {
    for (const auto& w : windows)
        if (IsSameObject(w.Get(), window))
            return true;
    return false;
}

// Removes, last to first, the instances for which gone(instance) holds;
// false when a handler freed the declaration.
template <class F> bool RemoveWhere(TadxCustomTaskPane& pane, F gone) {
    rtl::TLifeWatch self = pane.Liveness.Watch();
    TadxCustomTaskPaneInstances& instances = pane.Instances();
    for (int i = instances.Count() - 1; self && i >= 0; --i) {
        if (i >= instances.Count())
            continue;
        TadxCustomTaskPaneInstance* instance = instances.ItemByIndex(i);
        if (gone(*instance))
            instances.DeleteInstance(instance);
    }
    return self.Alive();
}

} // namespace

void TadxCustomTaskPane::FixWordPanes() {
    if (fixing_)
        return;
    fixing_ = true;
    rtl::TLifeWatch self = Liveness.Watch();
    // Whatever happens below, the flag drops with it (unless the declaration went).
    struct Unfix {
        TadxCustomTaskPane* pane;
        rtl::TLifeWatch& self;
        ~Unfix() {
            if (self)
                pane->fixing_ = false;
        }
    } unfix{this, self};

    const Variant& app = module_->HostApplication;
    std::vector<ComPtr<IDispatch>> windows = HostWindows(app, 1);
    if (!RemoveWhere(
            *this, [&](TadxCustomTaskPaneInstance& i) { return !Among(i.Window.Get(), windows); }))
        return;
    auto& panes = *static_cast<TadxCustomTaskPanes*>(Collection());
    bool taskbar = dispGet(app, "ShowWindowsInTaskbar").AsBool();
    bool changed = taskbar != panes.WordTaskbar;
    panes.WordTaskbar = taskbar;
    if (!taskbar) {
        ComPtr<IDispatch> active = dispGet(app, "ActiveWindow").AsDispatch();
        ForEachInstance([&](TadxCustomTaskPaneInstance& i) {
            rtl::TLifeWatch alive = i.Liveness.Watch();
            i.Updating = true;
            i.SetVisible(i.Shown && IsSameObject(i.Window.Get(), active.Get()));
            if (alive)
                i.Updating = false;
        });
    } else if (changed) {
        if (!RemoveWhere(*this, [](TadxCustomTaskPaneInstance& i) {
                return !IsSameObject(i.Pane().Get_Window().Get(), i.Window.Get());
            }))
            return;
        ForEachInstance([&](TadxCustomTaskPaneInstance& i) { i.SetVisible(visible_); });
    }
}

void TadxCustomTaskPane::FixInfoPathPanes() {
    std::vector<ComPtr<IDispatch>> windows = HostWindows(module_->HostApplication, 0);
    RemoveWhere(
        *this, [&](TadxCustomTaskPaneInstance& i) { return !Among(i.GetWindow().Get(), windows); });
}
