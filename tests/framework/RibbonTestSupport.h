// What the ribbon tests share: a module class whose handlers record the
// clicks and errors they see, the send-actions ribbon as a stored form (the
// compose tab with its split button, menu and spacers, the explorer tab with
// its three buttons), golden files, the schema check of every document, and
// a fixture with an add-in object connected to a simulated Outlook, ready for the
// simulated ribbon host.
#pragma once

#include "FrameworkTestSupport.h"

#include "framework/ribbon/adxRibbon.h"
#include "platform/sim/RibbonHost.h"
#include "platform/sim/outlook/OutlookSim.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rbtest {

// What the handlers of TRibbonTestModule saw, in order: "Click <class> Tag <n>
// <control id>", "Error <message>", "Loaded", "Create <menu id>".
inline std::vector<std::string> journal;

class TRibbonTestModule : public TadxCOMAddInModule {
public:
    using TadxCOMAddInModule::TadxCOMAddInModule;

    // Records the click with the sender's class and Tag and the control's id.
    void DoIndividualActionClick(TObject* Sender, IRibbonControl* RibbonControl);
    // Records the click, then raises Exception("Click failed").
    void RaisingClick(TObject* Sender, IRibbonControl* RibbonControl);
    // Records the error and handles it (no message box).
    void ModuleError(const Exception& E, bool& Handled);
    // Records that the ribbon loaded.
    void ModuleRibbonLoaded(TObject* Sender, IRibbonUI* RibbonUI);
};

// The test program's form classes with TRibbonTestModule.
forms::FormClassTable& RibbonClasses();
// Sets the stored form of TRibbonTestModule.
void SetRibbonForm(const std::string& form);
// A module of TRibbonTestModule read from form (freed by the pointer).
TadxModulePtr LoadModule(const std::string& form);

// A 16 x 16 glyph as a stored form writes Glyph.Data ("{ ... }"): a 24-bit
// image of colour with a magenta bottom row.
std::string GlyphData();
// The send-actions ribbon (both tabs) inside a module form whose root
// properties are extra.
std::string SendActionsForm(const std::string& extra = {});
// A module form holding objects (tabs, image lists) after the root properties extra.
std::string ModuleWith(const std::string& objects, const std::string& extra = {});

// The ids of the compose tab's controls.
inline constexpr char16_t kSplitButtonId[] =
    u"adxRibbonSplitButton8067D16769B947FAB5967F6972A48538";
inline constexpr char16_t kGroupId[] = u"adxRibbonGroup481782284CEA409FA04E40B6D953FD3A";
inline constexpr char16_t kMenuId[] = u"adxRibbonMenu10EB136AAD3A4F0EA63CED31FEA6A51B";
// The six menu buttons in order.
extern const char16_t* const kMenuButtonIds[6];
inline constexpr char16_t kSpacerId[] = u"adxRibbonButtonAA35F65FA0A74ED38D018A6D7692151D";
inline constexpr char16_t kExplorerTabId[] = u"adxRibbonTab6E29F9EC36D34D209DE99473A16A1C6F";
inline constexpr char16_t kAboutId[] = u"adxRibbonButtonC0A4F1E2B3D5467890ABCDEF12345678";

using fwtest::ExpectGolden;
using fwtest::ReadData;
// Expects xml to be valid against the custom UI schema.
void ExpectValid(const std::u16string& xml);
// adxGetCustomUI of module for ribbonId, checked against the schema.
std::u16string Document(TadxCOMAddInModule& module, const std::u16string& ribbonId);

// A machine folder, a COM server with the factory of TTestAddIn and
// TRibbonTestModule, and an add-in object connected to a simulated Outlook.
class RibbonAddIn : public ::testing::Test {
protected:
    RibbonAddIn();
    ~RibbonAddIn() override;

    // Creates the add-in with the module form given and connects it.
    void Connect(const std::string& form);
    // The connected module.
    TadxCOMAddInModule& Module() const;
    // A ribbon host for ribbonId on the add-in, loaded (documents checked against the schema).
    std::unique_ptr<sim::RibbonHost> LoadRibbon(const std::u16string& ribbonId,
                                                ComPtr<IDispatch> context = nullptr);
    // Calls the add-in's IDispatch by name the way a host does and returns Invoke's result.
    HRESULT InvokeByName(const std::u16string& name, DispArgs& args, Variant* result,
                         uint32_t* argErr = nullptr);

    TempPlatformHome home;
    ComServer server{"RibbonTest"};
    TadxFactory& factory;
    sim::ModalScript user;
    forms::ScopedModalDriver driver{user};
    sim::OutlookSim outlook;
    ComPtr<IDTExtensibility2> addIn;
};

} // namespace rbtest
