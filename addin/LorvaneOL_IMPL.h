// The product's root: the COM class that Outlook connects to (coLorvaneOL of
// the type library LorvaneOL, ProgID "LorvaneOL.coLorvaneOL"), the add-in
// module that carries the product's settings, components and lifecycle
// handlers, and the COM server that makes the one from the other: the
// server's class factory is created when the library loads, and it creates
// an add-in object for each host that asks, which creates the module from
// its stored form (AddInModuleForm.cpp) on connection.
#pragma once

#include "addin/send/SendWatch.h"
#include "addin/settings/ModuleServices.h"
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
// The add-in's type library, LorvaneOL (coclass coLorvaneOL, interface IcoLorvaneOL).
inline constexpr GUID LIBID_LorvaneOL = MakeGuid("{0148A564-FCDB-47BE-BECA-07A33F206371}");

// The add-in object: the framework's, answering IcoLorvaneOL as well.
class TcoLorvaneOL : public TadxAddin {
private:
    friend struct ::ComMaker;
    TcoLorvaneOL();
};

class TFormAbout;
class TfrmConfig;
class TImageList;
class TadxOutlookAppEvents;
class TadxRibbonTab;
class TTimer;

// The product's add-in module; its stored form holds the registration
// settings, its components and the bindings of its handlers. Its operations
// live in the files of their parts: the lifecycle and the ribbon state in
// ProductModule.cpp; the watch on Outlook's own sends, the send actions, the
// sent-copy watchers and the pending entries are the send room's TSendWatch,
// to which the handlers of Outlook's window events and of the timers hand over.
class TAddInModule : public TadxCOMAddInModule, public TSendWatch {
public:
    // CreateNew: the module without its stored form (the form class table's
    // Create reads the form too).
    explicit TAddInModule(TComponent* AOwner);
    ~TAddInModule() override;

    // ---- components of the stored form, in its order ----

    // The explorer tab's images.
    TImageList* ImageList1 = nullptr;
    // The ribbon tab added to the new-mail window's built-in tab: its group
    // holds the split button, its menu and the spacers.
    TadxRibbonTab* adxRibbonTab3 = nullptr;
    // The two tries of the watch on the active inspector's message.
    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;
    // The explorer's own ribbon tab.
    TadxRibbonTab* adxRibbonTab1 = nullptr;
    // Outlook's events: its quit runs begin shutdown and finalisation.
    TadxOutlookAppEvents* adxOutlookAppEvents1 = nullptr;

    // ---- run-time fields ----

    // The explorer tab, remembered by PlaceButtonBar.
    TadxRibbonTab* ExplorerTab = nullptr;

    // ---- lifecycle (ProductModule.cpp) ----

    // Start-up complete (the module's OnAddInStartupComplete): settings,
    // watchers, pending entries, ribbon state.
    void adxCOMAddInModuleAddInInitialize(TObject* Sender);
    // Outlook begins to shut down, or the user removes the add-in
    // (OnAddInBeginShutdown): writes the pending entries.
    void adxCOMAddInModuleAddInBeginShutdown(TObject* Sender);
    // The connection ends (OnAddInFinalize): watchers and lists released.
    void adxCOMAddInModuleAddInFinalize(TObject* Sender);
    // Outlook quits (the Outlook events component's OnQuit): begin shutdown,
    // then finalise. Both may run again from the framework's own calls.
    void adxOutlookAppEvents1Quit(TObject* Sender);
    // The first explorer activation after start-up: watches the selected
    // message once, then unhooks itself.
    void adxCOMAddInModuleOLExplorerActivate(TObject* Sender);
    // Sets the ribbon state and arms or disarms the watch on Outlook's own
    // sends (armed while any default action is on).
    void PlaceButtonBar();

    // ---- the explorer tab's buttons ----

    // "Define Default Actions": the configuration dialog.
    void DefineDefaultAction();
    // "Help": opens the product's support page.
    void Help();
    // "About": the about box.
    void ShowAbout();

    // ---- the dialogs (ProductDialogs.cpp) ----

    // The configuration dialog, and the about box: made on first use, kept,
    // and freed at finalisation so that a reconnection makes them anew.
    TfrmConfig* frmConfig = nullptr;
    TFormAbout* FormAbout = nullptr;
    // Shows the configuration dialog and, on OK, applies it: the Sent Items
    // watcher, the settings saved and read back, the ribbon state.
    void Configure();
    // Frees the dialogs the module made.
    void FreeDialogs();

    // The ribbon's clicks (RibbonHandlers.cpp). A click on a button of the
    // new-mail tab runs the individual action of its Tag; the split button
    // runs "Track + Send" (TIndividualAction::Combined).
    void DoIndividualActionClick(TObject* Sender, IRibbonControl* RibbonControl);
    // The explorer tab's "Define Default Actions" (also the hidden menu button's).
    void adxRibbonTab1Controls0Controls0Controls0Controls0Click(TObject* Sender,
                                                                IRibbonControl* RibbonControl);
    // The explorer tab's "Help".
    void adxRibbonTab1Controls0Controls0Controls0Controls3Click(TObject* Sender,
                                                                IRibbonControl* RibbonControl);
    // The explorer tab's "About".
    void adxRibbonTab1Controls0Controls0Controls0Controls4Click(TObject* Sender,
                                                                IRibbonControl* RibbonControl);

    // ---- watch on Outlook's own sends (the send room's TSendWatch) ----

    // An inspector was activated: the watch on its message starts after timerdelay.
    void adxCOMAddInModuleOLInspectorActivate(TObject* Sender);
    // The explorer's selection changed: the first selected message is watched.
    void adxCOMAddInModuleOLExplorerSelectionChange(TObject* Sender);
    // Published without a body and attached to nothing.
    void adxCOMAddInModuleOLInspectorClose(TObject* Sender) {}
    void adxCOMAddInModuleOLInspectorDeactivate(TObject* Sender) {}
    // The first try: watches the active inspector's message, or tries once
    // more after twice the delay.
    void Timer1Timer(TObject* Sender);
    // The second and last try.
    void Timer2Timer(TObject* Sender);

    // The per-item dialog of "Track + Send"; true when the user chose Send.
    bool CollectCombineActions() override;
    // Outlook's "MAPI" name space; raises when Outlook is not connected.
    outlook::NameSpace MapiSession() const override;

protected:
    // Binds the component fields to the components the stored form made.
    void Loaded() override;

private:
    // Outlook's application wrapper; raises EQelError when Outlook is not connected.
    TOutlookApplication& OutlookHost() const override;
    // Timer1 for the watch's first try, Timer2 for its second.
    TTimer* WatchTimer(int Try) const override;
};

// Registers the product's form classes (TAddInModule with its stored form
// and handlers) in table, after the framework's.
void RegisterAddInModule(forms::FormClassTable& table);

// The library's COM server with the factory of coLorvaneOL (made on first use).
ComServer& LorvaneServer();
