// The add-in class factory: making add-in objects, the host table's keys,
// the running-host check and the order of registration and unregistration.
// The registry work of each step is in AddInRegistration.cpp.
#include "framework/AddInFactory.h"

#include "framework/AddInModule.h"
#include "framework/support/ComRoutines.h"
#include "framework/support/FrameworkErrors.h"
#include "platform/com/ComClasses.h"
#include "platform/forms/FormParser.h"
#include "platform/forms/FormReader.h"
#include "platform/forms/ModalDriver.h"
#include "platform/rtl/SysUtils.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

// The folder of a library file, as the class library keeps module file names
// (at most 262 characters).
std::string FolderOf(std::string path) {
    constexpr size_t kMaxPath = 262;
    if (path.size() > kMaxPath)
        path.resize(kMaxPath);
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The module's properties that registration reads.
constexpr std::string_view kRegistrationSettings[] = {
    "AddInName",           "Description",   "DisplayAlerts",    "LoadBehavior",
    "RegisterForAllUsers", "SupportedApps", "XLAutomationAddIn"};
// The module's handlers that run while registration reads it: a module that
// has one is made whole, as its handlers may use its components.
constexpr std::string_view kRegistrationHandlers[] = {"OnCreate", "OnDestroy",
                                                      "OnAfterAddinRegister"};

bool BindsRegistrationHandler(const forms::FormObject& root) {
    return std::any_of(root.Properties.begin(), root.Properties.end(), [](const auto& property) {
        return std::any_of(
            std::begin(kRegistrationHandlers), std::end(kRegistrationHandlers),
            [&](std::string_view name) { return text::SameText(property.Name, name); });
    });
}

bool HasRegistrationHandler(const TadxCOMAddInModule& module) {
    return module.OnCreate || module.OnDestroy || module.OnAfterAddinRegister;
}

} // namespace

TadxFactory::TadxFactory(ComServer& server, std::string className, AddInCreator createAddIn,
                         const GUID& ClassID, const forms::FormClass& ModuleClass,
                         std::string description)
    : ComClassFactory(server, ClassID, std::move(className), std::move(description), "Apartment"),
      createAddIn_(std::move(createAddIn)), moduleClass_(&ModuleClass),
      libraryFolder_(FolderOf(server.LibraryPath())) {}

TadxFactory::TadxFactory(ComServer& server, std::string className, AddInCreator createAddIn,
                         const GUID& ClassID, forms::FormClassesOnDemand& classes,
                         std::string moduleClassName, std::string description)
    : ComClassFactory(server, ClassID, std::move(className), std::move(description), "Apartment"),
      createAddIn_(std::move(createAddIn)), classes_(&classes),
      moduleClassName_(std::move(moduleClassName)), libraryFolder_(FolderOf(server.LibraryPath())) {
}

const forms::FormClass& TadxFactory::ModuleClass() const {
    return moduleClass_ ? *moduleClass_ : classes_->Get().Get(moduleClassName_);
}

const forms::FormClass& TadxFactory::SettingsClass() const {
    return moduleClass_ ? *moduleClass_ : classes_->Modules().Get(moduleClassName_);
}

std::string TadxFactory::CoClassName(const std::string& className) {
    return !className.empty() && className[0] == 'T' ? className.substr(1) : className;
}

ComPtr<IUnknown> TadxFactory::CreateComObject(IUnknown*) {
    ComPtr<TadxAddin> addIn = createAddIn_();
    if (!addIn)
        throw EOleSysError("The add-in object could not be created", E_UNEXPECTED);
    addIn->factory_ = this;
    return ComPtr<IUnknown>::Share(addIn->UnknownSelf());
}

TadxCOMAddInModule* TadxFactory::CreateModule() const {
    const forms::FormClass& moduleClass = ModuleClass();
    TComponent* component = moduleClass.Create(nullptr);
    auto* module = dynamic_cast<TadxCOMAddInModule*>(component);
    if (!module) {
        component->Free();
        throw EOleSysError("The class " + moduleClass.Name() + " is no add-in module",
                           E_UNEXPECTED);
    }
    return module;
}

TadxCOMAddInModule* TadxFactory::CreateSettingsModule() const {
    const forms::FormClass& moduleClass = SettingsClass();
    auto [form, formClass] = moduleClass.StoredForm();
    if (!form)
        return CreateModule();
    forms::FormObject root = forms::ParseFormRoot(*form, formClass->Name());
    if (BindsRegistrationHandler(root))
        return CreateModule();
    TComponent* component = moduleClass.CreateNew(nullptr);
    auto* module = dynamic_cast<TadxCOMAddInModule*>(component);
    if (!module || HasRegistrationHandler(*module)) {
        // Never constructed to the end, so it runs no OnDestroy.
        component->Destroying();
        delete component;
        return CreateModule();
    }
    TadxModulePtr settings(module);
    forms::FormReader(moduleClass.Table(), formClass->Name())
        .ReadRootProperties(*settings, root, kRegistrationSettings);
    return settings.release();
}

std::string TadxFactory::GetAddInName() {
    if (addInName_.empty()) {
        TadxModulePtr module(CreateSettingsModule());
        addInName_ = module->AddInName();
        supportedApps_ = module->SupportedApps();
    }
    return addInName_;
}

TadxHostAppSet TadxFactory::GetSupportedApps() {
    if (supportedApps_.Empty())
        GetAddInName();
    return supportedApps_;
}

std::string TadxFactory::GetRegKey(TadxOfficeHostApp host) const {
    return adxAddInKey(host, GetProgID());
}

bool TadxFactory::IsHostAppInstalled(TadxOfficeHostApp host) const {
    GUID clsid;
    if (SUCCEEDED(CLSIDFromProgID(text::Wide(adxHostInfo(host).ProgID), &clsid)) && !clsid.IsNull())
        return true;
    try {
        TRegistry registry;
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        return registry.OpenKeyReadOnly(
            "Software\\Microsoft\\Office\\14.0\\Common\\InstallRoot\\Virtual");
    } catch (const Exception&) {
        return false;
    }
}

std::vector<TadxOfficeHostApp> TadxFactory::SelectedHosts(TadxHostAppSet supported) const {
    std::vector<TadxOfficeHostApp> hosts;
    for (int i = adxFirstHost; i <= adxLastHost; ++i) {
        auto host = static_cast<TadxOfficeHostApp>(i);
        if (supported.Contains(host) && IsHostAppInstalled(host))
            hosts.push_back(host);
    }
    return hosts;
}

TModalResult TadxFactory::MsgBox(const std::string& Caption, const std::string& HostList) {
    forms::MessageBoxRequest box;
    box.Caption = Caption;
    box.Text = "Please close all running host application instances:\r\n" + HostList;
    box.Type = mtInformation;
    box.Buttons = TMsgDlgButtons{mbCancel, mbRetry, mbIgnore};
    box.DefaultButton = DefaultMessageButton(box.Buttons);
    return forms::RunMessageBox(box);
}

void TadxFactory::CheckRunningHosts(const std::string& addInName, TadxHostAppSet supported) {
    for (;;) {
        std::string running;
        for (TadxOfficeHostApp host : SelectedHosts(supported))
            if (adxGetActiveOleObject(adxHostInfo(host).ProgID))
                running += std::string(adxHostInfo(host).Name) + " ";
        if (running.empty())
            return;
        TModalResult answer = MsgBox(addInName, running);
        if (answer == mrCancel)
            adx::RaiseError(adx::ErrRegistrationCanceled, adx::SRegistrationCanceled);
        if (answer == mrIgnore)
            return;
    }
}

void TadxFactory::UpdateRegistry(bool doRegister) {
    bool displayAlerts;
    {
        TadxModulePtr module(CreateSettingsModule());
        addInName_ = module->AddInName();
        supportedApps_ = module->SupportedApps();
        displayAlerts = module->DisplayAlerts;
    }
    if (displayAlerts)
        CheckRunningHosts(addInName_, supportedApps_);
    // The registry file is written once, at the end; what a failing step
    // leaves behind is written all the same, as each change would have been.
    platform::RegistryBatch batch;
    if (doRegister) {
        ComClassFactory::UpdateRegistry(true);
        if (typeLib_)
            RegisterTypeLib(*typeLib_, Server().LibraryPath());
        RegisterAddIn();
    } else {
        UnRegisterControls();
        UnRegisterAddIn();
        if (typeLib_)
            UnregisterTypeLib(*typeLib_);
        ComClassFactory::UpdateRegistry(false);
    }
    batch.Commit();
}
