// The Office host applications the framework knows, their set type, and what
// the framework keeps about each: the name it writes into the registry and
// into messages, the ProgID of its application object, the form of its add-in
// key, and the class of its main window for the hosts whose window start-up
// looks for. Every per-host loop of the framework walks the kinds in their
// ordinal order, 0 to 10.
#pragma once

#include "platform/rtl/Set.h"

#include <cstdint>
#include <string>
#include <vector>

// The host kinds, with the ordinals they are stored with.
enum TadxOfficeHostApp : uint8_t {
    ohaExcel = 0,
    ohaWord = 1,
    ohaOutlook = 2,
    ohaPowerPoint = 3,
    ohaAccess = 4,
    ohaProject = 5,
    ohaFrontPage = 6,
    ohaMapPoint = 7,
    ohaVisio = 8,
    ohaPublisher = 9,
    ohaInfoPath = 10,
};

// The first and last host kind, for loops over all of them.
inline constexpr TadxOfficeHostApp adxFirstHost = ohaExcel;
inline constexpr TadxOfficeHostApp adxLastHost = ohaInfoPath;

// A set of host kinds in 16 bits, bit n for the kind of ordinal n.
using TadxHostAppSet = TSet<TadxOfficeHostApp, uint16_t>;

// What the framework knows of one host kind.
struct TadxHostInfo {
    // The name in add-in keys and messages ("Outlook", "MS Project").
    const char* Name;
    // The ProgID of the host's application object ("Outlook.Application").
    const char* ProgID;
    // True when the add-in key lies below "Software\Microsoft\<name>" rather
    // than below "Software\Microsoft\Office\<name>".
    bool ShortKeyForm;
    // The class of the host's main window, for the hosts whose window start-up
    // looks up (Excel, Visio); nullptr for the others.
    const char* MainWindowClass;
};

// The entry of a host kind; a value outside 0 to 10 raises EOleSysError (E_INVALIDARG).
const TadxHostInfo& adxHostInfo(TadxOfficeHostApp host);
// True for the ordinals 0 to 10.
bool adxIsHostApp(int ordinal);

// The names of the host kinds in ordinal order, as stored forms write them
// ("ohaExcel", ...).
const std::vector<std::string>& adxHostAppNames();

// The add-in key of a host for the add-in of that ProgID, relative to the
// root the caller chooses: "\Software\Microsoft\Office\<host>\AddIns\<ProgID>"
// (or the short form). Empty when the ProgID is empty, so that no caller
// ever writes into or deletes the AddIns key of every add-in.
std::string adxAddInKey(TadxOfficeHostApp host, const std::string& progId);
