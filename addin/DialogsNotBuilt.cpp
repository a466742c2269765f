// The entry points of the dialogs the product's buttons lead to until those
// dialogs exist: the per-item form of the configuration dialog, which the
// send actions reach, and the configuration dialog and the about box of the
// explorer tab. The action that reaches one
// says so to the user and in the log, and stops before anything is sent or
// recorded.
#include "addin/LorvaneOL_IMPL.h"
#include "addin/QelLog.h"
#include "platform/forms/Dialogs.h"

namespace {

bool NotBuilt(const std::string& text) {
    TQelLog::Log(text);
    MessageDlg(text, mtInformation, {mbOK}, 0);
    return false;
}

} // namespace

bool TAddInModule::CollectCombineActions() {
    return NotBuilt("CollectCombineActions: the configuration dialog is not built yet");
}

void TAddInModule::DefineDefaultAction() {
    NotBuilt("Define Default Actions: the configuration dialog is not built yet");
}

void TAddInModule::ShowAbout() {
    NotBuilt("About: the about box is not built yet");
}
