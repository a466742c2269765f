// Outlook explorer bars following the folder shown: a bar for certain
// folders, or items of certain kinds, is shown only there. Keeping their
// positions and the shortcut list are the module's (ModuleExplorerBars.cpp).
#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CommandBarRelays.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/commandbars/ModuleCommandBars.h"
#include "framework/support/ModuleServices.h"
#include "framework/support/OutlookFolderNames.h"
#include "platform/com/LateBound.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/text/Text.h"

namespace {

// The active explorer's current folder, nil when there is none.
ComPtr<IDispatch> ActiveFolder(TadxModuleServices& module) {
    try {
        return dispGet(dispCall(module.HostApplication, "ActiveExplorer"), "CurrentFolder")
            .AsDispatch();
    } catch (const Exception&) {
        return nullptr;
    }
}

bool InFolderList(const TStringList& names, const std::u16string& path) {
    for (int i = 0; i < names.Count(); ++i)
        if (text::SameText(text::Wide(names.Strings(i)), path))
            return true;
    return false;
}

} // namespace

void adxFollowFolder(TadxModuleServices& Module, TadxOlExplorerCustomCommandBar& Bar,
                     bool NudgeLeft) {
    ComPtr<IDispatch> folder = ActiveFolder(Module);
    const bool wasEnabled = Bar.GetEnabled();
    const std::u16string path = folder ? GetFullFolderName(folder.Get()) : u"";
    int32_t itemType = -1;
    if (folder) {
        try {
            itemType = dispGet(folder, "DefaultItemType").AsInteger();
        } catch (const Exception&) {
        }
    }
    if (!Bar.GetBuiltIn()) {
        if (!Bar.FolderName.empty())
            Bar.SetEnabled(Bar.FolderName == path);
        else if (Bar.FolderNames()->Count() > 0)
            Bar.SetEnabled(InFolderList(*Bar.FolderNames(), path));
        else if (folder)
            Bar.SetEnabled(CheckItemClass(itemType, Bar.ItemTypes));
    }
    const bool enabled = Bar.GetEnabled();
    Bar.SetVisible(enabled);
    if (NudgeLeft && enabled != wasEnabled) {
        const int32_t left = Bar.GetLeftPosition();
        Bar.SetLeftPosition(left - 1);
        Bar.SetLeftPosition(left);
    }
    if (folder && enabled)
        ScanExplControls(itemType, *Bar.Controls());
}

void adxFollowFolderAll(TadxModuleServices& Module) {
    adxForEachCommandBar(Module, [&](TadxCustomCommandBar& bar) {
        if (auto* explorerBar = dynamic_cast<TadxOlExplorerCustomCommandBar*>(&bar)) {
            try {
                adxFollowFolder(Module, *explorerBar, true);
            } catch (const Exception& e) {
                Module.DoError(e);
            }
        }
    });
}
