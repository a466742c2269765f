// TadxEventSink: the sink on one host control's events that turns a
// button's Click or a list's Change into the control's DoAction. The host
// raises Click on every object of the same tag, so the sink acts only on
// the events of its own control's tag.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/rtl/Lifetime.h"
#include "platform/rtl/Object.h"

class TadxModuleServices;
class TadxCommandBarControl;

// GetIDsOfNames of a sink that answers one member name, expected (exactly,
// after conversion to the system code page, at most 512 bytes; nullptr:
// none), as DISPID 1: E_POINTER for missing arrays, E_INVALIDARG for a
// count other than 1, DISP_E_UNKNOWNNAME for any other name.
HRESULT adxSinkIDsOfNames(const char16_t* const* names, uint32_t count, DISPID* dispIds,
                          const char* expected);

class TadxEventSink final : public ComObject<IDispatch>, public TObject {
public:
    // A sink for Control, advised on its host control: as a button's
    // (host type 1) Click sink, else as a Change sink.
    static ComPtr<TadxEventSink> Create(TadxModuleServices* Module, TadxCommandBarControl* Control);

    // Unadvises from the host object it was advised on; failures are swallowed.
    void Disconnect() noexcept;
    // Forgets the control (it is going away or has another sink now).
    void Detach() noexcept { control_ = nullptr; }
    // The advise cookie (0: not advised) and the object advised on.
    uint32_t Cookie() const noexcept { return cookie_; }
    IDispatch* Source() const noexcept { return source_.Get(); }

    // Count 0, S_OK.
    HRESULT GetTypeInfoCount(uint32_t* count) override;
    // No type information: E_FAIL.
    HRESULT GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** typeInfo) override;
    // "Click" (a button's sink) or "Change" (a list's), exactly, is DISPID 1.
    HRESULT GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count, LCID lcid,
                          DISPID* dispIds) override;
    // DISPID 1 with the firing control first: when its Tag is the control's
    // tag, runs DoAction (not while the last one still runs); failures go
    // to DoError; always S_OK.
    HRESULT Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) override;

private:
    friend struct ::ComMaker;
    TadxEventSink(TadxModuleServices* Module, TadxCommandBarControl* Control);
    ~TadxEventSink() override;
    bool SameTag(const Variant& firing) const;
    void Rebind(const Variant& firing);

    TadxModuleServices* module_;
    TadxCommandBarControl* control_;
    // Tells whether control_ still lives.
    rtl::TLifeWatch controlWatch_;
    uint32_t cookie_ = 0;
    ComPtr<IDispatch> source_;
    GUID eventIid_{};
    int32_t hostType_ = 0;
    bool busy_ = false;
};
