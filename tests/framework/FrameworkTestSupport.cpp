// The framework tests' module, classes, fake hosts and fixture.
#include "FrameworkTestSupport.h"

#include "platform/forms/FormClassBuilder.h"
#include "platform/win/Registry.h"
#include "tests/support/Golden.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fwtest {

void TTestModule::Record(const std::string& entry) {
    journal.push_back(entry);
    if (probe)
        probe(*this, entry);
}

void TTestModule::ModuleRaise(TObject* Sender) {
    Record("raise");
    throw Exception(kHandlerFailure);
}

void TTestModule::SetHostApplication() {
    Record("SetHostApplication");
    TadxCOMAddInModule::SetHostApplication();
}

ComPtr<::CommandBars> TTestModule::GetAppCommandBars() {
    Record("GetAppCommandBars");
    return TadxCOMAddInModule::GetAppCommandBars();
}

void TTestModule::Install() {
    Record("Install");
    TadxCOMAddInModule::Install();
}

void TTestModule::LoadExplCommandBars() {
    Record("LoadExplCommandBars");
    TadxCOMAddInModule::LoadExplCommandBars();
}

forms::FormClassTable& TestClasses() {
    static forms::FormClassTable table;
    static const bool registered = [] {
        forms::FormClassTable* t = &table;
        RegisterFrameworkClasses(*t);
        using M = TTestModule;
        t->Register<M, TadxCOMAddInModule>()
            .StoredForm("object TestModule: TTestModule\nend\n")
            .Method("ModuleInitialize", &M::ModuleInitialize)
            .Method("ModuleStartupComplete", &M::ModuleStartupComplete)
            .Method("ModuleBeginShutdown", &M::ModuleBeginShutdown)
            .Method("ModuleFinalize", &M::ModuleFinalize)
            .Method("ModuleAfterRegister", &M::ModuleAfterRegister)
            .Method("ModuleBeforeUnregister", &M::ModuleBeforeUnregister)
            .Method("ModuleNewExplorer", &M::ModuleNewExplorer)
            .Method("ModuleNewInspector", &M::ModuleNewInspector)
            .Method("ModuleRaise", &M::ModuleRaise);
        t->Register<TTestEvents, TadxCustomEvents>();
        t->Register<TRecordingOutlookEvents, TadxOutlookAppEvents>();
        t->Register<TRecordingExcelEvents, TadxExcelAppEvents>();
        return true;
    }();
    (void)registered;
    return table;
}

void SetModuleForm(std::string_view form) {
    TestClasses().Extend<TTestModule>().StoredForm(form);
}

std::string ModuleForm(const std::string& properties) {
    return "object TestModule: TTestModule\n" + properties + "\nend\n";
}

FakeHost::FakeHost(std::u16string version) : Version(std::move(version)) {
    Members.Add("Version").Get([this](DispCall& call) {
        VersionArguments.clear();
        for (size_t i = 0; i < call.Count(); ++i)
            VersionArguments.push_back(call[i]);
        if (VersionFails)
            throw EOleSysError("The host is busy", DISP_E_EXCEPTION);
        return Version;
    });
}

ComPtr<FakeHost> FakeHost::Create(const GUID& iid, std::u16string version) {
    ComPtr<FakeHost> host = MakeComObject<FakeHost>(std::move(version));
    host->Answer(iid);
    return host;
}

AddInTest::AddInTest()
    : factory(
          TadxFactory::Create<TTestAddIn, TTestModule>(server, CLSID_TestAddIn, TestClasses())) {
    journal.clear();
    probe = nullptr;
}

AddInTest::~AddInTest() {
    probe = nullptr;
    SetModuleForm("object TestModule: TTestModule\nend\n");
}

ComPtr<IDTExtensibility2> AddInTest::NewAddIn() {
    ComPtr<IDTExtensibility2> addIn;
    EXPECT_EQ(factory.CreateInstance(nullptr, IID_IDTExtensibility2, addIn.ReceiveVoid()), S_OK);
    return addIn;
}

std::string AddInTest::AddInKey(TadxOfficeHostApp host) const {
    return factory.GetRegKey(host);
}

std::string AddInTest::ReadValue(HKEY root, const std::string& name, TadxOfficeHostApp host) const {
    TRegistry registry;
    registry.SetRootKey(root);
    if (!registry.OpenKeyReadOnly(AddInKey(host)) || !registry.ValueExists(name))
        return "<missing>";
    if (registry.GetDataType(name) == rdInteger)
        return std::to_string(registry.ReadInteger(name));
    return registry.ReadString(name);
}

void AddInTest::WriteStartMode(const std::string& value) const {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(AddInKey(), true));
    registry.WriteString("ADXStartMode", value);
}

bool AddInTest::AddInKeyExists(HKEY root, TadxOfficeHostApp host) const {
    TRegistry registry;
    registry.SetRootKey(root);
    return registry.KeyExists(AddInKey(host));
}

std::string ReadData(const std::string& name) {
    return testsupport::ReadTestData(name);
}

void ExpectGolden(const std::string& name, const std::string& text) {
    testsupport::ExpectGolden(name, text);
}

} // namespace fwtest
