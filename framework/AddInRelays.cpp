// The add-in object's relays of Outlook's window events. Start-up hooks the
// Explorers and Inspectors collections and the name space and takes the
// windows open at that moment as new ones; from then on every explorer and
// inspector has a wrapper whose events are relayed here: the module's
// command bars follow the window that is current, its task panes come and
// go with the windows, and the module's OnOL... events fire, guarded, with
// the window's wrapper as Sender.
//
// Handlers may come back: a module event may open, activate or close
// windows, or turn the add-in off, which frees the module, every wrapper
// and perhaps this object. A relay watches the module and the wrapper it
// works on (platform/rtl/Lifetime.h) and goes on only while they live: the
// module lives only while this object does.
#include "framework/AddInModule.h"
#include "framework/AddInObject.h"
#include "framework/commandbars/CommandBarRelays.h"
#include "framework/panes/CustomTaskPanes.h"
#include "framework/support/OutlookFolderNames.h"
#include "platform/com/LateBound.h"
#include "platform/office/CommandBars.h"
#include "platform/office/OleWindow.h"
#include "platform/outlook/OutlookObjects.h"
#include "platform/text/Text.h"
#include "platform/win/DebugOutput.h"

#include <algorithm>

namespace {

// The activation relays' re-entrance guard, shared by explorers and
// inspectors: an activation that arrives while one is running is dropped.
bool activating = false;

class ActivationGuard {
public:
    ActivationGuard() : entered_(!activating) { activating = true; }
    ~ActivationGuard() {
        if (entered_)
            activating = false;
    }
    ActivationGuard(const ActivationGuard&) = delete;
    ActivationGuard& operator=(const ActivationGuard&) = delete;
    // False for a nested activation.
    bool Entered() const noexcept { return entered_; }

private:
    bool entered_;
};

// Removes item from list; false when it was not there.
template <class T> bool RemoveFrom(std::vector<T*>& list, T* item) {
    auto at = std::find(list.begin(), list.end(), item);
    if (at == list.end())
        return false;
    list.erase(at);
    return true;
}

template <class T> bool Contains(const std::vector<T*>& list, T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Frees a wrapper not yet handed to a list (its connection failed).
struct WrapperFree {
    template <class W> void operator()(W* wrapper) const noexcept { wrapper->Free(); }
};

// The Outlook window a wrapper stands for (nil once it let go of it).
IDispatch* WindowOf(TObject* wrapper) {
    auto* server = dynamic_cast<TOleServer*>(wrapper);
    return server ? server->DefaultInterface().Get() : nullptr;
}

// Tells the debugger which window event the module receives, with the
// window's caption, for a developer following the add-in's reactions to
// the user.
void Trace(const TadxCOMAddInModule& module, const char* name, IDispatch* window) noexcept {
    std::string line = module.AddInName() + ": " + name;
    try {
        if (window)
            line += " \"" + text::Narrow(dispGet(window, "Caption").AsWide()) + "\"";
    } catch (...) {
        // A window that cannot say its caption is traced without it.
    }
    OutputDebugString(line.c_str());
}

// Fires a module window event (named name, about window): traced, then,
// when it is assigned, fired by the module (its exception goes to DoError).
// False when there is no module or the handler turned the add-in off: the
// relay then touches nothing of the connection nor of this object.
template <class E, class... A>
bool Fire(TadxCOMAddInModule* module, E TadxCOMAddInModule::*event, const char* name,
          IDispatch* window, A&&... args) {
    if (!module)
        return false;
    Trace(*module, name, window);
    return module->Fire(module->*event, std::forward<A>(args)...);
}

} // namespace

void TadxAddin::HookOutlookEvents() {
    outlook::Application app(RequireModule().HostApplication);
    rtl::TLifeWatch connected = module_->Liveness().Watch();

    explorersWrapper_ = std::make_unique<TExplorers>(nullptr);
    explorersWrapper_->ConnectTo(app.GetExplorers().DispRef());
    explorersWrapper_->OnNewExplorer = [this](TObject* Sender, const ComPtr<IDispatch>& Explorer) {
        DoNewExplorer(Sender, Explorer.Get());
    };
    for (int i = 1, count = explorersWrapper_->Count(); i <= count; ++i) {
        try {
            DoNewExplorer(nullptr, explorersWrapper_->Item(i).DispRef().Get());
        } catch (const Exception&) {
            // One window that cannot be read is left out; start-up goes on.
        }
        // A handler may have turned the add-in off.
        if (!connected)
            return;
    }

    inspectorsWrapper_ = std::make_unique<TInspectors>(nullptr);
    inspectorsWrapper_->ConnectTo(app.GetInspectors().DispRef());
    inspectorsWrapper_->OnNewInspector = [this](TObject* Sender,
                                                const ComPtr<IDispatch>& Inspector) {
        DoNewInspector(Sender, Inspector.Get());
    };
    if (outlook::Inspector active = app.ActiveInspector())
        DoNewInspector(nullptr, active.DispRef().Get());
    if (!connected)
        return;

    if (module_->OutlookApplication) {
        previousOptionsPagesAdd_ = module_->OutlookApplication->OnOptionsPagesAdd;
        module_->OutlookApplication->OnOptionsPagesAdd = [this](TObject* Sender,
                                                                const ComPtr<IDispatch>& Pages) {
            DoOptionsPagesAdd(Sender, Pages);
        };
    }
    nameSpace_ = std::make_unique<TNameSpace>(nullptr);
    nameSpace_->ConnectTo(app.GetNamespace(u"MAPI").DispRef());
    nameSpace_->OnOptionsPagesAdd = [this](TObject* Sender, const ComPtr<IDispatch>& Pages,
                                           const ComPtr<IDispatch>& Folder) {
        DoNameSpaceOptionsPagesAdd(Sender, Pages, Folder);
    };
}

// ---- explorers ----

void TadxAddin::DoNewExplorer(TObject* Sender, IDispatch* Explorer) {
    if (!Explorer || !module_)
        return;
    if (!explorers_.empty()) {
        // An explorer reported twice (same window) is kept once; one whose
        // window cannot be read is always kept anew.
        HWND window = OleWindowHandle(Explorer);
        if (window &&
            std::any_of(explorers_.begin(), explorers_.end(), [&](TadxExplorerWrapper* wrapper) {
                return OleWindowHandle(wrapper->DefaultInterface().Get()) == window;
            }))
            return;
    }
    std::unique_ptr<TadxExplorerWrapper, WrapperFree> created(new TadxExplorerWrapper(nullptr));
    created->ConnectTo(Explorer);
    TadxExplorerWrapper* wrapper = created.get();
    wrapper->OnActivate = [this](TObject* S) { DoExplorerActivate(S); };
    wrapper->OnFolderSwitch = [this](TObject* S) { DoExplorerFolderSwitch(S); };
    wrapper->OnBeforeFolderSwitch = [this](TObject* S, const ComPtr<IDispatch>& NewFolder,
                                           WordBool& Cancel) {
        DoExplorerBeforeFolderSwitch(S, NewFolder, Cancel);
    };
    wrapper->OnViewSwitch = [this](TObject* S) { DoExplorerViewSwitch(S); };
    wrapper->OnBeforeViewSwitch = [this](TObject* S, const Variant& NewView, WordBool& Cancel) {
        DoExplorerBeforeViewSwitch(S, NewView, Cancel);
    };
    wrapper->OnDeactivate = [this](TObject* S) { DoExplorerDeactivate(S); };
    wrapper->OnSelectionChange = [this](TObject* S) { DoExplorerSelectionChange(S); };
    wrapper->OnClose = [this](TObject* S) { DoExplorerClose(S); };
    explorers_.push_back(created.release());

    rtl::TLifeWatch open = wrapper->Liveness().Watch();
    // Each advanced command-bar control would attach its window to the new
    // explorer here, guarded with the event; the module has no such control.
    if (!Fire(module_, &TadxCOMAddInModule::OnOLNewExplorer, "OnOLNewExplorer", Explorer, Sender,
              Explorer) ||
        !open)
        return;
    if (!Sender) {
        DoExplorerActivate(wrapper);
        return;
    }
    rtl::TLifeWatch connected = module_->Liveness().Watch();
    module_->NewExplorer = true;
    // Outlook 2007 shows a new explorer without a folder switch to wait for.
    if (module_->HostMajorVersion == 12) {
        DoExplorerActivate(wrapper);
        if (!connected)
            return;
        module_->NewExplorer = false;
        if (open)
            DoExplorerFolderSwitch(wrapper);
    }
}

void TadxAddin::DoExplorerActivate(TObject* Sender) {
    ActivationGuard guard;
    if (!guard.Entered())
        return;
    auto* wrapper = dynamic_cast<TadxExplorerWrapper*>(Sender);
    if (!wrapper || !module_)
        return;
    rtl::TLifeWatch open = wrapper->Liveness().Watch();
    TadxCOMAddInModule& module = *module_;
    ComPtr<IDispatch> bars = wrapper->CommandBars();
    const int major = module.HostMajorVersion;
    if (major != 9 && major != 12 && major != 14) {
        DropCommandBarsSink();
        commandBarsSink_ = TadxCommandBarsEventSink::Create(&module, bars);
    }
    module.CommandBars = ComQuery<::CommandBars>(bars.Get());
    // Advanced controls have no window to show: no host here can hold one.
    // A bar's failure goes to DoError, whose handler may turn the add-in off.
    rtl::TLifeWatch connected = module.Liveness().Watch();
    adxReconnectCommandBars(module, true);
    if (!connected || !open)
        return;
    if (!Fire(module_, &TadxCOMAddInModule::OnOLExplorerActivate, "OnOLExplorerActivate",
              WindowOf(wrapper), wrapper) ||
        !open)
        return;
    if (module_->CTPFactory && wrapper->Connected())
        module_->TaskPanes->MakeCTP(wrapper->DefaultInterface().Get(), adxCTPWindowExplorer);
}

void TadxAddin::DoExplorerFolderSwitch(TObject* Sender) {
    if (!module_)
        return;
    rtl::TLifeWatch connected = module_->Liveness().Watch();
    auto* window = dynamic_cast<TOleServer*>(Sender);
    rtl::TLifeWatch open = window ? window->Liveness().Watch() : rtl::TLifeWatch();
    if (module_->NewExplorer) {
        // The pending activation ends here, also when it fails.
        try {
            DoExplorerActivate(Sender);
        } catch (...) {
            if (connected)
                module_->NewExplorer = false;
            throw;
        }
        if (!connected)
            return;
        module_->NewExplorer = false;
        // An activation whose handler closed the window leaves no switch to report.
        if (window && !open)
            return;
    }
    if (module_)
        adxFollowFolderAll(*module_);
    Fire(module_, &TadxCOMAddInModule::OnOLExplorerFolderSwitch, "OnOLExplorerFolderSwitch",
         WindowOf(Sender), Sender);
}

void TadxAddin::DoExplorerBeforeFolderSwitch(TObject* Sender, const ComPtr<IDispatch>& NewFolder,
                                             WordBool& Cancel) {
    Fire(module_, &TadxCOMAddInModule::OnOLExplorerBeforeFolderSwitch,
         "OnOLExplorerBeforeFolderSwitch", WindowOf(Sender), Sender, NewFolder.Get(), Cancel);
}

void TadxAddin::DoExplorerViewSwitch(TObject* Sender) {
    Fire(module_, &TadxCOMAddInModule::OnOLExplorerViewSwitch, "OnOLExplorerViewSwitch",
         WindowOf(Sender), Sender);
}

void TadxAddin::DoExplorerBeforeViewSwitch(TObject* Sender, const Variant& NewView,
                                           WordBool& Cancel) {
    Variant view = NewView;
    Fire(module_, &TadxCOMAddInModule::OnOLExplorerBeforeViewSwitch, "OnOLExplorerBeforeViewSwitch",
         WindowOf(Sender), Sender, view, Cancel);
}

void TadxAddin::DoExplorerDeactivate(TObject* Sender) {
    Fire(module_, &TadxCOMAddInModule::OnOLExplorerDeactivate, "OnOLExplorerDeactivate",
         WindowOf(Sender), Sender);
}

void TadxAddin::DoExplorerSelectionChange(TObject* Sender) {
    Fire(module_, &TadxCOMAddInModule::OnOLExplorerSelectionChange, "OnOLExplorerSelectionChange",
         WindowOf(Sender), Sender);
}

void TadxAddin::DoExplorerClose(TObject* Sender) {
    if (!module_)
        return;
    auto* wrapper = dynamic_cast<TadxExplorerWrapper*>(Sender);
    rtl::TLifeWatch open = wrapper ? wrapper->Liveness().Watch() : rtl::TLifeWatch();
    rtl::TLifeWatch connected = module_->Liveness().Watch();
    module_->SaveExplCommandBars();
    if (!connected || !Fire(module_, &TadxCOMAddInModule::OnOLExplorerClose, "OnOLExplorerClose",
                            WindowOf(Sender), Sender))
        return;
    // Each advanced command-bar control would let go of its window in this
    // explorer here; the module has none.
    if (open && module_->CTPFactory && wrapper->Connected())
        module_->TaskPanes->RemoveCTP(wrapper->DefaultInterface().Get());
    if (!connected)
        return;
    // Outlook 2000 keeps its inspectors open without an explorer. The major
    // version is compared: a "19.0" is no "9.0".
    const bool outlook2000 =
        GetMajorVersion(dispGet(module_->HostApplication, "Version").AsWide()) == 9;
    // A wrapper freed meanwhile was closed by a nested event, which let go of it.
    if (!open || !RemoveFrom(explorers_, wrapper))
        return;
    wrapper->Free();
    if (!explorers_.empty() || outlook2000)
        return;
    while (!inspectors_.empty()) {
        size_t before = inspectors_.size();
        DoInspectorClose(inspectors_.back());
        if (!connected)
            return;
        // A wrapper that could not be closed is let go all the same.
        if (inspectors_.size() == before) {
            TadxInspector* stuck = inspectors_.back();
            inspectors_.pop_back();
            stuck->Free();
        }
    }
}

// ---- inspectors ----

void TadxAddin::DoNewInspector(TObject* Sender, IDispatch* Inspector) {
    try {
        if (!Fire(module_, &TadxCOMAddInModule::OnOLNewInspector, "OnOLNewInspector", Inspector,
                  Sender, Inspector) ||
            !Inspector)
            return;
        outlook::Inspector inspector(ComPtr<IDispatch>::Share(Inspector));
        if (!inspector.CommandBars())
            return;
        ComPtr<IDispatch> item = inspector.CurrentItem();
        if (!item)
            return;
        const int itemClass = dispGet(item, "Class").AsInteger();
        if (itemClass == outlook::olNote)
            return;

        std::unique_ptr<TadxInspector, WrapperFree> created(new TadxInspector(nullptr));
        created->ConnectTo(Inspector);
        created->IsMail = itemClass == outlook::olMail;
        if (module_->OutlookApplication) {
            try {
                if (outlook::Explorer explorer = module_->OutlookApplication->ActiveExplorer())
                    created->FolderPath =
                        text::Narrow(GetFullFolderName(explorer.CurrentFolder().DispRef().Get()));
            } catch (const Exception&) {
                // The inspector keeps no folder path.
            }
        }
        TadxInspector* wrapper = created.get();
        wrapper->OnActivate = [this](TObject* S) { DoInspectorActivate(S); };
        wrapper->OnDeactivate = [this](TObject* S) { DoInspectorDeactivate(S); };
        wrapper->OnClose = [this](TObject* S) { DoInspectorClose(S); };
        inspectors_.push_back(created.release());
        DoInspectorActivate(wrapper);
    } catch (...) {
        // An inspector that cannot be followed is left alone.
    }
}

void TadxAddin::DoInspectorActivate(TObject* Sender) {
    ActivationGuard guard;
    if (!guard.Entered())
        return;
    auto* wrapper = dynamic_cast<TadxInspector*>(Sender);
    if (!wrapper || !module_)
        return;
    rtl::TLifeWatch open = wrapper->Liveness().Watch();
    module_->CommandBars = ComQuery<::CommandBars>(wrapper->CommandBars().Get());
    if (!Fire(module_, &TadxCOMAddInModule::OnOLInspectorActivate, "OnOLInspectorActivate",
              WindowOf(wrapper), wrapper) ||
        !open)
        return;
    if (module_->CTPFactory && wrapper->Connected())
        module_->TaskPanes->MakeCTP(wrapper->DefaultInterface().Get(), adxCTPWindowInspector);
}

void TadxAddin::DoInspectorDeactivate(TObject* Sender) {
    Fire(module_, &TadxCOMAddInModule::OnOLInspectorDeactivate, "OnOLInspectorDeactivate",
         WindowOf(Sender), Sender);
}

void TadxAddin::DoInspectorClose(TObject* Sender) {
    auto* wrapper = dynamic_cast<TadxInspector*>(Sender);
    if (!wrapper || !module_ || !Contains(inspectors_, wrapper))
        return;
    rtl::TLifeWatch open = wrapper->Liveness().Watch();
    if (!Fire(module_, &TadxCOMAddInModule::OnOLInspectorClose, "OnOLInspectorClose",
              WindowOf(wrapper), wrapper) ||
        !open)
        return;
    if (wrapper->Connected())
        module_->TaskPanes->RemoveCTP(wrapper->DefaultInterface().Get());
    wrapper->ClearCommandBars(inspectors_.size() == 1);
    if (RemoveFrom(inspectors_, wrapper))
        wrapper->Free();
}

// ---- options pages ----

void TadxAddin::DoOptionsPagesAdd(TObject* Sender, const ComPtr<IDispatch>& Pages) {
    TadxCOMAddInModule* module = module_;
    if (!module || !module->Fire(previousOptionsPagesAdd_, Sender, Pages))
        return;
    module->Fire([module, Sender, Pages] { module->OptionsPagesAdd(Sender, Pages.Get()); });
}

void TadxAddin::DoNameSpaceOptionsPagesAdd(TObject* Sender, const ComPtr<IDispatch>& Pages,
                                           const ComPtr<IDispatch>& Folder) {
    if (TadxCOMAddInModule* module = module_)
        module->Fire([module, Sender, Pages, Folder] {
            module->NameSpaceOptionsPagesAdd(Sender, Pages.Get(), Folder.Get());
        });
}

// ---- the end of the connection ----

void TadxAddin::DropCommandBarsSink() noexcept {
    if (!commandBarsSink_)
        return;
    commandBarsSink_->Disconnect();
    commandBarsSink_ = nullptr;
}

void TadxAddin::FreeOutlookWrappers() noexcept {
    DropCommandBarsSink();
    while (!explorers_.empty()) {
        TadxExplorerWrapper* wrapper = explorers_.back();
        explorers_.pop_back();
        wrapper->Free();
    }
    while (!inspectors_.empty()) {
        TadxInspector* wrapper = inspectors_.back();
        inspectors_.pop_back();
        wrapper->Free();
    }
    nameSpace_.reset();
    explorersWrapper_.reset();
    inspectorsWrapper_.reset();
    previousOptionsPagesAdd_ = nullptr;
}
