// The command-bar tests' module, forms and fixture.
#include "tests/framework/CommandBarTestSupport.h"

#include "platform/forms/FormClassBuilder.h"

namespace fwtest {

namespace {

std::string CaptionOf(TObject* sender) {
    if (auto* control = dynamic_cast<TadxCommandBarControl*>(sender))
        return text::Narrow(control->StoredOfficeTag());
    return "?";
}

// A host that answers none of the interfaces detection looks for.
constexpr GUID IID_TestHost = MakeGuid("{5A0C8E52-7D1B-4F0E-9C3A-2B6D4E8F1A07}");

} // namespace

void TBarModule::Click(TObject* Sender) {
    journal.push_back("Click " + CaptionOf(Sender));
    if (DuringClick)
        DuringClick(*this, Sender);
}

void TBarModule::Change(TObject* Sender) {
    journal.push_back("Change " + CaptionOf(Sender));
}

void SetBarModuleForm(const std::string& form) {
    static const bool registered = [] {
        TestClasses()
            .Register<TBarModule, TadxCOMAddInModule>()
            .Method("Click", &TBarModule::Click)
            .Method("Change", &TBarModule::Change);
        return true;
    }();
    (void)registered;
    TestClasses().Extend<TBarModule>().StoredForm(form);
}

std::string BarModuleForm(const std::string& body, const std::string& hosts) {
    return "object BarModule: TBarModule\n  AddInName = 'Bars'\n  SupportedApps = " + hosts + "\n" +
           body + "end\n";
}

std::string TestBar(const std::string& extra, int counter, int buttonCounter) {
    return R"(  object Toolbar: TadxCustomCommandBar
    CommandBarName = 'Test Bar'
)" + extra +
           R"(    ButtonTypes = {03000000 00000000 04000000 03000000}
    Buttons = <
      item
        Caption = '&Hello'
        OfficeTag = 'tag-hello'
        ShortcutText = 'Ctrl+H'
        OnClick = Click
        PropertyChanged = )" +
           std::to_string(buttonCounter) + R"(
      end
      item
        Caption = 'More'
        OfficeTag = 'tag-more'
        ButtonTypes = {02000000 00000000 00000000}
        Buttons = <
          item
            Caption = 'One'
            OfficeTag = 'tag-one'
            OnClick = Click
          end
          item
            Caption = 'Tw&o'
            OfficeTag = 'tag-two'
          end>
      end
      item
        Caption = 'Pick'
        OfficeTag = 'tag-pick'
        Items.Strings = ('a' 'b')
        Text = 'a'
        OnChange = Change
      end>
    PropertyChanged = )" +
           std::to_string(counter) + "\n  end\n";
}

CommandBarTest::CommandBarTest() : app(FakeHost::Create(IID_TestHost, u"11.0")) {
    app->Table().Get("CommandBars", [this] { return ComPtr<IDispatch>(bars.Query<IDispatch>()); });
    TBarModule::DuringClick = nullptr;
}

CommandBarTest::~CommandBarTest() {
    module.reset();
    TBarModule::DuringClick = nullptr;
}

TBarModule& CommandBarTest::Start(TadxOfficeHostApp host, bool install) {
    module.reset(TestClasses().Create<TBarModule>(nullptr));
    module->Factory = &factory;
    module->HostApplication = Variant(static_cast<IDispatch*>(app.Get()));
    module->HostType = host;
    module->StartMode = adxStartModeNormal;
    module->OnError = [this](const Exception& e, bool& handled) {
        auto* ole = dynamic_cast<const EOleSysError*>(&e);
        errors.push_back(std::to_string(ole ? ole->ErrorCode : 0) + ": " + e.Message);
        handled = true;
    };
    module->CommandBars = module->GetAppCommandBars();
    if (install)
        module->Install();
    return static_cast<TBarModule&>(*module);
}

void CommandBarTest::Stop(bool restartHost) {
    module.reset();
    if (restartHost)
        bars->Restart();
}

bool CommandBarTest::WriteControlRecord(const std::string& tag, int32_t counter) const {
    TRegistry registry;
    if (!registry.OpenKey(factory.GetRegKey(ohaWord) + "\\Controls", false))
        return false;
    registry.WriteInteger(tag, counter);
    return true;
}

TadxCustomCommandBar& CommandBarTest::Bar() const {
    for (int i = 0; i < module->ComponentCount(); ++i)
        if (auto* bar = dynamic_cast<TadxCustomCommandBar*>(module->Components(i)))
            return *bar;
    throw Exception("The module has no bar");
}

} // namespace fwtest
