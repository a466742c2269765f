// The product's COM class and module: the module's stored settings and
// handler bindings, the one class factory of the library's server with its
// ProgID, the add-in object's own interface, and the registration the
// factory writes from the module's settings.
#include "tests/addin/ProductTestSupport.h"

#include "addin/LorvaneOL_IMPL.h"
#include "platform/com/ComClasses.h"
#include "platform/sim/outlook/OutlookRegistration.h"
#include "platform/win/Registry.h"

namespace {

const std::string AddInKey =
    "\\Software\\Microsoft\\Office\\Outlook\\AddIns\\LorvaneOL.coLorvaneOL";

class ProductModule : public ProductTest {};

} // namespace

TEST_F(ProductModule, TheStoredFormHoldsTheProductsRegistrationSettings) {
    TAddInModule* module = LorvaneFormClasses().Create<TAddInModule>(nullptr);
    EXPECT_EQ(module->AddInName(), "LorvaneOL");
    EXPECT_TRUE(module->RegisterForAllUsers);
    EXPECT_EQ(module->SupportedApps(), TadxHostAppSet({ohaOutlook}));
    EXPECT_TRUE(module->HandleShortcuts());
    // What the form leaves at the defaults.
    EXPECT_EQ(module->Description, "");
    EXPECT_EQ(module->LoadBehavior, 3);
    EXPECT_FALSE(module->DisplayAlerts);
    EXPECT_FALSE(module->XLAutomationAddIn);
    module->Free();
}

TEST_F(ProductModule, TheLifecycleHandlersAreBoundByName) {
    TAddInModule* module = LorvaneFormClasses().Create<TAddInModule>(nullptr);
    EXPECT_TRUE(module->OnAddInStartupComplete);
    EXPECT_TRUE(module->OnAddInBeginShutdown);
    EXPECT_TRUE(module->OnAddInFinalize);
    EXPECT_FALSE(module->OnAddInInitialize);
    EXPECT_FALSE(module->OnOLExplorerActivate);

    module->OnAddInStartupComplete(module);
    EXPECT_EQ(ProgramState().Module, module);
    module->OnAddInBeginShutdown(module);
    module->OnAddInFinalize(module);
    EXPECT_EQ(ProgramState().Module, nullptr);
    std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind(LogTime + "adxCOMAddInModuleAddInInitialize: ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], LogTime + "adxCOMAddInModuleAddInBeginShutdown: shutting down");
    EXPECT_EQ(lines[2], LogTime + "adxCOMAddInModuleAddInFinalize: disconnected");
    module->Free();
}

TEST_F(ProductModule, TheServerHasTheFactoryOfCoLorvaneOL) {
    ComServer& server = LorvaneServer();
    EXPECT_EQ(server.ServerName(), "LorvaneOL");
    ASSERT_EQ(server.Factories().size(), 1u);
    auto* factory = dynamic_cast<TadxFactory*>(server.FindFactory(CLASS_coLorvaneOL));
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->ClassName(), "coLorvaneOL");
    EXPECT_EQ(factory->GetProgID(), "LorvaneOL.coLorvaneOL");
    EXPECT_EQ(factory->Description(), "coLorvaneOL Object");
    EXPECT_EQ(factory->ThreadingModel(), "Apartment");
    EXPECT_EQ(factory->ModuleClass().Name(), "TAddInModule");
}

TEST_F(ProductModule, TheAddInObjectAnswersItsOwnDispatchInterface) {
    long before = LibraryObjectCount().Objects();
    {
        ComPtr<IDTExtensibility2> addIn;
        ASSERT_EQ(LorvaneServer()
                      .FindFactory(CLASS_coLorvaneOL)
                      ->CreateInstance(nullptr, IDTExtensibility2::Iid, addIn.ReceiveVoid()),
                  S_OK);
        ComPtr<IDispatch> own;
        ASSERT_EQ(addIn->QueryInterface(IID_IcoLorvaneOL, own.ReceiveVoid()), S_OK);
        ComPtr<IDispatch> dispatch;
        ASSERT_EQ(addIn->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid()), S_OK);
        EXPECT_EQ(own.Get(), dispatch.Get());
        EXPECT_EQ(LibraryObjectCount().Objects(), before + 1);
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
}

TEST_F(ProductModule, RegistrationWritesTheAddInKeyForAllUsersAndTheClass) {
    sim::InstallOutlook(12);
    ASSERT_EQ(LorvaneServer().RegisterServer(), S_OK);
    TRegistry machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.OpenKeyReadOnly(AddInKey));
    EXPECT_EQ(machine.GetValueNames(),
              (std::vector<std::string>{"FriendlyName", "Description", "LoadBehavior",
                                        "CommandLineSafe"}));
    EXPECT_EQ(machine.ReadString("FriendlyName"), "LorvaneOL");
    EXPECT_EQ(machine.ReadString("Description"), "");
    EXPECT_EQ(machine.ReadInteger("LoadBehavior"), 3);
    EXPECT_EQ(machine.ReadInteger("CommandLineSafe"), 0);
    EXPECT_FALSE(TRegistry().KeyExists(AddInKey)) << "nothing for the current user yet";
    EXPECT_EQ(ProgIDToClassID("LorvaneOL.coLorvaneOL"), CLASS_coLorvaneOL);

    ASSERT_EQ(LorvaneServer().UnregisterServer(), S_OK);
    EXPECT_FALSE(machine.KeyExists(AddInKey));
    EXPECT_FALSE(TRegistry().KeyExists(AddInKey));
    TRegistry classes;
    classes.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(classes.KeyExists("\\LorvaneOL.coLorvaneOL"));
    EXPECT_FALSE(classes.KeyExists("\\CLSID\\" + CLASS_coLorvaneOL.ToString()));
}
