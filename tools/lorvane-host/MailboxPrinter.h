// How a script shows Outlook's items, folders, windows and sent messages, one
// line each, in the words a user of Outlook would use:
//
//   "Budget 2027" from ann@example.com [Finance]         a message received
//   "Offer" to bob@example.com [Sales, Tracked]          one sent, or being written
//   appointment "Offer"                                  another kind of item
//   task "Offer" start 12/7/2026 9:30:04 AM due ...
//
// Items in folders are shown as they were last saved; changes not saved are
// added in parentheses.
#pragma once

#include "platform/sim/outlook/OutlookSim.h"

#include <string>
#include <vector>

// The item's values as one line (see the top of the file).
std::string DescribeItemData(sim::ItemKind kind, const sim::ItemData& data);
// A stored item: its saved values, and what changed since, when anything did.
std::string DescribeItem(const sim::SimItem& item);
// What the recipients of a sent message received:
//   to bob@example.com: "Offer" without categories
std::string DescribeDelivery(const sim::ItemData& sent);
// A window: "explorer on Personal Folders\Inbox, selected "Budget 2027"",
// "new message "Offer" to bob@example.com", "appointment "Offer" (not saved)".
std::string DescribeWindow(sim::SimWindowBase& window);
// The folder and those below it, indented by two blanks a level, each
// followed by its items (indented one level more).
std::vector<std::string> FolderTreeLines(const sim::SimFolder& folder);
// Every window open, explorers first, the active one marked "(active)".
std::vector<std::string> WindowLines(sim::OutlookSim& outlook);
