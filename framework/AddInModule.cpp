// The add-in module: construction, destruction, its property setters, the
// error report and the ribbon look-up. Host detection is in
// HostDetection.cpp, the Access timer in AccessTimer.cpp; the command-bar
// operations hand over to the command-bar room (commandbars/ModuleCommandBars.h).
#include "framework/AddInModule.h"

#include "framework/AddInFactory.h"
#include "framework/commandbars/ModuleCommandBars.h"
#include "framework/events/adxHostAppEvents.h"
#include "framework/hosts/HiddenWindows.h"
#include "framework/hosts/HostApplications.h"
#include "framework/panes/CustomTaskPanes.h"
#include "framework/ribbon/adxRibbonComponent.h"
#include "framework/support/FrameworkErrors.h"
#include "framework/support/SupportUnits.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Timer.h"
#include "platform/outlook/OutlookApplication.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

namespace {

// The Access timer's period.
constexpr unsigned kAccessTimerInterval = 250;

template <class T> void FreeComponent(T*& component) {
    if (T* c = std::exchange(component, nullptr))
        c->Free();
}

} // namespace

TadxCOMAddInModule::TadxCOMAddInModule(TComponent* AOwner) : TadxModuleServices(AOwner) {
    // The support units start with the library's first module and stay
    // until the library ends: the log outlives an add-in turned off and on.
    adxSupportUnitsStart();
    RegisterForAllUsers = false;
    Registry = std::make_unique<TRegistry>();
    CommandBarList = std::make_unique<TList<TObject>>();
    RibbonCommands = std::make_unique<TList<TObject>>();
    RibbonTabs = std::make_unique<TList<TObject>>();
    ContextualTabs = std::make_unique<TList<TObject>>();
    KeyList = std::make_unique<TStringList>();
    supportedApps_ = TadxHostAppSet{ohaExcel};
    LoadBehavior = 3;
    EventSinks = std::make_unique<TList<TObject>>();
    StartFromScratch = {};
    TaskPanes = new TadxCustomTaskPanes(this);
    AccessTimer = new TTimer(nullptr);
    AccessTimer->SetEnabled(false);
    AccessTimer->SetInterval(kAccessTimerInterval);
    AccessTimer->OnTimer = [this](TObject* sender) { DoAccessTick(sender); };
    Theme = TadxOfficeColorScheme::Unknown;
}

void TadxCOMAddInModule::AfterConstruction() {
    TDataModule::AfterConstruction();
    ReleaseConnection();
}

void TadxCOMAddInModule::ReleaseConnection() {
    RibbonUI = nullptr;
    CTPFactory = nullptr;
    CommandBars = nullptr;
    AddIn = nullptr;
    Factory = nullptr;
    COMAddIn = nullptr;
}

TadxCOMAddInModule::~TadxCOMAddInModule() {
    Registry.reset();
    try {
        FreeHostApplication();
    } catch (...) {
        // A host that went away first cannot be told; the module goes all the same.
    }
    EventSinks.reset();
    KeyList.reset();
    ContextualTabs.reset();
    RibbonTabs.reset();
    RibbonCommands.reset();
    delete std::exchange(TaskPanes, nullptr);
    FreeComponent(AccessTimer);
    ReleaseConnection();
    HostApplication = Variant();
    adxRemoveKeyboardHook(*this);
    adxFreeColorWindow(*this);
    ShortcutList.reset();
    // The owned components go now, while the module's own fields still
    // exist: command bars remove themselves from the command-bar list.
    DestroyComponents();
    CommandBarList.reset();
    // The module's life ends here, before its remaining members go.
    liveness_.End();
}

void adxFreeModule(TadxCOMAddInModule* module) noexcept {
    if (!module)
        return;
    try {
        module->BeforeDestruction();
    } catch (...) {
        // OnDestroy failed; the module goes all the same.
    }
    delete module;
}

void TadxCOMAddInModule::Notification(TComponent* AComponent, TOperation Operation) {
    TDataModule::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == HostEvents)
        HostEvents = nullptr;
    if (AComponent == Outlook2007Events)
        Outlook2007Events = nullptr;
}

void TadxCOMAddInModule::SetAddInName(const std::string& Value) {
    if (Value.empty())
        adx::RaiseError(adx::ErrPropertyEmpty, adx::SPropertyEmpty, {"AddInName"});
    addInName_ = Value;
}

void TadxCOMAddInModule::SetSupportedApps(TadxHostAppSet Value) {
    if (Value.Empty())
        adx::RaiseError(adx::ErrPropertyEmpty, adx::SPropertyEmpty, {"SupportedApps"});
    supportedApps_ = Value;
}

void TadxCOMAddInModule::SetHandleShortcuts(bool Value) {
    if (Value == handleShortcuts_)
        return;
    handleShortcuts_ = Value;
    if (ComponentState() & csDesigning)
        return;
    adxRemoveKeyboardHook(*this);
    if (Value)
        adxInstallKeyboardHook(*this);
}

void TadxCOMAddInModule::DoError(const Exception& E) {
    // OnError may turn the add-in off, which frees the module: nothing of it
    // is read after the handler.
    const std::string name = addInName_;
    bool handled = false;
    rtl::FireSurvives(liveness_, OnError, E, handled);
    if (handled)
        return;
    MessageDlg(Format("%s error: the add-in has fired an exception.\r\n%s", {name, E.Message}),
               mtError, TMsgDlgButtons{mbOK}, 0);
}

void TadxCOMAddInModule::DoCallBack(int32_t Param1, int32_t Param2, int32_t Param3, int32_t Param4,
                                    int32_t Param5, int32_t Param6, int32_t Param7) {
    // Not guarded: the caller hears the handler's exception.
    rtl::FireSurvives(liveness_, OnCallBack, Param1, Param2, Param3, Param4, Param5, Param6,
                      Param7);
}

std::string TadxCOMAddInModule::GetRegistryKey() const {
    if (!Factory)
        return {};
    return Factory->GetRegKey(HostType);
}

std::string TadxCOMAddInModule::GetProgID() const {
    return Factory ? Factory->GetProgID() : std::string();
}

TadxHostApplication* TadxCOMAddInModule::HostWrapper() const {
    // At most one is set.
    TadxHostApplication* const wrappers[] = {
        ExcelApplication.get(),    WordApplication.get(),    PowerPointApplication.get(),
        AccessApplication.get(),   ProjectApplication.get(), FrontPageApplication.get(),
        MapPointApplication.get(), VisioApplication.get(),   PublisherApplication.get(),
        InfoPathApplication.get()};
    for (TadxHostApplication* wrapper : wrappers)
        if (wrapper)
            return wrapper;
    return nullptr;
}

TObject* TadxCOMAddInModule::FindRibbonControl(const std::u16string& Id) const {
    if (!KeyList)
        return nullptr;
    int index = KeyList->IndexOf(text::Narrow(Id));
    if (index >= 0)
        return KeyList->Objects(index);
    // A tab or control is listed under its IdMso when it has one; asked for
    // its own Id, it is found by walking the list.
    for (int i = 0; i < KeyList->Count(); ++i) {
        TObject* object = KeyList->Objects(i);
        auto* component = dynamic_cast<IadxRibbonComponent*>(object);
        if (component && component->GetID() == Id)
            return object;
    }
    return nullptr;
}

// ---- command bars: the command-bar room's work ----

ComPtr<::CommandBars> TadxCOMAddInModule::GetAppCommandBars() {
    return adxGetAppCommandBars(*this);
}

void TadxCOMAddInModule::Install() {
    adxInstall(*this);
}

void TadxCOMAddInModule::LoadExplCommandBars() {
    adxLoadExplCommandBars(*this);
}

void TadxCOMAddInModule::SaveExplCommandBars() {
    adxSaveExplCommandBars(*this);
}

ComPtr<IDispatch> TadxCOMAddInModule::FindCommandBar(const std::u16string& Name) {
    return adxFindCommandBar(*this, Name);
}

TStringList& TadxCOMAddInModule::ControlByShortcut() {
    return adxControlByShortcut(*this);
}

ComPtr<IDispatch> TadxCOMAddInModule::FindControl(int Type, const std::u16string& Tag) {
    return adxFindControl(*this, Type, Tag);
}

ComPtr<IDispatch> TadxCOMAddInModule::FindControl(IDispatch* Bar, int Type,
                                                  const std::u16string& Tag) {
    return adxFindControl(Bar, Type, Tag);
}

ComPtr<IDispatch> TadxCOMAddInModule::FindControl(IDispatch* Bar, int Type, int Id) {
    return adxFindControl(Bar, Type, Id);
}

ComPtr<IDispatch> TadxCOMAddInModule::FindControl(int Type, int Id) {
    return adxFindControl(*this, Type, Id);
}

void TadxCOMAddInModule::InternalAddCmdBar(TadxCustomCommandBar* Bar) {
    adxInternalAddCmdBar(*this, Bar);
}

void TadxCOMAddInModule::InternalAddControl(TadxCommandBarControl* Control,
                                            TadxCustomCommandBar* Bar, TadxCommandBarPopup* Popup) {
    adxInternalAddControl(*this, Control, Bar, Popup);
}
