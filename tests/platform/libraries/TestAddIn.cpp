// A tiny COM add-in for the host driver's tests: an add-in object answering
// the connection, ribbon and task-pane interfaces, behind the four library
// exports. It
// records each call it receives (see TestAddIn.h), publishes itself through
// its COMAddIn entry as add-ins do, and keeps that entry and the ribbon only
// while it is connected, so that nothing of it lives after disconnection.
#include "tests/platform/libraries/TestAddIn.h"

#include "platform/com/Com.h"
#include "platform/com/ComServer.h"
#include "platform/office/Office.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

#include <stdexcept>

namespace {

using namespace testaddin;

void Record(const std::string& line) {
    TRegistry reg;
    if (!reg.OpenKey(Key, true))
        return;
    reg.WriteString(CallsValue, reg.ReadString(CallsValue) + line + "\n");
}

std::string Instruction(const char* name) {
    TRegistry reg;
    return reg.OpenKeyReadOnly(Key) && reg.ValueExists(name) ? reg.ReadString(name) : "";
}

bool ShouldFail(const char* call) {
    return Instruction(FailValue) == call;
}

// Breaks the rule of COM methods on purpose, when told to.
void MaybeThrow(const char* call) {
    if (Instruction(ThrowValue) == call)
        throw std::runtime_error(std::string(call) + " broke the rule");
}

// What the add-in records of an argument that is an object: its late-bound
// Name (applications) or Caption (windows), or "?" when it has neither.
std::string NameOf(IDispatch* object) {
    if (!object)
        return "nil";
    for (const char* property : {"Name", "Caption"}) {
        try {
            return dispGet(object, property).AsString();
        } catch (const Exception&) {
        }
    }
    return "?";
}

const char16_t* const Ribbon =
    u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
    u"onLoad=\"RibbonLoaded\"><ribbon><tabs><tab id=\"TestTab\" label=\"Test\">"
    u"<group id=\"TestGroup\" label=\"Test\"><button id=\"TestButton\" getLabel=\"GetLabel\" "
    u"onAction=\"OnAction\"/></group></tab></tabs></ribbon></customUI>";

class Leftover final : public DispatchObject<IDispatch> {
    friend struct ::ComMaker;
};

// An object that outlives the add-in when KeepAlive asks for it.
ComPtr<Leftover>& KeptAlive() {
    static ComPtr<Leftover> kept;
    return kept;
}

class TestAddIn final
    : public DispatchObject<IDTExtensibility2, IRibbonExtensibility, ICustomTaskPaneConsumer> {
public:
    HRESULT OnConnection(IDispatch* application, ext_ConnectMode connectMode, IDispatch* addInInst,
                         SafeArray* custom) override {
        return ComGuard([&] {
            Record("OnConnection " + std::to_string(connectMode) + " " + NameOf(application) + " " +
                   (ComQuery<COMAddIn>(addInInst) ? "COMAddIn" : "no COMAddIn") +
                   (custom ? "" : " no custom"));
            if (ShouldFail("OnConnection"))
                throw EOleSysError("The test add-in refuses to connect", E_FAIL);
            entry_ = ComQuery<COMAddIn>(addInInst);
            if (entry_)
                OleCheck(entry_->put_Object(static_cast<IDTExtensibility2*>(this)));
            if (Instruction(KeepAliveValue) == "1")
                KeptAlive() = MakeComObject<Leftover>();
        });
    }
    HRESULT OnDisconnection(ext_DisconnectMode removeMode, SafeArray*) override {
        Record("OnDisconnection " + std::to_string(removeMode));
        // Whatever it answers, the add-in lets go of the host's objects; its
        // pane it leaves to the host.
        entry_ = nullptr;
        ribbon_ = nullptr;
        pane_ = nullptr;
        factory_ = nullptr;
        return ShouldFail("OnDisconnection") ? E_FAIL : S_OK;
    }
    HRESULT OnAddInsUpdate(SafeArray*) override {
        Record("OnAddInsUpdate");
        return S_OK;
    }
    HRESULT OnStartupComplete(SafeArray*) override {
        Record("OnStartupComplete");
        MaybeThrow("OnStartupComplete");
        if (Instruction(TurnOffValue) == "OnStartupComplete" && entry_) {
            // The host disconnects the add-in inside this call and lets go
            // of it; the host's reference for the call keeps it alive.
            ComPtr<COMAddIn> entry = entry_;
            entry->put_Connect(VARIANT_FALSE);
            Record("OnStartupComplete goes on");
            return S_OK;
        }
        if (ShouldFail("OnStartupComplete"))
            return E_FAIL;
        // One pane in the host's main window, shown.
        if (factory_ && SUCCEEDED(factory_->CreateCTP(u"PlatformTestAddIn.Pane", u"Test pane",
                                                      Variant::Missing(), pane_.Receive())))
            pane_->put_Visible(VARIANT_TRUE);
        return S_OK;
    }
    HRESULT CTPFactoryAvailable(ICTPFactory* factory) override {
        Record("CTPFactoryAvailable");
        factory_ = ComPtr<ICTPFactory>::Share(factory);
        return S_OK;
    }
    HRESULT OnBeginShutdown(SafeArray*) override {
        Record("OnBeginShutdown");
        MaybeThrow("OnBeginShutdown");
        return ShouldFail("OnBeginShutdown") ? E_FAIL : S_OK;
    }
    HRESULT GetCustomUI(const BSTR& ribbonId, BSTR* ribbonXml) override {
        Record("GetCustomUI " + text::Narrow(ribbonId));
        MaybeThrow("GetCustomUI");
        if (ShouldFail("GetCustomUI"))
            return E_FAIL;
        *ribbonXml = ribbonId == RibbonId ? Ribbon : u"";
        return S_OK;
    }

private:
    friend struct ::ComMaker;
    TestAddIn() {
        Members.SetCaseSensitive(true);
        Members.Method("RibbonLoaded", [this](DispCall& call) {
            ribbon_ = call.Dispatch(0).Query<IRibbonUI>();
            Record(std::string("RibbonLoaded") + (ribbon_ ? "" : " without IRibbonUI"));
        });
        Members.Method("GetLabel", [] { return u"Test button"; });
        Members.Method("OnAction", [](DispCall& call) {
            ComPtr<IRibbonControl> control = call.Dispatch(0).Query<IRibbonControl>();
            BSTR id;
            ComPtr<IDispatch> context;
            if (control) {
                control->get_Id(&id);
                control->get_Context(context.Receive());
            }
            Record("OnAction " + text::Narrow(id) + " in " + NameOf(context.Get()));
        });
    }

    ComPtr<COMAddIn> entry_;
    ComPtr<IRibbonUI> ribbon_;
    ComPtr<ICTPFactory> factory_;
    ComPtr<_CustomTaskPane> pane_;
};

class TestServer : public ComServer {
public:
    TestServer() : ComServer(testaddin::ServerName) {
        AddFactory<ComClassFactory>(Clsid, ClassName, "Test add-in", "Apartment", [] {
            Record("CreateInstance");
            if (ShouldFail("CreateInstance"))
                throw EOleSysError("The test add-in refuses to be created", E_FAIL);
            ComPtr<TestAddIn> addIn = MakeComObject<TestAddIn>();
            return ComPtr<IUnknown>::Share(addIn->UnknownSelf());
        });
    }
};

ComServer& Server() {
    static TestServer server;
    return server;
}

} // namespace

COM_SERVER_ENTRY_POINTS(Server())

// Lets go of the object that KeepAlive left, so that a test can end with
// nothing alive.
COM_SERVER_EXPORT void TestAddInDropLeftover() {
    KeptAlive() = nullptr;
}
