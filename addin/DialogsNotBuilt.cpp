// The entry point of the folder picker until it exists, which the send
// actions and the configuration dialog reach: the action that reaches it
// says so to the user and in the log, and stops before anything is sent or
// recorded.
#include "addin/LorvaneOL_IMPL.h"
#include "addin/QelLog.h"
#include "addin/StoresAndFolders.h"
#include "platform/forms/Dialogs.h"

namespace {

bool NotBuilt(const std::string& text) {
    TQelLog::Log(text);
    MessageDlg(text, mtInformation, {mbOK}, 0);
    return false;
}

} // namespace

bool FileToAnyFolder() {
    return NotBuilt("FileToAnyFolder: the folder picker is not built yet");
}
