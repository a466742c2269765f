// What the add-in object, the factory and the module's timers do with the
// module's command bars when host windows change, when a folder is shown in
// an Outlook explorer, when the add-in is removed and when Access changes
// databases. Each bar is handled on its own: a failing bar is reported
// through the module's DoError and the next one handled.
#pragma once

class TadxModuleServices;
class TadxCustomCommandBar;
class TadxOlExplorerCustomCommandBar;

// Finds each bar of the module for the current host in the module's
// current command bars and binds it again (ReconnectControls), or makes it
// when it is missing (InternalAddCmdBar). Outlook explorer bars only when
// ExplorerBars.
void adxReconnectCommandBars(TadxModuleServices& Module, bool ExplorerBars);
// Enables and shows an explorer bar for the active explorer's folder (by
// its folder name, its folder list or the folder's item type; a built-in
// bar keeps its state) and lets its controls follow the folder's item type.
// With NudgeLeft, a change of state moves the bar one pixel to the left and
// back, so that the host lays it out again.
void adxFollowFolder(TadxModuleServices& Module, TadxOlExplorerCustomCommandBar& Bar,
                     bool NudgeLeft);
// adxFollowFolder for every explorer bar of the module.
void adxFollowFolderAll(TadxModuleServices& Module);
// Uninstalls each bar of the module for the current host (explorer bars
// only when ExplorerBars); in Word before the ribbon the bar also leaves
// the normal template. Guarded: a failing bar goes to DoError and the next
// one is uninstalled; otherwise the failure ends the loop.
void adxUninstallCommandBars(TadxModuleServices& Module, bool ExplorerBars, bool Guarded);
// Lets go of the host objects of a bar and, with ClearAll, of its buttons,
// lists and pop-ups (the nested controls first), without deleting anything.
void adxClearCommandBarLinks(TadxCustomCommandBar& Bar, bool ClearAll);
