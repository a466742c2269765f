// Outlook's object model as the framework and the product see it: the interface and event
// interface IDs that the framework asks for, the DISPIDs of the events it
// handles, and the enumerations whose values cross the boundary (item
// classes, item types, default folders).
//
// Outlook publishes its objects as dual interfaces; here every one of them is
// reached through IDispatch, so an interface below adds no methods of its own.
// Its IID is what QueryInterface is asked for (host detection asks the
// application for _Application; an event component casts the object it is
// given to its interface before advising).
#pragma once

#include "platform/com/Dispatch.h"

namespace outlook {

// Interfaces of Outlook's objects.
constexpr GUID IID__Application = MakeGuid("{00063001-0000-0000-C000-000000000046}");
constexpr GUID IID__NameSpace = MakeGuid("{00063002-0000-0000-C000-000000000046}");
constexpr GUID IID__Explorer = MakeGuid("{00063003-0000-0000-C000-000000000046}");
constexpr GUID IID__Inspector = MakeGuid("{00063005-0000-0000-C000-000000000046}");
constexpr GUID IID_MAPIFolder = MakeGuid("{00063006-0000-0000-C000-000000000046}");
constexpr GUID IID__Inspectors = MakeGuid("{00063008-0000-0000-C000-000000000046}");
constexpr GUID IID__Explorers = MakeGuid("{0006300A-0000-0000-C000-000000000046}");
constexpr GUID IID__ContactItem = MakeGuid("{00063021-0000-0000-C000-000000000046}");
constexpr GUID IID__PostItem = MakeGuid("{00063024-0000-0000-C000-000000000046}");
constexpr GUID IID__NoteItem = MakeGuid("{00063025-0000-0000-C000-000000000046}");
constexpr GUID IID__ReportItem = MakeGuid("{00063026-0000-0000-C000-000000000046}");
constexpr GUID IID__AppointmentItem = MakeGuid("{00063033-0000-0000-C000-000000000046}");
constexpr GUID IID__MailItem = MakeGuid("{00063034-0000-0000-C000-000000000046}");
constexpr GUID IID__TaskItem = MakeGuid("{00063035-0000-0000-C000-000000000046}");
constexpr GUID IID__Folders = MakeGuid("{00063040-0000-0000-C000-000000000046}");
constexpr GUID IID__Items = MakeGuid("{00063041-0000-0000-C000-000000000046}");
constexpr GUID IID__MeetingItem = MakeGuid("{00063062-0000-0000-C000-000000000046}");
constexpr GUID IID_OutlookBarShortcut = MakeGuid("{00063075-0000-0000-C000-000000000046}");
constexpr GUID IID_Selection = MakeGuid("{00063087-0000-0000-C000-000000000046}");
constexpr GUID IID__Reminders = MakeGuid("{000630B1-0000-0000-C000-000000000046}");
constexpr GUID IID__Reminder = MakeGuid("{000630B0-0000-0000-C000-000000000046}");
constexpr GUID IID__Stores = MakeGuid("{000630C6-0000-0000-C000-000000000046}");
constexpr GUID IID__Store = MakeGuid("{000630C7-0000-0000-C000-000000000046}");

// Event interfaces. The application, explorer and inspector events grew with
// Outlook's versions; a client advises on the one its version calls for.
constexpr GUID DIID_ApplicationEvents = MakeGuid("{0006304E-0000-0000-C000-000000000046}");
constexpr GUID DIID_ApplicationEvents_10 = MakeGuid("{0006300E-0000-0000-C000-000000000046}");
constexpr GUID DIID_ApplicationEvents_11 = MakeGuid("{0006302C-0000-0000-C000-000000000046}");
constexpr GUID DIID_NameSpaceEvents = MakeGuid("{0006308C-0000-0000-C000-000000000046}");
constexpr GUID DIID_ExplorersEvents = MakeGuid("{00063078-0000-0000-C000-000000000046}");
constexpr GUID DIID_InspectorsEvents = MakeGuid("{00063079-0000-0000-C000-000000000046}");
constexpr GUID DIID_ExplorerEvents = MakeGuid("{0006304F-0000-0000-C000-000000000046}");
constexpr GUID DIID_ExplorerEvents_10 = MakeGuid("{0006300F-0000-0000-C000-000000000046}");
constexpr GUID DIID_InspectorEvents = MakeGuid("{0006307D-0000-0000-C000-000000000046}");
constexpr GUID DIID_InspectorEvents_10 = MakeGuid("{0006302A-0000-0000-C000-000000000046}");
constexpr GUID DIID_FoldersEvents = MakeGuid("{00063076-0000-0000-C000-000000000046}");
constexpr GUID DIID_ItemsEvents = MakeGuid("{00063077-0000-0000-C000-000000000046}");
constexpr GUID DIID_ItemEvents = MakeGuid("{0006303A-0000-0000-C000-000000000046}");
constexpr GUID DIID_ItemEvents_10 = MakeGuid("{0006302B-0000-0000-C000-000000000046}");
constexpr GUID DIID_ReminderCollectionEvents = MakeGuid("{000630B2-0000-0000-C000-000000000046}");

// The application's class, under which "Outlook.Application" is registered.
constexpr GUID CLSID_OutlookApplication = MakeGuid("{0006F03A-0000-0000-C000-000000000046}");

// Application events (ApplicationEvents and its later versions).
constexpr DISPID DISPID_ItemSend = 0xF002;
constexpr DISPID DISPID_NewMail = 0xF003;
constexpr DISPID DISPID_Reminder = 0xF004;
constexpr DISPID DISPID_OptionsPagesAdd = 0xF005;
constexpr DISPID DISPID_Startup = 0xF006;
constexpr DISPID DISPID_Quit = 0xF007;
constexpr DISPID DISPID_AdvancedSearchComplete = 0xFA6A;
constexpr DISPID DISPID_AdvancedSearchStopped = 0xFA6B;
constexpr DISPID DISPID_MAPILogonComplete = 0xFA90;
constexpr DISPID DISPID_NewMailEx = 0xFAB5;
constexpr DISPID DISPID_AttachmentContextMenuDisplay = 0xFB3E;
constexpr DISPID DISPID_ViewContextMenuDisplay = 0xFB40;
constexpr DISPID DISPID_ItemContextMenuDisplay = 0xFB41;
constexpr DISPID DISPID_FolderContextMenuDisplay = 0xFB42;
constexpr DISPID DISPID_StoreContextMenuDisplay = 0xFB43;
constexpr DISPID DISPID_ShortcutContextMenuDisplay = 0xFB44;
constexpr DISPID DISPID_ContextMenuClose = 0xFBA6;
constexpr DISPID DISPID_ItemLoad = 0xFBA7;
constexpr DISPID DISPID_BeforeFolderSharingDialog = 0xFC01;

// Name space events (OptionsPagesAdd shares the application's DISPID).
constexpr DISPID DISPID_AutoDiscoverComplete = 0xFC2D;

// Explorers, inspectors, folders and items collections: the first event.
constexpr DISPID DISPID_NewExplorer = 0xF001;
constexpr DISPID DISPID_NewInspector = 0xF001;
constexpr DISPID DISPID_FolderAdd = 0xF001;
constexpr DISPID DISPID_FolderChange = 0xF002;
constexpr DISPID DISPID_FolderRemove = 0xF003;
constexpr DISPID DISPID_ItemAdd = 0xF001;
constexpr DISPID DISPID_ItemChange = 0xF002;
constexpr DISPID DISPID_ItemRemove = 0xF003;

// Explorer and inspector window events.
constexpr DISPID DISPID_Activate = 0xF001;
constexpr DISPID DISPID_FolderSwitch = 0xF002;
constexpr DISPID DISPID_BeforeFolderSwitch = 0xF003;
constexpr DISPID DISPID_ViewSwitch = 0xF004;
constexpr DISPID DISPID_BeforeViewSwitch = 0xF005;
constexpr DISPID DISPID_Deactivate = 0xF006;
constexpr DISPID DISPID_SelectionChange = 0xF007;
constexpr DISPID DISPID_WindowClose = 0xF008;
constexpr DISPID DISPID_BeforeItemCopy = 0xFA0E;
constexpr DISPID DISPID_BeforeItemCut = 0xFA0F;
constexpr DISPID DISPID_BeforeItemPaste = 0xFA10;
constexpr DISPID DISPID_BeforeMaximize = 0xFA11;
constexpr DISPID DISPID_BeforeMinimize = 0xFA12;
constexpr DISPID DISPID_BeforeMove = 0xFA13;
constexpr DISPID DISPID_BeforeSize = 0xFA14;
constexpr DISPID DISPID_PageChange = 0xFBF4;

// Item events (ItemEvents and ItemEvents_10).
constexpr DISPID DISPID_Read = 0xF001;
constexpr DISPID DISPID_Write = 0xF002;
constexpr DISPID DISPID_Open = 0xF003;
constexpr DISPID DISPID_ItemClose = 0xF004;
constexpr DISPID DISPID_Send = 0xF005;
constexpr DISPID DISPID_CustomAction = 0xF006;
constexpr DISPID DISPID_CustomPropertyChange = 0xF008;
constexpr DISPID DISPID_PropertyChange = 0xF009;
constexpr DISPID DISPID_BeforeCheckNames = 0xF00A;
constexpr DISPID DISPID_Reply = 0xF466;
constexpr DISPID DISPID_ReplyAll = 0xF467;
constexpr DISPID DISPID_Forward = 0xF468;
constexpr DISPID DISPID_BeforeDelete = 0xFA75;

// Reminders collection events.
constexpr DISPID DISPID_BeforeReminderShow = 0xFA93;
constexpr DISPID DISPID_ReminderAdd = 0xFA94;
constexpr DISPID DISPID_ReminderChange = 0xFA95;
constexpr DISPID DISPID_ReminderFire = 0xFA96;
constexpr DISPID DISPID_ReminderRemove = 0xFA97;
constexpr DISPID DISPID_Snooze = 0xFA98;

// What an object is (its Class property).
enum OlObjectClass : int {
    olApplication = 0,
    olNamespace = 1,
    olFolder = 2,
    olAppointment = 26,
    olExplorer = 34,
    olInspector = 35,
    olContact = 40,
    olMail = 43,
    olNote = 44,
    olPost = 45,
    olReport = 46,
    olTask = 48,
    olMeetingRequest = 53,
    olFolders = 15,
    olItems = 16,
    olExplorers = 60,
    olInspectors = 61,
    olSelection = 74,
    olReminder = 100,
    olReminders = 101,
    olStore = 107,
    olStores = 108,
};

// Kinds of item that CreateItem makes and a folder holds by default.
enum OlItemType : int {
    olMailItem = 0,
    olAppointmentItem = 1,
    olContactItem = 2,
    olTaskItem = 3,
    olJournalItem = 4,
    olNoteItem = 5,
    olPostItem = 6,
    olDistributionListItem = 7,
};

// The special folders of the default store (GetDefaultFolder).
enum OlDefaultFolders : int {
    olFolderDeletedItems = 3,
    olFolderOutbox = 4,
    olFolderSentMail = 5,
    olFolderInbox = 6,
    olFolderCalendar = 9,
    olFolderContacts = 10,
    olFolderJournal = 11,
    olFolderNotes = 12,
    olFolderTasks = 13,
    olFolderDrafts = 16,
    olFolderJunk = 23,
    olFolderRssFeeds = 25,
};

// How an inspector closes (Inspector.Close, MailItem.Close).
enum OlInspectorClose : int {
    olSave = 0,
    olDiscard = 1,
    olPromptForSave = 2,
};

// The context menu kinds of ContextMenuClose.
enum OlContextMenu : int {
    olItemContextMenu = 0,
    olViewContextMenu = 1,
    olFolderContextMenu = 2,
    olAttachmentContextMenu = 3,
    olStoreContextMenu = 4,
    olShortcutContextMenu = 5,
};

} // namespace outlook
