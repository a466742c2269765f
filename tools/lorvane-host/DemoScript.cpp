// The built-in demo script. It is written in the script language itself, so
// that it doubles as an example of it (the README shows a part of it).
#include "ScriptRunner.h"

const char* DemoScript() {
    return R"(# The add-in's whole job, as a user of Outlook sees it.
say "Outlook has a second store, Archive, with folders for projects and customers; two messages came, one with a category."
store Archive
folder "Archive\Projects"
folder "Archive\Customers"
deliver "Quarterly figures" from ann@example.com body "The figures of the quarter."
deliver "Budget 2027" from ann@example.com body "The figures for next year." categories Finance

say "The default actions: the category Tracked on every sent copy, and the categories of a message answered kept."
config category Tracked
config categdef on
config categmaintain on
config write
start

say "Define Default Actions: the user reads what Maintain Categories does, then browses for the default filing folder: Archive\Projects."
answer config info then browse then ok
answer picker "Archive\Projects"
click "Define Default Actions"
show dialog

say "The add-in's tab in the main window; the user looks around: a second window on Sent Items, a message opened."
show ribbon
explore "Personal Folders\Sent Items"
select "Quarterly figures"
open "Quarterly figures"
close

say "A new message's tab gets the add-in's group; a message without recipients is neither acted on nor sent."
compose subject "Draft"
show ribbon
click "Send + File to Default Folder"
close

say "A new offer, with a category of its own, sent with Send + File to Default Folder: filed in Archive, it leaves without categories."
compose to bob@example.com subject "Offer 2027" body "Our offer for next year." categories Sales
click "Send + File to Default Folder"
show folders Archive

say "A reply sent with Outlook's own Send button: its sent copy keeps the answered message's category."
select "Budget 2027"
reply body "Agreed."
send

say "Minutes sent with Send + Add Category...: the user picks the categories in Outlook's dialog."
compose to carl@example.com subject "Minutes" body "The minutes of today."
answer categories "Tracked, Minutes"
click "Send + Add Category..."

say "Notes sent with Track + Send: for this message the user ticks Add to Calendar and browses for another folder, Archive\Customers."
compose to erik@example.com subject "Visit notes" body "The notes of the visit."
answer item calendar on then browse then send
answer picker "Archive\Customers"
click "Track + Send"
show dialog
say "The calendar entry the add-in opened for the notes: the user saves it."
close save

say "A report sent with Send + File to Any Folder...: in the folder picker the user makes a folder Reports in Archive and files the copy there."
compose to dora@example.com subject "Report" body "The report of the week."
answer picker new Archive Reports then "Archive\Reports"
click "Send + File to Any Folder..."
say "The next report goes to the same folder, the first of the recently used list; the picker as the user saw it:"
compose to dora@example.com subject "Report 2" body "The next report."
answer picker mru 1
click "Send + File to Any Folder..."
show dialog
show folders Archive

say "Offline, a second reply waits in the Outbox; Outlook quits with its category waiting."
offline
select "Budget 2027"
reply body "One more thing."
send
quit
show file ZubDetails.txt

say "Outlook starts again, takes up the waiting category and goes online: the sent copy gets it."
start
online
show folders "Personal Folders\Sent Items"
show delivered
show files

say "About: the user opens the home page from its link."
answer about link then ok
click About
quit
)";
}
