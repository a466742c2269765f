// The product's root: the COM class that Outlook connects to (coLorvaneOL of
// the type library LorvaneOL, ProgID "LorvaneOL.coLorvaneOL"), the add-in
// module that carries the product's settings, components and lifecycle
// handlers, and the COM server that makes the one from the other: the
// server's class factory is created when the library loads, and it creates
// an add-in object for each host that asks, which creates the module from
// its stored form (AddInModuleForm.cpp) on connection.
#pragma once

#include "framework/adxAddIn.h"
#include "platform/com/ComServer.h"
#include "platform/forms/FormClass.h"

// The type library's name: the server's name and the first part of the ProgID.
inline constexpr const char* LorvaneTypeLibrary = "LorvaneOL";
// The ProgID under which hosts find the add-in.
inline constexpr const char* LorvaneProgID = "LorvaneOL.coLorvaneOL";
// The add-in object's class.
inline constexpr GUID CLASS_coLorvaneOL = MakeGuid("{C3F1FFEA-A903-4CCF-BC40-B2DFC7655D26}");
// The add-in object's own dispatch interface (no methods of its own).
inline constexpr GUID IID_IcoLorvaneOL = MakeGuid("{AB595DAE-5C2B-446B-B811-F5E885D4BAD5}");

// The add-in object: the framework's, answering IcoLorvaneOL as well.
class TcoLorvaneOL : public TadxAddin {
private:
    friend struct ::ComMaker;
    TcoLorvaneOL();
};

// The product's add-in module; its stored form holds the registration
// settings, its components and the bindings of its handlers.
class TAddInModule : public TadxCOMAddInModule {
public:
    // CreateNew: the module without its stored form (the form class table's
    // Create reads the form too).
    explicit TAddInModule(TComponent* AOwner);

    // Start-up complete (the module's OnAddInStartupComplete).
    void adxCOMAddInModuleAddInInitialize(TObject* Sender);
    // Outlook begins to shut down, or the user removes the add-in (OnAddInBeginShutdown).
    void adxCOMAddInModuleAddInBeginShutdown(TObject* Sender);
    // The connection ends (OnAddInFinalize).
    void adxCOMAddInModuleAddInFinalize(TObject* Sender);
    // Outlook quits (the Outlook events component's OnQuit): the
    // begin-shutdown handler, then the finalise handler. Outlook's own
    // shutdown calls run them once more afterwards, which they bear.
    void adxOutlookAppEvents1Quit(TObject* Sender);
};

// Registers the product's form classes (TAddInModule with its stored form
// and handlers) in table, after the framework's.
void RegisterAddInModule(forms::FormClassTable& table);

// The library's form classes: the platform's, the framework's and the product's.
const forms::FormClassTable& LorvaneFormClasses();
// The library's COM server with the factory of coLorvaneOL (made on first use).
ComServer& LorvaneServer();
