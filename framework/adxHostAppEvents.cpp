// The host event components' connection.
#include "framework/adxHostAppEvents.h"

#include "framework/HostInterfaces.h"
#include "platform/com/OleError.h"

TadxHostInterfaceEvents::TadxHostInterfaceEvents(TComponent* AOwner, const GUID& intfIid)
    : TadxCustomEvents(AOwner), intfIid_(intfIid) {}

void TadxHostInterfaceEvents::ConnectTo(IUnknown* Server) {
    Disconnect();
    ComPtr<IUnknown> server;
    HRESULT hr = Server ? Server->QueryInterface(intfIid_, server.ReceiveVoid()) : E_POINTER;
    if (FAILED(hr) || !server)
        throw EOleSysError("Interface not supported", E_NOINTERFACE);
    server_ = std::move(server);
}

void TadxHostInterfaceEvents::ConnectTo(IUnknown* Server, const std::string& Version) {
    ConnectTo(Server);
}

void TadxHostInterfaceEvents::Disconnect() {
    server_ = nullptr;
}

TadxWordAppEvents::TadxWordAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_WordApplication) {}
TadxExcelAppEvents::TadxExcelAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_ExcelApplication) {}
TadxOutlookAppEvents::TadxOutlookAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_OutlookApplication) {}
TadxProjectAppEvents::TadxProjectAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_ProjectApplication) {}
TadxPowerPointAppEvents::TadxPowerPointAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_PowerPointApplication) {}
TadxFrontPageAppEvents::TadxFrontPageAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_FrontPageApplication) {}
TadxMapPointAppEvents::TadxMapPointAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_MapPointApplication) {}
TadxVisioAppEvents::TadxVisioAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_VisioApplication) {}
TadxPublisherAppEvents::TadxPublisherAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_PublisherApplication) {}
TadxInfoPathAppEvents::TadxInfoPathAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, adx::IID_InfoPathApplication) {}
