// The module's task-pane collection.
#include "framework/CustomTaskPanes.h"

#include "framework/AddInModule.h"

TadxCustomTaskPane::TadxCustomTaskPane(TCollection* collection) : TCollectionItem(collection) {}

TadxCustomTaskPaneInstance::TadxCustomTaskPaneInstance(TCollection* collection)
    : TCollectionItem(collection) {}

TadxCustomTaskPanes::TadxCustomTaskPanes(TadxCOMAddInModule* Owner)
    : TOwnedCollection(Owner, ItemClassOf<TadxCustomTaskPane>()), module_(Owner) {}

TadxCustomTaskPane* TadxCustomTaskPanes::GetItem(int Index) const {
    return static_cast<TadxCustomTaskPane*>(Items(Index));
}

void TadxCustomTaskPanes::MakeCTP(IDispatch* Window, int WindowKind) {
    if (!module_->CTPFactory)
        return;
    // A declaration has nothing yet from which a pane could be made.
}

void TadxCustomTaskPanes::RemoveCTP(IDispatch* Window) {
    if (!module_->CTPFactory)
        return;
    // No declaration can have a live pane yet.
}
