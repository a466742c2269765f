// The built-in demo script. It is written in the script language itself, so
// that it doubles as an example of it (the README shows a part of it).
#include "ScriptRunner.h"

const char* DemoScript() {
    return R"(# The add-in's whole job, as a user of Outlook sees it.
say "Outlook has a second store, Archive; two messages came, one with a category."
store Archive
folder "Archive\Projects"
deliver "Quarterly figures" from ann@example.com body "The figures of the quarter."
deliver "Budget 2027" from ann@example.com body "The figures for next year." categories Finance

say "The default actions: keep the categories of a message answered."
config categmaintain on
config write
start

say "The add-in's tab in the main window, and its group on a new message's tab."
show ribbon
compose subject "Draft"
show ribbon
click "Send + Add to Calendar"
close

say "The user looks around: a second window on Sent Items, a message opened."
explore "Personal Folders\Sent Items"
select "Quarterly figures"
open "Quarterly figures"
close

say "A reply sent with Outlook's own Send button keeps the answered message's categories."
select "Budget 2027"
reply body "Agreed."
send
show folders "Personal Folders\Sent Items"
show delivered

say "Offline, a second reply waits in the Outbox while Outlook quits and starts again."
offline
reply body "One more thing."
send
quit
show files
start
online
show folders "Personal Folders\Sent Items"
quit
)";
}
