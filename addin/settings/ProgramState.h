// The product's program-wide state: what the add-in's handlers share for as
// long as the library is loaded in Outlook's process. The module is a
// singleton there, so one instance serves; it lives behind ProgramState() so
// that a test can start from a fresh one (ResetProgramState) instead of
// inheriting what an earlier test left.
//
// Who writes each field and who reads it. A file without a room stands at
// the product's root; "the configuration file" is settings/ConfigFileRead.cpp,
// which reads "Zub.xml" into the state, and settings/ConfigFile.cpp, which
// writes the state out.
//
//   field                  written by                        read by
//   Module                 ProductModule                     ProductModule, ModuleServices,
//                                                            dialogs/FolderPickerRun
//   folderdef, folderask,  the configuration file,           the configuration file,
//   categdef, categask,    dialogs/DlgConfig (OK, Defaults)  send/SendActions, ProductModule,
//   categmaintain,                                           ProductDialogs (CategoriesWatched),
//   calendadd, taskadd                                       dialogs/DlgConfig; categmaintain
//                                                            also send/SendActionSteps
//   nolistupdates          the configuration file,           the configuration file,
//                          dialogs/FolderPickerButtons       dialogs/FolderPickerButtons,
//                                                            dialogs/FolderPickerRun
//   firsttime              the configuration file            the configuration file
//   timerdelay             the configuration file            the configuration file,
//                                                            send/SendWatch
//   anydefaultaction       settings/ConfigFile               ProductModule, send/SendWatch
//                          (UpdateAnyDefaultAction)
//   ActionInProgress       send/SendActions                  send/SendActions
//   OwnSend                send/SendActions, send/SendWatch  send/SendActions,
//                                                            send/SendActionSteps, send/SendWatch
//   CombineMode            ProductDialogs                    nothing in the product (tests)
//   MainButtonCaption      the configuration file,           the configuration file,
//                          ProductModule, ProductDialogs,    dialogs/DlgConfig
//                          dialogs/DlgConfig
//   ExpandedNodes          the configuration file,           the configuration file,
//                          ProductModule (made, freed),      dialogs/adxFrmFolders2
//                          dialogs/adxFrmFolders2
//   FolderRecords          the configuration file,           the configuration file,
//                          dialogs/DlgConfig,                send/SendActions,
//                          dialogs/FolderPickerRun           send/SendActionSteps,
//                                                            settings/StoresAndFolders,
//                                                            dialogs/DlgConfig,
//                                                            dialogs/DlgConfigAdjust
//   DefaultCategory        the configuration file,           the configuration file,
//                          dialogs/DlgConfig                 send/SendActions,
//                                                            send/SendActionSteps,
//                                                            dialogs/DlgConfig,
//                                                            dialogs/DlgConfigAdjust
//   MruList                the configuration file,           the configuration file,
//                          settings/StoresAndFolders,        settings/StoresAndFolders,
//                          dialogs/FolderPickerButtons       dialogs/FolderPickerButtons,
//                                                            dialogs/FolderPickerRun
//   ItemBeingSent          send/SendWatch, ProductModule     send/SendActions
//   WorkingCategories      send/SendActions,                 send/SendActions,
//                          dialogs/DlgConfig                 dialogs/DlgConfig
//   SentCategories         send/SendActions,                 send/SendActions,
//                          send/SendActionSteps              send/SendActionSteps
//   ItemChoices            dialogs/DlgConfig (per message)   send/SendActions
//   Picked                 dialogs/adxFrmFolders2,           dialogs/FolderPickerRun
//                          dialogs/FolderPickerButtons,
//                          dialogs/FolderPickerRun
//   SessionEntries,        send/FolderWatchers,              send/FolderWatchers,
//   RestoredEntries        send/PendingEntries               send/PendingEntries
//   StrippedEntries        send/PendingEntries               send/PendingEntries
#pragma once

#include "addin/settings/IndividualAction.h"
#include "addin/settings/Settings.h"
#include "platform/outlook/OutlookObjects.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <memory>
#include <string>

class TAddInModule;

// What the per-item dialog of "Track + Send" chose for one message.
struct TItemChoices {
    // The filing folder's path as the dialog shows it; empty for none.
    std::string FolderName;
    // Open an appointment, and a task, for the message.
    bool Calendar = false;
    bool Task = false;
};

// What the user chose in the folder picker the last time it closed.
struct TPickerChoice {
    // The tree folder's path (store name, then folder names, separated by
    // "\"); empty when the choice was not in the tree.
    std::string Path;
    // The recently used slot chosen (1-20), or -1.
    int Slot = -1;
    // The store id of the tree folder chosen.
    std::string StoreId;
};

class TProgramState {
public:
    // The module, from start-up until finalisation; the handlers reach it
    // through this reference.
    TAddInModule* Module = nullptr;

    // The settings switches, each a byte read as a Boolean, with their
    // defaults before any configuration file is read.
    uint8_t folderdef = 0;
    uint8_t folderask = 0;
    uint8_t categdef = 0;
    uint8_t categask = 0;
    uint8_t categmaintain = 1;
    uint8_t calendadd = 0;
    uint8_t taskadd = 0;
    uint8_t nolistupdates = 0;
    uint8_t firsttime = 0;
    // The delay of the watch on Outlook's own sends, in milliseconds.
    int32_t timerdelay = 10;
    // Whether any default action is on; computed only when the configuration
    // file is read, so without a file nothing is armed although categmaintain is 1.
    uint8_t anydefaultaction = 0;

    // The individual action in progress while its send runs; None otherwise.
    TIndividualAction ActionInProgress = TIndividualAction::None;
    // Set while the product's own button drives a send.
    bool OwnSend = false;
    // Set while the per-message dialog of "Track + Send" is shown.
    bool CombineMode = false;
    // The main button's caption; empty means the display name "Lorvane".
    std::string MainButtonCaption;
    // The folder tree's expanded nodes (entry ids), made at start-up when
    // missing and freed at shutdown.
    std::unique_ptr<TStringList> ExpandedNodes;

    // Folder record 0, the folder just picked, and 1, the default filing folder.
    TFolderRecord FolderRecords[2];
    // The default category (Outlook's category names, separated by ", ").
    std::string DefaultCategory;
    // The most recently used folders, slots 1 to 20.
    TMruList MruList;

    // The item being sent: set while its Send event runs the send actions.
    outlook::MailItem ItemBeingSent;
    // The working categories of a ribbon action: those of the message
    // answered and of the message itself, and the default category; the
    // per-item dialog shows and changes them.
    std::string WorkingCategories;
    // The categories for the sent copy of the message being sent: what its
    // pending entry gives the copy.
    std::string SentCategories;
    // The per-item dialog's choices for the message being sent.
    TItemChoices ItemChoices;
    // The folder picker's choice.
    TPickerChoice Picked;

    // The pending category entries (lines "name=value", see send/PendingEntries.h),
    // made at start-up and freed at finalisation: this session's entries,
    // those restored from the pending-actions file, and the stripped-text
    // entries that live only in memory.
    std::unique_ptr<TStringList> SessionEntries;
    std::unique_ptr<TStringList> RestoredEntries;
    std::unique_ptr<TStringList> StrippedEntries;

    // True when a category option asks for the Sent Items watcher.
    bool CategoriesWatched() const { return categmaintain || categdef || categask; }
};

// The product's state.
TProgramState& ProgramState();
// Replaces the state with a fresh one at its defaults and returns it.
TProgramState& ResetProgramState();
