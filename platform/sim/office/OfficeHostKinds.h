// What the simulation knows of each Office host other than Outlook: its name
// in the add-in keys, its ProgID and class, the interface its application
// object answers (by which an add-in tells the hosts apart), the event
// interfaces it fires through, the ribbon identifier of its main window and
// where its Windows collection starts counting. The identifiers are the ones
// the hosts' type libraries publish.
#pragma once

#include "platform/com/Guid.h"

#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class OfficeHostKind {
    Word,
    Excel,
    PowerPoint,
    Project,
    FrontPage,
    MapPoint,
    Visio,
    Publisher,
    InfoPath
};

struct OfficeHostProfile {
    OfficeHostKind Kind;
    // The host's name in the add-in keys ("Word") and on the command line ("word").
    const char* Name;
    const char* CommandName;
    // The application's ProgID and class.
    const char* ProgId;
    GUID Clsid;
    // The interface the application object answers besides IDispatch.
    GUID ApplicationIid;
    // Every application event interface the host fires through, oldest first.
    std::vector<GUID> EventIids;
    // The ribbon identifier of its document window (empty: no ribbon).
    std::u16string RibbonId;
    // The index of the first item of its Windows and Documents collections.
    int FirstIndex;
    // True when the events come from an object the application hands out
    // rather than from the application itself.
    bool SeparateEventSource;
};

// The record of a host.
const OfficeHostProfile& HostProfileOf(OfficeHostKind kind);
// The record of a host by its command name ("word", letter case ignored), or null.
const OfficeHostProfile* FindHostProfile(std::string_view commandName);
// Every host, in declaration order.
std::vector<OfficeHostKind> AllOfficeHostKinds();

} // namespace sim
