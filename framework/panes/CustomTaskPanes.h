// The module's custom task panes: TaskPanes holds one declaration per pane
// the add-in shows (the control that fills it, title, docking, size, the
// hosts and Outlook windows it belongs to); the framework makes one live
// pane per host window through the host's task-pane factory (MakeCTP) and
// removes it when the window closes (RemoveCTP), in the Word and InfoPath
// clean-ups, and when the collection is cleared at disconnection. Setting a
// declaration's Visible, size or docking reaches every live pane of it; the
// host's visibility and docking notifications come back as the
// declaration's two events.
//
// Handlers may remove panes, clear the collection or turn the add-in off:
// every pane, declaration and the collection hold a TLiveness, and whoever
// fires a handler asks it afterwards before touching them again.
#pragma once

#include "framework/panes/TaskPaneWrapper.h"
#include "framework/support/OfficeHosts.h"
#include "platform/com/Dispatch.h"
#include "platform/com/OleError.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Lifetime.h"

#include <functional>
#include <memory>
#include <string>

class TadxModuleServices;
class TadxCustomTaskPanes;
class TadxCustomTaskPane;
class TadxCustomTaskPaneInstance;

// The Outlook window kinds MakeCTP is told about.
inline constexpr int adxCTPWindowOther = 0;
inline constexpr int adxCTPWindowExplorer = 1;
inline constexpr int adxCTPWindowInspector = 2;

// Where a pane docks (the values are the host's own).
enum TadxCTPDockPosition : uint8_t {
    adxCTPDockPositionLeft = 0,
    adxCTPDockPositionTop = 1,
    adxCTPDockPositionRight = 2,
    adxCTPDockPositionBottom = 3,
    adxCTPDockPositionFloating = 4,
};
// Which docking changes the user may make.
enum TadxCTPDockPositionRestrict : uint8_t {
    adxCTPDockPositionRestrictNone = 0,
    adxCTPDockPositionRestrictNoChange = 1,
    adxCTPDockPositionRestrictNoHorizontal = 2,
    adxCTPDockPositionRestrictNoVertical = 3,
};
// The Outlook windows a pane is shown in.
enum TadxCTPOutlookWindow : uint8_t { olExplorers = 0, olInspectors = 1 };
using TadxCTPOutlookWindows = TSet<TadxCTPOutlookWindow, uint8_t>;

// The host changed a live pane's visibility or docking.
using TadxTaskPaneVisibleStateChange =
    std::function<void(TObject* Sender, TadxCustomTaskPaneInstance* Instance)>;
using TadxTaskPaneDockPositionStateChange =
    std::function<void(TObject* Sender, TadxCustomTaskPaneInstance* Instance)>;

// One live pane of a declaration in one host window.
class TadxCustomTaskPaneInstance : public TCollectionItem {
public:
    explicit TadxCustomTaskPaneInstance(TCollection* collection);
    // Lets go of the pane; the Office pane is deleted when still there.
    ~TadxCustomTaskPaneInstance() override;

    // The declaration this pane was made from.
    TadxCustomTaskPane* GetParent() const noexcept { return parent_; }
    // The host window of the pane: nil while not connected; in Word the
    // window kept at creation; otherwise the pane's own Window.
    ComPtr<IDispatch> GetWindow();
    // The wrapper of the Office pane (owned).
    TadxInternalCustomTaskPane& Pane() noexcept { return *pane_; }

    // What the pane shows; each setter stores the value and, while the pane
    // is connected, passes it on (Height only when docked top, bottom or
    // floating; Width only when docked left, right or floating).
    TadxCTPDockPosition DockPosition() const noexcept { return dockPosition_; }
    void SetDockPosition(TadxCTPDockPosition Value);
    TadxCTPDockPositionRestrict DockPositionRestrict() const noexcept { return restrict_; }
    void SetDockPositionRestrict(TadxCTPDockPositionRestrict Value);
    int32_t Height() const noexcept { return height_; }
    void SetHeight(int32_t Value);
    int32_t Width() const noexcept { return width_; }
    void SetWidth(int32_t Value);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool Value);
    const std::u16string& Title() const noexcept { return title_; }

    // The window kept at creation (Word only).
    ComPtr<IDispatch> Window;
    // The host's last reported visibility.
    bool Shown = true;
    // Set while the framework itself changes the visibility (Word clean-up).
    bool Updating = false;
    // Ends with the instance: handlers that may delete it are fired through it.
    rtl::TLiveness Liveness;

private:
    void PaneEvent(DISPID id);

    TadxCustomTaskPane* parent_;
    std::unique_ptr<TadxInternalCustomTaskPane> pane_;
    TadxCTPDockPosition dockPosition_;
    TadxCTPDockPositionRestrict restrict_;
    int32_t height_;
    std::u16string title_;
    bool visible_;
    int32_t width_;
};

// The live panes of one declaration.
class TadxCustomTaskPaneInstances : public TOwnedCollection {
public:
    explicit TadxCustomTaskPaneInstances(TadxCustomTaskPane* Owner);
    // A new instance connected to pane (in Word it also keeps the pane's Window).
    TadxCustomTaskPaneInstance* InternalAdd(ComPtr<_CustomTaskPane> CustomTaskPane);
    // The instance of a host window: in Excel, PowerPoint and Access (one
    // window per application) the first; elsewhere the first whose window
    // is the same COM object as Window; nil when none.
    TadxCustomTaskPaneInstance* GetItemByWindow(IDispatch* Window);
    TadxCustomTaskPaneInstance* ItemByIndex(int Index) const;
    // Removes an instance: OnTaskPaneBeforeDestroy, then the Office pane is
    // deleted and the instance freed. False when the handler freed the
    // collection (the caller must stop).
    bool DeleteInstance(TadxCustomTaskPaneInstance* Instance);

private:
    TadxCustomTaskPane* owner_;
};

// One declared task pane.
class TadxCustomTaskPane : public TCollectionItem {
public:
    // A declaration titled "My Custom Pane <n>" (n: the collection's count
    // with it), for the module's supported hosts.
    explicit TadxCustomTaskPane(TCollection* collection);
    ~TadxCustomTaskPane() override;

    // The module, and the live panes of this declaration.
    TadxModuleServices* Module() const noexcept { return module_; }
    TadxCustomTaskPaneInstances& Instances() noexcept { return *instances_; }

    // ProgID of the hosted control; a pane without one is never made.
    std::string ControlProgID;
    // A pane without a title is never made.
    std::u16string Title;
    TadxCTPOutlookWindows OutlookWindows{olExplorers, olInspectors};
    TadxHostAppSet SupportedApps;
    // Setters of these reach every live pane.
    TadxCTPDockPosition DockPosition() const noexcept { return dockPosition_; }
    void SetDockPosition(TadxCTPDockPosition Value);
    TadxCTPDockPositionRestrict DockPositionRestrict() const noexcept { return restrict_; }
    void SetDockPositionRestrict(TadxCTPDockPositionRestrict Value);
    // -1: not set.
    int32_t Height() const noexcept { return height_; }
    void SetHeight(int32_t Value);
    int32_t Width() const noexcept { return width_; }
    void SetWidth(int32_t Value);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool Value);

    TadxTaskPaneDockPositionStateChange OnDockPositionStateChange;
    TadxTaskPaneVisibleStateChange OnVisibleStateChange;

    // Word: drops panes whose window is gone and follows the taskbar option.
    void FixWordPanes();
    // InfoPath: drops panes whose window is gone.
    void FixInfoPathPanes();
    // Ends with the declaration.
    rtl::TLiveness Liveness;

private:
    void ForEachInstance(const std::function<void(TadxCustomTaskPaneInstance&)>& f);

    TadxModuleServices* module_;
    std::unique_ptr<TadxCustomTaskPaneInstances> instances_;
    bool fixing_ = false;
    TadxCTPDockPosition dockPosition_ = adxCTPDockPositionRight;
    TadxCTPDockPositionRestrict restrict_ = adxCTPDockPositionRestrictNone;
    int32_t height_ = -1;
    bool visible_ = true;
    int32_t width_ = -1;
};

class TadxCustomTaskPanes : public TOwnedCollection {
public:
    // The collection of module Owner, with items of class TadxCustomTaskPane.
    explicit TadxCustomTaskPanes(TadxModuleServices* Owner);
    ~TadxCustomTaskPanes() override;

    // The declaration at Index.
    TadxCustomTaskPane* GetItem(int Index) const;
    // The module.
    TadxModuleServices* Module() const noexcept { return module_; }
    // Makes the panes that belong to a host window (nil: the host's single
    // window) of kind WindowKind; nothing while the module has no task-pane factory.
    void MakeCTP(IDispatch* Window, int WindowKind);
    // Removes the panes of a host window that closes; nothing while the
    // module has no task-pane factory.
    void RemoveCTP(IDispatch* Window);
    // Removes every live pane (each with OnTaskPaneBeforeDestroy), then
    // every declaration.
    void Clear();

    // Fires a module handler of the panes: its exception goes to the
    // module's DoError while the collection lives. True when the holder of
    // caller survived.
    template <class Handler, class... Args>
    bool FireGuarded(const rtl::TLiveness& caller, const Handler& handler, Args&&... args);

    // The columns a collection editor shows while the module is being
    // designed ("Type", "Title", "ControlProgID"); none at run time.
    int GetAttrCount() const;
    // The title of column Index; empty for a column that is not there.
    std::string GetAttr(int Index) const;
    // Column Index of the declaration at ItemIndex: its type
    // ("<index> - " and the display name), title or ControlProgID.
    std::string GetItemAttr(int Index, int ItemIndex) const;

    // Word's last "ShowWindowsInTaskbar" value (true: one window per document).
    bool WordTaskbar = true;
    // Ends with the collection (and so with the module).
    rtl::TLiveness Liveness;

private:
    void MakePane(int index, IDispatch* window, int windowKind);
    bool CreatePane(TadxCustomTaskPane& pane, IDispatch* window);
    void ShowPane(TadxCustomTaskPane& pane, TadxCustomTaskPaneInstance& instance);
    void ReportError(const Exception& e);

    TadxModuleServices* module_;
};

template <class Handler, class... Args>
bool TadxCustomTaskPanes::FireGuarded(const rtl::TLiveness& caller, const Handler& handler,
                                      Args&&... args) {
    rtl::TLifeWatch panes = Liveness.Watch();
    rtl::TLifeWatch watch = caller.Watch();
    try {
        return rtl::FireSurvives(caller, handler, std::forward<Args>(args)...);
    } catch (const Exception& e) {
        if (panes)
            ReportError(e);
    }
    return watch.Alive();
}
