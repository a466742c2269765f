// The single send actions: filing the sent copy (Outlook stores it in the
// folder set as the message's SaveSentMessageFolder), the categories it is
// to get, and the appointment and task opened for the message. Outlook is
// reached through the module's application wrapper only.
#include "addin/send/SendActions.h"

#include "addin/send/CategoryText.h"
#include "addin/settings/ProductTrace.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelError.h"
#include "addin/settings/StoresAndFolders.h"
#include "platform/forms/Dialogs.h"
#include "platform/outlook/Outlook.h"
#include "platform/text/Text.h"
#include "platform/win/Clock.h"

using text::Narrow;
using text::Wide;

namespace {

constexpr const char* FolderNotExistingText =
    "Defined filing folder for Sent Item is not existing.\r\nItem will be filed in Sent Items "
    "folder.";

// Opens a new, unsaved item in a window of its own.
void ShowInNewInspector(TOutlookApplication& host, const ComPtr<IDispatch>& entry) {
    host.GetInspectors().Add(entry).Activate();
}

} // namespace

void TSendActions::FileSentToDefFolder(const outlook::MailItemMembers& Item, int Index) {
    try {
        outlook::MAPIFolder folder = FindMapiFolder(MapiSession(), Index);
        if (!folder)
            throw EQelError("The filing folder's store is not open.");
        Item.SetSaveSentMessageFolder(folder);
        ProductTrace("the sent copy is to be filed in " +
                     Quoted(ProgramState().FolderRecords[Index].FolderName));
    } catch (...) {
        MessageDlg(FolderNotExistingText, mtWarning, {mbOK}, 0);
    }
}

bool TSendActions::FileSentToAnyFolder(const outlook::MailItemMembers& Item) {
    if (FileToAnyFolder()) {
        FileSentToDefFolder(Item, FolderRecord::Picked);
        return true;
    }
    // Outlook's own Send goes on whatever the picker answered.
    if (!ProgramState().OwnSend)
        MessageDlg("Filing to Sent Items folder.", mtInformation, {mbOK}, 0);
    return false;
}

void TSendActions::AddDefaultCategory() {
    TProgramState& state = ProgramState();
    state.SentCategories = AddCategory(state.SentCategories, state.DefaultCategory);
}

void TSendActions::AskCategory() {
    TProgramState& state = ProgramState();
    // A mail item that only carries the dialog's choice; it is never saved.
    outlook::MailItem chooser(OutlookHost().CreateItem(outlook::olMailItem));
    std::string preset = state.DefaultCategory;
    // The gathered categories may hold the default one already (the default
    // category action ran): the dialog offers each name once.
    if (state.categmaintain)
        preset = MergeCategories(preset, state.SentCategories);
    state.SentCategories.clear();
    chooser.SetCategories(Wide(preset));
    try {
        chooser.ShowCategoriesDialog();
    } catch (...) {
        // A dialog that failed to show leaves the preset as the choice.
    }
    state.SentCategories = Narrow(chooser.Categories());
    ProductTrace("categories for the sent copy chosen: " + Quoted(state.SentCategories));
}

void TSendActions::AddToCalendar(const outlook::MailItemMembers& Item) {
    TOutlookApplication& host = OutlookHost();
    outlook::AppointmentItem appointment(host.CreateItem(outlook::olAppointmentItem));
    appointment.SetSubject(Item.Subject());
    appointment.SetBody(Item.Body());
    ShowInNewInspector(host, appointment.DispRef());
}

void TSendActions::AddToTask(const outlook::MailItemMembers& Item) {
    TOutlookApplication& host = OutlookHost();
    outlook::TaskItem task(host.CreateItem(outlook::olTaskItem));
    task.SetSubject(Item.Subject());
    task.SetBody(Item.Body());
    const TDateTime now = Now();
    task.SetStartDate(now);
    task.SetDueDate(now);
    ShowInNewInspector(host, task.DispRef());
}
