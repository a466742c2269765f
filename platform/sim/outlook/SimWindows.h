// Windows of the simulated Outlook: explorers (the main windows, each showing
// a folder and a selection of its items) and inspectors (one item each), with
// their collections Explorers and Inspectors.
//
// Every window has a window handle of the machine, answered through
// IOleWindow, and a CommandBars object of its own. It raises Outlook's window
// events in both of their versions (ExplorerEvents and ExplorerEvents_10,
// InspectorEvents and InspectorEvents_10); the collections raise NewExplorer
// and NewInspector when a window is created, before it is shown.
//
// The order of events follows Outlook: a window shown for the first time gets
// the focus (Deactivate on the window that had it, then Activate; an
// explorer then shows its folder, FolderSwitch); a closing window raises
// Close while it is still in its collection, then leaves it, and the next
// window in the focus order is activated. An inspector's item raises its own
// Open and Close events around the window's.
#pragma once

#include "platform/office/OleWindow.h"
#include "platform/sim/SimCommandBars.h"
#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimFolder.h"
#include "platform/sim/outlook/SimMembers.h"
#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

namespace sim {

// What explorers and inspectors share: the handle, the command bars, the
// focus events and the window members.
class SimWindowBase : public OutlookObject<IOleWindow>, public SimWindow {
public:
    IDispatch* WindowDisp() noexcept override { return Disp(); }
    void RaiseActivate() override { Fire(outlook::DISPID_Activate); }
    void RaiseDeactivate() override { Fire(outlook::DISPID_Deactivate); }
    HRESULT GetWindow(HWND* window) override;
    HRESULT ContextSensitiveHelp(BOOL) override { return S_OK; }
    // Sinks on the window and on its command bars.
    size_t SinkCount() const noexcept override;

    // The window handle (0 once closed).
    HWND Handle() const noexcept { return hwnd_; }
    // Makes GetWindow of IOleWindow fail (an odd window).
    void FailWindowHandle(bool fail = true) noexcept { failHandle_ = fail; }
    SimulatedCommandBars& CommandBars() const noexcept { return *commandBars_; }
    // Makes CommandBars read Nothing, as for a window that has no bars yet.
    void RemoveCommandBars() noexcept { commandBarsGone_ = true; }
    bool IsClosed() const noexcept { return closed_; }
    // True once the window was shown.
    bool WasShown() const noexcept { return shown_; }
    // The window's title.
    virtual std::u16string Caption() const = 0;
    // Shows the window (the first time with what opening it raises) or brings it to the front.
    virtual void Display() = 0;
    // Raises an event that only asks (BeforeMaximize, BeforeMove, ...) with
    // Cancel; returns Cancel.
    bool RaiseBefore(DISPID event);

    void TearDown() override;

protected:
    SimWindowBase(const char* kind, SimApplication* app, const GUID& iid, const GUID& events,
                  const GUID& events10, int objectClass);
    // Makes the window handle, once the caption can be formed.
    void CreateHandle();
    // Raises Close, then the window leaves its collection, the machine and the focus.
    void FinishClose();
    // Takes the window out of its collection.
    virtual void LeaveCollection() = 0;

    ComPtr<SimApplication> app_;
    ComPtr<SimulatedCommandBars> commandBars_;
    HWND hwnd_ = nullptr;
    int windowState_ = 0;
    bool shown_ = false;
    bool closed_ = false;
    bool failHandle_ = false;
    bool commandBarsGone_ = false;
};

class SimExplorer final : public SimWindowBase {
public:
    // A new explorer on folder, not shown yet (Explorers.Add raises NewExplorer).
    static ComPtr<SimExplorer> Create(SimApplication* app, ComPtr<SimFolder> folder);

    bool IsExplorer() const noexcept override { return true; }
    std::u16string Caption() const override;
    SimFolder* CurrentFolder() const noexcept { return folder_.Get(); }
    const std::vector<ComPtr<SimItem>>& Selection() const noexcept { return selection_; }
    const std::u16string& CurrentView() const noexcept { return view_; }

    // The first time: focus, then the folder shown (FolderSwitch).
    void Display() override;
    // Switches to folder: BeforeFolderSwitch (may cancel), FolderSwitch; the
    // selection empties (SelectionChange when it had items). False when cancelled.
    bool SwitchFolder(ComPtr<SimFolder> folder);
    // Switches the view: BeforeViewSwitch (may cancel), ViewSwitch.
    bool SwitchView(std::u16string view);
    // Selects items (SelectionChange).
    void Select(std::vector<ComPtr<SimItem>> items);
    // Raises BeforeItemPaste (clipboard content, target folder, Cancel) or
    // another asking event; returns Cancel.
    bool RaiseBeforePaste();
    // Closes the window (Close event, then it leaves Explorers).
    void Close();

    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimExplorer(SimApplication* app, ComPtr<SimFolder> folder);
    void LeaveCollection() override;

    ComPtr<SimFolder> folder_;
    std::vector<ComPtr<SimItem>> selection_;
    std::u16string view_ = u"Messages";
};

class SimInspector final : public SimWindowBase {
public:
    // A new inspector on item, not shown yet (Inspectors.Add raises NewInspector).
    static ComPtr<SimInspector> Create(SimApplication* app, ComPtr<SimItem> item);

    bool IsExplorer() const noexcept override { return false; }
    std::u16string Caption() const override;
    SimItem& CurrentItem() const noexcept { return *item_; }

    // The first time the item's Open event (a cancel closes the inspector
    // again), then the focus; later it only brings it to the front.
    void Display() override;
    // The user presses the window's Send button: the item is sent (its Send
    // event and the application's ItemSend first) and the window closes.
    // False when a handler cancelled.
    bool PressSend();
    // Closes the window: the item's Close event (may cancel), the item saved
    // (OlInspectorClose olSave) or its changes dropped, the Close event, then
    // it leaves Inspectors.
    void Close(int saveMode);
    // Raises PageChange with the page's name (by reference).
    void RaisePageChange(std::u16string page);

    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimInspector(SimApplication* app, ComPtr<SimItem> item);
    void LeaveCollection() override;

    ComPtr<SimItem> item_;
};

// A window collection: Count, Item (from 1) and the new-window event.
template <class Window> class SimWindowList : public OutlookObject<> {
public:
    size_t Count() const noexcept { return list_.size(); }
    Window& At(size_t i) const { return *list_.at(i); }
    // Called by a closing window.
    void Removed(Window& window) { RemoveFromList(list_, window); }
    void TearDown() override {
        TearDownList(list_);
        app_ = nullptr;
        OutlookObjectCore::TearDown();
    }

protected:
    SimWindowList(const char* kind, SimApplication* app, const GUID& iid, const GUID& events,
                  int objectClass)
        : OutlookObject(kind), app_(ComPtr<SimApplication>::Share(app)) {
        AnswerIid(iid);
        Events.Add(events);
        AddObjectMembers(this->Members, app_, objectClass);
        AddListMembers(this->Members, list_);
    }
    // Adds a new window and raises NewExplorer / NewInspector (0xF001) for it.
    ComPtr<Window> Append(ComPtr<Window> window) {
        ComPtr<IDispatch> self = DispRef();
        list_.push_back(window);
        Fire(0xF001, {Variant(window->Disp())});
        return window;
    }

    ComPtr<SimApplication> app_;
    std::vector<ComPtr<Window>> list_;
};

class SimExplorers final : public SimWindowList<SimExplorer> {
public:
    static ComPtr<SimExplorers> Create(SimApplication* app);
    // A new explorer on folder (NewExplorer is raised); not shown yet.
    ComPtr<SimExplorer> Add(ComPtr<SimFolder> folder);

private:
    friend struct ::ComMaker;
    explicit SimExplorers(SimApplication* app);
};

class SimInspectors final : public SimWindowList<SimInspector> {
public:
    static ComPtr<SimInspectors> Create(SimApplication* app);
    // A new inspector on item (NewInspector is raised); not shown yet.
    ComPtr<SimInspector> Add(ComPtr<SimItem> item);
    // The inspector showing item, or a new one (Add).
    ComPtr<SimInspector> InspectorFor(SimItem& item);

private:
    friend struct ::ComMaker;
    explicit SimInspectors(SimApplication* app);
};

// An explorer's selection at the moment it was asked for.
class SimSelection final : public OutlookObject<> {
public:
    static ComPtr<SimSelection> Create(SimApplication* app, SimExplorer* explorer,
                                       std::vector<ComPtr<SimItem>> items);
    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimSelection(SimApplication* app, SimExplorer* explorer, std::vector<ComPtr<SimItem>> items);

    ComPtr<SimApplication> app_;
    ComPtr<SimExplorer> explorer_;
    std::vector<ComPtr<SimItem>> items_;
};

} // namespace sim
