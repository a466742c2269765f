// The script commands' table. Each row: the name and its syntax; one line of
// help; how many plain words it takes (at least, at most), its keywords, and
// the functions that check and run it.
#include "ScriptCommand.h"
#include "ScriptVerbs.h"

namespace {

// The keywords of a message's fields.
const std::vector<std::string> MessageFields = {"to", "cc", "bcc", "subject", "body", "categories"};
// The keywords of an answer's fields.
const std::vector<std::string> AnswerFields = {"to", "cc", "body", "categories"};

} // namespace

const std::vector<ScriptCommand>& ScriptCommands() {
    // clang-format off
    static const std::vector<ScriptCommand> commands = {
        {"store", "NAME",
         "adds a store, as Outlook opens a further data file",
         1, 1, {}, nullptr, RunStore},
        {"folder", "PATH",
         "makes a folder of mail, and every missing folder above it",
         1, 1, {}, nullptr, RunFolder},
        {"deliver", "SUBJECT [from ADDRESS] [to ADDRESSES] [cc ADDRESSES] [body TEXT] "
                    "[categories NAMES] [in FOLDER]",
         "a message arrives, in the Inbox unless a folder is named",
         1, 1, {"from", "to", "cc", "body", "categories", "in"}, nullptr, RunDeliver},
        {"config", "SETTING VALUE | write | delete",
         "sets a setting of the add-in's configuration file, writes the file, or deletes it",
         1, 2, {}, CheckConfig, RunConfig},
        {"start", "[word | excel | powerpoint | infopath | visio | project | frontpage | "
                  "mappoint | publisher]",
         "Outlook, or the Office host named, starts and loads the add-in",
         0, 1, {}, CheckStart, RunStart},
        {"quit", "",
         "the user quits Outlook (its stores stay for the next start) or the Office host",
         0, 0, {}, nullptr, RunQuit},
        {"document", "open NAME | new NAME",
         "the user opens or creates a document in the Office host, in a window of its own",
         2, 2, {}, CheckDocument, RunDocument},
        {"window", "new NAME | activate NAME | close NAME",
         "the user opens another window on document NAME, or activates or closes the "
         "window of that caption (or the document's active window)",
         2, 2, {}, CheckWindow, RunWindow},
        {"offline", "",
         "Outlook works offline: what is sent waits in the Outbox, also across a restart",
         0, 0, {}, nullptr, RunOffline},
        {"online", "",
         "Outlook works online again and sends what waits in the Outbox",
         0, 0, {}, nullptr, RunOnline},
        {"compose", "[to ADDRESSES] [cc ADDRESSES] [bcc ADDRESSES] [subject TEXT] [body TEXT] "
                    "[categories NAMES]",
         "the user writes a new message in a window of its own",
         0, 0, MessageFields, nullptr, RunCompose},
        {"explore", "FOLDER",
         "the user opens a further main window (an explorer) on a folder",
         1, 1, {}, nullptr, RunExplore},
        {"select", "SUBJECT [in FOLDER]",
         "the user selects an item in the main window, after showing FOLDER there",
         1, 1, {"in"}, nullptr, RunSelect},
        {"open", "SUBJECT [in FOLDER]",
         "the user opens an item in a window of its own",
         1, 1, {"in"}, nullptr, RunOpen},
        {"reply", "[all] [to ADDRESSES] [cc ADDRESSES] [body TEXT] [categories NAMES]",
         "the user answers the message in front (the one open, else the one selected)",
         0, 1, AnswerFields, CheckReply, RunReply},
        {"forward", "[to ADDRESSES] [cc ADDRESSES] [body TEXT] [categories NAMES]",
         "the user forwards the message in front",
         0, 0, AnswerFields, nullptr, RunForward},
        {"edit", "[to ADDRESSES] [cc ADDRESSES] [bcc ADDRESSES] [subject TEXT] [body TEXT] "
                 "[categories NAMES]",
         "the user changes the message in the window in front",
         0, 0, MessageFields, nullptr, RunEdit},
        {"click", "CONTROL",
         "the user clicks a control of the add-in's ribbon in the window in front, by its "
         "caption or id, else a button of the add-ins' command bars there, by its caption (in "
         "an Office host other than Outlook: a button of the command bars of its active window)",
         1, 1, {}, nullptr, RunClick},
        {"key", "KEY",
         "the user presses a key with modifiers (ctrl+shift+f5, alt+k), as an add-in's "
         "shortcut runs its command-bar button",
         1, 1, {}, CheckKey, RunKey},
        {"send", "",
         "the user presses Outlook's own Send button in the window in front",
         0, 0, {}, nullptr, RunSend},
        {"close", "[save]",
         "the user closes the window in front, dropping its changes unless save",
         0, 1, {}, CheckClose, RunClose},
        {"activate", "explorer | SUBJECT",
         "the user brings the main window, or the window of an item, to the front",
         1, 1, {}, nullptr, RunActivate},
        {"answer", "BUTTON | categories NAMES | categories cancel | picker STEP [then STEP]... | "
                   "config|item|about STEP [then STEP]...",
         "how the user will answer the next message box, categories dialog, folder picker "
         "(steps: PATH, double PATH, mru N, ok, cancel, escape, open PATH, new PARENT NAME, "
         "remove N, clear, updates), configuration dialog (steps: SETTING on|off, browse, "
         "select, clear folder|category, info, defaults, ok, cancel, escape), per-message "
         "dialog (calendar on|off, task on|off, browse, select, clear folder|category, send, "
         "cancel, escape) or about box (link, ok, escape)",
         1, 40, {}, CheckAnswer, RunAnswer},
        {"wait", "DURATION",
         "time passes (250ms, 2s, 5m, 1h): the add-in's timers fire",
         1, 1, {}, CheckWait, RunWait},
        {"say", "TEXT",
         "prints a line",
         1, 1, {}, nullptr, RunSay},
        {"hide", "LABEL...",
         "leaves lines of these kinds out of the steps that follow (host, debug, dialog, log, "
         "registry, link, folder, sent, window, note; failures always show)",
         1, 10, {}, CheckLabels, RunHide},
        {"unhide", "LABEL...",
         "shows lines of these kinds again",
         1, 10, {}, CheckLabels, RunUnhide},
        {"show", "folders [FOLDER] | delivered | windows | ribbon | commandbars | files | "
                 "file NAME | log | dialog",
         "prints the folders with their items, what recipients received, the open windows, the "
         "ribbon in front, the add-ins' command bars in front, the add-in's files, one file, "
         "its log, or the dialog shown last as the user last saw it",
         1, 2, {}, CheckShow, RunShow},
    };
    // clang-format on
    return commands;
}
