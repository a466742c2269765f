// The command bars' OnUpdate sink.
#include "framework/commandbars/CommandBarsEventSink.h"

#include "framework/commandbars/ControlEventSink.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/office/CommandBars.h"
#include "platform/text/Text.h"

#include <cstring>

namespace {

// The event's one member.
constexpr DISPID kOnUpdate = 1;

} // namespace

ComPtr<TadxCommandBarsEventSink>
TadxCommandBarsEventSink::Create(TadxModuleServices* Module, const ComPtr<IDispatch>& CommandBars) {
    ComPtr<TadxCommandBarsEventSink> sink =
        MakeComObject<TadxCommandBarsEventSink>(Module, CommandBars);
    if (sink->commandBars_ &&
        FAILED(InterfaceConnect(sink->commandBars_.Get(), DIID__CommandBarsEvents,
                                static_cast<IDispatch*>(sink.Get()), sink->cookie_)))
        sink->cookie_ = 0;
    return sink;
}

TadxCommandBarsEventSink::TadxCommandBarsEventSink(TadxModuleServices* Module,
                                                   ComPtr<IDispatch> CommandBars)
    : module_(Module), commandBars_(std::move(CommandBars)) {
    AddInterfaceAlias<IDispatch>(DIID__CommandBarsEvents);
}

TadxCommandBarsEventSink::~TadxCommandBarsEventSink() {
    commandBars_ = nullptr;
    module_ = nullptr;
}

void TadxCommandBarsEventSink::Disconnect() noexcept {
    if (cookie_ && commandBars_)
        InterfaceDisconnect(commandBars_.Get(), DIID__CommandBarsEvents, cookie_);
    cookie_ = 0;
}

HRESULT TadxCommandBarsEventSink::GetTypeInfoCount(uint32_t* count) {
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT TadxCommandBarsEventSink::GetTypeInfo(uint32_t, LCID, ITypeInfo** typeInfo) {
    if (typeInfo)
        *typeInfo = nullptr;
    return E_FAIL;
}

HRESULT TadxCommandBarsEventSink::GetIDsOfNames(const GUID&, const char16_t* const* names,
                                                uint32_t count, LCID, DISPID* dispIds) {
    return adxSinkIDsOfNames(names, count, dispIds, "OnUpdate");
}

HRESULT TadxCommandBarsEventSink::Invoke(DISPID dispId, const GUID&, LCID, uint16_t, DispParams*,
                                         Variant*, ExcepInfo*, uint32_t*) {
    if (dispId != kOnUpdate)
        return DISP_E_MEMBERNOTFOUND;
    ComPtr<TadxCommandBarsEventSink> self = ComPtr<TadxCommandBarsEventSink>::Share(this);
    if (TadxModuleServices* module = module_) {
        try {
            module->Fire([module] { module->DoCommandBarsUpdate(); });
        } catch (...) {
            // Nothing of the module's may fail the host's call.
        }
    }
    return S_OK;
}
