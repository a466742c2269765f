// Registration of the command bars' form classes.
#include "framework/commandbars/CommandBarClasses.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/ribbon/RibbonControlTypes.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/GraphicsClasses.h"
#include "platform/rtl/UpdateScope.h"
#include "platform/text/Text.h"

namespace {

using forms::ClassBuilder;
using forms::FormReader;
using forms::FormValue;
using Ctl = TadxCommandBarControl;

const std::vector<std::string>& ItemTypeNames() {
    static const std::vector<std::string> names = {"adxOLMailItem",    "adxOLAppointmentItem",
                                                   "adxOLContactItem", "adxOLTaskItem",
                                                   "adxOLJournalItem", "adxOLNoteItem",
                                                   "adxOLPostItem",    "adxOLDistributionListItem"};
    return names;
}

const std::vector<std::string>& ItemClassNames() {
    static const std::vector<std::string> names = {"adxOLAppointment",
                                                   "adxOLMeetingRequest",
                                                   "adxOLMeetingCancellation",
                                                   "adxOLMeetingResponseNegative",
                                                   "adxOLMeetingResponsePositive",
                                                   "adxOLMeetingResponseTentative",
                                                   "adxOLContact",
                                                   "adxOLJournal",
                                                   "adxOLMail",
                                                   "adxOLPost",
                                                   "adxOLTask",
                                                   "adxOLTaskRequest",
                                                   "adxOLTaskRequestUpdate",
                                                   "adxOLTaskRequestAccept",
                                                   "adxOLTaskRequestDecline",
                                                   "adxOLDistributionList",
                                                   "adxOLReport"};
    return names;
}

// "ButtonTypes" then "Buttons" of a bar or pop-up: the controls are made
// of the kinds the types name, position by position.
std::vector<int32_t> ReadKinds(const FormValue& value, FormReader& reader) {
    try {
        return adxReadControlTypes(forms::ReadBinary(value, reader));
    } catch (const EReadError& e) {
        reader.Fail(e.Message);
    }
}

void ReadButtons(TadxCommandBarControls& controls, const std::vector<int32_t>& kinds,
                 const FormValue& value, FormReader& reader) {
    TUpdateScope<TCollection> update(controls);
    controls.Clear();
    reader.ReadItems(value, [&](int index) -> TObject& {
        if (index >= static_cast<int>(kinds.size()))
            reader.Fail("ButtonTypes names " + std::to_string(kinds.size()) +
                        " controls, the form holds more");
        return *controls.Add(kinds[static_cast<size_t>(index)]);
    });
}

void RegisterBars(forms::FormClassTable& table) {
    using B = TadxCustomCommandBar;
    table.Register<B, TComponent>()
        .Property("CommandBarName", &B::SetCommandBarName)
        .Property("CommandBarNameLocal", &B::SetCommandBarNameLocal)
        .Property("Enabled", &B::SetEnabled)
        .Property("LeftPosition", &B::SetLeftPosition)
        .Enum("Position", &B::SetPosition,
              {"adxMsoBarLeft", "adxMsoBarTop", "adxMsoBarRight", "adxMsoBarBottom",
               "adxMsoBarFloating", "adxMsoBarPopup", "adxMsoBarMenuBar"})
        .Enum("Protection", &B::SetProtection,
              {"adxMsoBarNoProtection", "adxMsoBarNoCustomize", "adxMsoBarNoResize",
               "adxMsoBarNoMove", "adxMsoBarNoChangeVisible", "adxMsoBarNoChangeDock",
               "adxMsoBarNoVerticalDock", "adxMsoBarNoHorizontalDock"})
        .Property("RowIndex", &B::SetRowIndex)
        .Property("TopPosition", &B::SetTopPosition)
        .Property("Visible", &B::SetVisible)
        .Property("Temporary", &B::SetTemporary)
        .SetOf("SupportedApps", &B::SetSupportedApps, adxHostAppNames())
        .Property("ShowOnRibbonHosts", &B::SetShowOnRibbonHosts)
        .Property("PropertyChanged", &B::SetChangeCounter)
        .Define("ButtonTypes",
                [](B& self, const FormValue& value, FormReader& reader) {
                    self.ControlTypes = ReadKinds(value, reader);
                })
        .Define("Buttons", [](B& self, const FormValue& value, FormReader& reader) {
            ReadButtons(*self.Controls(), self.ControlTypes, value, reader);
        });
    using E = TadxOlExplorerCustomCommandBar;
    table.Register<E, B>()
        .Property("FolderName", &E::FolderName)
        // "FolderNames.Strings = (...)", as every string list is stored.
        .Object("FolderNames", [](E& self) { return self.FolderNames(); })
        .SetOf("ItemTypes", &E::ItemTypes, ItemTypeNames());
}

void RegisterControls(forms::FormClassTable& table) {
    table.Register<Ctl>()
        .Property("Tag", &Ctl::Tag)
        .Property("BeginGroup", &Ctl::SetBeginGroup)
        .Property("Caption", &Ctl::SetCaption)
        .Property("DescriptionText", &Ctl::SetDescriptionText)
        .Property("Enabled", &Ctl::SetEnabled)
        .Property("Height", &Ctl::SetHeight)
        .Property("HelpContextID", &Ctl::SetHelpContextID)
        .Property("HelpFile", &Ctl::SetHelpFile)
        .Property("Parameter", &Ctl::SetParameter)
        .Property("Priority", &Ctl::SetPriority)
        .Property("OfficeTag", &Ctl::SetOfficeTag)
        .Property("TooltipText", &Ctl::SetTooltipText)
        .Property("Visible", &Ctl::SetVisible)
        .Property("Width", &Ctl::SetWidth)
        .Property("Temporary", &Ctl::SetTemporary)
        .Property("AfterID", &Ctl::SetAfterID)
        .Property("Before", &Ctl::SetBefore)
        .Property("BeforeID", &Ctl::SetBeforeID)
        .Property("OfficeID", &Ctl::SetOfficeID)
        .Enum("olItemTypeAction", &Ctl::olItemTypeAction,
              {"adxOLActionNone", "adxOLActionShow", "adxOLActionEnable"})
        .SetOf("olExplorerItemTypes", &Ctl::olExplorerItemTypes, ItemTypeNames())
        .SetOf("olInspectorItemTypes", &Ctl::olInspectorItemTypes, ItemClassNames())
        .Property("PropertyChanged", &Ctl::SetChangeCounter);

    using Btn = TadxCommandBarButton;
    table.Register<Btn, Ctl>()
        .Property("FaceID", &Btn::SetFaceID)
        .Property("ShortcutText", &Btn::SetShortcutText)
        .Enum("State", &Btn::SetState, {"adxMsoButtonUp", "adxMsoButtonDown", "adxMsoButtonMixed"})
        .Enum("Style", &Btn::SetStyle,
              {"adxMsoButtonAutomatic", "adxMsoButtonIcon", "adxMsoButtonCaption",
               "adxMsoButtonIconAndCaption", "adxMsoButtonIconAndWrapCaption",
               "adxMsoButtonIconAndCaptionBelow", "adxMsoButtonWrapCaption",
               "adxMsoButtonIconAndWrapCaptionBelow"})
        .Enum("HyperlinkType", &Btn::SetHyperlinkType,
              {"adxMsoHyperlinkNone", "adxMsoHyperlinkOpen", "adxMsoHyperlinkInsertPicture"})
        .Object("Glyph", [](Btn& self) { return self.Glyph(); })
        .Define("GlyphTransparentColor",
                [](Btn& self, const FormValue& value, FormReader& reader) {
                    self.GlyphTransparentColor = gfx::ReadColor(value, reader);
                })
        .Property("DisableStandardAction", &Btn::DisableStandardAction)
        .Event("OnClick", &Btn::OnClick);

    using L = TadxCustomCommandBarComboBox;
    table.Register<L, Ctl>()
        .Property("DropdownLines", &L::SetDropdownLines)
        .Property("DropdownWidth", &L::SetDropdownWidth)
        .Property("ListHeaderCount", &L::SetListHeaderCount)
        .Property("ListIndex", &L::SetListIndex)
        .Enum("Style", &L::SetStyle, {"adxMsoComboNormal", "adxMsoComboLabel"})
        .Property("Text", &L::SetText)
        // "Items.Strings = (...)": the list's own change event fills the host list.
        .Object("Items", [](L& self) { return self.Items(); })
        .Event("OnChange", &L::OnChange);
    table.Register<TadxCommandBarEdit, L>();
    table.Register<TadxCommandBarDropDownList, L>();
    table.Register<TadxCommandBarComboBox, L>();

    using P = TadxCommandBarPopup;
    table.Register<P, Ctl>()
        .Define("ButtonTypes",
                [](P& self, const FormValue& value, FormReader& reader) {
                    self.ControlTypes = ReadKinds(value, reader);
                })
        .Define("Buttons", [](P& self, const FormValue& value, FormReader& reader) {
            ReadButtons(*self.Controls(), self.ControlTypes, value, reader);
        });
    table.Register<TadxCommandBarAdvancedControl, Ctl>();
}

} // namespace

void adxRegisterCommandBarClasses(forms::FormClassTable& table) {
    RegisterBars(table);
    RegisterControls(table);
}
