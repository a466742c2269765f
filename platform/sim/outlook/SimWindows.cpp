// Explorers, inspectors, their collections and the selection.
#include "platform/sim/outlook/SimWindows.h"

#include "platform/sim/outlook/SimNameSpace.h"
#include "platform/text/Text.h"
#include "platform/win/Window.h"

namespace sim {

using namespace outlook;

namespace {

// Outlook's windows, explorers and inspectors alike, are of this class.
constexpr const char* WindowClassName = "rctrl_renwnd32";
constexpr DWORD OverlappedWindow = 0x00CF0000;

HWND NewWindow(const std::u16string& caption) {
    WNDCLASS info;
    if (!GetClassInfo(nullptr, WindowClassName, &info)) {
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = DefWindowProc;
        windowClass.lpszClassName = WindowClassName;
        RegisterClass(&windowClass);
    }
    return CreateWindowEx(0, WindowClassName, text::Narrow(caption).c_str(), OverlappedWindow, 0, 0,
                          800, 600, nullptr, nullptr, nullptr, nullptr);
}

void DropWindow(HWND& hwnd) {
    if (hwnd && IsWindow(hwnd))
        DestroyWindow(hwnd);
    hwnd = nullptr;
}

} // namespace

// ---- SimWindowBase ----

SimWindowBase::SimWindowBase(const char* kind, SimApplication* app, const GUID& iid,
                             const GUID& events, const GUID& events10, int objectClass)
    : OutlookObject(kind), app_(ComPtr<SimApplication>::Share(app)),
      commandBars_(SimulatedCommandBars::Create()) {
    AnswerIid(iid);
    Events.Add(events);
    Events.Add(events10);
    AddObjectMembers(Members, app_, objectClass);
    Members.Get("Caption", [this] { return Caption(); });
    Members.Get("CommandBars", [this] {
        return commandBarsGone_ ? Nothing() : Variant(static_cast<IDispatch*>(commandBars_.Get()));
    });
    Members.Property(
        "WindowState", [this] { return windowState_; },
        [this](const Variant& v) { windowState_ = v.AsInteger(); });
    Members.Method("Activate", [this] { Display(); });
    Members.Add("Display").Params({"Modal"}).Call([this](DispCall&) { Display(); });
}

void SimWindowBase::CreateHandle() {
    hwnd_ = NewWindow(Caption());
}

// The handle through IOleWindow; an odd window fails, as one can in Outlook.
HRESULT SimWindowBase::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = nullptr;
    if (failHandle_ || !hwnd_)
        return E_FAIL;
    *window = hwnd_;
    return S_OK;
}

size_t SimWindowBase::SinkCount() const noexcept {
    return OutlookObjectCore::SinkCount() + (commandBars_ ? commandBars_->SinkCount() : 0);
}

bool SimWindowBase::RaiseBefore(DISPID event) {
    ComPtr<IDispatch> self = DispRef();
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(event, {Variant::ByRefBool(&cancel)});
    return cancel != VARIANT_FALSE;
}

void SimWindowBase::FinishClose() {
    ComPtr<IDispatch> self = DispRef();
    ComPtr<SimApplication> app = app_;
    Fire(DISPID_WindowClose);
    closed_ = true;
    LeaveCollection();
    DropWindow(hwnd_);
    app->WindowClosed(*this);
}

void SimWindowBase::TearDown() {
    closed_ = true;
    DropWindow(hwnd_);
    commandBars_ = nullptr;
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

// ---- SimExplorer ----

ComPtr<SimExplorer> SimExplorer::Create(SimApplication* app, ComPtr<SimFolder> folder) {
    return MakeComObject<SimExplorer>(app, std::move(folder));
}

SimExplorer::SimExplorer(SimApplication* app, ComPtr<SimFolder> folder)
    : SimWindowBase("Explorer", app, IID__Explorer, DIID_ExplorerEvents, DIID_ExplorerEvents_10,
                    olExplorer),
      folder_(std::move(folder)) {
    CreateHandle();
    Members.Add("CurrentFolder")
        .Get([this] { return folder_ ? Variant(folder_->Disp()) : Nothing(); })
        .Put([this](const Variant& v) {
            ComPtr<SimFolder> folder = SimObjectOf<SimFolder>(v.AsDispatch().Get());
            if (!folder)
                throw EOleSysError("The folder is not a folder of this Outlook.", E_INVALIDARG);
            SwitchFolder(folder);
        });
    Members.Property(
        "CurrentView", [this] { return view_; },
        [this](const Variant& v) { SwitchView(v.AsWide()); });
    Members.Get("Selection", [this] {
        return Variant(SimSelection::Create(app_.Get(), this, selection_)->Disp());
    });
    Members.Method("Close", [this] { Close(); });
}

std::u16string SimExplorer::Caption() const {
    return (folder_ ? folder_->Name() : std::u16string()) + u" - Outlook";
}

void SimExplorer::Display() {
    if (closed_)
        throw EOleSysError("The window is closed.", OutlookObjectGone);
    ComPtr<SimExplorer> self = ComPtr<SimExplorer>::Share(this);
    bool first = !shown_;
    shown_ = true;
    if (first)
        app_->WindowShown(*this);
    if (closed_)
        return;
    ShowWindow(hwnd_, SW_SHOW);
    app_->Activate(*this);
    if (first && !closed_)
        Fire(DISPID_FolderSwitch);
}

bool SimExplorer::SwitchFolder(ComPtr<SimFolder> folder) {
    ComPtr<SimExplorer> self = ComPtr<SimExplorer>::Share(this);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(DISPID_BeforeFolderSwitch, {Variant(folder->Disp()), Variant::ByRefBool(&cancel)});
    if (cancel != VARIANT_FALSE || closed_)
        return false;
    folder_ = std::move(folder);
    if (hwnd_)
        SetWindowText(hwnd_, text::Narrow(Caption()).c_str());
    Fire(DISPID_FolderSwitch);
    if (!selection_.empty()) {
        selection_.clear();
        Fire(DISPID_SelectionChange);
    }
    return true;
}

bool SimExplorer::SwitchView(std::u16string view) {
    ComPtr<SimExplorer> self = ComPtr<SimExplorer>::Share(this);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(DISPID_BeforeViewSwitch, {Variant(view), Variant::ByRefBool(&cancel)});
    if (cancel != VARIANT_FALSE || closed_)
        return false;
    view_ = std::move(view);
    Fire(DISPID_ViewSwitch);
    return true;
}

void SimExplorer::Select(std::vector<ComPtr<SimItem>> items) {
    ComPtr<SimExplorer> self = ComPtr<SimExplorer>::Share(this);
    selection_ = std::move(items);
    Fire(DISPID_SelectionChange);
}

bool SimExplorer::RaiseBeforePaste() {
    ComPtr<SimExplorer> self = ComPtr<SimExplorer>::Share(this);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Variant clipboard;
    Fire(DISPID_BeforeItemPaste,
         {Variant::ByRef(&clipboard), folder_ ? Variant(folder_->Disp()) : Nothing(),
          Variant::ByRefBool(&cancel)});
    return cancel != VARIANT_FALSE;
}

void SimExplorer::Close() {
    if (!closed_)
        FinishClose();
}

void SimExplorer::LeaveCollection() {
    app_->Explorers().Removed(*this);
}

void SimExplorer::TearDown() {
    selection_.clear();
    folder_ = nullptr;
    SimWindowBase::TearDown();
}

// ---- SimInspector ----

ComPtr<SimInspector> SimInspector::Create(SimApplication* app, ComPtr<SimItem> item) {
    return MakeComObject<SimInspector>(app, std::move(item));
}

SimInspector::SimInspector(SimApplication* app, ComPtr<SimItem> item)
    : SimWindowBase("Inspector", app, IID__Inspector, DIID_InspectorEvents, DIID_InspectorEvents_10,
                    olInspector),
      item_(std::move(item)) {
    item_->SetInspector(this);
    CreateHandle();
    Members.Get("CurrentItem", [this] { return Variant(item_->Disp()); });
    // Word is the editor of every inspector from Outlook 2007 on (olEditorWord 4, else olEditorHTML
    // 2).
    Members.Get("EditorType", [this] { return app_->MajorVersion() >= 12 ? 4 : 2; });
    Members.Add("Close").Params({"SaveMode"}).Call([this](DispCall& c) { Close(c.Integer(0)); });
}

std::u16string SimInspector::Caption() const {
    const std::u16string& subject = item_->Data().Subject;
    return (subject.empty() ? u"Untitled" : subject) + u" - Message";
}

void SimInspector::Display() {
    if (closed_)
        throw EOleSysError("The window is closed.", OutlookObjectGone);
    ComPtr<SimInspector> self = ComPtr<SimInspector>::Share(this);
    if (!shown_) {
        shown_ = true;
        if (item_->RaiseCancellable(DISPID_Open)) {
            // A handler refused to open the item: the window goes away unseen.
            Close(olDiscard);
            return;
        }
        app_->WindowShown(*this);
        if (closed_)
            return;
    }
    ShowWindow(hwnd_, SW_SHOW);
    app_->Activate(*this);
}

bool SimInspector::PressSend() {
    ComPtr<SimInspector> self = ComPtr<SimInspector>::Share(this);
    ComPtr<SimItem> item = item_;
    return item->Send();
}

void SimInspector::Close(int saveMode) {
    if (closed_)
        return;
    ComPtr<SimInspector> self = ComPtr<SimInspector>::Share(this);
    ComPtr<SimItem> item = item_;
    if (!item->WasSent()) {
        bool refused = item->RaiseCancellable(DISPID_ItemClose);
        if ((refused && !app_->IsQuitting()) || closed_)
            return;
        if (saveMode == olSave)
            item->Save();
        else if (!item->EntryId().empty())
            item->MutableData() = item->Stored();
    }
    if (item->Inspector() == this)
        item->SetInspector(nullptr);
    FinishClose();
}

void SimInspector::RaisePageChange(std::u16string page) {
    ComPtr<SimInspector> self = ComPtr<SimInspector>::Share(this);
    Fire(DISPID_PageChange, {Variant::ByRef(&page)});
}

void SimInspector::LeaveCollection() {
    app_->Inspectors().Removed(*this);
}

void SimInspector::TearDown() {
    if (item_ && item_->Inspector() == this)
        item_->SetInspector(nullptr);
    item_ = nullptr;
    SimWindowBase::TearDown();
}

// ---- SimExplorers and SimInspectors ----

ComPtr<SimExplorers> SimExplorers::Create(SimApplication* app) {
    return MakeComObject<SimExplorers>(app);
}

SimExplorers::SimExplorers(SimApplication* app)
    : SimWindowList("Explorers", app, IID__Explorers, DIID_ExplorersEvents, olExplorers) {
    Members.Add("Add").Params({"Folder", "DisplayMode"}).Call([this](DispCall& c) {
        ComPtr<SimFolder> folder = SimObjectOf<SimFolder>(c.Dispatch(0).Get());
        if (!folder)
            throw EOleSysError("The folder is not a folder of this Outlook.", E_INVALIDARG);
        return Variant(Add(folder)->Disp());
    });
}

ComPtr<SimExplorer> SimExplorers::Add(ComPtr<SimFolder> folder) {
    ComPtr<SimExplorer> explorer = SimExplorer::Create(app_.Get(), std::move(folder));
    // Outlook keeps the lasting bars of its explorers: a new one has them too.
    if (Count() > 0)
        explorer->CommandBars().CopyLasting(At(0).CommandBars());
    return Append(explorer);
}

ComPtr<SimInspectors> SimInspectors::Create(SimApplication* app) {
    return MakeComObject<SimInspectors>(app);
}

SimInspectors::SimInspectors(SimApplication* app)
    : SimWindowList("Inspectors", app, IID__Inspectors, DIID_InspectorsEvents, olInspectors) {
    Members.Add("Add").Params({"Item"}).Call([this](DispCall& c) {
        ComPtr<SimItem> item = SimObjectOf<SimItem>(c.Dispatch(0).Get());
        if (!item)
            throw EOleSysError("The item is not an item of this Outlook.", E_INVALIDARG);
        return Variant(InspectorFor(*item)->Disp());
    });
}

ComPtr<SimInspector> SimInspectors::Add(ComPtr<SimItem> item) {
    return Append(SimInspector::Create(app_.Get(), std::move(item)));
}

ComPtr<SimInspector> SimInspectors::InspectorFor(SimItem& item) {
    if (SimInspector* open = item.Inspector(); open && !open->IsClosed())
        return ComPtr<SimInspector>::Share(open);
    return Add(ComPtr<SimItem>::Share(&item));
}

// ---- SimSelection ----

ComPtr<SimSelection> SimSelection::Create(SimApplication* app, SimExplorer* explorer,
                                          std::vector<ComPtr<SimItem>> items) {
    return MakeComObject<SimSelection>(app, explorer, std::move(items));
}

SimSelection::SimSelection(SimApplication* app, SimExplorer* explorer,
                           std::vector<ComPtr<SimItem>> items)
    : OutlookObject("Selection"), app_(ComPtr<SimApplication>::Share(app)),
      explorer_(ComPtr<SimExplorer>::Share(explorer)), items_(std::move(items)) {
    AnswerIid(IID_Selection);
    AddObjectMembers(Members, app_, olSelection, [this] { return Variant(explorer_->Disp()); });
    AddListMembers(Members, items_);
}

void SimSelection::TearDown() {
    items_.clear();
    explorer_ = nullptr;
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

} // namespace sim
