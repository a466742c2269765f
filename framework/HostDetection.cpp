// Host detection: which Office application the add-in runs in, asked of the
// host's Application object by the application interfaces it answers, in a
// fixed order; then the host's typed wrapper, its major version, whether it
// shows a ribbon, and its event component among the module's components.
#include "framework/AddInModule.h"
#include "framework/events/adxHostAppEvents.h"
#include "framework/hosts/HostApplications.h"
#include "framework/support/HostInterfaces.h"
#include "platform/com/LateBound.h"
#include "platform/forms/Timer.h"
#include "platform/outlook/OutlookApplication.h"
#include "platform/text/Text.h"

#include <climits>

namespace {

// How a host's event component is connected.
enum class EventsConnection { None, Server, ServerAndVersion };

// Project's Version property, asked by its DISPID.
constexpr DISPID kProjectVersionDispId = 5020;
// The hosts that never show a ribbon.
constexpr int kNeverRibbon = INT_MAX;

// One host as detection sees it, in the order the hosts are tried.
struct HostRow {
    TadxOfficeHostApp Host;
    const GUID& Iid;
    // The host shows a ribbon from the major version above this one.
    int RibbonAbove;
    EventsConnection Connection;
    // The host's event component among the module's components, or nullptr.
    TadxCustomEvents* (*FindEvents)(const TadxCOMAddInModule& module);
};

template <class T> TadxCustomEvents* Find(const TadxCOMAddInModule& module) {
    return module.FindHostEventsComponent<T>();
}

const HostRow kHostRows[] = {
    {ohaWord, adx::IID_WordApplication, 11, EventsConnection::ServerAndVersion,
     &Find<TadxWordAppEvents>},
    {ohaExcel, adx::IID_ExcelApplication, 11, EventsConnection::Server, &Find<TadxExcelAppEvents>},
    {ohaOutlook, adx::IID_OutlookApplication, 11, EventsConnection::ServerAndVersion,
     &Find<TadxOutlookAppEvents>},
    {ohaAccess, adx::IID_AccessApplication, 11, EventsConnection::None, nullptr},
    {ohaProject, adx::IID_ProjectApplication, 12, EventsConnection::ServerAndVersion,
     &Find<TadxProjectAppEvents>},
    {ohaPowerPoint, adx::IID_PowerPointApplication, 11, EventsConnection::Server,
     &Find<TadxPowerPointAppEvents>},
    {ohaFrontPage, adx::IID_FrontPageApplication, kNeverRibbon, EventsConnection::Server,
     &Find<TadxFrontPageAppEvents>},
    {ohaMapPoint, adx::IID_MapPointApplication, kNeverRibbon, EventsConnection::Server,
     &Find<TadxMapPointAppEvents>},
    {ohaVisio, adx::IID_VisioApplication, 12, EventsConnection::Server, &Find<TadxVisioAppEvents>},
    {ohaPublisher, adx::IID_PublisherApplication, 12, EventsConnection::Server,
     &Find<TadxPublisherAppEvents>},
    {ohaInfoPath, adx::IID_InfoPathApplication, 12, EventsConnection::Server,
     &Find<TadxInfoPathAppEvents>},
};

// Creates the wrapper W in slot, connects it to server and returns it.
template <class W> W& Connect(std::unique_ptr<W>& slot, IUnknown* server) {
    if constexpr (std::is_constructible_v<W, TComponent*>)
        slot = std::make_unique<W>(nullptr);
    else
        slot = std::make_unique<W>();
    slot->ConnectTo(server);
    return *slot;
}

// Access's version; a version that cannot be read counts as Access 2000 (9).
std::u16string AccessVersion(TAccessApplication& access) {
    try {
        return dispGet(access.DefaultInterface(), "Version").AsWide();
    } catch (const Exception&) {
        return u"9";
    }
}

// Creates and connects the wrapper of host and returns the host's version text.
std::u16string ConnectWrapper(TadxCOMAddInModule& m, TadxOfficeHostApp host, IUnknown* server) {
    switch (host) {
    case ohaWord:
        return Connect(m.WordApplication, server).Version();
    case ohaExcel:
        return Connect(m.ExcelApplication, server).Version(LOCALE_USER_DEFAULT);
    case ohaOutlook:
        return Connect(m.OutlookApplication, server).Version();
    case ohaAccess:
        return AccessVersion(Connect(m.AccessApplication, server));
    case ohaProject:
        return dispGetId(Connect(m.ProjectApplication, server).DefaultInterface(),
                         kProjectVersionDispId)
            .AsWide();
    case ohaPowerPoint:
        return Connect(m.PowerPointApplication, server).Version();
    case ohaFrontPage:
        return Connect(m.FrontPageApplication, server).Version();
    case ohaMapPoint:
        return Connect(m.MapPointApplication, server).Version();
    case ohaVisio:
        return Connect(m.VisioApplication, server).Version();
    case ohaPublisher:
        return Connect(m.PublisherApplication, server).Version();
    case ohaInfoPath:
        return Connect(m.InfoPathApplication, server).Version();
    }
    return {};
}

// True when text is a decimal integer that fits 32 bits.
bool ReadDecimal(std::u16string_view text, int32_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    if (i == text.size())
        return false;
    int64_t result = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
        result = result * 10 + (text[i] - u'0');
        if (result > int64_t(INT32_MAX) + 1)
            return false;
    }
    if (negative)
        result = -result;
    if (result < INT32_MIN || result > INT32_MAX)
        return false;
    value = static_cast<int32_t>(result);
    return true;
}

} // namespace

int32_t GetMajorVersion(const std::u16string& Version) {
    int32_t result = 9;
    size_t separator = Version.find(u'.');
    if (separator == std::u16string::npos)
        separator = Version.find(u',');
    if (separator != std::u16string::npos)
        ReadDecimal(std::u16string_view(Version).substr(0, separator), result);
    return result;
}

void TadxCOMAddInModule::SetHostApplication() {
    ComPtr<IDispatch> application =
        HostApplication.IsEmptyOrNothing() ? nullptr : HostApplication.AsDispatch();
    if (!application)
        return;
    for (const HostRow& row : kHostRows) {
        ComPtr<IUnknown> server;
        if (FAILED(application->QueryInterface(row.Iid, server.ReceiveVoid())) || !server)
            continue;
        HostType = row.Host;
        HostMajorVersion = GetMajorVersion(ConnectWrapper(*this, row.Host, server.Get()));
        if (HostMajorVersion > row.RibbonAbove)
            IsRibbonHost = true;
        HostEvents = row.FindEvents ? row.FindEvents(*this) : nullptr;
        if (HostEvents)
            ConnectHostEvents(HostEvents, server.Get(),
                              row.Connection == EventsConnection::ServerAndVersion);
        if (row.Host == ohaOutlook && IsRibbonHost)
            ConnectOutlook2007Events(server.Get());
        return;
    }
}

void TadxCOMAddInModule::ConnectHostEvents(TadxCustomEvents* events, IUnknown* server,
                                           bool passVersion) {
    if (passVersion)
        events->ConnectTo(server, std::to_string(HostMajorVersion));
    else
        events->ConnectTo(server);
    if (auto* word = dynamic_cast<TadxWordAppEvents*>(events))
        adxFire(this, word->Liveness(), word->OnStartup, word);
}

void TadxCOMAddInModule::ConnectOutlook2007Events(IUnknown* server) {
    Outlook2007Events = new TadxOutlook2007Application(this);
    Outlook2007Events->ConnectTo(server);
}

void TadxCOMAddInModule::FreeHostApplication() {
    if (HostEvents)
        HostEvents->Disconnect();
    switch (HostType) {
    case ohaWord:
        WordApplication.reset();
        break;
    case ohaExcel:
        ExcelApplication.reset();
        break;
    case ohaOutlook:
        OutlookApplication.reset();
        if (Outlook2007Events)
            std::exchange(Outlook2007Events, nullptr)->Disconnect();
        break;
    case ohaAccess:
        if (AccessTimer)
            AccessTimer->SetEnabled(false);
        AccessApplication.reset();
        break;
    case ohaProject:
        ProjectApplication.reset();
        break;
    case ohaPowerPoint:
        PowerPointApplication.reset();
        break;
    case ohaFrontPage:
        FrontPageApplication.reset();
        break;
    case ohaMapPoint:
        MapPointApplication.reset();
        break;
    case ohaVisio:
        VisioApplication.reset();
        break;
    case ohaPublisher:
        PublisherApplication.reset();
        break;
    case ohaInfoPath:
        InfoPathApplication.reset();
        break;
    }
}
