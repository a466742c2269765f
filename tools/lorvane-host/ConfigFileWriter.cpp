// The configuration document, built element by element in the file's order.
#include "ConfigFileWriter.h"

#include "platform/rtl/DateFormat.h"
#include "platform/text/Text.h"
#include "xml/RwUtf8.h"
#include "xml/uRwXMLDOM.h"

using text::Wide;

namespace {

// The declaration the library's writer starts a document with, and the one
// the add-in's file carries in its place.
constexpr std::u16string_view WriterDeclaration = u"<?xml version=\"1.0\"?>";
constexpr std::string_view FileDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

// Appends an element with its text (none when value is empty) and returns it.
ComPtr<IRwDOMElement> Add(IRwDOMNode* parent, std::u16string_view name,
                          const std::string& value = {}) {
    ComPtr<IRwDOMElement> element = parent->GetOwnerDocument()->CreateElement(name);
    parent->AppendChild(element.Get());
    if (!value.empty())
        element->SetNodeValue(Wide(value));
    return element;
}

} // namespace

bool ScriptConfig::SetSwitch(const std::string& name, bool on) {
    for (auto& [switchName, value] : Switches)
        if (switchName == name) {
            value = on;
            return true;
        }
    return false;
}

std::string ConfigFileBytes(const ScriptConfig& config, const ConfigFolder& folder,
                            TDateTime moment) {
    ComPtr<IRwDOMDocument> document;
    RwGetDOMDocumentFromString(WriterDeclaration, document);
    document->AppendChild(document->CreateComment(u"Lorvane configuration - DO NOT MODIFY").Get());
    document->AppendChild(
        document->CreateComment(Wide("Modified " + FormatDateTime("yyyy-mm-dd hh:nn:ss", moment)))
            .Get());
    ComPtr<IRwDOMElement> root = Add(document.Get(), u"config");

    ComPtr<IRwDOMElement> record = Add(Add(root.Get(), u"folders").Get(), u"folder");
    record->SetAttribute(u"id", u"1");
    Add(record.Get(), u"foldername", folder.FolderName);
    Add(record.Get(), u"storename", folder.StoreName);
    Add(record.Get(), u"storenameid", folder.StoreNameId);
    Add(record.Get(), u"storeid", folder.StoreId);

    Add(Add(root.Get(), u"mainbutton").Get(), u"buttoncaption", config.Caption);

    ComPtr<IRwDOMElement> setup = Add(root.Get(), u"setup");
    Add(setup.Get(), u"CategoryStringDef", config.Category);
    for (const auto& [name, on] : config.Switches)
        Add(setup.Get(), Wide(name), on ? "-1" : "0");
    Add(setup.Get(), u"timerdelay", std::to_string(config.TimerDelay));

    Add(root.Get(), u"treeconfig");
    Add(root.Get(), u"mrulist");

    std::u16string written = document->GetFormatXML("\r\n", "", "  ");
    std::u16string_view body = written;
    if (body.starts_with(WriterDeclaration))
        body.remove_prefix(WriterDeclaration.size());
    return std::string(FileDeclaration) + UTF8Encode(body);
}
