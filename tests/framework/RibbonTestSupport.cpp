// The ribbon tests' module, add-in and helpers: the test ribbon's stored
// forms, schema checks and the documents the module gives.
#include "RibbonTestSupport.h"

#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/Bitmap.h"
#include "platform/office/Extensibility.h"
#include "platform/rtl/Streams.h"
#include "platform/sim/RibbonDocument.h"
#include "platform/text/Text.h"

namespace rbtest {

const char16_t* const kMenuButtonIds[6] = {
    u"adxRibbonButtonB2B17C70373E4A859DF661D823CD3674",
    u"adxRibbonButton00789A7D7013425AB2477A36FC91E423",
    u"adxRibbonButton78F788A15882437884EB8BDF4C9FAD08",
    u"adxRibbonButton0BF8B3C833CE439597E8920A6A848A7B",
    u"adxRibbonButton6BD1C6E46865469CB47C458891E42B36",
    u"adxRibbonButton6B188D3D08BE4E2CB535D059B4C9524C",
};

void TRibbonTestModule::DoIndividualActionClick(TObject* Sender, IRibbonControl* RibbonControl) {
    std::string line = "Click " + Sender->ClassName();
    if (auto* control = dynamic_cast<TadxRibbonCustomControl*>(Sender))
        line += " Tag " + std::to_string(control->Tag);
    BSTR id;
    if (RibbonControl && SUCCEEDED(RibbonControl->get_Id(&id)))
        line += " " + text::Narrow(id);
    journal.push_back(line);
}

void TRibbonTestModule::RaisingClick(TObject* Sender, IRibbonControl* RibbonControl) {
    DoIndividualActionClick(Sender, RibbonControl);
    throw Exception("Click failed");
}

void TRibbonTestModule::ModuleError(const Exception& E, bool& Handled) {
    journal.push_back("Error " + E.Message);
    Handled = true;
}

void TRibbonTestModule::ModuleRibbonLoaded(TObject*, IRibbonUI*) {
    journal.push_back("Loaded");
}

forms::FormClassTable& RibbonClasses() {
    static const bool registered = [] {
        using M = TRibbonTestModule;
        fwtest::TestClasses()
            .Register<M, TadxCOMAddInModule>()
            .StoredForm("object RibbonModule: TRibbonTestModule\nend\n")
            .Method("DoIndividualActionClick", &M::DoIndividualActionClick)
            .Method("RaisingClick", &M::RaisingClick)
            .Method("ModuleError", &M::ModuleError)
            .Method("ModuleRibbonLoaded", &M::ModuleRibbonLoaded);
        return true;
    }();
    (void)registered;
    return fwtest::TestClasses();
}

void SetRibbonForm(const std::string& form) {
    RibbonClasses().Extend<TRibbonTestModule>().StoredForm(form);
}

TadxModulePtr LoadModule(const std::string& form) {
    SetRibbonForm(form);
    return TadxModulePtr(RibbonClasses().Create<TRibbonTestModule>(nullptr));
}

std::string GlyphData() {
    TBitmap glyph(16, 16);
    glyph.SetPixelFormat(pf24bit);
    glyph.Canvas()->Brush()->SetColor(clNavy);
    glyph.Canvas()->FillRect(RECT{0, 0, 16, 15});
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(RECT{0, 15, 16, 16});
    TMemoryStream stream;
    glyph.WriteData(stream);
    static const char* digits = "0123456789ABCDEF";
    std::string hex = "{";
    for (int64_t i = 0; i < stream.GetSize(); ++i) {
        if (i % 32 == 0)
            hex += "\n      ";
        uint8_t b = stream.Memory()[i];
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex + "}";
}

namespace {

std::string Quoted(std::u16string_view s) {
    return "'" + text::Narrow(s) + "'";
}

// One plain button of the compose tab's menu.
std::string MenuButton(int index, const char* caption, int tag, bool shown) {
    std::string b = "        item\n          Caption = '" + std::string(caption) + "'\n";
    if (!shown)
        b += "          Enabled = False\n          Visible = False\n";
    b += "          Glyph.Data = " + GlyphData() + "\n";
    b += "          Id = " + Quoted(kMenuButtonIds[index]) + "\n";
    b += "          Ribbons = [msrOutlookMailCompose]\n";
    b += "          Tag = " + std::to_string(tag) + "\n";
    b += "          OnClick = DoIndividualActionClick\n        end";
    return b;
}

} // namespace

std::string ModuleWith(const std::string& objects, const std::string& extra) {
    return "object RibbonModule: TRibbonTestModule\n  AddInName = 'LorvaneOL'\n"
           "  SupportedApps = [ohaOutlook]\n  OnError = ModuleError\n" +
           extra + objects + "end\n";
}

std::string SendActionsForm(const std::string& extra) {
    std::string menu;
    const char* captions[] = {"Send + File to Default Folder", "Send + File to Any Folder...",
                              "Send + Add Category...",        "Send + Add to Calendar",
                              "Send + Add to Tasks",           "Define Default Actions"};
    const int tags[] = {1, 2, 3, 4, 5, 7};
    for (int i = 0; i < 6; ++i)
        menu += MenuButton(i, captions[i], tags[i], i < 5) + (i < 5 ? "\n" : ">\n");
    std::string objects = R"(  object ImageList1: TImageList
  end
  object adxRibbonTab3: TadxRibbonTab
    Caption = 'Lorvane'
    Controls = <
      item
        Caption = 'Lorvane'
        Id = )" + Quoted(kGroupId) +
                          R"(
        InsertBeforeIdMso = 'GroupClipboard'
        Ribbons = [msrOutlookMailCompose]
        ControlTypes = {03000000 08000000 07000000 07000000}
        Controls_ = <
          item
            Caption = 'Track +'#13#10'Send'
            Controls = <
              item
                Caption = 'IndividualActions'
                Id = )" + Quoted(kMenuId) +
                          R"(
                Ribbons = [msrOutlookMailCompose]
                ControlTypes = {06000000 07000000 07000000 07000000 07000000 07000000 07000000}
                Controls_ = <
)" + menu + R"(              end>
            Glyph.Data = )" +
                          GlyphData() + R"(
            Id = )" + Quoted(kSplitButtonId) +
                          R"(
            Ribbons = [msrOutlookMailCompose]
            ScreenTip = 'Click to Send Item and execute default actions'
            Size = csLarge
            Tag = 6
            OnClick = DoIndividualActionClick
          end
          item
            Caption = '     '
            Enabled = False
            Id = )" + Quoted(kSpacerId) +
                          R"(
            Ribbons = [msrOutlookMailCompose]
          end
          item
            Caption = ''
            Enabled = False
            Id = 'adxRibbonButtonAFC591BD31434F2AA772A76D54240F4A'
            Ribbons = [msrOutlookMailCompose]
          end>
      end>
    IdMso = 'TabNewMailMessage'
    Ribbons = [msrOutlookMailCompose]
  end
  object adxRibbonTab1: TadxRibbonTab
    Tag = 1
    Caption = 'Lorvane'
    Controls = <
      item
        Caption = 'Lorvane'
        Id = 'adxRibbonGroup5B1D7F3A92C84E6DA0B1C2D3E4F5A6B7'
        Ribbons = [msrOutlookExplorer]
        ControlTypes = {03000000 07000000 07000000 07000000}
        Controls_ = <
          item
            Caption = 'Define Default Actions'
            Glyph.Data = )" +
                          GlyphData() + R"(
            Id = 'adxRibbonButton3E7A1C5D9B2F4A6E8C0D1F2A3B4C5D6E'
            Ribbons = [msrOutlookExplorer]
            Size = csLarge
            OnClick = DoIndividualActionClick
          end
          item
            Caption = 'Help'
            Glyph.Data = )" +
                          GlyphData() + R"(
            Id = 'adxRibbonButton7F9E8D7C6B5A49382716A5B4C3D2E1F0'
            Ribbons = [msrOutlookExplorer]
            Size = csLarge
            OnClick = DoIndividualActionClick
          end
          item
            Caption = 'About'
            Glyph.Data = )" +
                          GlyphData() + R"(
            Id = )" + Quoted(kAboutId) +
                          R"(
            Ribbons = [msrOutlookExplorer]
            Size = csLarge
            OnClick = RaisingClick
          end>
      end>
    Id = )" + Quoted(kExplorerTabId) +
                          R"(
    Images = ImageList1
    Ribbons = [msrOutlookExplorer]
  end
)";
    return ModuleWith(objects, extra);
}

void ExpectValid(const std::u16string& xml) {
    std::vector<std::string> problems = sim::ValidateRibbonXml(xml);
    EXPECT_TRUE(problems.empty()) << problems.front() << "\n" << text::Narrow(xml);
}

std::u16string Document(TadxCOMAddInModule& module, const std::u16string& ribbonId) {
    std::u16string xml = adxGetCustomUI(module, ribbonId);
    ExpectValid(xml);
    return xml;
}

RibbonAddIn::RibbonAddIn()
    : factory(TadxFactory::Create<fwtest::TTestAddIn, TRibbonTestModule>(
          server, fwtest::CLSID_TestAddIn, RibbonClasses())) {
    journal.clear();
}

RibbonAddIn::~RibbonAddIn() {
    if (addIn)
        addIn->OnDisconnection(ext_dm_HostShutdown, nullptr);
    addIn = nullptr;
    SetRibbonForm("object RibbonModule: TRibbonTestModule\nend\n");
}

void RibbonAddIn::Connect(const std::string& form) {
    SetRibbonForm(form);
    ASSERT_EQ(factory.CreateInstance(nullptr, IID_IDTExtensibility2, addIn.ReceiveVoid()), S_OK);
    ASSERT_EQ(addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
              S_OK);
}

TadxCOMAddInModule& RibbonAddIn::Module() const {
    TadxCOMAddInModule* module = static_cast<TadxAddin*>(addIn.Get())->Module();
    if (!module)
        throw Exception("The add-in is not connected");
    return *module;
}

std::unique_ptr<sim::RibbonHost> RibbonAddIn::LoadRibbon(const std::u16string& ribbonId,
                                                         ComPtr<IDispatch> context) {
    auto host = std::make_unique<sim::RibbonHost>(addIn.Get(), ribbonId, std::move(context));
    host->Load();
    return host;
}

HRESULT RibbonAddIn::InvokeByName(const std::u16string& name, DispArgs& args, Variant* result,
                                  uint32_t* argErr) {
    ComPtr<IDispatch> dispatch = ComQuery<IDispatch>(addIn.Get());
    const char16_t* names[] = {name.c_str()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = dispatch->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    ExcepInfo info;
    uint32_t err = 0;
    return dispatch->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &args.Params(),
                            result, &info, argErr ? argErr : &err);
}

} // namespace rbtest
