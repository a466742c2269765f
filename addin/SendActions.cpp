// The send actions: what the user chose for one outgoing message, carried
// out around its send. Until they are built, a send that Outlook's own Send
// button starts goes out as it is (the watch still takes its categories off).
#include "addin/LorvaneOL_IMPL.h"
#include "addin/QelLog.h"

void TAddInModule::ClickTrackAndSendMain(bool) {
    TQelLog::Log("ClickTrackAndSendMain: the send actions are not built yet");
}
