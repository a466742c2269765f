// The kinds of ribbon an Office host shows, one per kind of window (Outlook's
// mail read and compose windows, its explorer, Word's document and the rest),
// and their set type. A module's StartFromScratch and every ribbon tab and
// control carry such a set: the ribbon documents they belong to.
#pragma once

#include "platform/rtl/Set.h"

#include <cstdint>
#include <string>
#include <vector>

// The ribbon kinds in their stored order; member n stands for the n-th ribbon
// identifier the ribbon document knows.
enum TadxRibbon : uint8_t {
    msrAccessDatabase,
    msrExcelWorkbook,
    msrPowerPointPresentation,
    msrWordDocument,
    msrOutlookMailRead,
    msrOutlookMailCompose,
    msrOutlookMeetingRequestRead,
    msrOutlookMeetingRequestSend,
    msrOutlookAppointment,
    msrOutlookContact,
    msrOutlookJournal,
    msrOutlookTask,
    msrOutlookDistributionList,
    msrOutlookReport,
    msrOutlookResend,
    msrOutlookResponseRead,
    msrOutlookResponseCompose,
    msrOutlookResponseCounterPropose,
    msrOutlookRSS,
    msrOutlookPostRead,
    msrOutlookPostCompose,
    msrOutlookSharingRead,
    msrOutlookSharingCompose,
    msrOutlookExplorer,
};

// Number of ribbon kinds.
inline constexpr int adxRibbonKindCount = 24;

// A set of ribbon kinds: a 24-bit mask in a 32-bit word, bit n for kind n.
using TadxRibbons = TSet<TadxRibbon, uint32_t>;

// The names of the ribbon kinds in their order, as stored forms write them.
const std::vector<std::string>& adxRibbonNames();
