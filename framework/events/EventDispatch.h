// TadxEventDispatch: the sink that a host event component advises on its
// host's connection point. The host calls IDispatch::Invoke on it with an
// event's DISPID and its arguments in COM's order; the sink lays them out in
// declaration order (named arguments where their DISPID says), hands them to
// its component's InvokeEventWithResult, reports a handler's exception
// through the add-in module's DoError, writes by-reference arguments and
// the value a handler returned back and always answers S_OK, so that no
// handler's failure ever reaches the host.
//
// Lifetime: the component owns the sink, but the host holds references to
// it while it is advised and while it calls it. The sink's references count
// on its component too; when the component goes it lets go of the sink
// (ServerDisconnect, then its own reference), and the sink is freed when
// the last reference is dropped, which may be the host's, after the call in
// which the component closed itself. A handler may free the component (a
// window's sink closed with its window, every component when the add-in is
// turned off): the sink then touches it no more and reports an exception
// only through a module that lives on (adxFire, support/ModuleServices.h).
#pragma once

#include "platform/com/DispParams.h"
#include "platform/com/Dispatch.h"

#include <atomic>
#include <cstdint>
#include <vector>

class TadxCustomEvents;

class TadxEventDispatch final : public IDispatch {
public:
    // A sink serving Owner, with one reference (its owner's).
    explicit TadxEventDispatch(TadxCustomEvents* Owner) noexcept : owner_(Owner) {}

    // Forgets the owner: later events and references reach nobody.
    void ServerDisconnect() noexcept { owner_ = nullptr; }
    // The component served, or nullptr after ServerDisconnect.
    TadxCustomEvents* Owner() const noexcept { return owner_; }

    // IUnknown and IDispatch; the owner's event interface answers as IDispatch.
    HRESULT QueryInterface(const GUID& iid, void** ppv) override;
    // Count on the owner as well while there is one; the sink is freed by
    // the last Release once it has no owner.
    ULONG AddRef() override;
    ULONG Release() override;
    // References held now.
    ULONG RefCount() const noexcept { return refCount_.load(); }

    // Count 0, S_OK (E_INVALIDARG for a null count).
    HRESULT GetTypeInfoCount(uint32_t* count) override;
    // E_NOTIMPL, with *typeInfo nil.
    HRESULT GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** typeInfo) override;
    // E_NOTIMPL: the host calls events by DISPID.
    HRESULT GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count, LCID lcid,
                          DISPID* dispIds) override;
    // One event; S_OK whatever happens. Result is written when the component
    // answered (an event that returns a value); exception information and
    // argument error never are.
    HRESULT Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) override;

private:
    ~TadxEventDispatch() override = default;
    // Hands the arguments to the owner and reports its exception.
    void Deliver(DISPID dispId, std::vector<Variant>& arguments, Variant& answer) noexcept;

    TadxCustomEvents* owner_;
    std::atomic<ULONG> refCount_{1};
};
