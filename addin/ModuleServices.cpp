// The module's side of the narrow header through which the rooms reach it
// (settings/ModuleServices.h): each service asks the running module, which
// the program state holds from start-up until finalisation. Here too is the
// module's own way to Outlook and its session, which the send room
// (send/SendActions.h, send/FolderWatchers.h) asks of it.
#include "addin/settings/ModuleServices.h"

#include "addin/LorvaneOL_IMPL.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelError.h"

TOutlookApplication* ModuleOutlook() {
    TAddInModule* module = ProgramState().Module;
    return module ? module->OutlookApplication.get() : nullptr;
}

outlook::NameSpace ModuleSession() {
    TAddInModule* module = ProgramState().Module;
    if (!module)
        throw EQelError("Outlook is not connected.");
    return module->MapiSession();
}

void ModulePlaceButtonBar() {
    if (TAddInModule* module = ProgramState().Module)
        module->PlaceButtonBar();
}

TOutlookApplication& TAddInModule::OutlookHost() const {
    if (!OutlookApplication)
        throw EQelError("Outlook is not connected.");
    return *OutlookApplication;
}

outlook::NameSpace TAddInModule::MapiSession() const {
    return OutlookHost().GetNamespace(u"MAPI");
}
