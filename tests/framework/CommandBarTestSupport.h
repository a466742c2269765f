// What the command-bar tests share: a module class with click and change
// handlers whose stored form each test sets, a host application handing out
// one simulated command-bar collection that lives across the module's
// restarts, and a fixture that starts the module in a host and installs.
#pragma once

#include "tests/framework/FrameworkTestSupport.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "platform/sim/SimCommandBars.h"

#include <functional>
#include <string>

namespace fwtest {

// A module whose handlers record their sender's caption.
class TBarModule : public TadxCOMAddInModule {
public:
    using TadxCOMAddInModule::TadxCOMAddInModule;
    void Click(TObject* Sender);
    void Change(TObject* Sender);
    // Runs inside Click when set (to click again, to free the module, to raise).
    static inline std::function<void(TBarModule&, TObject*)> DuringClick;
};

// Registers TBarModule once and sets its stored form.
void SetBarModuleForm(const std::string& form);

// A bar module's form: the module's properties and components inside it.
std::string BarModuleForm(const std::string& body,
                          const std::string& hosts = "[ohaWord, ohaOutlook, ohaAccess]");

// The test bar: a button with a shortcut, a pop-up with two buttons and a
// combo box with two items, all with fixed tags; counter as its design
// change counter.
std::string TestBar(const std::string& extra = "", int counter = 3, int buttonCounter = 1);

class CommandBarTest : public AddInTest {
protected:
    CommandBarTest();
    ~CommandBarTest() override;

    // Starts a module of the current form in host (installing unless told not to).
    TBarModule& Start(TadxOfficeHostApp host = ohaWord, bool install = true);
    // Frees the module; the host restarts (temporary items dropped) when asked.
    void Stop(bool restartHost = false);
    // The simulated control with that tag, or nullptr.
    sim::SimCommandBarControl* Sim(const char16_t* tag) const { return bars->FindByTag(tag); }
    // The module's first bar component.
    TadxCustomCommandBar& Bar() const;
    // Records a control's design change counter under the Word add-in key's
    // "\Controls", as an earlier run left it; false when the key is missing.
    bool WriteControlRecord(const std::string& tag, int32_t counter) const;

    // The errors the module reported ("<code>: <message>"; code 0 for others).
    std::vector<std::string> errors;
    ComPtr<sim::SimulatedCommandBars> bars = sim::SimulatedCommandBars::Create();
    ComPtr<FakeHost> app;
    TadxModulePtr module;
};

} // namespace fwtest
