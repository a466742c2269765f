// Helpers for the tests of the simulated Outlook and the Outlook wrappers: a
// sink that records the events it receives, advised for the length of a
// scope, and the text of a property read late-bound.
#pragma once

#include "platform/com/Com.h"

#include <functional>
#include <string>
#include <vector>

// The text a late-bound property answered.
inline std::u16string Text(const Variant& v) {
    return v.AsWide();
}

// One event as a sink received it: its DISPID and its arguments in
// declaration order (by-reference arguments read through).
struct ReceivedEvent {
    DISPID Id;
    std::vector<Variant> Args;
};

// A sink for one event interface that records every event; OnEvent sees the
// arguments as passed (a by-reference Cancel can be set through them).
class RecordingSink : public DispatchObject<IDispatch> {
public:
    std::vector<ReceivedEvent> Events;
    std::function<void(DISPID, std::vector<Variant>& args)> OnEvent;

    HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams* params, Variant*, ExcepInfo*,
                   uint32_t*) override {
        std::vector<Variant> args;
        for (uint32_t i = 0; i < params->cArgs; ++i)
            args.push_back(params->rgvarg[params->cArgs - 1 - i]);
        if (OnEvent)
            OnEvent(id, args);
        ReceivedEvent event{id, {}};
        for (const Variant& arg : args)
            event.Args.push_back(arg.Deref());
        Events.push_back(std::move(event));
        return S_OK;
    }

    // The DISPIDs received, in order.
    std::vector<DISPID> Ids() const {
        std::vector<DISPID> ids;
        for (const auto& e : Events)
            ids.push_back(e.Id);
        return ids;
    }

private:
    friend struct ::ComMaker;
    explicit RecordingSink(const GUID& eventIid) { AddInterfaceAlias<IDispatch>(eventIid); }
};

// A RecordingSink advised on source's connection point for iid while it lives.
class AdvisedSink {
public:
    AdvisedSink(IUnknown* source, const GUID& iid)
        : source_(ComPtr<IUnknown>::Share(source)), iid_(iid),
          sink(MakeComObject<RecordingSink>(iid)) {
        hr = InterfaceConnect(source, iid, sink->UnknownSelf(), cookie_);
    }
    ~AdvisedSink() { Unadvise(); }
    AdvisedSink(const AdvisedSink&) = delete;
    AdvisedSink& operator=(const AdvisedSink&) = delete;

    // Ends the advice early.
    void Unadvise() {
        if (cookie_)
            InterfaceDisconnect(source_.Get(), iid_, cookie_);
    }
    RecordingSink* operator->() const { return sink.Get(); }

private:
    ComPtr<IUnknown> source_;
    GUID iid_;
    uint32_t cookie_ = 0;

public:
    ComPtr<RecordingSink> sink;
    // What advising answered.
    HRESULT hr = S_OK;
};
