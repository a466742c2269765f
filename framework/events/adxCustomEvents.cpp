// The base of the host event components: owner check, the sink, advising
// and unadvising.
#include "framework/events/adxCustomEvents.h"

#include "framework/events/EventDispatch.h"
#include "framework/events/OutlookAppEvents.h"
#include "framework/support/FrameworkErrors.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/OleError.h"

namespace {

// The record of a component with no host interface of its own.
TadxServerData noServer{};

} // namespace

TadxCustomEvents::TadxCustomEvents(TComponent* AOwner, TadxServerData& Data,
                                   const std::string& className)
    : TComponent(AOwner), serverData_(&Data), eventIid_(Data.EventIID) {
    CheckOwner(AOwner, className);
    ++serverData_->InstanceCount;
    eventDispatch_ = new TadxEventDispatch(this);
}

TadxCustomEvents::TadxCustomEvents(TComponent* AOwner)
    : TadxCustomEvents(AOwner, noServer, ClassNameOf<TadxCustomEvents>()) {}

void TadxCustomEvents::CheckOwner(TComponent* AOwner, const std::string& className) const {
    if (dynamic_cast<TadxModuleServices*>(AOwner) || dynamic_cast<TadxOutlookAppEvents*>(AOwner))
        return;
    adx::RaiseError(adx::ErrWrongOwner, adx::SWrongContainer,
                    {className, AOwner ? AOwner->ClassName() : std::string("nil")});
}

void TadxCustomEvents::BeforeDestruction() {
    TComponent::BeforeDestruction();
    // A host that went away first cannot be told; the component goes all the same.
    try {
        Disconnect();
    } catch (...) {
    }
}

TadxCustomEvents::~TadxCustomEvents() {
    if (eventDispatch_) {
        eventDispatch_->ServerDisconnect();
        eventDispatch_->Release();
        eventDispatch_ = nullptr;
    }
    --serverData_->InstanceCount;
}

TadxModuleServices* TadxCustomEvents::Module() const noexcept {
    for (TComponent* owner = Owner(); owner; owner = owner->Owner())
        if (auto* module = dynamic_cast<TadxModuleServices*>(owner))
            return module;
    return nullptr;
}

void TadxCustomEvents::ConnectEvents(IUnknown* Server) noexcept {
    eventsConnection_ = 0;
    if (!Server || !eventDispatch_)
        return;
    if (FAILED(InterfaceConnect(Server, eventIid_, static_cast<IDispatch*>(eventDispatch_),
                                eventsConnection_)))
        eventsConnection_ = 0;
}

void TadxCustomEvents::DisconnectEvents(IUnknown* Server) noexcept {
    if (!eventsConnection_ || !Server)
        return;
    InterfaceDisconnect(Server, eventIid_, eventsConnection_);
}

TadxHostInterfaceEvents::TadxHostInterfaceEvents(TComponent* AOwner, TadxServerData& Data,
                                                 const std::string& className)
    : TadxCustomEvents(AOwner, Data, className) {}

TadxHostInterfaceEvents::~TadxHostInterfaceEvents() {
    TadxHostInterfaceEvents::Disconnect();
}

void TadxHostInterfaceEvents::ConnectTo(IUnknown* Server) {
    Disconnect();
    server_ = adxCastArgument(Server ? Variant(Server) : Variant(), ServerData().IntfIID);
    if (!server_)
        throw EOleSysError(SysErrorMessage(E_NOINTERFACE), E_NOINTERFACE);
    ConnectEvents(server_.Get());
}

void TadxHostInterfaceEvents::ConnectTo(IUnknown* Server, const std::string& Version) {
    ConnectTo(Server);
}

void TadxHostInterfaceEvents::Disconnect() {
    if (!server_)
        return;
    DisconnectEvents(server_.Get());
    server_ = nullptr;
}

ComPtr<IDispatch> adxCastArgument(const Variant& argument, const GUID& iid) {
    Variant value = argument.IsByRef() ? argument.Deref() : argument;
    if (value.IsEmptyOrNothing() || value.IsNull())
        return nullptr;
    ComPtr<IUnknown> object = value.AsUnknown();
    ComPtr<IDispatch> cast;
    if (!object || FAILED(object->QueryInterface(iid, cast.ReceiveVoid())) || !cast)
        throw EOleSysError(SysErrorMessage(E_NOINTERFACE), E_NOINTERFACE);
    return cast;
}
