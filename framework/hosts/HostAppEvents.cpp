// The window events of the Word, Excel, InfoPath and Visio wrappers: the
// sink each wrapper advises on its host's event interface, and the DISPIDs
// of the events the add-in object relays, as the hosts' type libraries
// publish them.
#include "framework/hosts/HostApplications.h"

#include "platform/com/Com.h"
#include "platform/com/LateBound.h"

// The sink a wrapper advises on its host, and the advice itself. The sink
// answers the host as every event sink of the framework does: its arguments
// laid out as LayOutInvokeArguments reads them (a count without an argument
// array is no arguments, named ones go where their DISPID says), no type
// information, no names, and S_OK for every event whatever its arguments.
class TadxHostEventLink {
public:
    class Sink final : public ComObject<IDispatch> {
    public:
        HRESULT GetTypeInfoCount(uint32_t* count) override {
            return DispatchTable::NoTypeInfoCount(count);
        }
        HRESULT GetTypeInfo(uint32_t, LCID, ITypeInfo** typeInfo) override {
            if (typeInfo)
                *typeInfo = nullptr;
            return E_NOTIMPL;
        }
        HRESULT GetIDsOfNames(const GUID&, const char16_t* const*, uint32_t, LCID,
                              DISPID*) override {
            return E_NOTIMPL;
        }
        HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams* params, Variant*,
                       ExcepInfo*, uint32_t*) override {
            // The wrapper may go in its own event: nothing of the sink is used after it.
            try {
                InvokeArguments args = LayOutInvokeArguments(params);
                if (TadxHostApplication* owner = owner_)
                    owner->InvokeEvent(id, args.Values);
            } catch (...) {
                // No handler's failure reaches the host.
            }
            return S_OK;
        }
        TadxHostApplication* owner_;

    private:
        friend struct ::ComMaker;
        Sink(TadxHostApplication* owner, const GUID& iid) : owner_(owner) {
            AddInterfaceAlias<IDispatch>(iid);
        }
    };

    TadxHostEventLink(TadxHostApplication* owner, const GUID& iid, IUnknown* source) {
        ComPtr<IConnectionPointContainer> container = ComQuery<IConnectionPointContainer>(source);
        if (!container)
            throw EOleSysError(SysErrorMessage(E_NOINTERFACE), E_NOINTERFACE);
        OleCheck(container->FindConnectionPoint(iid, point_.Receive()));
        sink_ = MakeComObject<Sink>(owner, iid);
        OleCheck(point_->Advise(sink_.Get(), &cookie_));
    }
    ~TadxHostEventLink() {
        sink_->owner_ = nullptr;
        if (cookie_)
            point_->Unadvise(cookie_);
    }

private:
    ComPtr<IConnectionPoint> point_;
    ComPtr<Sink> sink_;
    uint32_t cookie_ = 0;
};

TadxHostApplication::TadxHostApplication() = default;

TadxHostApplication::~TadxHostApplication() {
    Liveness.End();
    DisconnectEvents();
}

void TadxHostApplication::AdviseEvents(const GUID& iid, IUnknown* source) {
    DisconnectEvents();
    if (!source)
        source = server_.Get();
    if (!source)
        throw EOleSysError(SysErrorMessage(E_POINTER), E_POINTER);
    events_ = std::make_unique<TadxHostEventLink>(this, iid, source);
}

void TadxHostApplication::DisconnectEvents() noexcept {
    events_.reset();
}

IDispatch* TadxHostApplication::ObjectArg(const std::vector<Variant>& args, size_t i) {
    if (i >= args.size())
        return nullptr;
    Variant value = args[i].IsByRef() ? args[i].Deref() : args[i];
    if (value.BaseType() != VT_DISPATCH)
        return nullptr;
    return value.AsDispatch().Get();
}

// ---- Word ----

void TWordApplication::ConnectEvents(int32_t MajorVersion) {
    AdviseEvents(MajorVersion == 9    ? MakeGuid("{000209FE-0000-0000-C000-000000000046}")
                 : MajorVersion == 10 ? MakeGuid("{00020A00-0000-0000-C000-000000000046}")
                                      : MakeGuid("{00020A01-0000-0000-C000-000000000046}"));
}

void TWordApplication::InvokeEvent(DISPID id, const std::vector<Variant>& args) {
    switch (id) {
    case 0x3:
        Fire(OnDocumentChange);
        break;
    case 0x4:
        Fire(OnDocumentOpen, ObjectArg(args, 0));
        break;
    case 0x9:
        Fire(OnNewDocument, ObjectArg(args, 0));
        break;
    case 0xA:
        Fire(OnWindowActivate, ObjectArg(args, 0), ObjectArg(args, 1));
        break;
    default:
        break;
    }
}

// ---- Excel ----

void TExcelApplication::ConnectEvents(int32_t MajorVersion) {
    AdviseEvents(MakeGuid("{00024413-0000-0000-C000-000000000046}"));
}

void TExcelApplication::InvokeEvent(DISPID id, const std::vector<Variant>& args) {
    if (id == 0x619)
        Fire(OnSheetActivate, ObjectArg(args, 0));
    else if (id == 0x620)
        Fire(OnWorkbookActivate, ObjectArg(args, 0));
}

// ---- Visio ----

void TVisioApplication::ConnectEvents(int32_t MajorVersion) {
    AdviseEvents(MakeGuid("{000D0B00-0000-0000-C000-000000000046}"));
}

void TVisioApplication::InvokeEvent(DISPID id, const std::vector<Variant>& args) {
    if (id == 0x1080)
        Fire(OnWindowActivated, ObjectArg(args, 0));
}

// ---- InfoPath ----

void infopath::TApplication::ConnectEvents(int32_t MajorVersion) {
    // The same event object the InfoPath component advises on.
    Variant source = dispGet(server_, "EventSource");
    AdviseEvents(MakeGuid("{096CD72D-0786-11D1-95FA-0080C78EE3BB}"), source.AsUnknown().Get());
}

void infopath::TApplication::InvokeEvent(DISPID id, const std::vector<Variant>& args) {
    switch (id) {
    case 0x1:
        Fire(OnWindowActivate, ObjectArg(args, 0), ObjectArg(args, 1));
        break;
    case 0x7:
        Fire(OnNewXDocument, ObjectArg(args, 0));
        break;
    case 0x8:
        Fire(OnXDocumentOpen, ObjectArg(args, 0));
        break;
    default:
        break;
    }
}
