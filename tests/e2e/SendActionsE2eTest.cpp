// The send actions end to end: LorvaneOL.so loaded into the simulated
// Outlook by the host driver, configured by its file Zub.xml, and driven only
// as Outlook drives it: the compose ribbon's buttons clicked by control id
// through the add-in object's IDispatch, the window events of the messages
// the user writes and answers, and the item's own Send. What counts is what
// Outlook ends with: what the recipients received, what each folder keeps,
// the windows open, the dialogs shown and the add-in's files.
#include "tests/e2e/E2eSupport.h"
#include "tests/support/HostedOutlook.h"
#include "tests/support/OutlookReaders.h"
#include "tests/support/ProductFiles.h"

#include "platform/forms/ModalDriver.h"
#include "platform/rtl/DateTime.h"
#include "platform/sim/HostDriver.h"
#include "platform/sim/ModalScript.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/text/Text.h"
#include "platform/win/Clock.h"
#include "platform/win/Window.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>

using namespace e2e;

namespace {

using Lines = std::vector<std::string>;
using sim::SimFolder;
using sim::SimItem;

const std::u16string ComposeRibbon = u"Microsoft.Outlook.Mail.Compose";
const std::string FileToDefaultFolderButton = "adxRibbonButtonB2B17C70373E4A859DF661D823CD3674";
const std::string AddCategoryButton = "adxRibbonButton78F788A15882437884EB8BDF4C9FAD08";
const std::string AddToCalendarButton = "adxRibbonButton0BF8B3C833CE439597E8920A6A848A7B";
const std::string AddToTasksButton = "adxRibbonButton6BD1C6E46865469CB47C458891E42B36";

using Settings = ProductSettings;

class SendActionsE2e : public ::testing::Test, public HostedOutlook {
protected:
    // Outlook of that version with a second store, Archive, holding Projects.
    void MakeOutlook(int version = 12) { HostedOutlook::MakeOutlook(LibraryPath, version); }
    // The user saved these settings.
    static void Configure(const Settings& settings) { WriteProductConfig(settings); }
    // Settings with Archive\Projects as the default filing folder.
    Settings FilingInProjects() const {
        Settings settings;
        settings.FolderPath = "Archive\\Projects";
        settings.StoreName = "Archive";
        settings.StoreId = text::Narrow(projects->StoreId());
        return settings;
    }
    // Outlook starts and loads the add-in.
    void Start() {
        if (!outlook)
            MakeOutlook();
        ASSERT_TRUE(HostedOutlook::Start(ProgId));
    }
    // The user quits Outlook; the add-in leaves nothing behind.
    void Quit() {
        EXPECT_EQ(HostedOutlook::Quit(), Lines{});
        EXPECT_EQ(driver->Find(ProgId)->CanUnloadNow, S_OK);
    }
    void TearDown() override {
        if (driver && driver->Find(ProgId)->Connected)
            Quit();
        Close();
        EXPECT_EQ(sim::OutlookSim::LiveObjects(), 0);
    }

    // A message to ann@example.com.
    static sim::ItemData Mail(std::u16string subject, std::u16string categories = u"",
                              std::u16string body = u"Hello Ann,\r\nsee you.\r\n") {
        return testsupport::MailToAnn(std::move(subject), std::move(categories), std::move(body));
    }
    // The user clicks a button of the add-in's group in the window in front.
    void Click(const std::string& id) {
        ASSERT_TRUE(HostedOutlook::Click(ProgId, ComposeRibbon, id));
    }
    // What the recipients received, as "subject: categories".
    Lines Delivered() const { return testsupport::Delivered(*outlook); }
    // The items stored in folder, as "subject: categories".
    static Lines Contents(SimFolder& folder) { return testsupport::Contents(folder); }
    // The items open in windows that are not mail.
    std::vector<SimItem*> OpenedEntries() const { return testsupport::OpenedEntries(*outlook); }
    // The texts of the message boxes shown.
    Lines Boxes() const { return testsupport::ShownTexts(user); }
    static bool PendingFileExists() {
        return std::filesystem::exists(ProductDataFolder() + "/ZubDetails.txt");
    }
    static Lines PendingFile() { return FileLines(ProductDataFolder() + "/ZubDetails.txt"); }
};

} // namespace

namespace {

// One click of a compose-tab button, end to end: what the user saved, the
// message written, the button clicked, and what Outlook ends with. The
// add-in layer's tests go through each action's details; a row proves that
// the button reaches its action through the loaded library and that the
// outcome is what the user sees.
struct RibbonAction {
    // The row's name.
    const char* Name;
    // The configuration file: none, or one with these switches (Projects
    // as the default filing folder when FileInProjects).
    bool Configured = false;
    bool FileInProjects = false;
    Settings Saved{};
    // The message: subject, categories, body; no recipients when Unaddressed.
    std::u16string Subject{}, Categories{}, Body = u"Hello Ann,\r\nsee you.\r\n";
    bool Unaddressed = false;
    // The button clicked.
    std::string Button{};
    // What the categories dialog is offered and what the user chooses
    // there; no dialog is expected when Offered is null.
    const char16_t* Offered = nullptr;
    std::u16string Chosen{};
    // What the recipients received and the folders keep, as "subject: categories".
    Lines Delivered{}, InProjects{}, InSentItems{}, InDrafts{};
    // The message boxes shown (the first of the given type) and the items
    // opened in windows of their own, in order.
    Lines Boxes{};
    TMsgDlgType BoxType = mtWarning;
    std::vector<sim::ItemKind> Opened{};
};

void PrintTo(const RibbonAction& row, std::ostream* out) {
    *out << row.Name;
}

Settings WithSwitches(std::function<void(Settings&)> set) {
    Settings settings;
    set(settings);
    return settings;
}

const std::string NoRecipients =
    "There must be at least one name or distribution list in the To, Cc, or Bcc box.";
const std::string NoDefaultFolder =
    "To file to Default Folder, click 'Define Default Actions' on the Lorvane menu or ribbon "
    "tab\r\nto set the default filing folder.";

const RibbonAction RibbonActions[] = {
    {.Name = "FileToDefaultFolderInAnotherStore",
     .Configured = true,
     .FileInProjects = true,
     .Saved = WithSwitches([](Settings& s) {
         s.categdef = true;
         s.Category = "Customers";
     }),
     .Subject = u"Plans",
     .Categories = u"Red",
     .Button = FileToDefaultFolderButton,
     .Delivered = {"Plans: "},
     .InProjects = {"Plans: Red, Customers"}},
    {.Name = "FileToDefaultFolderWithoutOneShowsTheHint",
     .Subject = u"Plans",
     .Categories = u"Red",
     .Button = FileToDefaultFolderButton,
     .InDrafts = {"Plans: Red"},
     .Boxes = {NoDefaultFolder}},
    {.Name = "AddCategoryWithEverySwitchOffOffersTheDefaultCategory",
     .Configured = true,
     .Saved = WithSwitches([](Settings& s) {
         s.categmaintain = false;
         s.Category = "Customers";
     }),
     .Subject = u"Offer",
     .Categories = u"Red",
     .Button = AddCategoryButton,
     .Offered = u"Customers",
     .Chosen = u"Customers, Offers",
     .Delivered = {"Offer: "},
     .InSentItems = {"Offer: Customers, Offers"}},
    {.Name = "AddToCalendarOpensAnAppointment",
     .Subject = u"Meeting on Friday",
     .Body = u"At ten, room 4.",
     .Button = AddToCalendarButton,
     .Delivered = {"Meeting on Friday: "},
     .InSentItems = {"Meeting on Friday: "},
     .Opened = {sim::ItemKind::Appointment}},
    {.Name = "AddToTasksOpensATaskAndTheCopyKeepsTheCategories",
     .Subject = u"Report",
     .Categories = u"Red, Blue",
     .Body = u"Due on Monday.",
     .Button = AddToTasksButton,
     .Delivered = {"Report: "},
     .InSentItems = {"Report: Red, Blue"},
     .Opened = {sim::ItemKind::Task}},
    {.Name = "DefaultActionsGoWithTheChosenOneOnce",
     .Configured = true,
     .Saved = WithSwitches([](Settings& s) {
         s.calendadd = true;
         s.taskadd = true;
     }),
     .Subject = u"Everything",
     .Button = AddToCalendarButton,
     .Delivered = {"Everything: "},
     .InSentItems = {"Everything: "},
     .Opened = {sim::ItemKind::Appointment, sim::ItemKind::Task}},
    {.Name = "AMessageWithoutRecipientsIsOnlySaved",
     .Subject = u"Unaddressed",
     .Categories = u"Red",
     .Unaddressed = true,
     .Button = AddToCalendarButton,
     .InDrafts = {"Unaddressed: Red"},
     .Boxes = {NoRecipients}},
};

class RibbonActionsE2e : public SendActionsE2e,
                         public ::testing::WithParamInterface<RibbonAction> {};

} // namespace

TEST_P(RibbonActionsE2e, TheButtonRunsItsActionAndOutlookEndsWithItsOutcome) {
    const RibbonAction& row = GetParam();
    MakeOutlook();
    if (row.Configured) {
        Settings settings = row.FileInProjects ? FilingInProjects() : Settings{};
        Settings saved = row.Saved;
        saved.FolderPath = settings.FolderPath;
        saved.StoreName = settings.StoreName;
        saved.StoreId = settings.StoreId;
        Configure(saved);
    }
    Start();
    std::u16string offered;
    outlook->ScriptCategoriesDialog([&](std::u16string& categories) {
        offered = categories;
        categories = row.Chosen;
        return true;
    });
    sim::ItemData message = Mail(row.Subject, row.Categories, row.Body);
    if (row.Unaddressed)
        message.To.clear();
    ComPtr<sim::SimInspector> window = Compose(message);
    const TDateTime clickedAt = Now();
    Click(row.Button);

    EXPECT_EQ(Delivered(), row.Delivered);
    EXPECT_EQ(Contents(*projects), row.InProjects);
    EXPECT_EQ(Contents(*sentItems), row.InSentItems);
    EXPECT_EQ(Contents(*outlook->DefaultFolder(outlook::olFolderDrafts)), row.InDrafts);
    EXPECT_EQ(Boxes(), row.Boxes);
    if (!row.Boxes.empty()) {
        EXPECT_EQ(user.Shown()[0].Type, row.BoxType);
    }
    EXPECT_EQ(outlook->CategoriesDialogShown(), row.Offered ? 1u : 0u);
    if (row.Offered) {
        EXPECT_EQ(offered, row.Offered);
    }
    if (row.Delivered.empty()) {
        // A message that did not leave stays open, as the user wrote it.
        EXPECT_FALSE(window->IsClosed());
        EXPECT_EQ(window->CurrentItem().Data().Categories, row.Categories);
    }
    // Each entry opened carries the message's text, unsaved, in a window of
    // its own; the last one is in front, and a task starts and is due now.
    std::vector<SimItem*> opened = OpenedEntries();
    ASSERT_EQ(opened.size(), row.Opened.size());
    for (size_t i = 0; i < opened.size(); ++i) {
        EXPECT_EQ(opened[i]->Kind(), row.Opened[i]);
        EXPECT_EQ(opened[i]->Data().Subject, row.Subject);
        EXPECT_EQ(opened[i]->Data().Body, row.Body);
        EXPECT_FALSE(opened[i]->IsSaved());
        EXPECT_EQ(opened[i]->Folder(), nullptr);
        if (row.Opened[i] == sim::ItemKind::Task) {
            EXPECT_EQ(opened[i]->Data().StartDate, clickedAt);
            EXPECT_EQ(opened[i]->Data().DueDate, clickedAt);
        }
    }
    if (!opened.empty()) {
        EXPECT_EQ(outlook->App().ActiveInspector(), opened.back()->Inspector());
    }
    Quit();
    EXPECT_FALSE(PendingFileExists()) << "nothing is left waiting";
}

INSTANTIATE_TEST_SUITE_P(SendActionsE2e, RibbonActionsE2e, ::testing::ValuesIn(RibbonActions),
                         [](const ::testing::TestParamInfo<RibbonAction>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(SendActionsE2e, AReplyWithOutlooksOwnSendKeepsTheAnsweredMessagesCategories) {
    MakeOutlook();
    Configure(Settings{}); // "Maintain Categories" only
    Start();
    sim::ItemData received = Mail(u"Budget 2027", u"Finance");
    received.SenderEmailAddress = u"bob@example.com";
    ComPtr<SimItem> budget = outlook->DeliverMail(received);
    outlook->SelectItems(*explorer, {budget});
    ComPtr<sim::SimInspector> reply = outlook->UserRespond(*budget, outlook::DISPID_Reply);
    ASSERT_TRUE(reply);
    Wait(100);
    EXPECT_TRUE(outlook->PressSend(*reply));
    EXPECT_EQ(Delivered(), Lines{"RE: Budget 2027: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"RE: Budget 2027: Finance"});
    EXPECT_EQ(Boxes(), Lines{});
}

TEST_F(SendActionsE2e, ASendThatFailsIsLoggedAndItsFolderNoLongerWatched) {
    MakeOutlook();
    Configure(FilingInProjects());
    Start();
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Refused", u"Red"));
    window->CurrentItem().FailMember("Send");
    Click(FileToDefaultFolderButton);
    EXPECT_EQ(Delivered(), Lines{});
    EXPECT_EQ(projects->Items().SinkCount(), 0u) << "the filing folder's watcher is disconnected";
    const Lines log = LogMessages();
    EXPECT_NE(
        std::find(log.begin(), log.end(), "Exception in ClickTrackAndSendMain objItem.Send()"),
        log.end());
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Type, mtError);
    EXPECT_EQ(user.Shown()[0].Text.rfind("The message could not be sent.\r\n", 0), 0u);
    EXPECT_EQ(window->CurrentItem().Data().Categories, u"Red") << "the message keeps them";

    // Outlook sends again: the message goes, and its copy gets its categories.
    window->CurrentItem().RestoreMember("Send");
    Click(FileToDefaultFolderButton);
    EXPECT_EQ(Delivered(), Lines{"Refused: "});
    EXPECT_EQ(Contents(*projects), Lines{"Refused: Red"});
    EXPECT_EQ(projects->Items().SinkCount(), 1u);
}

TEST_F(SendActionsE2e, AMessageWithoutConversationIndexIsKeyedByItsDigest) {
    MakeOutlook();
    Configure(FilingInProjects());
    Start();
    auto composeUnthreaded = [&](std::u16string subject) {
        ComPtr<sim::SimInspector> window = Compose(Mail(std::move(subject), u"Red"));
        window->CurrentItem().MutableData().ConversationIndex.clear();
        return window;
    };
    // The sent copy finds its categories under the message's MD5 key,
    // digested by the library the add-in loads for it.
    composeUnthreaded(u"Keyed");
    Click(FileToDefaultFolderButton);
    EXPECT_EQ(Delivered(), Lines{"Keyed: "});
    EXPECT_EQ(Contents(*projects), Lines{"Keyed: Red"});

    // A message that could not be sent waits under that key.
    composeUnthreaded(u"Refused")->CurrentItem().FailMember("Send");
    Click(FileToDefaultFolderButton);
    Quit();
    const Lines pending = PendingFile();
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].find_first_not_of("0123456789ABCDEF"), 32u) << pending[0];
    EXPECT_EQ(pending[0].substr(32, 5), "=Red%") << pending[0];
}

TEST_F(SendActionsE2e, AnEntryOfAFailedSendWaitsForTheNextStart) {
    MakeOutlook();
    Configure(FilingInProjects());
    Start();
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Refused", u"Red"));
    window->CurrentItem().FailMember("Send");
    Click(FileToDefaultFolderButton);
    Quit();
    const Lines pending = PendingFile();
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_NE(pending[0].find("=Red%StoreId%" + text::Narrow(projects->StoreId()) +
                              "%FolderName%Projects"),
              std::string::npos)
        << pending[0];
}
