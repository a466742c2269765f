// Writing "Zub.xml": the settings become a document of the XML library,
// which the library's writer turns into text; the text's declaration is
// replaced by one that names UTF-8, and the bytes replace the old file in one
// step.
#include "addin/settings/ConfigFile.h"

#include "addin/settings/ConfigFileFormat.h"
#include "addin/settings/DataFolder.h"
#include "addin/settings/ModuleServices.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "platform/rtl/Conversions.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/FileUtils.h"
#include "platform/text/Text.h"
#include "platform/win/Clock.h"
#include "platform/win/Files.h"
#include "xml/RwUtf8.h"
#include "xml/uRwXMLDOM.h"

#include <exception>

using text::Wide;

namespace {

std::u16string SwitchText(uint8_t value) {
    return Wide(BoolToStr(value != 0));
}

void AddFolders(IRwDOMNode* config, const TFolderRecord& record) {
    auto folders = AddDomElement(config, u"folders", u"");
    auto folder = AddDomElement(folders.Get(), u"folder", u"");
    folder->SetAttribute(u"id", u"1");
    // A record without a folder name is written empty, whatever its store texts.
    const TFolderRecord written = record.FolderName.empty() ? TFolderRecord() : record;
    AddDomElement(folder.Get(), u"foldername", Wide(written.FolderName));
    AddDomElement(folder.Get(), u"storename", Wide(written.StoreName));
    AddDomElement(folder.Get(), u"storenameid", Wide(written.StoreNameId));
    AddDomElement(folder.Get(), u"storeid", Wide(written.StoreId));
}

void AddSetup(IRwDOMNode* config, const TProgramState& state) {
    auto setup = AddDomElement(config, u"setup", u"");
    IRwDOMNode* s = setup.Get();
    AddDomElement(s, u"CategoryStringDef", Wide(state.DefaultCategory));
    for (const ConfigSwitch& sw : ConfigSwitches)
        AddDomElement(s, sw.Name, SwitchText(state.*sw.Field));
    AddDomElement(s, u"timerdelay", Wide(IntToStr(state.timerdelay)));
}

void AddTreeConfig(IRwDOMNode* config, const TStringList* expandedNodes) {
    auto treeconfig = AddDomElement(config, u"treeconfig", u"");
    if (!expandedNodes)
        return;
    for (int i = 0; i < expandedNodes->Count(); ++i)
        AddDomElement(treeconfig.Get(), u"expand", Wide((*expandedNodes)[i]));
}

void AddMruList(IRwDOMNode* config, const TMruList& list) {
    auto mrulist = AddDomElement(config, u"mrulist", u"");
    for (int slot = 1; slot <= TMruList::Slots; ++slot) {
        const TMruEntry& entry = list.Slot(slot);
        if (!entry.Used())
            continue;
        auto mru = AddDomElement(mrulist.Get(), u"mru", u"");
        mru->SetAttribute(u"id", Wide(IntToStr(slot)));
        AddDomElement(mru.Get(), u"mrufolder", Wide(entry.Folder));
        AddDomElement(mru.Get(), u"mrustore", Wide(entry.Store));
        AddDomElement(mru.Get(), u"mrustoreid", Wide(entry.StoreId));
    }
}

} // namespace

std::string ConfigFilePath() {
    return IncludeTrailingPathDelimiter(LorvaneDataFolder()) + ConfigFileName;
}

ComPtr<IRwDOMElement> AddDomElement(IRwDOMNode* Parent, std::u16string_view Name,
                                    std::u16string_view Value) {
    ComPtr<IRwDOMElement> element = Parent->GetOwnerDocument()->CreateElement(Name);
    Parent->AppendChild(element.Get());
    if (!Value.empty())
        element->SetNodeValue(Value);
    return element;
}

void AddDomComment(IRwDOMDocument* Document, std::u16string_view Text) {
    Document->AppendChild(Document->CreateComment(Text).Get());
}

std::string AUtf8EncodeReedwingXML(std::u16string_view Text) {
    if (Text.starts_with(XmlWriterDeclaration))
        Text.remove_prefix(XmlWriterDeclaration.size());
    return std::string(ConfigDeclaration) + UTF8Encode(Text);
}

ComPtr<IRwDOMDocument> ConfigDocument(TDateTime moment) {
    const TProgramState& state = ProgramState();
    ComPtr<IRwDOMDocument> doc;
    RwGetDOMDocumentFromString(XmlWriterDeclaration, doc);
    AddDomComment(doc.Get(), u"Lorvane configuration - DO NOT MODIFY");
    AddDomComment(doc.Get(), u"Modified " + Wide(FormatDateTime("yyyy-mm-dd hh:nn:ss", moment)));
    auto config = AddDomElement(doc.Get(), u"config", u"");
    AddFolders(config.Get(), state.FolderRecords[FolderRecord::Default]);
    auto mainbutton = AddDomElement(config.Get(), u"mainbutton", u"");
    AddDomElement(mainbutton.Get(), u"buttoncaption", Wide(state.MainButtonCaption));
    AddSetup(config.Get(), state);
    AddTreeConfig(config.Get(), state.ExpandedNodes.get());
    AddMruList(config.Get(), state.MruList);
    return doc;
}

std::u16string ConfigText(TDateTime moment) {
    return ConfigDocument(moment)->GetFormatXML("\r\n", "", "  ");
}

bool SaveButtonsToFile() {
    try {
        platform::WriteFileAtomically(ConfigFilePath(), AUtf8EncodeReedwingXML(ConfigText(Now())));
        return true;
    } catch (const std::exception& e) {
        TQelLog::Log(std::string("Exception in SaveButtonsToFile: ") + e.what());
        return false;
    }
}

bool SaveAndReloadButtons() {
    if (!SaveButtonsToFile()) {
        UpdateAnyDefaultAction();
        return false;
    }
    LoadButtonsFromFile();
    return true;
}

void ResetButtonAllocations() {
    ProgramState().FolderRecords[FolderRecord::Default].Clear();
}

void ResetConfigFile() {
    DeleteFile(ConfigFilePath());
    LoadButtonsFromFile();
    ModulePlaceButtonBar();
}

void UpdateAnyDefaultAction() {
    TProgramState& s = ProgramState();
    s.anydefaultaction = (s.folderdef || s.folderask || s.categdef || s.categask ||
                          s.categmaintain || s.calendadd || s.taskadd)
                             ? 1
                             : 0;
}
