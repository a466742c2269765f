// The sample's modules, one file each. A module file defines its classes and
// a function that registers them (with their stored forms and the handlers
// the forms name) in the library's form class table; adding a module is one
// more file and one more line in SampleModuleRegistrations.
#pragma once

#include "framework/AddInModule.h"
#include "framework/events/TableEvents.h"
#include "platform/forms/FormClass.h"

#include <span>

// The add-in module that the factory makes for each connection: registered
// for Outlook and the other Office hosts, with its command bars, a task pane
// and an event component for each host (SampleHosts.cpp).
class TSampleModule : public TadxCOMAddInModule {
public:
    // CreateNew: the module without its stored form (the form class table's
    // Create reads the form too).
    explicit TSampleModule(TComponent* AOwner) : TadxCOMAddInModule(AOwner) {}

    // The command bars' handlers (SampleCommandBars.cpp): each tells the
    // user what was clicked or chosen in a message box.
    void HelloClick(TObject* Sender);
    void AboutClick(TObject* Sender);
    void ColourChange(TObject* Sender);
    // The handler of the host components' events: tells the debugger which
    // event came (SampleHosts.cpp).
    void HostEvent(TObject* Sender, TadxEventArgs& Args);
    // The task pane's handlers: tell the debugger of each pane made and removed.
    void PaneCreated(TadxCustomTaskPane* Sender, TadxCustomTaskPaneInstance* Instance);
    void PaneDestroyed(TadxCustomTaskPane* Sender, TadxCustomTaskPaneInstance* Instance);
    // The key button's handler (SampleShortcuts.cpp).
    void KeyClick(TObject* Sender);
};

// Registers the handlers of the hosts' components and panes (SampleHosts.cpp).
void RegisterSampleHosts(forms::FormClassTable& table);

// Registers TSampleModule with its stored form (SampleModule.cpp).
void RegisterSampleModule(forms::FormClassTable& table);

// The command-bar components of the module's stored form, and the
// registration of their handlers (SampleCommandBars.cpp).
const char* SampleCommandBarsForm();
void RegisterSampleCommandBars(forms::FormClassTable& table);

// The keyboard bar of the module's stored form, with its button's face and
// shortcut, and the registration of its handler (SampleShortcuts.cpp).
const char* SampleShortcutsForm();
void RegisterSampleShortcuts(forms::FormClassTable& table);

// Registers one module file's classes in the library's table.
using SampleModuleRegistration = void (*)(forms::FormClassTable& table);

// The registrations of the module files that extend the module, in the
// order they are registered (after RegisterSampleModule, which the table of
// module classes holds too).
std::span<const SampleModuleRegistration> SampleModuleRegistrations();
