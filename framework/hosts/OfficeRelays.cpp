// The Word, Excel, InfoPath and Visio relays of the add-in object.
#include "framework/hosts/OfficeRelays.h"

#include "framework/commandbars/CommandBarRelays.h"
#include "framework/hosts/HostApplications.h"
#include "framework/panes/CustomTaskPanes.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"
#include "platform/forms/Timer.h"

namespace {

// Visio's bars follow a window activation this much later.
constexpr unsigned kVisioReconnectDelay = 200;

// The command bars of a host object (an application, document or window).
ComPtr<::CommandBars> CommandBarsOf(IDispatch* owner) {
    if (!owner)
        return nullptr;
    Variant bars = dispGet(ComPtr<IDispatch>::Share(owner), "CommandBars");
    return bars.IsEmptyOrNothing() ? nullptr : ComQuery<::CommandBars>(bars.AsDispatch().Get());
}

IDispatch* ApplicationOf(const TadxModuleServices& module) {
    return module.HostApplication.IsEmptyOrNothing() ? nullptr
                                                     : module.HostApplication.AsDispatch().Get();
}

// Advises the wrapper on its host's events; a host that offers none leaves
// the relays unheard, as it would leave any sink.
void Advise(TadxHostApplication& wrapper, int32_t majorVersion) {
    try {
        wrapper.ConnectEvents(majorVersion);
    } catch (const Exception&) {
    }
}

} // namespace

// The handlers the host wrapper held before the relays were hooked.
struct TadxOfficeRelays::Previous {
    TadxHostWindowEvent WordWindowActivate;
    TadxHostObjectEvent WordDocumentOpen;
    TadxHostObjectEvent WordNewDocument;
    TNotifyEvent WordDocumentChange;
    TadxHostObjectEvent WorkbookActivate;
    TadxHostObjectEvent SheetActivate;
    TadxHostWindowEvent InfoPathWindowActivate;
    TadxHostObjectEvent InfoPathNewXDocument;
    TadxHostObjectEvent InfoPathXDocumentOpen;
    TadxHostObjectEvent VisioWindowActivated;
};

TadxOfficeRelays::TadxOfficeRelays(std::function<TadxModuleServices*()> moduleOf)
    : moduleOf_(std::move(moduleOf)), previous_(std::make_unique<Previous>()),
      visioTimer_(new TTimer(nullptr)) {
    visioTimer_->SetEnabled(false);
    visioTimer_->SetInterval(kVisioReconnectDelay);
    visioTimer_->OnTimer = [this](TObject* sender) { DoVisioReconnect(sender); };
}

TadxOfficeRelays::~TadxOfficeRelays() {
    Liveness.End();
    visioTimer_->SetEnabled(false);
    visioTimer_->Free();
    TadxModuleServices* module = moduleOf_();
    if (!module)
        return;
    Previous& p = *previous_;
    if (auto* word = dynamic_cast<TWordApplication*>(module->HostWrapper())) {
        word->DisconnectEvents();
        word->OnWindowActivate = p.WordWindowActivate;
        word->OnDocumentOpen = p.WordDocumentOpen;
        word->OnNewDocument = p.WordNewDocument;
        word->OnDocumentChange = p.WordDocumentChange;
    }
    if (auto* excel = dynamic_cast<TExcelApplication*>(module->HostWrapper())) {
        excel->DisconnectEvents();
        excel->OnWorkbookActivate = p.WorkbookActivate;
        excel->OnSheetActivate = p.SheetActivate;
    }
    if (auto* infoPath = dynamic_cast<infopath::TApplication*>(module->HostWrapper())) {
        infoPath->DisconnectEvents();
        infoPath->OnWindowActivate = p.InfoPathWindowActivate;
        infoPath->OnNewXDocument = p.InfoPathNewXDocument;
        infoPath->OnXDocumentOpen = p.InfoPathXDocumentOpen;
    }
    if (auto* visio = dynamic_cast<TVisioApplication*>(module->HostWrapper())) {
        visio->DisconnectEvents();
        visio->OnWindowActivated = p.VisioWindowActivated;
    }
}

void TadxOfficeRelays::Hook() {
    TadxModuleServices* module = moduleOf_();
    if (!module)
        return;
    Previous& p = *previous_;
    // Each relay is reached only while the relays live.
    auto live = [this](auto relay) {
        return [this, relay, watch = Liveness.Watch()](TObject* s, auto... args) {
            if (watch)
                (this->*relay)(s, args...);
        };
    };
    if (auto* word = dynamic_cast<TWordApplication*>(module->HostWrapper())) {
        p.WordWindowActivate =
            std::exchange(word->OnWindowActivate, live(&TadxOfficeRelays::DoWordWindowActivate));
        p.WordDocumentOpen =
            std::exchange(word->OnDocumentOpen, live(&TadxOfficeRelays::DoWordDocumentOpen));
        p.WordNewDocument =
            std::exchange(word->OnNewDocument, live(&TadxOfficeRelays::DoWordNewDocument));
        p.WordDocumentChange =
            std::exchange(word->OnDocumentChange, live(&TadxOfficeRelays::DoWordDocumentChange));
        Advise(*word, module->HostMajorVersion);
    } else if (auto* excel = dynamic_cast<TExcelApplication*>(module->HostWrapper())) {
        p.WorkbookActivate =
            std::exchange(excel->OnWorkbookActivate, live(&TadxOfficeRelays::DoWorkbookActivate));
        p.SheetActivate =
            std::exchange(excel->OnSheetActivate, live(&TadxOfficeRelays::DoSheetActivate));
        Advise(*excel, module->HostMajorVersion);
    } else if (auto* infoPath = dynamic_cast<infopath::TApplication*>(module->HostWrapper())) {
        p.InfoPathWindowActivate = std::exchange(infoPath->OnWindowActivate,
                                                 live(&TadxOfficeRelays::DoInfoPathWindowActivate));
        p.InfoPathNewXDocument = std::exchange(infoPath->OnNewXDocument,
                                               live(&TadxOfficeRelays::DoInfoPathNewXDocument));
        p.InfoPathXDocumentOpen = std::exchange(infoPath->OnXDocumentOpen,
                                                live(&TadxOfficeRelays::DoInfoPathXDocumentOpen));
        Advise(*infoPath, module->HostMajorVersion);
    } else if (auto* visio = dynamic_cast<TVisioApplication*>(module->HostWrapper())) {
        p.VisioWindowActivated = std::exchange(visio->OnWindowActivated,
                                               live(&TadxOfficeRelays::DoVisioWindowActivated));
        Advise(*visio, module->HostMajorVersion);
    }
}

template <class H, class... A>
bool TadxOfficeRelays::CallPrevious(const H& previous, bool report, A&&... args) {
    rtl::TLifeWatch self = Liveness.Watch();
    try {
        return rtl::FireSurvives(Liveness, previous, std::forward<A>(args)...);
    } catch (const Exception& e) {
        TadxModuleServices* module = self ? moduleOf_() : nullptr;
        if (report && module)
            module->DoError(e);
    }
    return self.Alive();
}

bool TadxOfficeRelays::ReconnectBars() {
    TadxModuleServices* module = moduleOf_();
    if (!module)
        return false;
    // Each bar is guarded on its own (a failure goes to DoError, whose
    // handler may turn the add-in off, relays and all).
    rtl::TLifeWatch self = Liveness.Watch();
    adxReconnectCommandBars(*module, false);
    return self && moduleOf_();
}

// ---- Word ----

void TadxOfficeRelays::DoWordWindowActivate(TObject* Sender, IDispatch* Doc, IDispatch* Wn) {
    TadxModuleServices* module = moduleOf_();
    if (!module)
        return;
    // Without a document the window shows the application's own bars.
    module->CommandBars = CommandBarsOf(Doc ? Doc : ApplicationOf(*module));
    if (!ReconnectBars())
        return;
    rtl::TLifeWatch self = Liveness.Watch();
    if (module->CTPFactory)
        module->TaskPanes->MakeCTP(Wn, adxCTPWindowOther);
    if (self && moduleOf_())
        CallPrevious(previous_->WordWindowActivate, false, Sender, Doc, Wn);
}

void TadxOfficeRelays::WordDocumentPanes(IDispatch* Doc) {
    TadxModuleServices* module = moduleOf_();
    if (!module || !module->CTPFactory || module->TaskPanes->Count() == 0 || !Doc)
        return;
    try {
        Variant window = dispGet(ComPtr<IDispatch>::Share(Doc), "ActiveWindow");
        module->TaskPanes->MakeCTP(window.IsEmptyOrNothing() ? nullptr : window.AsDispatch().Get(),
                                   adxCTPWindowOther);
    } catch (const Exception&) {
        // A document without a window yet gets its panes at its activation.
    }
}

void TadxOfficeRelays::DoWordDocumentOpen(TObject* Sender, IDispatch* Doc) {
    rtl::TLifeWatch self = Liveness.Watch();
    WordDocumentPanes(Doc);
    if (self && moduleOf_())
        CallPrevious(previous_->WordDocumentOpen, true, Sender, Doc);
}

void TadxOfficeRelays::DoWordNewDocument(TObject* Sender, IDispatch* Doc) {
    rtl::TLifeWatch self = Liveness.Watch();
    WordDocumentPanes(Doc);
    if (self && moduleOf_())
        CallPrevious(previous_->WordNewDocument, true, Sender, Doc);
}

void TadxOfficeRelays::DoWordDocumentChange(TObject* Sender) {
    TadxModuleServices* module = moduleOf_();
    if (!module)
        return;
    try {
        Variant app = module->HostApplication;
        if (dispGet(dispGet(app, "Documents"), "Count").AsInteger() > 0)
            module->CommandBars = CommandBarsOf(dispGet(app, "ActiveDocument").AsDispatch().Get());
    } catch (const Exception&) {
        // Word refuses while it opens or closes a document: the bars stay.
    }
    if (!ReconnectBars())
        return;
    if (module->CTPFactory) {
        rtl::TLifeWatch panes = module->TaskPanes->Liveness.Watch();
        for (int i = 0; panes && i < module->TaskPanes->Count(); ++i) {
            try {
                module->TaskPanes->GetItem(i)->FixWordPanes();
            } catch (const Exception&) {
                // Word refused a look at its windows: the panes are fixed next time.
            }
        }
    }
    if (Liveness.Alive() && moduleOf_())
        CallPrevious(previous_->WordDocumentChange, true, Sender);
}

// ---- Excel ----

void TadxOfficeRelays::DoWorkbookActivate(TObject* Sender, IDispatch* Wb) {
    CallPrevious(previous_->WorkbookActivate, true, Sender, Wb);
}

void TadxOfficeRelays::DoSheetActivate(TObject* Sender, IDispatch* Sh) {
    CallPrevious(previous_->SheetActivate, true, Sender, Sh);
}

// ---- InfoPath ----

void TadxOfficeRelays::DoInfoPathWindowActivate(TObject* Sender, IDispatch* Doc, IDispatch* Wn) {
    TadxModuleServices* module = moduleOf_();
    if (!module)
        return;
    module->CommandBars = CommandBarsOf(Wn);
    if (!ReconnectBars() || !CallPrevious(previous_->InfoPathWindowActivate, true, Sender, Doc, Wn))
        return;
    module = moduleOf_();
    if (module && module->CTPFactory)
        module->TaskPanes->MakeCTP(Wn, adxCTPWindowOther);
}

void TadxOfficeRelays::InfoPathDocument(TObject* Sender, IDispatch* Doc, bool opened) {
    const TadxHostObjectEvent& previous =
        opened ? previous_->InfoPathXDocumentOpen : previous_->InfoPathNewXDocument;
    if (!CallPrevious(previous, true, Sender, Doc))
        return;
    TadxModuleServices* module = moduleOf_();
    if (!module || !module->CTPFactory)
        return;
    Variant window = dispGet(module->HostApplication, "ActiveWindow");
    module->TaskPanes->MakeCTP(window.IsEmptyOrNothing() ? nullptr : window.AsDispatch().Get(),
                               adxCTPWindowOther);
}

void TadxOfficeRelays::DoInfoPathNewXDocument(TObject* Sender, IDispatch* Doc) {
    InfoPathDocument(Sender, Doc, false);
}

void TadxOfficeRelays::DoInfoPathXDocumentOpen(TObject* Sender, IDispatch* Doc) {
    InfoPathDocument(Sender, Doc, true);
}

// ---- Visio ----

void TadxOfficeRelays::DoVisioWindowActivated(TObject* Sender, IDispatch* Window) {
    if (!CallPrevious(previous_->VisioWindowActivated, true, Sender, Window))
        return;
    // One timer, counted from the last activation.
    visioTimer_->SetEnabled(false);
    visioTimer_->SetEnabled(true);
}

void TadxOfficeRelays::DoVisioReconnect(TObject* Sender) {
    visioTimer_->SetEnabled(false);
    TadxModuleServices* module = moduleOf_();
    if (!module)
        return;
    try {
        module->CommandBars = CommandBarsOf(ApplicationOf(*module));
        ReconnectBars();
    } catch (const Exception&) {
        // The bars are attached again at the next activation.
    }
}
