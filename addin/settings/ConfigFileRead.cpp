// Reading "Zub.xml": the file's lines are joined with CR LF, decoded (UTF-8
// behind its declaration, else 8-bit text), parsed by the XML library into a
// document, and the root's children are visited by name.
//
// A fault ends the reading with an exception, but never leaves the settings
// half made: every value is stored whole or not at all, and any-default-action
// follows the switches even when the setup element was cut short, so that the
// watch on Outlook's own sends is armed exactly when a switch read asks for it.
#include "addin/settings/ConfigFile.h"

#include "addin/settings/ConfigFileFormat.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelError.h"
#include "platform/rtl/Conversions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/text/Text.h"
#include "xml/uRwXMLDOM.h"

#include <functional>
#include <initializer_list>
#include <utility>

using text::Narrow;

namespace {

// The lines of text (ended by CR LF, LF or CR) joined with CR LF, as a string
// list's Text would give them without its last line break.
std::string JoinLines(std::string_view bytes) {
    std::string joined;
    joined.reserve(bytes.size() + bytes.size() / 16);
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c != '\r' && c != '\n') {
            joined += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        if (i + 1 < bytes.size())
            joined += "\r\n";
    }
    return joined;
}

void ForEachChild(IRwDOMNode* node,
                  const std::function<void(IRwDOMNode* child, const std::u16string& name)>& visit) {
    ComPtr<IRwDOMNodeList> children = node->GetChildNodes();
    const int count = children->GetLength();
    for (int i = 0; i < count; ++i) {
        ComPtr<IRwDOMNode> child = children->Item(i);
        visit(child.Get(), child->GetNodeName());
    }
}

std::string ValueOf(IRwDOMNode* node) {
    return Narrow(node->GetNodeValue());
}

// Sets each text from the value of the element's child of its name.
void ReadTexts(IRwDOMNode* element,
               std::initializer_list<std::pair<std::u16string_view, std::string*>> texts) {
    ForEachChild(element, [texts](IRwDOMNode* child, const std::u16string& name) {
        for (const auto& [textName, text] : texts)
            if (name == textName)
                *text = ValueOf(child);
    });
}

// The node's value converted; a conversion error becomes one that names the
// element and the file.
template <class Result, class Convert>
Result Converted(const std::u16string& name, IRwDOMNode* node, const std::string& fileName,
                 Convert convert) {
    const std::string value = ValueOf(node);
    try {
        return convert(value);
    } catch (const EConvertError& e) {
        throw EQelError("Invalid <%s> in \"%s\": %s", {Narrow(name), fileName, e.Message});
    }
}

// Keeps any-default-action in step with the switches however the setup
// element's reading ends.
class AnyDefaultActionUpdate {
public:
    AnyDefaultActionUpdate() = default;
    ~AnyDefaultActionUpdate() { UpdateAnyDefaultAction(); }
    AnyDefaultActionUpdate(const AnyDefaultActionUpdate&) = delete;
    AnyDefaultActionUpdate& operator=(const AnyDefaultActionUpdate&) = delete;
};

class ConfigReader {
public:
    ConfigReader(TProgramState& state, std::string fileName)
        : state_(state), fileName_(std::move(fileName)) {}

    void Read(IRwDOMNode* root) {
        ForEachChild(root, [this](IRwDOMNode* child, const std::u16string& name) {
            if (name == u"folders")
                ReadFolders(child);
            else if (name == u"mainbutton")
                ReadMainButton(child);
            else if (name == u"setup")
                ReadSetup(child);
            else if (name == u"treeconfig")
                ReadTreeConfig(child);
            else if (name == u"mrulist")
                ReadMruList(child);
        });
    }

private:
    void ReadFolders(IRwDOMNode* folders) {
        ForEachIdentified(folders, u"folder", [this](int id, IRwDOMNode* folder) {
            if (id != FolderRecord::Picked && id != FolderRecord::Default)
                return;
            TFolderRecord& record = state_.FolderRecords[id];
            ReadTexts(folder, {{u"foldername", &record.FolderName},
                               {u"storename", &record.StoreName},
                               {u"storenameid", &record.StoreNameId},
                               {u"storeid", &record.StoreId}});
        });
    }

    void ReadMainButton(IRwDOMNode* mainbutton) {
        ReadTexts(mainbutton, {{u"buttoncaption", &state_.MainButtonCaption}});
    }

    void ReadSetup(IRwDOMNode* setup) {
        AnyDefaultActionUpdate update;
        ForEachChild(setup, [this](IRwDOMNode* child, const std::u16string& name) {
            if (name == u"CategoryStringDef") {
                state_.DefaultCategory = ValueOf(child);
            } else if (name == u"timerdelay") {
                // Any integer reads: the watch takes a delay below 1 as 1,
                // so a hand-edited negative one costs none of the settings
                // that follow it.
                state_.timerdelay = Converted<int>(name, child, fileName_, StrToInt);
            } else {
                for (const ConfigSwitch& sw : ConfigSwitches)
                    if (name == sw.Name)
                        state_.*sw.Field =
                            Converted<bool>(name, child, fileName_, StrToBool) ? 1 : 0;
            }
        });
    }

    void ReadTreeConfig(IRwDOMNode* treeconfig) {
        if (!state_.ExpandedNodes)
            state_.ExpandedNodes = std::make_unique<TStringList>();
        TStringList& nodes = *state_.ExpandedNodes;
        // The file holds the whole list: what was remembered before is replaced.
        nodes.Clear();
        ForEachChild(treeconfig, [&nodes](IRwDOMNode* child, const std::u16string& name) {
            if (name == u"expand")
                nodes.Add(ValueOf(child));
        });
    }

    // Slots whose id is no number or lies outside 1..20 are left out, a
    // repeated id takes the later element whole, and the slots read then move
    // up to slot 1 on (whatever ends the reading), so that every row of the
    // picker names its own slot even after a hand edit left gaps.
    void ReadMruList(IRwDOMNode* mrulist) {
        struct CompactWhenDone {
            TMruList& List;
            ~CompactWhenDone() { List.Compact(); }
        } compact{state_.MruList};
        ForEachChild(mrulist, [this](IRwDOMNode* child, const std::u16string& name) {
            if (name != u"mru")
                return;
            int slot = 0;
            if (!TryStrToInt(ValueOf(FirstAttribute(child).Get()), slot) || slot < 1 ||
                slot > TMruList::Slots)
                return;
            TMruEntry entry;
            ReadTexts(child, {{u"mrufolder", &entry.Folder},
                              {u"mrustore", &entry.Store},
                              {u"mrustoreid", &entry.StoreId}});
            state_.MruList.Slot(slot) = std::move(entry);
        });
    }

    // Calls visit with the id and the element for each child of that name.
    void ForEachIdentified(IRwDOMNode* parent, std::u16string_view childName,
                           const std::function<void(int id, IRwDOMNode* element)>& visit) {
        ForEachChild(parent, [&](IRwDOMNode* child, const std::u16string& name) {
            if (name == childName)
                visit(IdOf(child), child);
        });
    }

    // The element's first attribute, its id; an element without one stops the reading.
    ComPtr<IRwDOMNode> FirstAttribute(IRwDOMNode* element) {
        if (!element->HasAttributes())
            throw EQelError("<%s> without id in \"%s\"",
                            {Narrow(element->GetNodeName()), fileName_});
        return element->GetAttributes()->Item(0);
    }

    // The integer value of an element's first attribute.
    int IdOf(IRwDOMNode* element) {
        return Converted<int>(element->GetNodeName(), FirstAttribute(element).Get(), fileName_,
                              [](const std::string& s) { return StrToInt(s); });
    }

    TProgramState& state_;
    std::string fileName_;
};

std::string ReadConfigBytes(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
    const int64_t size = file.GetSize();
    if (size < 0 || static_cast<uint64_t>(size) > MaxConfigFileSize)
        throw EQelError("\"%s\" is too large to be a configuration file", {fileName});
    std::string bytes(static_cast<size_t>(size), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

} // namespace

std::u16string AUtf8DecodeReedwingXml(std::string_view Text) {
    if (Text.size() >= ConfigDeclaration.size() &&
        text::SameText(Text.substr(0, ConfigDeclaration.size()), ConfigDeclaration))
        return std::u16string(XmlWriterDeclaration) +
               text::Utf8ToUtf16(Text.substr(ConfigDeclaration.size()));
    // 8-bit text in the system code page, which is UTF-8 with the bytes of
    // files written on Windows read as Windows-1252.
    return text::Utf8ToUtf16(Text);
}

void LoadButtonsFromBytes(std::string_view bytes, const std::string& fileName) {
    ResetButtonAllocations();
    ComPtr<IRwDOMDocument> doc;
    RwGetDOMDocumentFromString(AUtf8DecodeReedwingXml(JoinLines(bytes)), doc);
    if (!doc || !doc->HasChildNodes())
        return;
    ConfigReader(ProgramState(), fileName).Read(doc->GetLastChild().Get());
}

void LoadButtonsFromFile() {
    ResetButtonAllocations();
    const std::string fileName = ConfigFilePath();
    if (!FileExists(fileName))
        return;
    LoadButtonsFromBytes(ReadConfigBytes(fileName), fileName);
}
