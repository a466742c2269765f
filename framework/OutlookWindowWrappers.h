// The add-in object's wrappers of Outlook's inspector windows. An inspector
// wrapper remembers, beyond the platform's TInspector, what the relays and
// the command bars need of the window: whether it shows a mail item, the
// folder the user was in when it opened, and the add-in's command bars
// placed in it. Explorers are kept as the platform's TExplorer.
#pragma once

#include "platform/outlook/OutlookWindows.h"
#include "platform/rtl/List.h"

#include <string>

class TadxInspector : public TInspector {
public:
    // An unconnected wrapper without owner, no command bars, not a mail window.
    explicit TadxInspector(TComponent* AOwner) : TInspector(AOwner) {}

    // The full path of the active explorer's folder when the inspector
    // opened; empty when it could not be read.
    std::string FolderPath;
    // The add-in's command bars placed in this inspector (not owned).
    TList<TObject> CommandBars;
    // The inspector's item is a mail item (class 43).
    bool IsMail = false;
};
