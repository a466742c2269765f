// The event interfaces of the Office hosts other than Outlook, as data: for
// each host the methods of its application event interface, each with its
// DISPID, the name of the component's handler for it ("On" and the
// method's name) and its parameters in declaration order, each with its
// kind and whether the host passes it by reference. The host event
// components (OfficeHostEvents.h) dispatch by these tables.
#pragma once

#include "framework/support/OfficeHosts.h"
#include "platform/com/Dispatch.h"

#include <cstdint>
#include <vector>

// What a parameter holds.
enum class TadxEventParamKind : uint8_t { Object, Bool, Integer, Double, String, Variant };

struct TadxEventParam {
    const char* Name;
    TadxEventParamKind Kind;
    // The host passes the parameter by reference (a handler may change it).
    bool ByRef;
};

struct TadxEventMethod {
    DISPID Id;
    // The handler's name.
    const char* Handler;
    std::vector<TadxEventParam> Params;
    // The method returns a value to the host.
    bool Returns = false;
};

using TadxEventTable = std::vector<TadxEventMethod>;

namespace adx::tables {
const TadxEventTable& WordTable();
const TadxEventTable& ExcelTable();
const TadxEventTable& PowerPointTable();
const TadxEventTable& VisioTable();
const TadxEventTable& ProjectTable();
const TadxEventTable& FrontPageTable();
const TadxEventTable& MapPointTable();
const TadxEventTable& PublisherTable();
const TadxEventTable& InfoPathTable();
} // namespace adx::tables

// The table of host's component; empty for Outlook and Access.
const TadxEventTable& adxHostEventTable(TadxOfficeHostApp host);
