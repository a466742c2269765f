// What the framework's tests share: a module class whose stored form each
// test sets, which records the module operations and events start-up calls;
// an add-in class; the form class table of the test program; a host
// application object that answers one host's interface; a fixture with a
// machine folder, a COM server with the add-in's factory and a scripted user;
// and the golden files of tests/framework/data.
#pragma once

#include "tests/support/TempPlatformHome.h"

#include "framework/adxAddIn.h"
#include "framework/events/adxCustomEvents.h"
#include "framework/events/adxHostAppEvents.h"
#include "platform/com/Com.h"
#include "platform/forms/ModalDriver.h"
#include "platform/sim/ModalScript.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace fwtest {

// What happened, in order: module operations and events of the test module.
inline std::vector<std::string> journal;
// Called with the module at each journal entry, for tests that look at the
// module's state at that moment.
inline std::function<void(class TTestModule& module, const std::string& entry)> probe;
// The handlers that raise do so with this message.
inline const std::string kHandlerFailure = "Handler failed";

class TTestModule : public TadxCOMAddInModule {
public:
    using TadxCOMAddInModule::TadxCOMAddInModule;

    void SetHostApplication() override;
    ComPtr<::CommandBars> GetAppCommandBars() override;
    void Install() override;
    void LoadExplCommandBars() override;
    void DoCommandBarsUpdate() override { Record("DoCommandBarsUpdate"); }
    void OptionsPagesAdd(TObject* Sender, IDispatch* Pages) override { Record("OptionsPagesAdd"); }
    void NameSpaceOptionsPagesAdd(TObject* Sender, IDispatch* Pages, IDispatch* Folder) override {
        Record("NameSpaceOptionsPagesAdd");
    }

    // Handlers the stored forms name; each records its own name.
    void ModuleInitialize(TObject* Sender) { Record("OnAddInInitialize"); }
    void ModuleStartupComplete(TObject* Sender) { Record("OnAddInStartupComplete"); }
    void ModuleBeginShutdown(TObject* Sender) { Record("OnAddInBeginShutdown"); }
    void ModuleFinalize(TObject* Sender) { Record("OnAddInFinalize"); }
    void ModuleAfterRegister(TObject* Sender) { Record("OnAfterAddinRegister"); }
    void ModuleBeforeUnregister(TObject* Sender) { Record("OnBeforeAddinUnregister"); }
    void ModuleNewExplorer(TObject* Sender, IDispatch* Explorer) { Record("OnOLNewExplorer"); }
    void ModuleNewInspector(TObject* Sender, IDispatch* Inspector) { Record("OnOLNewInspector"); }
    // Records itself, then raises Exception(kHandlerFailure).
    void ModuleRaise(TObject* Sender);

    void Record(const std::string& entry);
};

// An event component of a class detection does not look for.
class TTestEvents : public TadxCustomEvents {
public:
    using TadxCustomEvents::TadxCustomEvents;
    void ConnectTo(IUnknown* Server) override { journal.push_back(Name() + ".ConnectTo"); }
    void ConnectTo(IUnknown* Server, const std::string& Version) override {
        journal.push_back(Name() + ".ConnectTo " + Version);
    }
    void Disconnect() override { journal.push_back(Name() + ".Disconnect"); }
};

// Host event components that record how detection connects them.
template <class Base> class RecordingEvents : public Base {
public:
    using Base::Base;
    void ConnectTo(IUnknown* Server) override {
        journal.push_back(this->Name() + ".ConnectTo");
        Base::ConnectTo(Server);
    }
    void ConnectTo(IUnknown* Server, const std::string& Version) override {
        journal.push_back(this->Name() + ".ConnectTo " + Version);
        Base::ConnectTo(Server);
    }
};
class TRecordingOutlookEvents : public RecordingEvents<TadxOutlookAppEvents> {
public:
    using RecordingEvents::RecordingEvents;
};
class TRecordingExcelEvents : public RecordingEvents<TadxExcelAppEvents> {
public:
    using RecordingEvents::RecordingEvents;
};

// The test add-in's own dispatch interface.
inline constexpr GUID IID_ITestAddIn = MakeGuid("{3F0E7B61-21C4-4D8A-9B5E-6A1D2C3B4F51}");

class TTestAddIn : public TadxAddin {
    friend struct ::ComMaker;
    TTestAddIn() { AddDispatchInterface(IID_ITestAddIn); }
};

// The test program's form classes: the platform's, the framework's and the ones above.
forms::FormClassTable& TestClasses();
// Sets the stored form of TTestModule.
void SetModuleForm(std::string_view form);
// A stored form of TTestModule: the given properties inside the object block.
std::string ModuleForm(const std::string& properties);

// A host's Application object: answers IDispatch and the interfaces added,
// with a late-bound "Version" and whatever members a test adds.
class FakeHost : public DispatchObject<IDispatch> {
public:
    static ComPtr<FakeHost> Create(const GUID& iid, std::u16string version);
    // Also answers iid.
    void Answer(const GUID& iid) { AddInterfaceAlias<IDispatch>(iid); }
    DispatchTable& Table() { return Members; }
    // What Version answers, whether it fails instead, and the arguments of its last call.
    std::u16string Version;
    bool VersionFails = false;
    std::vector<Variant> VersionArguments;

private:
    friend struct ::ComMaker;
    explicit FakeHost(std::u16string version);
};

// The add-in's class id in the tests.
inline constexpr GUID CLSID_TestAddIn = MakeGuid("{3F0E7B61-21C4-4D8A-9B5E-6A1D2C3B4F50}");

// A machine folder, a COM server "FrameworkTest" with the factory of
// TTestAddIn and TTestModule, and a scripted user of message boxes.
class AddInTest : public ::testing::Test {
protected:
    AddInTest();
    ~AddInTest() override;

    // A new add-in object as the host gets it from the factory.
    ComPtr<IDTExtensibility2> NewAddIn();
    // The add-in key of the test add-in for host ("\Software\...\FrameworkTest.TestAddIn").
    std::string AddInKey(TadxOfficeHostApp host = ohaOutlook) const;
    // A string value under the add-in key in root, "<missing>" when absent.
    std::string ReadValue(HKEY root, const std::string& name,
                          TadxOfficeHostApp host = ohaOutlook) const;
    // Writes a string value under the add-in key of the current user.
    void WriteStartMode(const std::string& value) const;
    // Whether the add-in key exists in root.
    bool AddInKeyExists(HKEY root, TadxOfficeHostApp host = ohaOutlook) const;

    TempPlatformHome home;
    ComServer server{"FrameworkTest"};
    TadxFactory& factory;
    sim::ModalScript user;
    forms::ScopedModalDriver driver{user};
};

// The contents of tests/framework/data/<name>.
std::string ReadData(const std::string& name);
// Compares text with the golden file tests/framework/data/<name> byte for
// byte, showing the first difference with its line; LORVANE_UPDATE_GOLDEN=1
// rewrites the file instead.
void ExpectGolden(const std::string& name, const std::string& text);

} // namespace fwtest
