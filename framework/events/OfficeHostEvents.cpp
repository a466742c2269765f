// The other hosts' event components: their class records, tables and the
// hosts' particular ways of choosing the event source.
#include "framework/events/OfficeHostEvents.h"

#include "framework/support/HostInterfaces.h"
#include "platform/com/LateBound.h"

namespace {

TadxServerData HostData(const char* classId, const GUID& intfIid, const char* eventIid) {
    return TadxServerData{MakeGuid(classId), intfIid, MakeGuid(eventIid)};
}

// Word's record holds Word's own class and application interface.
TadxServerData wordData =
    HostData("{000209FF-0000-0000-C000-000000000046}", adx::IID_WordApplication,
             "{00020A01-0000-0000-C000-000000000046}");
TadxServerData excelData =
    HostData("{00024500-0000-0000-C000-000000000046}", adx::IID_ExcelApplication,
             "{00024413-0000-0000-C000-000000000046}");
TadxServerData projectData =
    HostData("{36D27C48-A1E8-11D3-BA55-00C04F72F325}", adx::IID_ProjectApplication,
             "{5066D7C4-1ED7-48C4-ACE7-299E109D368C}");
TadxServerData powerPointData =
    HostData("{91493441-5A91-11CF-8700-00AA0060263B}", adx::IID_PowerPointApplication,
             "{914934C2-5A91-11CF-8700-00AA0060263B}");
TadxServerData frontPageData =
    HostData("{04DF1015-7007-11D1-83BC-006097ABE675}", adx::IID_FrontPageApplication,
             "{F5D15700-E9D8-11D1-B0DF-00C04FA30A8B}");
TadxServerData mapPointData =
    HostData("{31851F82-AFE6-11D2-A3C9-00C04F72F340}", adx::IID_MapPointApplication,
             "{91848759-5033-4956-8E9C-B840F11C6045}");
TadxServerData visioData =
    HostData("{00021A20-0000-0000-C000-000000000046}", adx::IID_VisioApplication,
             "{000D0B00-0000-0000-C000-000000000046}");
TadxServerData publisherData =
    HostData("{0002123D-0000-0000-C000-000000000046}", adx::IID_PublisherApplication,
             "{00021240-0000-0000-C000-000000000046}");
TadxServerData infoPathData =
    HostData("{8075635F-5146-11D5-A672-00B0D022E945}", adx::IID_InfoPathApplication,
             "{096CD72D-0786-11D1-95FA-0080C78EE3BB}");

} // namespace

const TadxEventTable& adxHostEventTable(TadxOfficeHostApp host) {
    using namespace adx::tables;
    static const TadxEventTable none;
    switch (host) {
    case ohaWord:
        return WordTable();
    case ohaExcel:
        return ExcelTable();
    case ohaPowerPoint:
        return PowerPointTable();
    case ohaProject:
        return ProjectTable();
    case ohaFrontPage:
        return FrontPageTable();
    case ohaMapPoint:
        return MapPointTable();
    case ohaVisio:
        return VisioTable();
    case ohaPublisher:
        return PublisherTable();
    case ohaInfoPath:
        return InfoPathTable();
    default:
        return none;
    }
}

TadxWordAppEvents::TadxWordAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, wordData, ClassNameOf<TadxWordAppEvents>(),
                      adx::tables::WordTable()) {}

void TadxWordAppEvents::ConnectTo(IUnknown* Server, const std::string& Version) {
    if (Version == "9")
        SetEventIID(MakeGuid("{000209FE-0000-0000-C000-000000000046}"));
    else if (Version == "10")
        SetEventIID(MakeGuid("{00020A00-0000-0000-C000-000000000046}"));
    else
        SetEventIID(MakeGuid("{00020A01-0000-0000-C000-000000000046}"));
    ConnectTo(Server);
}

void TadxWordAppEvents::Fire(size_t index, std::vector<Variant>& Params, Variant& Result) {
    // The host's Startup goes to the handler detection fires as well.
    if (Table()[index].Id == 0x1) {
        rtl::FireSurvives(Liveness(), OnStartup, this);
        return;
    }
    TadxTableEvents::Fire(index, Params, Result);
}

TadxExcelAppEvents::TadxExcelAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, excelData, ClassNameOf<TadxExcelAppEvents>(),
                      adx::tables::ExcelTable()) {}

TadxProjectAppEvents::TadxProjectAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, projectData, ClassNameOf<TadxProjectAppEvents>(),
                      adx::tables::ProjectTable()) {}

void TadxProjectAppEvents::ConnectTo(IUnknown* Server, const std::string& Version) {
    SetEventIID(Version == "9" ? MakeGuid("{7B7597D0-0C9F-11D0-8C43-00A0C904DCD4}")
                               : MakeGuid("{5066D7C4-1ED7-48C4-ACE7-299E109D368C}"));
    ConnectTo(Server);
}

TadxPowerPointAppEvents::TadxPowerPointAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, powerPointData, ClassNameOf<TadxPowerPointAppEvents>(),
                      adx::tables::PowerPointTable()) {}
TadxFrontPageAppEvents::TadxFrontPageAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, frontPageData, ClassNameOf<TadxFrontPageAppEvents>(),
                      adx::tables::FrontPageTable()) {}
TadxMapPointAppEvents::TadxMapPointAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, mapPointData, ClassNameOf<TadxMapPointAppEvents>(),
                      adx::tables::MapPointTable()) {}
TadxVisioAppEvents::TadxVisioAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, visioData, ClassNameOf<TadxVisioAppEvents>(),
                      adx::tables::VisioTable()) {}
TadxPublisherAppEvents::TadxPublisherAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, publisherData, ClassNameOf<TadxPublisherAppEvents>(),
                      adx::tables::PublisherTable()) {}
TadxInfoPathAppEvents::TadxInfoPathAppEvents(TComponent* AOwner)
    : TadxTableEvents(AOwner, infoPathData, ClassNameOf<TadxInfoPathAppEvents>(),
                      adx::tables::InfoPathTable()) {}

TadxInfoPathAppEvents::~TadxInfoPathAppEvents() {
    Disconnect();
}

ComPtr<IUnknown> TadxInfoPathAppEvents::EventSource(IDispatch* server) {
    // The stand-in of the host's own accessor for its event object: read
    // late-bound, so that any application object that offers it serves.
    Variant source = dispGet(Variant(ComPtr<IDispatch>::Share(server)), "EventSource");
    if (source.IsEmptyOrNothing())
        return nullptr;
    return source.AsUnknown();
}
