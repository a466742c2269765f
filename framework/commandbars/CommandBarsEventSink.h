// TadxCommandBarsEventSink: the sink on a host window's command bars
// (_CommandBarsEvents) that the add-in object keeps for the current Outlook
// explorer. The host raises OnUpdate when it lays its bars out again; the
// sink hands it to the module's DoCommandBarsUpdate.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"

class TadxModuleServices;

class TadxCommandBarsEventSink final : public ComObject<IDispatch> {
public:
    // A sink for Module advised on CommandBars (which it holds); a host
    // object without the event interface leaves it unadvised.
    static ComPtr<TadxCommandBarsEventSink> Create(TadxModuleServices* Module,
                                                   const ComPtr<IDispatch>& CommandBars);

    // Unadvises from the command bars; failures are swallowed.
    void Disconnect() noexcept;
    // The command bars listened to, and the advise cookie (0: not advised).
    IDispatch* CommandBars() const noexcept { return commandBars_.Get(); }
    uint32_t Cookie() const noexcept { return cookie_; }

    // Count 0, S_OK (E_INVALIDARG for a null count).
    HRESULT GetTypeInfoCount(uint32_t* count) override;
    // No type information: E_FAIL.
    HRESULT GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** typeInfo) override;
    // "OnUpdate" (exactly) is DISPID 1; E_POINTER for missing arrays,
    // E_INVALIDARG for a count other than 1, DISP_E_UNKNOWNNAME otherwise.
    HRESULT GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count, LCID lcid,
                          DISPID* dispIds) override;
    // DISPID 1 runs the module's DoCommandBarsUpdate (its exception goes to
    // DoError) and answers S_OK; any other DISPID DISP_E_MEMBERNOTFOUND.
    HRESULT Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) override;

private:
    friend struct ::ComMaker;
    TadxCommandBarsEventSink(TadxModuleServices* Module, ComPtr<IDispatch> CommandBars);
    // Releases the command bars and forgets the module.
    ~TadxCommandBarsEventSink() override;

    TadxModuleServices* module_;
    uint32_t cookie_ = 0;
    ComPtr<IDispatch> commandBars_;
};
