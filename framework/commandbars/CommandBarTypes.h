// The command bars' enumerations and sets: bar positions and protections as
// the host codes them, the Outlook folder item types and item classes that
// explorer bars and their controls follow, and the control kinds.
#pragma once

#include "platform/rtl/Set.h"

#include <cstdint>

// Dock positions of a bar; the code is the host's.
enum TadxMsoBarPosition : uint8_t {
    adxMsoBarLeft = 0,
    adxMsoBarTop = 1,
    adxMsoBarRight = 2,
    adxMsoBarBottom = 3,
    adxMsoBarFloating = 4,
    adxMsoBarPopup = 5,
    adxMsoBarMenuBar = 6,
};

// One protection kind of a bar; an index, each standing for one host flag.
enum TadxMsoBarProtection : uint8_t {
    adxMsoBarNoProtection = 0,
    adxMsoBarNoCustomize = 1,
    adxMsoBarNoResize = 2,
    adxMsoBarNoMove = 3,
    adxMsoBarNoChangeVisible = 4,
    adxMsoBarNoChangeDock = 5,
    adxMsoBarNoVerticalDock = 6,
    adxMsoBarNoHorizontalDock = 7,
};

// The host flag of a protection index (0 for none).
int32_t adxProtectionFlag(TadxMsoBarProtection Protection);
// The index of a host flag value; a value that is no single flag reads as none.
TadxMsoBarProtection adxProtectionIndex(int32_t Flag);

// An Outlook folder's default item type (the host's code 0..7).
enum TadxOLItemType : uint8_t {
    adxOLMailItem = 0,
    adxOLAppointmentItem,
    adxOLContactItem,
    adxOLTaskItem,
    adxOLJournalItem,
    adxOLNoteItem,
    adxOLPostItem,
    adxOLDistributionListItem,
};
using TadxOLItemTypes = TSet<TadxOLItemType, uint8_t>;

// Item classes of inspector items (kept and stored; nothing reads them).
enum TadxOLItemClass : uint8_t {
    adxOLAppointment = 0,
    adxOLMeetingRequest,
    adxOLMeetingCancellation,
    adxOLMeetingResponseNegative,
    adxOLMeetingResponsePositive,
    adxOLMeetingResponseTentative,
    adxOLContact,
    adxOLJournal,
    adxOLMail,
    adxOLPost,
    adxOLTask,
    adxOLTaskRequest,
    adxOLTaskRequestUpdate,
    adxOLTaskRequestAccept,
    adxOLTaskRequestDecline,
    adxOLDistributionList,
    adxOLReport,
};
using TadxOLItemClasses = TSet<TadxOLItemClass, uint32_t>;

// What the Outlook item-type scans do with a control.
enum TadxOLItemTypeAction : uint8_t {
    adxOLActionNone = 0,
    adxOLActionShow = 1,
    adxOLActionEnable = 2,
};

// A button's state, style and hyperlink kind.
enum TadxMsoButtonState : uint8_t { adxMsoButtonUp = 0, adxMsoButtonDown, adxMsoButtonMixed };
enum TadxMsoButtonStyle : uint8_t {
    adxMsoButtonAutomatic = 0,
    adxMsoButtonIcon,
    adxMsoButtonCaption,
    adxMsoButtonIconAndCaption,
    adxMsoButtonIconAndWrapCaption,
    adxMsoButtonIconAndCaptionBelow,
    adxMsoButtonWrapCaption,
    adxMsoButtonIconAndWrapCaptionBelow,
};
enum TadxMsoCommandBarButtonHyperlinkType : uint8_t {
    adxMsoHyperlinkNone = 0,
    adxMsoHyperlinkOpen,
    adxMsoHyperlinkInsertPicture,
};
// The host's code of a button style; the style of a host code (false when
// the code is none of them).
int32_t adxButtonStyleCode(TadxMsoButtonStyle Style);
bool adxButtonStyleOf(int32_t Code, TadxMsoButtonStyle& Style);

// A list control's style.
enum TadxMsoComboStyle : uint8_t { adxMsoComboNormal = 0, adxMsoComboLabel };

// The control kinds, as the stored forms code them.
enum TadxControlKind : int32_t {
    adxKindButton = 0,
    adxKindEdit = 1,
    adxKindDropDownList = 2,
    adxKindComboBox = 3,
    adxKindPopup = 4,
    adxKindControl = 5,
    adxKindAdvanced = 6,
};
// The host control type of a kind (0: none, the control is placed by its id).
int32_t adxHostControlType(TadxControlKind Kind);
