// The server wrapper base and its event sink.
#include "platform/outlook/OleServer.h"

#include "platform/com/OleError.h"

// The sink advised on the server: it answers the event interface and passes
// every call to its wrapper until the wrapper lets it go.
class TOleServer::EventSink final : public ComObject<IDispatch> {
public:
    void Detach() noexcept { owner_ = nullptr; }

    HRESULT GetTypeInfoCount(uint32_t* count) override {
        return DispatchTable::NoTypeInfoCount(count);
    }
    HRESULT GetTypeInfo(uint32_t index, LCID, ITypeInfo** info) override {
        return DispatchTable::NoTypeInfo(index, info);
    }
    HRESULT GetIDsOfNames(const GUID&, const char16_t* const*, uint32_t, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams* params, Variant*,
                   ExcepInfo* excepInfo, uint32_t* argErr) override {
        ComPtr<EventSink> self = ComPtr<EventSink>::Share(this);
        if (!owner_)
            return S_OK;
        return DispatchGuard(excepInfo, argErr, u"", [&] {
            TEventArgs args(LayOutInvokeArguments(params).Values);
            owner_->InvokeEvent(id, args);
            return S_OK;
        });
    }

private:
    friend struct ::ComMaker;
    EventSink(TOleServer* owner, const GUID& eventIid) : owner_(owner) {
        AddInterfaceAlias<IDispatch>(eventIid);
    }
    TOleServer* owner_;
};

TOleServer::TOleServer(TComponent* AOwner) : TComponent(AOwner) {}

TOleServer::~TOleServer() {
    Disconnect();
}

void TOleServer::SetEventIID(const GUID& iid) {
    defaultEventIid_ = iid;
    eventIidFixed_ = true;
}

void TOleServer::ConnectTo(const Variant& server) {
    ComPtr<IUnknown> object = server.IsEmptyOrNothing() ? nullptr : server.AsUnknown();
    ConnectTo(object.Get());
}

void TOleServer::ConnectTo(IUnknown* server) {
    Disconnect();
    if (!server)
        return;
    ComPtr<IDispatch> intf;
    HRESULT hr = server->QueryInterface(IntfIID(), intf.ReceiveVoid());
    if (FAILED(hr) || !intf)
        throw EOleSysError(SysErrorMessage(E_NOINTERFACE), E_NOINTERFACE);
    intf_ = intf;
    eventIid_ = eventIidFixed_ ? defaultEventIid_ : ChooseEventIID(intf_.Get());
    sink_ = MakeComObject<EventSink>(this, eventIid_);
    // A server without this event interface is not advised; the wrapper
    // still reaches its members.
    if (FAILED(InterfaceConnect(intf_.Get(), eventIid_, static_cast<IDispatch*>(sink_.Get()),
                                cookie_)))
        cookie_ = 0;
}

void TOleServer::Disconnect() {
    if (sink_)
        sink_->Detach();
    if (cookie_ && intf_)
        InterfaceDisconnect(intf_.Get(), eventIid_, cookie_);
    cookie_ = 0;
    sink_ = nullptr;
    intf_ = nullptr;
}

TEventArgs::~TEventArgs() {
    for (const WriteBack& back : writeBacks_) {
        if (back.Flag)
            *back.Target = Variant(*back.Flag != VARIANT_FALSE);
        if (back.Text)
            *back.Target = Variant(*back.Text);
    }
}

const Variant& TEventArgs::operator[](size_t i) const {
    static const Variant none;
    return i < args_.size() ? args_[i] : none;
}

ComPtr<IDispatch> TEventArgs::Object(size_t i) const {
    Variant value = (*this)[i].Deref();
    return value.IsEmptyOrNothing() ? nullptr : value.AsDispatch();
}

std::u16string TEventArgs::Text(size_t i) const {
    const Variant& arg = (*this)[i];
    return arg.Deref().IsEmpty() ? std::u16string() : arg.AsWide();
}

int TEventArgs::Integer(size_t i) const {
    const Variant& arg = (*this)[i];
    return arg.Deref().IsEmpty() ? 0 : arg.AsInteger();
}

WordBool& TEventArgs::Flag(size_t i) {
    const Variant& arg = (*this)[i];
    if (arg.Type() == (VT_BYREF | VT_BOOL))
        return arg.BoolRef();
    Variant value = arg.Deref();
    flags_.push_back(value.IsEmpty() ? VARIANT_FALSE : value.AsWordBool());
    if (arg.Type() == (VT_BYREF | VT_VARIANT))
        writeBacks_.push_back({&arg.VariantRef(), &flags_.back(), nullptr});
    return flags_.back();
}

std::u16string& TEventArgs::TextRef(size_t i) {
    const Variant& arg = (*this)[i];
    if (arg.Type() == (VT_BYREF | VT_BSTR))
        return arg.BstrRef();
    Variant value = arg.Deref();
    texts_.push_back(value.IsEmpty() ? std::u16string() : value.AsWide());
    if (arg.Type() == (VT_BYREF | VT_VARIANT))
        writeBacks_.push_back({&arg.VariantRef(), nullptr, &texts_.back()});
    return texts_.back();
}

Variant& TEventArgs::Value(size_t i) {
    const Variant& arg = (*this)[i];
    if (arg.Type() == (VT_BYREF | VT_VARIANT))
        return arg.VariantRef();
    values_.push_back(arg.Deref());
    return values_.back();
}
