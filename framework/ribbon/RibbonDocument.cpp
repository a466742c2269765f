// Building the ribbon document.
#include "framework/ribbon/RibbonDocument.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonMenus.h"
#include "framework/ribbon/RibbonTab.h"
#include "framework/ribbon/RibbonXmlWriter.h"
#include "framework/support/ModuleServices.h"
#include "platform/text/Text.h"

#include <vector>

namespace {

// The ribbon identifiers in the order of the ribbon kinds.
constexpr const char16_t* kRibbonIds[adxRibbonKindCount] = {
    u"Microsoft.Access.Database",
    u"Microsoft.Excel.Workbook",
    u"Microsoft.PowerPoint.Presentation",
    u"Microsoft.Word.Document",
    u"Microsoft.Outlook.Mail.Read",
    u"Microsoft.Outlook.Mail.Compose",
    u"Microsoft.Outlook.MeetingRequest.Read",
    u"Microsoft.Outlook.MeetingRequest.Send",
    u"Microsoft.Outlook.Appointment",
    u"Microsoft.Outlook.Contact",
    u"Microsoft.Outlook.Journal",
    u"Microsoft.Outlook.Task",
    u"Microsoft.Outlook.DistributionList",
    u"Microsoft.Outlook.Report",
    u"Microsoft.Outlook.Resend",
    u"Microsoft.Outlook.Response.Read",
    u"Microsoft.Outlook.Response.Compose",
    u"Microsoft.Outlook.Response.CounterPropose",
    u"Microsoft.Outlook.RSS",
    u"Microsoft.Outlook.Post.Read",
    u"Microsoft.Outlook.Post.Compose",
    u"Microsoft.Outlook.Sharing.Read",
    u"Microsoft.Outlook.Sharing.Compose",
    u"Microsoft.Outlook.Explorer",
};

// Bits 4 to 23: the Outlook kinds.
constexpr uint32_t kOutlookRibbons = 0xFFFFF0;

// The host an identifier names, by the first of these it contains.
void SetHostFromRibbonId(TadxModuleServices& module, std::u16string_view ribbonId) {
    constexpr std::pair<const char16_t*, TadxOfficeHostApp> hosts[] = {
        {u"Microsoft.Access.", ohaAccess},         {u"Microsoft.Excel.", ohaExcel},
        {u"Microsoft.PowerPoint.", ohaPowerPoint}, {u"Microsoft.Word.", ohaWord},
        {u"Microsoft.Outlook.", ohaOutlook},
    };
    for (const auto& [prefix, host] : hosts)
        if (ribbonId.find(prefix) != std::u16string_view::npos) {
            module.HostType = host;
            return;
        }
}

// The ribbon kinds of a key-list entry: a tab's or a control's, none for anything else.
TadxRibbons RibbonsOf(TObject* object) {
    if (auto* tab = dynamic_cast<TadxRibbonTab*>(object))
        return tab->GetRibbons();
    if (auto* control = dynamic_cast<TadxRibbonCustomControl*>(object))
        return control->GetRibbons();
    return {};
}

// Drops the entries the host will never ask about; the list stays pruned.
void PruneKeyList(TadxModuleServices& module, std::u16string_view ribbonId) {
    TStringList* keys = module.KeyList.get();
    if (!keys)
        return;
    for (int i = keys->Count() - 1; i >= 0; --i) {
        TadxRibbons ribbons = RibbonsOf(keys->Objects(i));
        bool keep = module.HostType == ohaOutlook ? (ribbons.Mask() & kOutlookRibbons) != 0
                                                  : IsItemTypeSupported(ribbonId, ribbons);
        if (!keep)
            keys->Delete(i);
    }
}

// The writer of one document, with the ribbon element opened on first need.
class DocumentBuilder {
public:
    DocumentBuilder(TadxModuleServices& module, std::u16string_view ribbonId)
        : module_(module), ribbonId_(ribbonId),
          fromScratch_(IsItemTypeSupported(ribbonId, module.StartFromScratch)) {}

    std::u16string Build() {
        writer_.WriteStartElement("customUI");
        writer_.WriteAttributeString("xmlns", adxCustomUINamespace);
        if (!module_.Namespace.empty()) {
            std::string progId = module_.GetProgID();
            writer_.WriteAttributeString("xmlns:default", text::Wide(progId));
            writer_.WriteAttributeString("xmlns:shared", module_.Namespace);
        }
        for (const char* attribute : {"onLoad", "loadImage"})
            writer_.WriteAttributeString(attribute, text::Wide(adxCallbackOf(attribute)));
        WriteTabs();
        WriteContextualTabs();
        if (ribbonOpen_)
            writer_.WriteEndElement("ribbon");
        writer_.WriteEndElement("customUI");
        return std::move(writer_.Text);
    }

private:
    void OpenRibbon() {
        if (ribbonOpen_)
            return;
        writer_.WriteStartElement("ribbon");
        if (fromScratch_)
            writer_.WriteAttributeString("startFromScratch", u"true");
        ribbonOpen_ = true;
    }

    static std::vector<TadxRibbonTab*> TabsOf(const TList<TObject>* list) {
        std::vector<TadxRibbonTab*> tabs;
        for (int i = 0; list && i < list->Count(); ++i)
            if (auto* tab = dynamic_cast<TadxRibbonTab*>(list->Items(i)))
                tabs.push_back(tab);
        return tabs;
    }

    bool Belongs(TadxRibbonTab* tab) const {
        return IsItemTypeSupported(ribbonId_, tab->GetRibbons());
    }

    void WriteTabs() {
        std::vector<TadxRibbonTab*> tabs = TabsOf(module_.RibbonTabs.get());
        // The ribbon element stands even when no tab is for this identifier.
        if (module_.RibbonTabs && module_.RibbonTabs->Count() > 0)
            OpenRibbon();
        bool tabsOpen = false;
        for (TadxRibbonTab* tab : tabs) {
            if (!tabsOpen && Belongs(tab)) {
                writer_.WriteStartElement("tabs");
                tabsOpen = true;
            }
            adxProcessChildren(&module_, writer_, *tab, ribbonId_);
        }
        if (tabsOpen)
            writer_.WriteEndElement("tabs");
    }

    // One tab set per context, in the order the contexts first appear; a
    // context none of whose tabs belongs to the identifier gets none.
    void WriteContextualTabs() {
        std::vector<TadxRibbonTab*> tabs = TabsOf(module_.ContextualTabs.get());
        if (module_.ContextualTabs && module_.ContextualTabs->Count() > 0)
            OpenRibbon();
        std::vector<bool> written(tabs.size(), false);
        bool open = false;
        for (size_t i = 0; i < tabs.size(); ++i) {
            if (written[i])
                continue;
            const std::string& context = tabs[i]->Context();
            std::vector<size_t> set;
            bool belongs = false;
            for (size_t j = i; j < tabs.size(); ++j)
                if (!written[j] && tabs[j]->Context() == context) {
                    set.push_back(j);
                    written[j] = true;
                    belongs = belongs || Belongs(tabs[j]);
                }
            if (!belongs)
                continue;
            if (!open)
                writer_.WriteStartElement("contextualTabs");
            open = true;
            size_t dot = context.find('.');
            writer_.WriteStartElement("tabSet");
            writer_.WriteAttributeString(
                "idMso", text::Wide(dot == std::string::npos ? context : context.substr(dot + 1)));
            for (size_t j : set)
                adxProcessChildren(&module_, writer_, *tabs[j], ribbonId_);
            writer_.WriteEndElement("tabSet");
        }
        if (open)
            writer_.WriteEndElement("contextualTabs");
    }

    TadxModuleServices& module_;
    std::u16string_view ribbonId_;
    bool fromScratch_;
    bool ribbonOpen_ = false;
    TadxXMLHelper writer_;
};

// Fires a menu's OnCreate before the menu is written; false when the
// handler freed the menu. One that turned the add-in off ends the writing.
// An exception of the handler ends the writing too, and GetCustomUI fails:
// the host gets no document rather than one without what OnCreate adds.
bool FireMenuCreate(TadxModuleServices* module, IadxRibbonComponent& component) {
    if (!module)
        return true;
    // Another control may carry the menu's id: only a menu has OnCreate.
    auto* menu = dynamic_cast<TadxRibbonMenu*>(module->FindRibbonControl(component.GetID()));
    if (!menu || !menu->OnCreate)
        return true;
    rtl::TLifeWatch connected = module->Liveness().Watch();
    bool survived = rtl::FireSurvives(menu->Liveness(), menu->OnCreate, menu);
    if (!connected)
        throw EadxRibbonModuleFreed();
    return survived;
}

// The inner button of a split button, written before its menus.
void WriteInnerButton(TadxModuleServices* module, TadxXMLHelper& writer,
                      IadxRibbonComponent& component) {
    if (!module || !component.GetIDMso().empty())
        return;
    TadxRibbonSplitButton* split =
        TadxRibbonCustomControl::AsRibbonSplitButton(module->FindRibbonControl(component.GetID()));
    if (!split)
        return;
    std::unique_ptr<TStringList> attributes = split->GetWrappedAttributes();
    writer.WriteElementWithAttributeString(split->ToggleButton ? "toggleButton" : "button",
                                           *attributes);
}

} // namespace

const char16_t* adxRibbonIdentifier(TadxRibbon kind) {
    return kRibbonIds[kind];
}

bool IsItemTypeSupported(std::u16string_view RibbonID, TadxRibbons Ribbons) {
    if (RibbonID == u"DynamicMenu" || RibbonID == u"Microsoft.Mso.IMLayerUI")
        return true;
    for (int i = 0; i < adxRibbonKindCount; ++i)
        if (Ribbons.Contains(static_cast<TadxRibbon>(i)) && RibbonID == kRibbonIds[i])
            return true;
    return false;
}

void adxProcessChildren(TadxModuleServices* Module, TadxXMLHelper& Writer,
                        IadxRibbonComponent& Component, std::u16string_view RibbonID) {
    if (!IsItemTypeSupported(RibbonID, Component.GetRibbons()))
        return;
    std::string type = Component.GetXmlType();
    std::unique_ptr<TStringList> attributes = Component.GetAttributes();
    TadxRibbonControls* children = Component.GetControls();
    if (!children) {
        if (type == "dialogBoxLauncher") {
            // The launcher's attributes are those of its one inner button.
            Writer.WriteStartElement(type);
            Writer.WriteElementWithAttributeString("button", *attributes);
            Writer.WriteEndElement(type);
        } else {
            Writer.WriteElementWithAttributeString(type, *attributes);
        }
        return;
    }
    if (type == "menu" && !FireMenuCreate(Module, Component))
        return;
    // A dynamic menu's content is fetched when it opens (getContent).
    if (children->Count() == 0 || type == "dynamicMenu") {
        Writer.WriteElementWithAttributeString(type, *attributes);
        return;
    }
    Writer.WriteStartElement(type);
    Writer.WriteAttributeString(*attributes);
    if (type == "splitButton")
        WriteInnerButton(Module, Writer, Component);
    for (int i = 0; i < children->Count(); ++i)
        adxProcessChildren(Module, Writer, *children->GetItem(i), RibbonID);
    Writer.WriteEndElement(type);
}

std::u16string adxGetCustomUI(TadxModuleServices& Module, const std::u16string& RibbonID) {
    SetHostFromRibbonId(Module, RibbonID);
    Module.IsRibbonHost = true;
    // A handler may turn the add-in off: the document is then not built.
    if (!Module.Fire(Module.OnRibbonBeforeCreate, &Module, RibbonID))
        return {};
    PruneKeyList(Module, RibbonID);
    std::u16string xml;
    try {
        xml = DocumentBuilder(Module, RibbonID).Build();
    } catch (const EadxRibbonModuleFreed&) {
        return {};
    }
    Module.Fire(Module.OnRibbonBeforeLoad, &Module, RibbonID, xml);
    return xml;
}
