// The handlers of Outlook's application events and their dispatch, in one
// place for the two classes that publish them under the same names: the
// TOutlookApplication wrapper and the framework's Outlook events component.
// Each inherits the handlers and passes its events here with itself as
// Sender.
#pragma once

#include "platform/outlook/OleServer.h"
#include "platform/outlook/OutlookEvents.h"

namespace outlook {

struct ApplicationEventHandlers {
    // ItemSend (Item, Cancel): an item is about to be sent.
    TOlObjectCancelEvent OnItemSend;
    // NewMail: mail arrived in the inbox.
    TNotifyEvent OnNewMail;
    // Reminder (Item): a reminder is due.
    TOlObjectEvent OnReminder;
    // OptionsPagesAdd (Pages): Outlook's options dialog is being built.
    TOlObjectEvent OnOptionsPagesAdd;
    // Startup: Outlook has loaded its add-ins.
    TNotifyEvent OnStartup;
    // Quit: Outlook is closing.
    TNotifyEvent OnQuit;
    // AdvancedSearchComplete and AdvancedSearchStopped (SearchObject).
    TOlObjectEvent OnAdvancedSearchComplete;
    TOlObjectEvent OnAdvancedSearchStopped;
    // MAPILogonComplete: the user's profile is logged on.
    TNotifyEvent OnMAPILogonComplete;
    // NewMailEx (EntryIDCollection): the entry ids of the mail that arrived.
    TOlTextEvent OnNewMailEx;
    // ItemLoad (Item).
    TOlObjectEvent OnItemLoad;
    // BeforeFolderSharingDialog (FolderToShare, Cancel).
    TOlObjectCancelEvent OnBeforeFolderSharingDialog;

    // Calls the handler of application event id, when it is assigned, with
    // Sender; any other event is ignored.
    void FireApplicationEvent(TObject* Sender, DISPID id, TEventArgs& args) const;
};

} // namespace outlook
