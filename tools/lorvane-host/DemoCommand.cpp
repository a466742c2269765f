// demo: the add-in's life in Outlook from registration to unloading, as a
// person would watch it: registration, Outlook's start with the add-in, the
// user quitting Outlook, and whether anything of the add-in was left behind.
#include "HostCommands.h"
#include "OutlookSession.h"
#include "SimulatedMachine.h"
#include "Transcript.h"

#include "platform/outlook/OutlookTypes.h"
#include "platform/text/Text.h"

#include <ostream>

int RunDemo(HostContext& context) {
    Transcript transcript(context.Out, context.Machine);
    transcript.Line("Machine folder: " + context.Machine.Folder() +
                    (context.Machine.IsTemporary() ? " (temporary)" : ""));
    if (!transcript.Step("Registration: DllRegisterServer of " + context.Library.Path(),
                         [&] { context.Library.Register(); }))
        return 1;

    OutlookSession session;
    sim::OutlookSim& outlook = session.Outlook();
    auto inbox = outlook.DefaultFolder(outlook::olFolderInbox);
    sim::ItemData figures;
    figures.Subject = u"Quarterly figures";
    figures.SenderName = u"Ann Example";
    auto mail = outlook.PutItem(*inbox, sim::ItemKind::Mail, figures);
    transcript.Attach(&session);
    transcript.Line("Outlook " + text::Narrow(outlook.App().VersionText()) +
                    " runs with its main window open.");
    transcript.Step("Outlook starts and loads its add-ins", [&] { session.Start(); });
    sim::HostedAddIn* addIn = session.AddIn();
    if (!addIn || !addIn->Connected)
        transcript.Line("The add-in " + std::string(AddInLibrary::ProgId) + " did not connect.");
    ComPtr<sim::SimExplorer> sentItems;
    transcript.Step("The user opens an explorer on Sent Items", [&] {
        sentItems = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderSentMail).Get());
    });
    transcript.Step("The user selects a mail in the Inbox", [&] {
        sim::SimExplorer& main = outlook.App().Explorers().At(0);
        outlook.Activate(main);
        outlook.SelectItems(main, {mail});
    });
    transcript.Step("The user opens the mail", [&] { outlook.OpenInspector(mail); });
    transcript.Step("The user quits Outlook", [&] { session.Quit(); });

    bool unloaded = addIn && addIn->CanUnloadNow == S_OK && !addIn->Library;
    transcript.Line(unloaded ? "The add-in library was unloaded: no object of it is left."
                             : "The add-in library could not be unloaded.");
    size_t boxes = session.User().Shown().size();
    transcript.Line("Message boxes shown: " + (boxes ? std::to_string(boxes) : "none") + ".");
    if (!transcript.Failures().empty())
        transcript.Line(std::to_string(transcript.Failures().size()) + " failure(s).");
    return unloaded && transcript.Failures().empty() ? 0 : 1;
}
