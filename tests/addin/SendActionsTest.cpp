// The compose ribbon's actions on the message of the active inspector: each
// sends the message with its one action and the default actions; the
// categories meant for the sent copy never leave with the message.
#include "tests/addin/SendActionsFixture.h"

#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"

namespace {

using sim::SimItem;

const std::string NoRecipients =
    "There must be at least one name or distribution list in the To, Cc, or Bcc box.";
const std::string NoDefaultFolder =
    "To file to Default Folder, click 'Define Default Actions' on the Lorvane menu or ribbon "
    "tab\r\nto set the default filing folder.";
const std::string NotExisting =
    "Defined filing folder for Sent Item is not existing.\r\nItem will be filed in Sent Items "
    "folder.";
// The folder picker, as the dialogs shown list it.
const std::string Picker = "TfrmFolders2";

using SendActions = SendActionsTest;

} // namespace

TEST_F(SendActions, FileToDefaultFolderFilesTheSentCopyThereWithItsCategories) {
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    Compose(Mail(u"Plans", u"Red"));
    Module().DoIndividualAction(TIndividualAction::FileToDefaultFolder);
    EXPECT_EQ(Delivered(), Lines{"Plans: "});
    EXPECT_EQ(Contents(*projects), Lines{"Plans: Red"});
    EXPECT_EQ(Contents(*sentItems), Lines{});
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(ProgramState().ActionInProgress, TIndividualAction::None);
    EXPECT_FALSE(ProgramState().OwnSend);
}

TEST_F(SendActions, FileToDefaultFolderWithoutOneOnlyShowsTheHint) {
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Plans", u"Red"));
    Module().DoIndividualAction(TIndividualAction::FileToDefaultFolder);
    EXPECT_EQ(Boxes(), Lines{NoDefaultFolder});
    EXPECT_EQ(user.Shown()[0].Type, mtWarning);
    EXPECT_TRUE(outlook->Deliveries().empty());
    EXPECT_EQ(Entries(), Lines{});
    EXPECT_EQ(window->CurrentItem().Data().Categories, u"Red");
    EXPECT_EQ(ProgramState().ActionInProgress, TIndividualAction::None);
    EXPECT_FALSE(ProgramState().OwnSend);
}

TEST_F(SendActions, AFilingFolderThatIsGoneLeavesTheCopyInSentItems) {
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects\\Gone");
    Compose(Mail(u"Plans", u"Red"));
    Module().DoIndividualAction(TIndividualAction::FileToDefaultFolder);
    EXPECT_EQ(Boxes(), Lines{NotExisting});
    EXPECT_EQ(Contents(*sentItems), Lines{"Plans: Red"});
    EXPECT_EQ(Delivered(), Lines{"Plans: "});
}

TEST_F(SendActions, AFilingFolderOfAStoreThatIsNotOpenLeavesTheCopyInSentItems) {
    ProgramState().FolderRecords[FolderRecord::Default] = {"Closed", "Closed", "00CLOSED",
                                                           "Closed\\Projects"};
    Compose(Mail(u"Plans"));
    Module().DoIndividualAction(TIndividualAction::FileToDefaultFolder);
    EXPECT_EQ(Boxes(), Lines{NotExisting});
    EXPECT_EQ(Contents(*sentItems), Lines{"Plans: "});
}

TEST_F(SendActions, AddCategoryWithEverySwitchOffPreselectsTheDefaultCategory) {
    TProgramState& state = ProgramState();
    state.categmaintain = 0;
    state.DefaultCategory = "Customers";
    std::u16string offered;
    outlook->ScriptCategoriesDialog([&offered](std::u16string& categories) {
        offered = categories;
        categories = u"Customers, Offers";
        return true;
    });
    Compose(Mail(u"Offer", u"Red"));
    Module().DoIndividualAction(TIndividualAction::AddCategory);
    EXPECT_EQ(outlook->CategoriesDialogShown(), 1u);
    EXPECT_EQ(offered, u"Customers");
    EXPECT_EQ(Delivered(), Lines{"Offer: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"Offer: Customers, Offers"});
}

TEST_F(SendActions, CategoriesChosenWithNoCategoryOptionOnStillReachTheSentCopy) {
    // Without a category option, start-up leaves Sent Items unwatched.
    ProgramState().categmaintain = 0;
    Module().SentFolderDisConnect(outlook::MAPIFolder(sentItems->DispRef()));
    ASSERT_EQ(sentItems->Items().SinkCount(), 0u);
    outlook->ScriptCategoriesDialog([](std::u16string& categories) {
        categories = u"Chosen";
        return true;
    });
    Compose(Mail(u"Offer"));
    Module().DoIndividualAction(TIndividualAction::AddCategory);
    EXPECT_EQ(Contents(*sentItems), Lines{"Offer: Chosen"});
    EXPECT_EQ(sentItems->Items().SinkCount(), 1u);
}

TEST_F(SendActions, AddCategoryOffersTheGatheredCategoriesWhileMaintainIsOn) {
    ProgramState().DefaultCategory = "Customers";
    Module().ReplyCategories = "Finance";
    std::u16string offered;
    outlook->ScriptCategoriesDialog([&offered](std::u16string& categories) {
        offered = categories;
        return true;
    });
    Compose(Mail(u"Offer", u"Red"));
    Module().DoIndividualAction(TIndividualAction::AddCategory);
    EXPECT_EQ(offered, u"Customers, Finance, Red");
    EXPECT_EQ(Contents(*sentItems), Lines{"Offer: Customers, Finance, Red"});
    EXPECT_EQ(Module().ReplyCategories, "") << "the answered message's categories serve one send";
}

TEST_F(SendActions, AddCategoryOffersTheDefaultCategoryOnceWhenItIsADefaultAction) {
    ProgramState().categdef = 1;
    ProgramState().DefaultCategory = "Customers";
    std::u16string offered;
    outlook->ScriptCategoriesDialog([&offered](std::u16string& categories) {
        offered = categories;
        return true;
    });
    Compose(Mail(u"Offer", u"Red"));
    Module().DoIndividualAction(TIndividualAction::AddCategory);
    EXPECT_EQ(offered, u"Red, Customers");
    EXPECT_EQ(Contents(*sentItems), Lines{"Offer: Red, Customers"});
}

TEST_F(SendActions, ACancelledCategoriesDialogKeepsWhatItOffered) {
    ProgramState().categmaintain = 0;
    ProgramState().DefaultCategory = "Customers";
    outlook->ScriptCategoriesDialog([](std::u16string&) { return false; });
    Compose(Mail(u"Offer"));
    Module().DoIndividualAction(TIndividualAction::AddCategory);
    EXPECT_EQ(Contents(*sentItems), Lines{"Offer: Customers"});
}

TEST_F(SendActions, AddToCalendarOpensAnUnsavedAppointmentWithTheMessagesText) {
    Compose(Mail(u"Meeting on Friday", u"", u"At ten, room 4."));
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    std::vector<SimItem*> opened = OpenedEntries();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->Kind(), sim::ItemKind::Appointment);
    EXPECT_EQ(opened[0]->Data().Subject, u"Meeting on Friday");
    EXPECT_EQ(opened[0]->Data().Body, u"At ten, room 4.");
    EXPECT_FALSE(opened[0]->IsSaved());
    EXPECT_EQ(opened[0]->Inspector(), outlook->App().ActiveInspector());
    EXPECT_EQ(Delivered(), Lines{"Meeting on Friday: "});
}

TEST_F(SendActions, AddToTasksOpensAnUnsavedTaskStartingAndDueNow) {
    Compose(Mail(u"Report", u"", u"Due soon."));
    Module().DoIndividualAction(TIndividualAction::AddToTasks);
    std::vector<SimItem*> opened = OpenedEntries();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->Kind(), sim::ItemKind::Task);
    EXPECT_EQ(opened[0]->Data().Subject, u"Report");
    EXPECT_EQ(opened[0]->Data().Body, u"Due soon.");
    EXPECT_EQ(opened[0]->Data().StartDate, Now());
    EXPECT_EQ(opened[0]->Data().DueDate, Now());
    EXPECT_FALSE(opened[0]->IsSaved());
}

TEST_F(SendActions, AMessageWithoutRecipientsIsSavedButNeitherActedOnNorSent) {
    sim::ItemData data = Mail(u"Unaddressed", u"Red");
    data.To.clear();
    ComPtr<sim::SimInspector> window = Compose(data);
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    EXPECT_EQ(Boxes(), Lines{NoRecipients});
    EXPECT_EQ(user.Shown()[0].Type, mtWarning);
    EXPECT_TRUE(window->CurrentItem().IsSaved());
    EXPECT_EQ(window->CurrentItem().Stored().Categories, u"Red");
    EXPECT_TRUE(OpenedEntries().empty());
    EXPECT_TRUE(outlook->Deliveries().empty());
    EXPECT_EQ(Entries(), Lines{});
    EXPECT_FALSE(ProgramState().OwnSend);
}

TEST_F(SendActions, DefaultActionsGoWithTheChosenOneAndNoneRunsTwice) {
    TProgramState& state = ProgramState();
    state.calendadd = 1;
    state.taskadd = 1;
    state.categdef = 1;
    state.DefaultCategory = "Customers";
    Compose(Mail(u"Everything", u"Red"));
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    std::vector<SimItem*> opened = OpenedEntries();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0]->Kind(), sim::ItemKind::Appointment);
    EXPECT_EQ(opened[1]->Kind(), sim::ItemKind::Task);
    EXPECT_EQ(Contents(*sentItems), Lines{"Everything: Red, Customers"});
}

TEST_F(SendActions, FileToDefaultFolderAlsoADefaultFilesOnce) {
    ProgramState().folderdef = 1;
    SetFolderRecord(FolderRecord::Default, *clients, "Personal Folders\\Clients");
    Compose(Mail(u"Filed", u"Red"));
    Module().DoIndividualAction(TIndividualAction::FileToDefaultFolder);
    EXPECT_EQ(Contents(*clients), Lines{"Filed: Red"});
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SendActions, AskForCategoryAlsoADefaultShowsTheDialogOnce) {
    ProgramState().categask = 1;
    outlook->ScriptCategoriesDialog([](std::u16string& categories) {
        categories = u"Chosen";
        return true;
    });
    Compose(Mail(u"Asked"));
    Module().DoIndividualAction(TIndividualAction::AddCategory);
    EXPECT_EQ(outlook->CategoriesDialogShown(), 1u);
    EXPECT_EQ(Contents(*sentItems), Lines{"Asked: Chosen"});
}

TEST_F(SendActions, TheDefaultFilingGivesWayToAChosenFolder) {
    TProgramState& state = ProgramState();
    state.folderdef = 1;
    SetFolderRecord(FolderRecord::Default, *clients, "Personal Folders\\Clients");
    Compose(Mail(u"Anywhere"));
    user.OnForm([](TForm& picker) {
        controls::SelectNode(controls::Find<TTreeView>(picker, "treeFolders"), "Archive\\Projects");
        controls::Click(controls::Find<TButton>(picker, "btnOK"));
        return mrNone;
    });
    Module().DoIndividualAction(TIndividualAction::FileToAnyFolder);
    // The folder picked takes the place of the default filing.
    EXPECT_EQ(Boxes(), Lines{Picker});
    EXPECT_EQ(Delivered(), Lines{"Anywhere: "});
    EXPECT_EQ(Contents(*projects), Lines{"Anywhere: "});
    EXPECT_EQ(Contents(*clients), Lines{});
}

TEST_F(SendActions, FileToAnyFolderCancelledStopsBeforeAnythingIsSentOrRecorded) {
    ProgramState().folderask = 1;
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Anywhere", u"Red"));
    Module().DoIndividualAction(TIndividualAction::FileToAnyFolder);
    // Cancelled from the ribbon: no word to the user.
    EXPECT_EQ(Boxes(), Lines{Picker}) << "the picker runs once";
    EXPECT_EQ(LogAfterStart(), Lines{});
    EXPECT_TRUE(outlook->Deliveries().empty());
    EXPECT_EQ(Entries(), Lines{});
    EXPECT_EQ(window->CurrentItem().Data().Categories, u"Red");
    EXPECT_FALSE(ProgramState().OwnSend);
    EXPECT_EQ(ProgramState().ActionInProgress, TIndividualAction::None);
}

TEST_F(SendActions, TrackAndSendCancelledInThePerItemDialogSendsNothing) {
    Compose(Mail(u"Tracked", u"Red"));
    Module().DoIndividualAction(TIndividualAction::Combined);
    // The user closes the per-item dialog without a choice.
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Caption, "Select actions for this item");
    EXPECT_EQ(user.Shown()[0].Result, mrCancel);
    EXPECT_EQ(LogAfterStart(), Lines{});
    EXPECT_TRUE(outlook->Deliveries().empty());
    EXPECT_EQ(Entries(), Lines{});
    EXPECT_FALSE(ProgramState().OwnSend);
    EXPECT_EQ(ProgramState().ActionInProgress, TIndividualAction::None);
}

TEST_F(SendActions, ThePerItemChoicesFileTrackAndCategorise) {
    TProgramState& state = ProgramState();
    SetFolderRecord(FolderRecord::Default, *clients, "Personal Folders\\Clients");
    SetFolderRecord(FolderRecord::Picked, *projects, "Archive\\Projects");
    state.calendadd = 1; // a default action, which the dialog's choices replace
    state.WorkingCategories = "Chosen";
    state.ItemChoices = {"archive\\projects", false, true};
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Per item", u"Red"));
    state.ActionInProgress = TIndividualAction::Combined;
    state.OwnSend = true;
    EXPECT_EQ(Module().ClickTrackAndSendMain(true), TSendProgress::Done);
    EXPECT_EQ(Contents(*projects), Lines{"Per item: Chosen"});
    std::vector<SimItem*> opened = OpenedEntries();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->Kind(), sim::ItemKind::Task);
    EXPECT_EQ(Delivered(), Lines{"Per item: "});
}

TEST_F(SendActions, ThePerItemFolderEqualToTheDefaultFilesThroughTheDefaultRecord) {
    TProgramState& state = ProgramState();
    SetFolderRecord(FolderRecord::Default, *clients, "Personal Folders\\Clients");
    SetFolderRecord(FolderRecord::Picked, *projects, "Archive\\Projects");
    state.ItemChoices = {"PERSONAL FOLDERS\\CLIENTS", false, false};
    Compose(Mail(u"Per item"));
    state.ActionInProgress = TIndividualAction::Combined;
    state.OwnSend = true;
    Module().ClickTrackAndSendMain(true);
    EXPECT_EQ(Contents(*clients), Lines{"Per item: "});
    EXPECT_EQ(Contents(*projects), Lines{});
}

TEST_F(SendActions, TheWorkingCategoriesGatherTheAnsweredTheOwnAndTheDefault) {
    struct Case {
        std::string replied;
        std::u16string own;
        std::string defaultCategory;
        std::string working;
    };
    const Case cases[] = {
        {"", u"", "", ""},
        {"Finance", u"", "", "Finance"},
        {"", u"Red", "", "Red"},
        {"Finance", u"Red", "", "Finance, Red"},
        {"finance", u"Finance, Red", "", "Finance, Red"},
        {"Finance", u"Red", "Customers", "Finance, Red, Customers"},
        {"", u"Customers, Red", "customers", "Customers, Red"},
        {"", u"", "Customers", "Customers"},
    };
    for (const Case& c : cases) {
        Module().ReplyCategories = c.replied;
        ProgramState().DefaultCategory = c.defaultCategory;
        Compose(Mail(u"Gathered", c.own));
        Module().DoIndividualAction(TIndividualAction::AddToTasks);
        EXPECT_EQ(ProgramState().WorkingCategories, c.working)
            << c.replied << " / " << text::Narrow(c.own) << " / " << c.defaultCategory;
    }
}

TEST_F(SendActions, WithMaintainOffTheMessagesOwnCategoriesAreNotRestored) {
    ProgramState().categmaintain = 0;
    Module().ReplyCategories = "Finance";
    Compose(Mail(u"Dropped", u"Red"));
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    EXPECT_EQ(Delivered(), Lines{"Dropped: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"Dropped: "});
    EXPECT_EQ(Entries(), Lines{});
}

TEST_F(SendActions, ACopyFiledInAnotherStoreGetsTheCategoriesAndTheMessageLeavesWithout) {
    ProgramState().categdef = 1;
    ProgramState().DefaultCategory = "Customers";
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    Compose(Mail(u"Elsewhere", u"Red"));
    Module().DoIndividualAction(TIndividualAction::FileToDefaultFolder);
    EXPECT_EQ(Delivered(), Lines{"Elsewhere: "});
    EXPECT_EQ(Contents(*projects), Lines{"Elsewhere: Red, Customers"});
    EXPECT_EQ(Entries(), Lines{}) << "the entry was taken by the sent copy";
}

TEST_F(SendActions, TheCursorIsBackAndThePointerMovedWhenTheSendEnds) {
    SetCursorPos(100, 50);
    Compose(Mail(u"Cursor"));
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    EXPECT_EQ(Screen().Cursor, crDefault);
    POINT pointer;
    ASSERT_TRUE(GetCursorPos(&pointer));
    EXPECT_EQ(pointer.x, 101);
    EXPECT_EQ(pointer.y, 50);
}

TEST_F(SendActions, AnInspectorOnSomethingElseThanMailIsNoMessageToSend) {
    outlook->OpenInspector(outlook->NewItem(sim::ItemKind::Task, Mail(u"A task")));
    ProgramState().OwnSend = true;
    EXPECT_EQ(Module().ClickTrackAndSendMain(false), TSendProgress::Stopped);
    EXPECT_EQ(LogAfterStart(), Lines{"objItem NOK"});
    EXPECT_FALSE(ProgramState().OwnSend);
}

TEST_F(SendActions, WithoutAnActiveInspectorNothingIsDone) {
    ProgramState().OwnSend = true;
    EXPECT_EQ(Module().ClickTrackAndSendMain(false), TSendProgress::Stopped);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(LogAfterStart(), Lines{});
    EXPECT_FALSE(ProgramState().OwnSend);
    EXPECT_EQ(Screen().Cursor, crDefault);
}
