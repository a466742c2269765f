// The send actions: what the user chose for one outgoing message, carried
// out around its send. A click on the compose ribbon runs one action
// together with the default actions and sends the message itself
// (DoIndividualAction); a send that Outlook's own Send button started runs
// the default actions from the watched message's Send event (SendWatch.cpp),
// and Outlook goes on sending. Either way the categories meant for the sent
// copy are recorded as a pending entry and taken off the message before it
// leaves, so that the recipients never see them; a folder watcher puts them
// on the copy Outlook keeps (FolderWatchers.cpp). The single actions are in
// SendActionSteps.cpp.
#include "addin/send/SendActions.h"

#include "addin/send/CategoryText.h"
#include "addin/settings/ProductTrace.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Screen.h"
#include "platform/outlook/Outlook.h"
#include "platform/rtl/StrUtils.h"
#include "platform/text/Text.h"
#include "platform/win/Window.h"

using text::Narrow;

namespace {

constexpr const char* NoRecipientsText =
    "There must be at least one name or distribution list in the To, Cc, or Bcc box.";
constexpr const char* NoDefaultFolderText =
    "To file to Default Folder, click 'Define Default Actions' on the Lorvane menu or ribbon "
    "tab\r\nto set the default filing folder.";

bool HasRecipients(const outlook::MailItemMembers& item) {
    return !item.To().empty() || !item.CC().empty() || !item.BCC().empty();
}

bool HasDefaultFolder() {
    return ProgramState().FolderRecords[FolderRecord::Default].HoldsFolder();
}

// The default actions that ran for this send, so that the chosen action
// is not done a second time.
struct ActionsRun {
    bool Folder = false;
    bool Category = false;
    bool Calendar = false;
    bool Task = false;
};

// The default actions; false when the send stops (no folder was picked).
bool RunDefaultActions(TSendActions& module, const outlook::MailItem& item, ActionsRun& ran) {
    TProgramState& state = ProgramState();
    if (state.categdef && !state.DefaultCategory.empty()) {
        module.AddDefaultCategory();
    } else if (state.categask) {
        module.AskCategory();
        ran.Category = true;
    }
    // A filing action chosen on the ribbon takes the place of the default filing.
    if (state.ActionInProgress != TIndividualAction::FileToAnyFolder && state.folderdef &&
        HasDefaultFolder()) {
        module.FileSentToDefFolder(item, FolderRecord::Default);
        ran.Folder = true;
    } else if (state.ActionInProgress != TIndividualAction::FileToDefaultFolder &&
               state.folderask) {
        if (!module.FileSentToAnyFolder(item))
            return false;
        ran.Folder = true;
    }
    if (state.calendadd) {
        module.AddToCalendar(item);
        ran.Calendar = true;
    }
    if (state.taskadd) {
        module.AddToTask(item);
        ran.Task = true;
    }
    return true;
}

// The per-item dialog's choices ("Track + Send").
void RunChosenActions(TSendActions& module, const outlook::MailItem& item) {
    TProgramState& state = ProgramState();
    state.SentCategories = state.WorkingCategories;
    const std::string& folder = state.ItemChoices.FolderName;
    if (!folder.empty())
        module.FileSentToDefFolder(
            item, SameText(folder, state.FolderRecords[FolderRecord::Default].FolderName)
                      ? FolderRecord::Default
                      : FolderRecord::Picked);
    if (state.ItemChoices.Calendar)
        module.AddToCalendar(item);
    if (state.ItemChoices.Task)
        module.AddToTask(item);
}

// The action chosen on the ribbon, unless it already ran as a default;
// false when the send stops.
bool RunChosenAction(TSendActions& module, const outlook::MailItem& item, const ActionsRun& ran) {
    switch (ProgramState().ActionInProgress) {
    case TIndividualAction::FileToDefaultFolder:
        if (!ran.Folder)
            module.FileSentToDefFolder(item, FolderRecord::Default);
        return true;
    case TIndividualAction::FileToAnyFolder:
        return ran.Folder || module.FileSentToAnyFolder(item);
    case TIndividualAction::AddCategory:
        if (!ran.Category)
            module.AskCategory();
        return true;
    case TIndividualAction::AddToCalendar:
        if (!ran.Calendar)
            module.AddToCalendar(item);
        return true;
    case TIndividualAction::AddToTasks:
        if (!ran.Task)
            module.AddToTask(item);
        return true;
    case TIndividualAction::Combined:
        RunChosenActions(module, item);
        return true;
    default:
        return true;
    }
}

// A send that failed: the message gets its categories back, the connection
// that this send made to its filing folder's watcher is taken back, and the
// user is told. The pending entry stays: the message may still be sent.
void SendFailed(TSendActions& module, const outlook::MailItem& item, const std::u16string& own,
                bool watcherConnected, const std::string& reason) {
    TQelLog::Log("Exception in ClickTrackAndSendMain objItem.Send()");
    // Only the connection made for this message: the watcher stays while
    // other entries name the folder.
    if (watcherConnected) {
        try {
            module.FolderDisConnect(item.SaveSentMessageFolder());
        } catch (...) {
            TQelLog::Log("Exception in ClickTrackAndSendMain FolderDisConnect");
        }
    }
    try {
        item.SetCategories(own);
    } catch (...) {
        TQelLog::Log("Exception in ClickTrackAndSendMain: the categories could not be put back");
    }
    MessageDlg("The message could not be sent.\r\n" + reason, mtError, {mbOK}, 0);
}

// Records the pending entry, takes the categories off the message and,
// where the product sends, sends it.
void RecordAndSend(TSendActions& module, const outlook::MailItem& item, bool send) {
    TProgramState& state = ProgramState();
    const bool watcherConnected = module.RecordPendingEntry(item, state.SentCategories);
    std::u16string own;
    try {
        own = item.Categories();
        item.SetCategories(u"");
        platform::ProcessMessages();
        if (send)
            item.Send();
        platform::ProcessMessages();
    } catch (const Exception& e) {
        SendFailed(module, item, own, watcherConnected, e.Message);
    } catch (...) {
        SendFailed(module, item, own, watcherConnected, "Outlook gave no reason.");
    }
}

// The steps after the message was found; Progress follows them, so that a
// failure leaves it at the last step reached.
void RunSendSteps(TSendActions& module, const outlook::MailItem& item, bool combined,
                  TSendProgress& progress) {
    TProgramState& state = ProgramState();
    item.Save();
    if (!HasRecipients(item)) {
        MessageDlg(NoRecipientsText, mtError, {mbOK}, 0);
        progress = TSendProgress::NoRecipients;
        return;
    }
    state.SentCategories = module.GatherSentCategories(item);
    progress = TSendProgress::Gathered;
    ActionsRun ran;
    if (!combined && !RunDefaultActions(module, item, ran))
        return;
    if (state.OwnSend && !RunChosenAction(module, item, ran))
        return;
    // Outlook's own Send goes on by itself once its Send event returns.
    const bool send = combined || state.OwnSend;
    progress = TSendProgress::Done;
    RecordAndSend(module, item, send);
}

} // namespace

void TSendActions::DoIndividualAction(TIndividualAction Tag) {
    TProgramState& state = ProgramState();
    state.WorkingCategories = ReplyCategories;
    try {
        if (outlook::Inspector inspector = OutlookHost().ActiveInspector()) {
            outlook::MailItem item(inspector.CurrentItem());
            state.WorkingCategories =
                MergeCategories(state.WorkingCategories, Narrow(item.Categories()));
            item.Save();
            if (!HasRecipients(item)) {
                MessageDlg(NoRecipientsText, mtWarning, {mbOK}, 0);
                return;
            }
        }
    } catch (...) {
        TQelLog::Log("Exception in DoIndividualAction");
    }
    // The default category goes with every ribbon action, whether or not
    // it is a default action.
    if (!state.DefaultCategory.empty())
        state.WorkingCategories = AddCategory(state.WorkingCategories, state.DefaultCategory);
    state.ActionInProgress = Tag;
    state.OwnSend = true;
    auto stop = [&state] {
        state.OwnSend = false;
        state.ActionInProgress = TIndividualAction::None;
    };
    if (Tag == TIndividualAction::FileToDefaultFolder && !HasDefaultFolder()) {
        MessageDlg(NoDefaultFolderText, mtWarning, {mbOK}, 0);
        stop();
        return;
    }
    if (Tag == TIndividualAction::Combined) {
        if (!CollectCombineActions()) {
            stop();
            return;
        }
        ClickTrackAndSendMain(true);
    } else {
        ClickTrackAndSendMain(false);
    }
    state.ActionInProgress = TIndividualAction::None;
}

TSendProgress TSendActions::ClickTrackAndSendMain(bool Combined) {
    TProgramState& state = ProgramState();
    TSendProgress progress = TSendProgress::Stopped;
    Screen().Cursor = crHourGlass;
    try {
        if (!OutlookHost().ActiveInspector()) {
            Screen().Cursor = crDefault;
            state.OwnSend = false;
            return progress;
        }
        // Categories gathered for an earlier message must not reach this one.
        state.SentCategories.clear();
        outlook::MailItem item = state.ItemBeingSent;
        if (state.OwnSend) {
            try {
                item = outlook::MailItem(OutlookHost().ActiveInspector().CurrentItem());
                if (item && item.Class() != outlook::olMail)
                    item = outlook::MailItem();
            } catch (...) {
                item = outlook::MailItem();
            }
        }
        if (!item)
            TQelLog::Log("objItem NOK");
        else
            RunSendSteps(*this, item, Combined, progress);
    } catch (...) {
        TQelLog::Log("Exception in ClickTrackAndSendMain Mainloop");
    }
    Screen().Cursor = crDefault;
    // Windows shows the new cursor only once the pointer moves.
    POINT pointer;
    if (GetCursorPos(&pointer))
        SetCursorPos(pointer.x + 1, pointer.y);
    platform::ProcessMessages();
    state.OwnSend = false;
    return progress;
}

bool TSendActions::ActOnOutlooksSend(const outlook::MailItem& Item) {
    switch (ClickTrackAndSendMain(false)) {
    case TSendProgress::NoRecipients:
        return false;
    case TSendProgress::Done:
        return true;
    case TSendProgress::Gathered:
        RecordPendingEntry(Item, ProgramState().SentCategories);
        return true;
    case TSendProgress::Stopped:
        RecordPendingEntry(Item, GatherSentCategories(Item));
        return true;
    }
    return true;
}

std::string TSendActions::GatherSentCategories(const outlook::MailItemMembers& Item) {
    std::string categories;
    if (ProgramState().categmaintain)
        categories = MergeCategories(ReplyCategories, Narrow(Item.Categories()));
    // The answered message's categories serve one send only.
    ReplyCategories.clear();
    return categories;
}
