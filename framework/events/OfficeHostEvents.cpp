// The other hosts' event components: their class records and construction.
#include "framework/events/OfficeHostEvents.h"

#include "framework/hosts/HostInterfaces.h"

namespace {

// The record of a host's component: its application interface; no event
// interface yet, so the component is not advised.
TadxServerData HostData(const GUID& intfIid) {
    return TadxServerData{GUID{}, intfIid, GUID{}};
}

TadxServerData wordData = HostData(adx::IID_WordApplication);
TadxServerData excelData = HostData(adx::IID_ExcelApplication);
TadxServerData projectData = HostData(adx::IID_ProjectApplication);
TadxServerData powerPointData = HostData(adx::IID_PowerPointApplication);
TadxServerData frontPageData = HostData(adx::IID_FrontPageApplication);
TadxServerData mapPointData = HostData(adx::IID_MapPointApplication);
TadxServerData visioData = HostData(adx::IID_VisioApplication);
TadxServerData publisherData = HostData(adx::IID_PublisherApplication);
TadxServerData infoPathData = HostData(adx::IID_InfoPathApplication);

} // namespace

TadxWordAppEvents::TadxWordAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, wordData, ClassNameOf<TadxWordAppEvents>()) {}
TadxExcelAppEvents::TadxExcelAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, excelData, ClassNameOf<TadxExcelAppEvents>()) {}
TadxProjectAppEvents::TadxProjectAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, projectData, ClassNameOf<TadxProjectAppEvents>()) {}
TadxPowerPointAppEvents::TadxPowerPointAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, powerPointData, ClassNameOf<TadxPowerPointAppEvents>()) {}
TadxFrontPageAppEvents::TadxFrontPageAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, frontPageData, ClassNameOf<TadxFrontPageAppEvents>()) {}
TadxMapPointAppEvents::TadxMapPointAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, mapPointData, ClassNameOf<TadxMapPointAppEvents>()) {}
TadxVisioAppEvents::TadxVisioAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, visioData, ClassNameOf<TadxVisioAppEvents>()) {}
TadxPublisherAppEvents::TadxPublisherAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, publisherData, ClassNameOf<TadxPublisherAppEvents>()) {}
TadxInfoPathAppEvents::TadxInfoPathAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, infoPathData, ClassNameOf<TadxInfoPathAppEvents>()) {}
