// What the user does in Outlook's windows: write, select, open, answer and
// change messages, click the add-in's ribbon, send, open, close windows and
// bring them to the front. Each acts on the window in front, as a user does
// (selecting and opening are done in the main window, the first explorer,
// which further explorers leave where it is); the
// line finds what it acts on before anything happens, so that a line that
// names what is not there stops the script instead of doing half of its work.
#include "Mailbox.h"
#include "MailboxPrinter.h"
#include "ScriptCommandBars.h"
#include "ScriptRibbon.h"
#include "ScriptVerbs.h"
#include "ScriptWorld.h"

#include "platform/text/Text.h"

using sim::SimInspector;
using sim::SimItem;
using text::Narrow;
using text::Wide;

namespace {

std::string Quoted(const std::u16string& text) {
    return InQuotes(Narrow(text));
}

// Outlook's main window (the first explorer).
sim::SimExplorer& MainWindow(sim::OutlookSim& outlook) {
    if (outlook.App().Explorers().Count() == 0)
        throw EScriptError("Outlook shows no main window");
    return outlook.App().Explorers().At(0);
}

// The inspector in front.
SimInspector& FrontInspector(sim::OutlookSim& outlook) {
    sim::SimWindowBase& front = FrontWindow(outlook);
    if (front.IsExplorer())
        throw EScriptError("the main window is in front, not the window of an item");
    return static_cast<SimInspector&>(front);
}

// The folder named by "in", else the one the main window shows.
ComPtr<sim::SimFolder> FolderOf(sim::OutlookSim& outlook, const ScriptArguments& arguments) {
    if (arguments.Has("in"))
        return FolderByPath(outlook, Wide(arguments.Option("in")));
    return ComPtr<sim::SimFolder>::Share(MainWindow(outlook).CurrentFolder());
}

bool IsWritten(const SimItem& item) {
    return !item.Data().Sent && item.Data().ReceivedTime == 0;
}

// The message the user answers: the one open in front when it was sent or
// received, else the first one selected in the main window.
ComPtr<SimItem> MessageToAnswer(sim::OutlookSim& outlook) {
    sim::SimWindowBase& front = FrontWindow(outlook);
    if (!front.IsExplorer()) {
        SimItem& item = static_cast<SimInspector&>(front).CurrentItem();
        if (item.Kind() == sim::ItemKind::Mail && !IsWritten(item))
            return ComPtr<SimItem>::Share(&item);
    }
    const auto& selection = MainWindow(outlook).Selection();
    if (selection.empty() || selection.front()->Kind() != sim::ItemKind::Mail)
        throw EScriptError("no message is open or selected to answer");
    return selection.front();
}

// The user answers item (DISPID_Reply, DISPID_ReplyAll, DISPID_Forward) and
// fills in the answer: to and cc replace its recipients, body goes above the
// message answered, categories are put on the answer.
void Answer(ScriptWorld& world, const ScriptArguments& arguments, DISPID how,
            const std::string& title) {
    sim::OutlookSim& outlook = world.Running().Outlook();
    ComPtr<SimItem> item = MessageToAnswer(outlook);
    world.Step(title + " " + Quoted(item->Data().Subject), [&] {
        ComPtr<SimInspector> answer = outlook.UserRespond(*item, how);
        if (!answer) {
            world.Note("the answer was cancelled");
            return;
        }
        sim::ItemData& data = answer->CurrentItem().MutableData();
        std::map<std::string, std::string> fields = arguments.Options;
        if (arguments.Has("body"))
            fields["body"] += Narrow(data.Body);
        SetMessageFields(data, fields);
    });
}

} // namespace

void RunCompose(ScriptWorld& world, const ScriptArguments& arguments) {
    sim::OutlookSim& outlook = world.Running().Outlook();
    sim::ItemData data;
    SetMessageFields(data, arguments.Options);
    data.ConversationIndex = world.NewConversationIndex();
    world.Step("The user writes a new message " + DescribeItemData(sim::ItemKind::Mail, data),
               [&] { outlook.ComposeNewMail(data); });
}

void RunExplore(ScriptWorld& world, const ScriptArguments& arguments) {
    sim::OutlookSim& outlook = world.Running().Outlook();
    ComPtr<sim::SimFolder> folder = FolderByPath(outlook, Wide(arguments.Word(0)));
    world.Step("The user opens a further main window on " + Quoted(PathOf(*folder)),
               [&] { outlook.OpenExplorer(folder.Get()); });
}

void RunSelect(ScriptWorld& world, const ScriptArguments& arguments) {
    sim::OutlookSim& outlook = world.Running().Outlook();
    sim::SimExplorer& explorer = MainWindow(outlook);
    ComPtr<sim::SimFolder> folder = FolderOf(outlook, arguments);
    ComPtr<SimItem> item = ItemBySubject(*folder, Wide(arguments.Word(0)));
    world.Step(
        "The user selects " + Quoted(item->Data().Subject) + " in " + Quoted(PathOf(*folder)), [&] {
            outlook.Activate(explorer);
            if (explorer.CurrentFolder() != folder.Get() &&
                !outlook.SwitchFolder(explorer, folder)) {
                world.Note("the switch to the folder was cancelled");
                return;
            }
            outlook.SelectItems(explorer, {item});
        });
}

void RunOpen(ScriptWorld& world, const ScriptArguments& arguments) {
    sim::OutlookSim& outlook = world.Running().Outlook();
    ComPtr<sim::SimFolder> folder = FolderOf(outlook, arguments);
    ComPtr<SimItem> item = ItemBySubject(*folder, Wide(arguments.Word(0)));
    world.Step("The user opens " + Quoted(item->Data().Subject) + " in " + Quoted(PathOf(*folder)),
               [&] { outlook.OpenInspector(item); });
}

void CheckReply(const ScriptArguments& arguments) {
    if (!arguments.Words.empty() && !arguments.WordIs(0, "all"))
        throw EScriptError("reply takes all, or nothing, before its fields");
}

void RunReply(ScriptWorld& world, const ScriptArguments& arguments) {
    bool all = arguments.WordIs(0, "all");
    Answer(world, arguments, all ? outlook::DISPID_ReplyAll : outlook::DISPID_Reply,
           all ? "The user replies to all of" : "The user replies to");
}

void RunForward(ScriptWorld& world, const ScriptArguments& arguments) {
    Answer(world, arguments, outlook::DISPID_Forward, "The user forwards");
}

void RunEdit(ScriptWorld& world, const ScriptArguments& arguments) {
    SimInspector& inspector = FrontInspector(world.Running().Outlook());
    SimItem& item = inspector.CurrentItem();
    world.Step("The user changes " + Quoted(item.Data().Subject),
               [&] { SetMessageFields(item.MutableData(), arguments.Options); });
}

namespace {

// A click on a button of the command bars in an Office host's active window.
void ClickInOfficeHost(ScriptWorld& world, const std::string& caption) {
    sim::OfficeHostSim& host = world.Office().Host();
    sim::SimCommandBarControl* button = FindCommandBarButton(host.BarsInFront(), caption);
    if (!button)
        throw EScriptError("There is no button " + InQuotes(caption) + " on the command bars of " +
                           host.Profile().Name);
    ComPtr<sim::SimCommandBarControl> hold = ComPtr<sim::SimCommandBarControl>::Share(button);
    sim::SimOfficeWindow* window = host.App().ActiveWindow();
    std::string where = host.Profile().Name;
    if (window)
        where += "'s window " + InQuotes(text::Narrow(window->Caption()));
    world.Step("The user clicks " + InQuotes(caption) + " on a command bar of " + where,
               [&] { hold->UserClick(); });
}

} // namespace

void RunClick(ScriptWorld& world, const ScriptArguments& arguments) {
    if (world.IsOfficeRunning()) {
        ClickInOfficeHost(world, arguments.Word(0));
        return;
    }
    OutlookSession& session = world.Running();
    sim::SimWindowBase& front = FrontWindow(session.Outlook());
    std::string where =
        front.IsExplorer()
            ? "the main window"
            : "the window of " +
                  Quoted(static_cast<SimInspector&>(front).CurrentItem().Data().Subject);
    std::string id;
    try {
        id = FindRibbonControl(RibbonIn(session, front), arguments.Word(0));
    } catch (const EScriptError&) {
        // Without such a ribbon control: a button of the command bars.
        sim::SimCommandBarControl* button = FindCommandBarButton(front, arguments.Word(0));
        if (!button)
            throw;
        ComPtr<sim::SimCommandBarControl> hold = ComPtr<sim::SimCommandBarControl>::Share(button);
        world.Step("The user clicks " + InQuotes(arguments.Word(0)) + " on a command bar of " +
                       where,
                   [&] { hold->UserClick(); });
        return;
    }
    sim::RibbonHost& ribbon = RibbonIn(session, front);
    world.Step("The user clicks " + InQuotes(arguments.Word(0)) + " in " + where,
               [&] { ribbon.Click(id); });
}

void RunSend(ScriptWorld& world, const ScriptArguments&) {
    sim::OutlookSim& outlook = world.Running().Outlook();
    SimInspector& inspector = FrontInspector(outlook);
    if (inspector.CurrentItem().Kind() != sim::ItemKind::Mail ||
        !IsWritten(inspector.CurrentItem()))
        throw EScriptError("the window in front shows no message being written");
    ComPtr<SimInspector> hold = ComPtr<SimInspector>::Share(&inspector);
    world.Step("The user presses Send in the window of " +
                   Quoted(inspector.CurrentItem().Data().Subject),
               [&] {
                   if (!outlook.PressSend(*hold) && !world.Transport().Holds(hold->CurrentItem()))
                       world.Note("the send was cancelled");
               });
}

void CheckClose(const ScriptArguments& arguments) {
    if (!arguments.Words.empty() && !arguments.WordIs(0, "save"))
        throw EScriptError("close takes save, or nothing");
}

void RunClose(ScriptWorld& world, const ScriptArguments& arguments) {
    sim::OutlookSim& outlook = world.Running().Outlook();
    ComPtr<SimInspector> inspector = ComPtr<SimInspector>::Share(&FrontInspector(outlook));
    bool save = arguments.WordIs(0, "save");
    world.Step("The user closes the window of " + Quoted(inspector->CurrentItem().Data().Subject) +
                   (save ? ", saving it" : ""),
               [&] { outlook.Close(*inspector, save ? outlook::olSave : outlook::olDiscard); });
}

void RunActivate(ScriptWorld& world, const ScriptArguments& arguments) {
    sim::OutlookSim& outlook = world.Running().Outlook();
    if (arguments.WordIs(0, "explorer")) {
        sim::SimExplorer& explorer = MainWindow(outlook);
        world.Step("The user brings the main window to the front",
                   [&] { outlook.Activate(explorer); });
        return;
    }
    sim::SimInspectors& inspectors = outlook.App().Inspectors();
    for (size_t i = 0; i < inspectors.Count(); ++i) {
        SimInspector& inspector = inspectors.At(i);
        if (!inspector.IsClosed() &&
            text::SameText(inspector.CurrentItem().Data().Subject, Wide(arguments.Word(0)))) {
            world.Step("The user brings the window of " +
                           Quoted(inspector.CurrentItem().Data().Subject) + " to the front",
                       [&] { outlook.Activate(inspector); });
            return;
        }
    }
    throw EScriptError("no window shows " + ScriptQuoted(arguments.Word(0)));
}
