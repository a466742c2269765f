// Names of the ribbon kinds.
#include "framework/support/RibbonKinds.h"

const std::vector<std::string>& adxRibbonNames() {
    static const std::vector<std::string> names = {
        "msrAccessDatabase",
        "msrExcelWorkbook",
        "msrPowerPointPresentation",
        "msrWordDocument",
        "msrOutlookMailRead",
        "msrOutlookMailCompose",
        "msrOutlookMeetingRequestRead",
        "msrOutlookMeetingRequestSend",
        "msrOutlookAppointment",
        "msrOutlookContact",
        "msrOutlookJournal",
        "msrOutlookTask",
        "msrOutlookDistributionList",
        "msrOutlookReport",
        "msrOutlookResend",
        "msrOutlookResponseRead",
        "msrOutlookResponseCompose",
        "msrOutlookResponseCounterPropose",
        "msrOutlookRSS",
        "msrOutlookPostRead",
        "msrOutlookPostCompose",
        "msrOutlookSharingRead",
        "msrOutlookSharingCompose",
        "msrOutlookExplorer",
    };
    return names;
}
