// TadxFactory: the class factory of an add-in's COM class. At run time it
// makes a new add-in object for each host that asks (multi-instance,
// apartment threading); at installation (the library's registration entry
// points) it writes and removes everything that makes the Office hosts load
// the add-in: the COM class keys and, for each supported host that is
// installed, the add-in key with its values, under HKEY_LOCAL_MACHINE when the
// module says RegisterForAllUsers, else under HKEY_CURRENT_USER. Unregistration
// first removes the add-in's command bars and controls from each host.
//
// The factory is generic over the add-in class and the module class. A
// product creates one when its library starts, in its ComServer:
//
//   ComServer& Server() { static ComServer server("LorvaneOL"); return server; }
//   forms::FormClassesOnDemand& FormClasses();   // the library's own: the module
//        // classes (RegisterFrameworkModuleClass, TAddInModule), then the others
//   TadxFactory::Create<TcoLorvaneOL, TAddInModule>(Server(), CLSID_coLorvaneOL, FormClasses());
//
// The factory asks for the classes only when it needs the module class, and
// registration only for the module classes, so the library registers none
// as it loads and registration registers few.
//
// The COM class name is the add-in class's name without its leading T
// ("coLorvaneOL"), so the ProgID is "LorvaneOL.coLorvaneOL". The add-in class
// derives from TadxAddin with a default constructor (befriending ComMaker
// when it is private); the module class derives from TadxCOMAddInModule and is
// registered in the form class table with its stored form.
#pragma once

#include "framework/AddInObject.h"
#include "framework/support/OfficeHosts.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComServer.h"
#include "platform/com/TypeLib.h"
#include "platform/forms/FormClass.h"
#include "platform/forms/ModalResult.h"

#include <functional>
#include <optional>
#include <string>

class TadxCOMAddInModule;
class TRegistry;

class TadxFactory : public ComClassFactory {
public:
    // Makes a new object of the add-in class.
    using AddInCreator = std::function<ComPtr<TadxAddin>()>;

    // The factory in server of COM class className (objects made by
    // createAddIn) with class id ClassID, whose add-in settings and
    // components come from ModuleClass's stored form.
    TadxFactory(ComServer& server, std::string className, AddInCreator createAddIn,
                const GUID& ClassID, const forms::FormClass& ModuleClass,
                std::string description = {});
    // The same with the module class named moduleClassName found in classes
    // when it is needed: registration reads the module's settings from the
    // table of module classes alone, everything else uses the whole table.
    TadxFactory(ComServer& server, std::string className, AddInCreator createAddIn,
                const GUID& ClassID, forms::FormClassesOnDemand& classes,
                std::string moduleClassName, std::string description = {});

    // Creates the factory of AddIn with the module class Module (registered
    // in table) in server, and returns it; the server keeps it.
    template <class AddIn, class Module>
    static TadxFactory& Create(ComServer& server, const GUID& ClassID,
                               const forms::FormClassTable& table, std::string description = {}) {
        static_assert(std::is_base_of_v<TadxAddin, AddIn>,
                      "the add-in class derives from TadxAddin");
        return server.AddFactory<TadxFactory>(
            CoClassName(ClassNameOf<AddIn>()),
            [] { return ComPtr<TadxAddin>(MakeComObject<AddIn>()); }, ClassID,
            table.Get(ClassNameOf<Module>()), std::move(description));
    }
    // The same with the library's tables filled on first use: none of the
    // library's classes is registered when the factory is made.
    template <class AddIn, class Module>
    static TadxFactory& Create(ComServer& server, const GUID& ClassID,
                               forms::FormClassesOnDemand& classes, std::string description = {}) {
        static_assert(std::is_base_of_v<TadxAddin, AddIn>,
                      "the add-in class derives from TadxAddin");
        return server.AddFactory<TadxFactory>(
            CoClassName(ClassNameOf<AddIn>()),
            [] { return ComPtr<TadxAddin>(MakeComObject<AddIn>()); }, ClassID, classes,
            ClassNameOf<Module>(), std::move(description));
    }

    // A new add-in object for a host (guarded by the base's CreateInstance).
    ComPtr<IUnknown> CreateComObject(IUnknown* controller) override;
    // The whole registration (true) or unregistration (false), see the top of the file.
    void UpdateRegistry(bool doRegister) override;

    // The module's add-in name and supported hosts, as the factory last read them.
    virtual std::string GetAddInName();
    virtual TadxHostAppSet GetSupportedApps();

    // The add-in key of host ("\Software\Microsoft\Office\Outlook\AddIns\<ProgID>");
    // empty when the ProgID is.
    std::string GetRegKey(TadxOfficeHostApp host) const;
    // Whether host is installed: its ProgID names a class, or Office 14 runs
    // virtualised on this machine.
    bool IsHostAppInstalled(TadxOfficeHostApp host) const;
    // The steps of UpdateRegistry.
    void RegisterAddIn();
    void UnRegisterAddIn();
    void UnRegisterControls();
    void RegisterAutomationAddin(TRegistry& registry);
    void UnregisterAutomationAddin(TRegistry& registry);
    // The running-host dialog: asks to close the hosts listed; Cancel, Retry
    // or Ignore.
    TModalResult MsgBox(const std::string& Caption, const std::string& HostList);

    // A module of the module class read from its stored form, with no owner
    // (the caller frees it).
    TadxCOMAddInModule* CreateModule() const;
    // A module of the module class holding what registration reads of it:
    // made with its defaults and given only its stored form's registration
    // properties (name, description, hosts, load behaviour, the running-host
    // dialog, all users, Excel automation), none of its components. A module
    // with a handler that runs meanwhile (OnCreate, OnDestroy,
    // OnAfterAddinRegister) is made whole, as CreateModule does, since its
    // handlers may use its components. No owner (the caller frees it).
    TadxCOMAddInModule* CreateSettingsModule() const;
    // The module class.
    const forms::FormClass& ModuleClass() const;
    // The folder of the add-in library.
    const std::string& LibraryFolder() const { return libraryFolder_; }

    // The COM class name of a class library class name ("TcoX" gives "coX").
    static std::string CoClassName(const std::string& className);

    // The add-in's type library: library LibId named after the server, with
    // the coclass ("<class> Object") and its dispatch interface DispatchIid
    // ("I<class>"). Registered and removed with the class, and served by the
    // add-in objects' GetTypeInfo. (AddInTypeLibrary.cpp)
    void SetTypeLibrary(const GUID& LibId, const GUID& DispatchIid);
    // The description, or null while the add-in has none.
    const TypeLibDescription* TypeLibrary() const noexcept {
        return typeLib_ ? &*typeLib_ : nullptr;
    }
    // The library itself, made on first use (null without a description).
    ComPtr<ITypeLib> LoadTypeLibrary();

private:
    // The hosts registration handles: supported and installed, in ordinal order.
    std::vector<TadxOfficeHostApp> SelectedHosts(TadxHostAppSet supported) const;
    // The running-host check; raises 31105 when the user cancels.
    void CheckRunningHosts(const std::string& addInName, TadxHostAppSet supported);
    void UnRegisterHostControls(TadxCOMAddInModule& module, TadxOfficeHostApp host);

    // The module class in the table of module classes alone.
    const forms::FormClass& SettingsClass() const;

    AddInCreator createAddIn_;
    // The module class given, or the library's tables and the class's name.
    const forms::FormClass* moduleClass_ = nullptr;
    forms::FormClassesOnDemand* classes_ = nullptr;
    std::string moduleClassName_;
    std::string libraryFolder_;
    std::string addInName_;
    TadxHostAppSet supportedApps_;
    std::optional<TypeLibDescription> typeLib_;
    ComPtr<ITypeLib> loadedTypeLib_;
};
