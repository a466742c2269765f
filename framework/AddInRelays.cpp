// The add-in object's relays of Outlook's window events. Start-up hooks
// Outlook's explorers and inspectors collections, the application's and the
// name space's OptionsPagesAdd, and takes the windows open at that moment as
// new ones; each new window is wrapped (once) and reported to the module's
// OnOLNewExplorer or OnOLNewInspector.
//
// The window wrappers' own events (activation, folder and view switches,
// selection, closing) and what the relays do with them besides firing the
// module's events (command bars, task panes) are wired here as well once
// those relays exist; until then a window wrapper is kept, not followed.
#include "framework/AddInModule.h"
#include "framework/AddInObject.h"
#include "framework/OutlookWindowWrappers.h"
#include "platform/office/OleWindow.h"
#include "platform/outlook/Outlook.h"

#include <algorithm>

namespace {

// Item classes the inspector relay tells apart.
constexpr int kMailItemClass = 43;
constexpr int kNoteItemClass = 44;

} // namespace

void TadxAddin::HookOutlookEvents() {
    TadxCOMAddInModule& module = RequireModule();
    TOutlookApplication& app = *module.OutlookApplication;
    explorers_.clear();
    inspectors_.clear();

    explorersWrapper_ = std::make_unique<TExplorers>(nullptr);
    explorersWrapper_->ConnectTo(app.GetExplorers().DispRef());
    explorersWrapper_->OnNewExplorer = [this](TObject* sender, const ComPtr<IDispatch>& explorer) {
        DoNewExplorer(sender, explorer.Get());
    };
    int count = explorersWrapper_->Count();
    for (int i = 1; i <= count; ++i)
        DoNewExplorer(nullptr, explorersWrapper_->Item(i).Target());

    inspectorsWrapper_ = std::make_unique<TInspectors>(nullptr);
    inspectorsWrapper_->ConnectTo(app.GetInspectors().DispRef());
    inspectorsWrapper_->OnNewInspector = [this](TObject* sender,
                                                const ComPtr<IDispatch>& inspector) {
        DoNewInspector(sender, inspector.Get());
    };
    if (outlook::Inspector active = app.ActiveInspector())
        DoNewInspector(nullptr, active.Target());

    previousOptionsPagesAdd_ = app.OnOptionsPagesAdd;
    app.OnOptionsPagesAdd = [this](TObject* sender, const ComPtr<IDispatch>& pages) {
        DoOptionsPagesAdd(sender, pages);
    };
    nameSpace_ = std::make_unique<TNameSpace>(nullptr);
    nameSpace_->ConnectTo(app.GetNamespace(u"MAPI").DispRef());
    nameSpace_->OnOptionsPagesAdd = [this](TObject* sender, const ComPtr<IDispatch>& pages,
                                           const ComPtr<IDispatch>& folder) {
        DoNameSpaceOptionsPagesAdd(sender, pages, folder);
    };
}

void TadxAddin::DoNewExplorer(TObject* Sender, IDispatch* Explorer) {
    if (!Explorer || !module_)
        return;
    HWND window = OleWindowHandle(Explorer);
    // An explorer reported twice (same window) is wrapped once; one whose
    // window cannot be read is always wrapped anew.
    if (window && std::any_of(explorers_.begin(), explorers_.end(), [&](const auto& wrapper) {
            return OleWindowHandle(wrapper->DefaultInterface().Get()) == window;
        }))
        return;
    auto wrapper = std::make_unique<TExplorer>(nullptr);
    wrapper->ConnectTo(static_cast<IUnknown*>(Explorer));
    explorers_.push_back(std::move(wrapper));
    if (module_->OnOLNewExplorer)
        module_->CallGuarded([&] { module_->OnOLNewExplorer(Sender, Explorer); });
}

void TadxAddin::DoNewInspector(TObject* Sender, IDispatch* Inspector) {
    if (!module_)
        return;
    try {
        if (module_->OnOLNewInspector)
            module_->CallGuarded([&] { module_->OnOLNewInspector(Sender, Inspector); });
        if (!Inspector)
            return;
        outlook::Inspector inspector(ComPtr<IDispatch>::Share(Inspector));
        ComPtr<IDispatch> item = inspector.CurrentItem();
        if (inspector.Get("CommandBars").IsEmptyOrNothing() || !item)
            return;
        int itemClass = outlook::Item(item).Class();
        if (itemClass == kNoteItemClass)
            return;
        auto wrapper = std::make_unique<TadxInspector>(nullptr);
        wrapper->ConnectTo(static_cast<IUnknown*>(Inspector));
        wrapper->IsMail = itemClass == kMailItemClass;
        inspectors_.push_back(std::move(wrapper));
    } catch (...) {
        // An inspector Outlook cannot describe yet is simply not followed.
    }
}

void TadxAddin::DoOptionsPagesAdd(TObject* Sender, const ComPtr<IDispatch>& Pages) {
    if (!module_)
        return;
    if (previousOptionsPagesAdd_)
        module_->CallGuarded([&] { previousOptionsPagesAdd_(Sender, Pages); });
    module_->CallGuarded([&] { module_->OptionsPagesAdd(Sender, Pages.Get()); });
}

void TadxAddin::DoNameSpaceOptionsPagesAdd(TObject* Sender, const ComPtr<IDispatch>& Pages,
                                           const ComPtr<IDispatch>& Folder) {
    if (!module_)
        return;
    module_->CallGuarded(
        [&] { module_->NameSpaceOptionsPagesAdd(Sender, Pages.Get(), Folder.Get()); });
}

void TadxAddin::FreeOutlookWrappers() noexcept {
    explorers_.clear();
    inspectors_.clear();
    nameSpace_.reset();
    explorersWrapper_.reset();
    inspectorsWrapper_.reset();
    previousOptionsPagesAdd_ = nullptr;
}
