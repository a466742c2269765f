// Registration of the form reader's test classes.
#include "FormTestClasses.h"

#include "platform/forms/FormConvert.h"

#include <cstring>

namespace formtest {

using namespace forms;

namespace {

// Reads the items of a collection value, creating each with `make(index)`.
void ReadEntries(const FormValue& value, FormReader& reader,
                 std::vector<std::unique_ptr<TEntry>>& out,
                 const std::function<TEntry*(size_t index)>& make) {
    out.clear();
    reader.ReadItems(value, [&](int i) -> TObject& {
        out.emplace_back(make(static_cast<size_t>(i)));
        return *out.back();
    });
}

void ReadCodes(TContainer& self, const FormValue& value, FormReader& reader) {
    std::vector<uint8_t> bytes = ReadBinary(value, reader);
    int32_t count = 0;
    if (bytes.size() < 4)
        reader.Fail("Codes too short");
    std::memcpy(&count, bytes.data(), 4);
    if (count < 0 || bytes.size() != 4 + 4 * static_cast<size_t>(count))
        reader.Fail("Codes of the wrong size");
    self.Codes.resize(static_cast<size_t>(count));
    if (count > 0)
        std::memcpy(self.Codes.data(), bytes.data() + 4, 4 * static_cast<size_t>(count));
}

void ReadChildren(TContainer& self, const FormValue& value, FormReader& reader) {
    ReadEntries(value, reader, self.Children, [&](size_t i) -> TEntry* {
        if (i >= self.Codes.size())
            reader.Fail("No type code for item " + std::to_string(i));
        int code = self.Codes[i];
        if (code == 7)
            return new TEntry(code);
        if (code == 8)
            return new TOtherEntry(code);
        reader.Fail("Unknown type code " + std::to_string(code));
    });
}

} // namespace

void RegisterTestClasses(FormClassTable& table, std::string_view form) {
    table.Register<TStyleBox>()
        .SetOf("Style", &TStyleBox::Style, {"fsBold", "fsItalic", "fsUnderline"})
        .Property("Height", &TStyleBox::Height);
    table.Register<TEntry>()
        .Property("Caption", &TEntry::Caption)
        .Property("Tag", &TEntry::Tag)
        .Define("Items", [](TEntry& self, const FormValue& v, FormReader& r) {
            ReadEntries(v, r, self.Children, [](size_t) { return new TEntry; });
        });
    table.Register<TOtherEntry, TEntry>().Property("Enabled", &TOtherEntry::Enabled);
    table.Register<TPane>().Property("Caption", &TPane::Caption).Property("Width", &TPane::Width);
    table.Register<TThing, TComponent>()
        .Reference("Images", &TThing::SetImages)
        .Reference("Partner", &TThing::Partner)
        .Object("Box", [](TThing& t) { return t.Box(); })
        .Object("Items", [](TThing& t) { return &t.Items; })
        .Collection("Panes", [](TThing& t) { return &t.Panes; })
        .Property("Lines", &TThing::Lines)
        .Event("OnClick", &TThing::OnClick)
        .Define("Entries", [](TThing& self, const FormValue& v, FormReader& r) {
            ReadEntries(v, r, self.Entries, [](size_t) { return new TEntry; });
        });
    table.Register<TContainer, TComponent>()
        .Define("Codes", ReadCodes)
        .Define("Children", ReadChildren);
    table.Register<TAbstractThing, TComponent>();
    table.Register<TTestModule, TDataModule>()
        .StoredForm(form)
        .Property("AddInName", &TTestModule::SetAddInName)
        .Property("Count", &TTestModule::Count)
        .Property("Signed", &TTestModule::Signed)
        .Property("Small", &TTestModule::Small)
        .Property("Ratio", &TTestModule::Ratio)
        .Property("Enabled", &TTestModule::Enabled)
        .Enum("Size", &TTestModule::Size, {"szRegular", "szLarge"})
        .SetOf("Hosts", &TTestModule::SetHosts, {"hExcel", "hWord", "hOutlook"})
        .SetOf("RibbonMask", &TTestModule::RibbonMask, {"r0", "r1", "r2"})
        .Property("Caption", &TTestModule::Caption)
        .Property("Data", &TTestModule::Data)
        .Property("Lines", &TTestModule::Lines)
        .Event("OnStart", &TTestModule::OnStart)
        .Event("OnCount", &TTestModule::OnCount)
        .Method("ModuleStart", &TTestModule::ModuleStart)
        .Method("ThingClick", &TTestModule::ThingClick)
        .Method("ModuleCount", &TTestModule::ModuleCount)
        .Method("ModuleCreate", &TTestModule::ModuleCreate)
        .Method("ModuleDestroy", &TTestModule::ModuleDestroy);
    table.Register<TDerivedModule, TTestModule>().Method("DerivedStart",
                                                         &TDerivedModule::DerivedStart);
    table.Register<TFormlessModule, TDataModule>();
}

} // namespace formtest
