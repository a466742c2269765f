// The add-in object's wrappers of Outlook's windows: one explorer wrapper
// (the platform's TExplorer) per explorer and one TadxInspector per
// inspector that the window relays keep (framework/AddInRelays.cpp).
//
// A window's Close event frees its wrapper from inside the wrapper's own
// event, and any handler of the module may close a window or turn the add-in
// off, which frees every wrapper: the relays take a watch of a wrapper's
// Liveness (platform/outlook/OleServer.h) before they fire a handler and go
// on with the wrapper only while it lives.
#pragma once

#include "platform/outlook/OutlookWindows.h"

#include <string>
#include <vector>

// A type of its own, so that a relay tells the windows it wrapped from any
// other wrapper of the same kind.
template <class W> class TadxWindowWrapper : public W {
public:
    // A wrapper with no owner (the add-in object frees it).
    explicit TadxWindowWrapper(TComponent* AOwner) : W(AOwner) {}
};

// The wrapper of one explorer window.
using TadxExplorerWrapper = TadxWindowWrapper<TExplorer>;

// The wrapper of one inspector window, with what the add-in keeps of it.
class TadxInspector : public TadxWindowWrapper<TInspector> {
public:
    // An empty command-bar list, not a mail window.
    explicit TadxInspector(TComponent* AOwner) : TadxWindowWrapper(AOwner) {}

    // Detaches the add-in's command bars placed in this inspector from it;
    // with ClearAll (the last inspector) the bars' buttons, combo boxes and
    // pop-ups let go of their host controls too.
    void ClearCommandBars(bool ClearAll);

    // The full name of the active explorer's folder when the inspector
    // opened; empty when it could not be read.
    std::string FolderPath;
    // The add-in's command bars placed in this inspector (not owned).
    std::vector<TObject*> PlacedCommandBars;
    // The inspector shows a mail item (class 43).
    bool IsMail = false;
};
