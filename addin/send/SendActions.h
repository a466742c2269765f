// The send actions: what the user chose for one outgoing message, carried
// out around its send (SendActions.cpp), and the single actions they are made
// of (SendActionSteps.cpp). TSendActions does them on the sent-copy watchers
// it extends; the add-in module is one, and gives it what it needs of the
// module: Outlook's application and the per-item dialog of "Track + Send".
#pragma once

#include "addin/send/FolderWatchers.h"
#include "addin/settings/IndividualAction.h"

#include <string>

class TOutlookApplication;

// How far ClickTrackAndSendMain went with a message.
enum class TSendProgress {
    // Nothing was done: no inspector, no mail item, or a failure before the
    // categories for the sent copy were gathered.
    Stopped,
    // The message has no recipients: it was saved, not acted on, not sent.
    NoRecipients,
    // The categories for the sent copy were gathered (ProgramState's
    // SentCategories), then the actions stopped before recording them.
    Gathered,
    // The entry was recorded (when there were categories) and the message
    // left without categories; where the product sends, it was sent or its
    // failure reported.
    Done,
};

// The send with its actions, over the sent-copy watchers that put the
// recorded categories on the copy Outlook keeps.
class TSendActions : public TFolderWatchers {
public:
    // The categories of the message being answered: noted by DoOnReply, read
    // (and forgotten) by the send actions.
    std::string ReplyCategories;

    // A ribbon action (its button's Tag) on the active inspector's message:
    // the action with the default actions, then the send.
    void DoIndividualAction(TIndividualAction Tag);
    // The send with its actions, on the active inspector's message while the
    // product's own button sends it, else on the message whose Send event
    // runs (Outlook then sends it itself). Combined: the per-item dialog's
    // choices take the place of the default actions. Reports how far it went.
    TSendProgress ClickTrackAndSendMain(bool Combined);
    // Outlook's own Send of Item (the watched message): the default actions.
    // Categories that the actions did not record for the sent copy, because
    // they stopped early, are recorded here. False when the message cannot
    // leave (it has no recipients) and is to keep its categories.
    bool ActOnOutlooksSend(const outlook::MailItem& Item);
    // The categories the sent copy of Item keeps from before the send: with
    // "Maintain Categories" on, those of the message answered (forgotten
    // now) and Item's own; else none.
    std::string GatherSentCategories(const outlook::MailItemMembers& Item);
    // Files Item's sent copy in folder record Index (0 the folder just
    // picked, 1 the default filing folder); a folder that cannot be found or
    // set is reported, and the copy stays in Sent Items.
    void FileSentToDefFolder(const outlook::MailItemMembers& Item, int Index);
    // Files Item's sent copy in a folder the user picks; false when the
    // user picked none (the send then stops).
    bool FileSentToAnyFolder(const outlook::MailItemMembers& Item);
    // Adds the default category to the categories for the sent copy.
    void AddDefaultCategory();
    // Lets the user choose the categories for the sent copy in Outlook's
    // categories dialog, preset with the default category (and, with
    // "Maintain Categories" on, with those gathered so far).
    void AskCategory();
    // Opens an appointment, and a task, with Item's subject and body, unsaved,
    // in a window of its own; the task starts and is due now.
    void AddToCalendar(const outlook::MailItemMembers& Item);
    void AddToTask(const outlook::MailItemMembers& Item);
    // The per-item dialog of "Track + Send"; true when the user chose Send.
    virtual bool CollectCombineActions() = 0;

protected:
    // Outlook's application wrapper; raises EQelError when Outlook is not connected.
    virtual TOutlookApplication& OutlookHost() const = 0;
};
