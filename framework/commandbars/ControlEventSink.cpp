// The command-bar controls' Click and Change sink.
#include "framework/commandbars/ControlEventSink.h"

#include "framework/commandbars/CommandBarControl.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/LateBound.h"
#include "platform/text/Text.h"

namespace {

// Click and Change are the one member of their event interfaces.
constexpr DISPID kClickOrChange = 1;

// Reports through the module; nothing of it may fail the host's call.
void Report(TadxModuleServices* module, const Exception& e) noexcept {
    try {
        if (module)
            module->DoError(e);
    } catch (...) {
    }
}

} // namespace

ComPtr<TadxEventSink> TadxEventSink::Create(TadxModuleServices* Module,
                                            TadxCommandBarControl* Control) {
    ComPtr<TadxEventSink> sink = MakeComObject<TadxEventSink>(Module, Control);
    try {
        sink->hostType_ = dispGet(Control->HostControl(), "Type").AsInteger();
    } catch (const Exception&) {
        sink->hostType_ = 0;
    }
    sink->eventIid_ =
        sink->hostType_ == 1 ? DIID__CommandBarButtonEvents : DIID__CommandBarComboBoxEvents;
    sink->AddInterfaceAlias<IDispatch>(sink->eventIid_);
    // The sink remembers what it advised on: a rebind gives the control
    // another host object, and the old sink must leave the old one.
    sink->source_ = ComPtr<IDispatch>::Share(Control->HostControl());
    if (FAILED(InterfaceConnect(sink->source_.Get(), sink->eventIid_,
                                static_cast<IDispatch*>(sink.Get()), sink->cookie_)))
        sink->cookie_ = 0;
    return sink;
}

TadxEventSink::TadxEventSink(TadxModuleServices* Module, TadxCommandBarControl* Control)
    : module_(Module), control_(Control), controlWatch_(Control->Liveness().Watch()) {}

TadxEventSink::~TadxEventSink() {
    module_ = nullptr;
    control_ = nullptr;
}

void TadxEventSink::Disconnect() noexcept {
    if (cookie_ && source_)
        InterfaceDisconnect(source_.Get(), eventIid_, cookie_);
    cookie_ = 0;
}

HRESULT TadxEventSink::GetTypeInfoCount(uint32_t* count) {
    if (count)
        *count = 0;
    return S_OK;
}

HRESULT TadxEventSink::GetTypeInfo(uint32_t, LCID, ITypeInfo** typeInfo) {
    if (typeInfo)
        *typeInfo = nullptr;
    return E_FAIL;
}

HRESULT adxSinkIDsOfNames(const char16_t* const* names, uint32_t count, DISPID* dispIds,
                          const char* expected) {
    if (!names || !dispIds)
        return E_POINTER;
    if (count != 1)
        return E_INVALIDARG;
    std::string name = names[0] ? text::Narrow(std::u16string_view(names[0])) : std::string();
    if (name.size() > 512)
        name.resize(512);
    if (!expected || name != expected) {
        dispIds[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    dispIds[0] = kClickOrChange;
    return S_OK;
}

HRESULT TadxEventSink::GetIDsOfNames(const GUID&, const char16_t* const* names, uint32_t count,
                                     LCID, DISPID* dispIds) {
    const char* expected = hostType_ == 1                     ? "Click"
                           : hostType_ >= 2 && hostType_ <= 4 ? "Change"
                                                              : nullptr;
    return adxSinkIDsOfNames(names, count, dispIds, expected);
}

bool TadxEventSink::SameTag(const Variant& firing) const {
    try {
        ComPtr<IDispatch> control =
            adxQueryHostInterface(firing.AsUnknown().Get(), IID_CommandBarControl);
        return control && dispGet(control, "Tag").AsWide() == control_->StoredOfficeTag();
    } catch (const Exception&) {
        // A control that cannot tell its tag is not this sink's.
        return false;
    }
}

void TadxEventSink::Rebind(const Variant& firing) {
    try {
        Variant help = dispGet(control_->HostControl(), "HelpFile");
        dispPut(control_->HostControl(), "HelpFile", help);
    } catch (const Exception&) {
        // The bound host object went stale: the firing one stands for it.
        // This replaces the control's sink (this one); the call holds it.
        control_->SetInterface(firing.AsDispatch());
    }
}

HRESULT TadxEventSink::Invoke(DISPID dispId, const GUID&, LCID, uint16_t, DispParams* params,
                              Variant*, ExcepInfo*, uint32_t*) {
    if (dispId != kClickOrChange)
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_POINTER;
    // The rebind below drops this sink; it must outlive its own call.
    ComPtr<TadxEventSink> self = ComPtr<TadxEventSink>::Share(this);
    // No firing control: nothing to compare, so no tag of ours.
    if (params->cArgs == 0 || !control_ || !controlWatch_.Alive())
        return S_OK;
    const Variant firing = params->rgvarg[params->cArgs - 1];
    if (!SameTag(firing))
        return S_OK;
    TadxCommandBarControl* control = control_;
    TadxModuleServices* module = module_;
    rtl::TLifeWatch watch = controlWatch_;
    try {
        Rebind(firing);
    } catch (const Exception& e) {
        if (watch.Alive())
            Report(module, e);
        return S_OK;
    }
    if (busy_)
        return S_OK;
    busy_ = true;
    try {
        control->DoAction();
    } catch (const Exception& e) {
        busy_ = false;
        // A handler that freed its control (turning the add-in off) has
        // nobody left to report to.
        if (watch.Alive())
            Report(module, e);
    } catch (...) {
        // Nothing may fail the host's call.
    }
    busy_ = false;
    return S_OK;
}
