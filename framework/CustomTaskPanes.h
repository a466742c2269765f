// The module's custom task panes: TaskPanes holds one declaration per pane
// the add-in shows (the control that fills it, title, docking, the hosts and
// Outlook windows it belongs to); the framework makes one live pane per host
// window through the host's task-pane factory (MakeCTP) and removes it when
// the window closes (RemoveCTP).
//
// What stands here is what the add-in object and the module rely on: the
// collection, created by the module, cleared at disconnection, and the two
// operations the add-in object calls. A declaration carries no properties
// yet, so a module cannot declare a pane and both operations find nothing
// to make or remove.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/rtl/Collection.h"

class TadxCOMAddInModule;
class TadxCustomTaskPanes;

// The Outlook window kinds MakeCTP is told about.
inline constexpr int adxCTPWindowOther = 0;
inline constexpr int adxCTPWindowExplorer = 1;
inline constexpr int adxCTPWindowInspector = 2;

// One declared task pane.
class TadxCustomTaskPane : public TCollectionItem {
public:
    explicit TadxCustomTaskPane(TCollection* collection);
};

// One live pane of a declaration in one host window.
class TadxCustomTaskPaneInstance : public TCollectionItem {
public:
    explicit TadxCustomTaskPaneInstance(TCollection* collection);
};

class TadxCustomTaskPanes : public TOwnedCollection {
public:
    // The collection of module Owner, with items of class TadxCustomTaskPane.
    explicit TadxCustomTaskPanes(TadxCOMAddInModule* Owner);

    // The declaration at Index.
    TadxCustomTaskPane* GetItem(int Index) const;
    // Makes the panes that belong to a host window (nil: the host's single
    // window) of kind WindowKind; nothing while the module has no task-pane factory.
    void MakeCTP(IDispatch* Window, int WindowKind);
    // Removes the panes of a host window that closes; nothing while the
    // module has no task-pane factory.
    void RemoveCTP(IDispatch* Window);

    // Word's last "ShowWindowsInTaskbar" value (true: one window per document).
    bool WordTaskbar = true;

private:
    TadxCOMAddInModule* module_;
};
