// The table-driven host event component and the arguments its handlers read.
#include "framework/events/TableEvents.h"

#include "platform/text/Text.h"

namespace {

[[noreturn]] void Mismatch(const std::string& what) {
    throw EOleSysError(what, DISP_E_TYPEMISMATCH);
}

} // namespace

// ---- TadxEventArgs ----

size_t TadxEventArgs::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < method_.Params.size(); ++i)
        if (text::SameText(method_.Params[i].Name, name))
            return i;
    throw EOleSysError(std::string(method_.Handler) + " has no parameter " + std::string(name),
                       DISP_E_PARAMNOTFOUND);
}

const TadxEventParam& TadxEventArgs::Expect(size_t i, TadxEventParamKind kind) const {
    if (i >= method_.Params.size())
        throw EOleSysError(std::string(method_.Handler) + " has no parameter " + std::to_string(i),
                           DISP_E_PARAMNOTFOUND);
    const TadxEventParam& param = method_.Params[i];
    if (kind != TadxEventParamKind::Variant && param.Kind != kind)
        Mismatch(std::string(method_.Handler) + ": " + param.Name + " is of another kind");
    return param;
}

Variant TadxEventArgs::Read(size_t i) const {
    if (i >= params_.size())
        return Variant();
    const Variant& value = params_[i];
    return value.IsByRef() ? value.Deref() : value;
}

ComPtr<IDispatch> TadxEventArgs::Object(size_t i) const {
    Expect(i, TadxEventParamKind::Object);
    Variant value = Read(i);
    return value.IsEmptyOrNothing() || value.IsNull() ? nullptr : value.AsDispatch();
}

bool TadxEventArgs::Bool(size_t i) const {
    Expect(i, TadxEventParamKind::Bool);
    Variant value = Read(i);
    return !value.IsEmpty() && value.AsBool();
}

int32_t TadxEventArgs::Integer(size_t i) const {
    Expect(i, TadxEventParamKind::Integer);
    Variant value = Read(i);
    return value.IsEmpty() ? 0 : value.AsInteger();
}

double TadxEventArgs::Double(size_t i) const {
    Expect(i, TadxEventParamKind::Double);
    Variant value = Read(i);
    return value.IsEmpty() ? 0.0 : value.AsDouble();
}

std::u16string TadxEventArgs::String(size_t i) const {
    Expect(i, TadxEventParamKind::String);
    Variant value = Read(i);
    return value.IsEmpty() ? std::u16string() : value.AsWide();
}

Variant TadxEventArgs::Value(size_t i) const {
    Expect(i, TadxEventParamKind::Variant);
    return Read(i);
}

void TadxEventArgs::Write(size_t i, TadxEventParamKind kind, const Variant& value) {
    const TadxEventParam& param = Expect(i, kind);
    if (!param.ByRef)
        Mismatch(std::string(method_.Handler) + ": " + param.Name + " is passed by value");
    if (i >= params_.size())
        return;
    if (params_[i].IsByRef())
        params_[i].SetValue(value);
    else
        params_[i] = value;
}

void TadxEventArgs::SetBool(size_t i, bool value) {
    Write(i, TadxEventParamKind::Bool, Variant(value));
}
void TadxEventArgs::SetInteger(size_t i, int32_t value) {
    Write(i, TadxEventParamKind::Integer, Variant(value));
}
void TadxEventArgs::SetString(size_t i, const std::u16string& value) {
    Write(i, TadxEventParamKind::String, Variant(value));
}
void TadxEventArgs::SetValue(size_t i, const Variant& value) {
    Write(i, TadxEventParamKind::Variant, value);
}

void TadxEventArgs::SetResult(bool value) {
    if (!method_.Returns)
        Mismatch(std::string(method_.Handler) + " returns nothing");
    if (result_)
        *result_ = Variant(value);
}

bool TadxEventArgs::Result() const {
    return result_ && !result_->IsEmpty() && result_->AsBool();
}

void adx::detail::CheckSignature(const TadxEventMethod& row,
                                 const std::vector<TadxEventParam>& wanted, bool returns) {
    if (returns && !row.Returns)
        Mismatch(std::string(row.Handler) + " returns nothing");
    if (wanted.size() != row.Params.size())
        Mismatch(std::string(row.Handler) + " takes " + std::to_string(row.Params.size()) +
                 " parameters");
    for (size_t i = 0; i < wanted.size(); ++i) {
        const TadxEventParam& have = row.Params[i];
        bool kindFits =
            wanted[i].Kind == TadxEventParamKind::Variant || wanted[i].Kind == have.Kind;
        if (!kindFits || (wanted[i].ByRef && !have.ByRef))
            Mismatch(std::string(row.Handler) + ": " + have.Name + " does not fit its parameter");
    }
}

// ---- TadxTableEvents ----

TadxTableEvents::TadxTableEvents(TComponent* AOwner, TadxServerData& Data,
                                 const std::string& className, const TadxEventTable& table)
    : TadxCustomEvents(AOwner, Data, className), table_(table), handlers_(table.size()) {
    for (size_t i = 0; i < table.size(); ++i)
        rows_.emplace(table[i].Id, i);
}

TadxTableEvents::~TadxTableEvents() {
    EndLiveness();
    TadxTableEvents::Disconnect();
}

ComPtr<IUnknown> TadxTableEvents::EventSource(IDispatch* server) {
    return ComPtr<IUnknown>::Share(server);
}

void TadxTableEvents::ConnectTo(IUnknown* Server) {
    Disconnect();
    server_ = adxCastArgument(Server ? Variant(Server) : Variant(), ServerData().IntfIID);
    if (!server_)
        throw EOleSysError(SysErrorMessage(E_NOINTERFACE), E_NOINTERFACE);
    if (ComPtr<IUnknown> source = EventSource(server_.Get()))
        ConnectEvents(source.Get());
}

void TadxTableEvents::ConnectTo(IUnknown* Server, const std::string& Version) {
    ConnectTo(Server);
}

void TadxTableEvents::Disconnect() {
    if (!server_)
        return;
    try {
        if (ComPtr<IUnknown> source = EventSource(server_.Get()))
            DisconnectEvents(source.Get());
    } catch (const Exception&) {
        // The host no longer hands its event source out: nothing left to unadvise.
    }
    server_ = nullptr;
}

const TadxEventMethod& TadxTableEvents::Row(std::string_view name) const {
    for (const TadxEventMethod& row : table_)
        if (text::SameText(row.Handler, name))
            return row;
    throw EOleSysError("No event " + std::string(name), DISP_E_UNKNOWNNAME);
}

TadxHostEventHandler& TadxTableEvents::Handler(std::string_view Name) {
    return handlers_[&Row(Name) - table_.data()];
}

void TadxTableEvents::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    Variant unread;
    InvokeEventWithResult(DispID, Params, unread);
}

void TadxTableEvents::InvokeEventWithResult(DISPID DispID, std::vector<Variant>& Params,
                                            Variant& Result) {
    auto found = rows_.find(DispID);
    if (found == rows_.end())
        return;
    // A returning event always answers: false (go on) unless a handler
    // says otherwise, as a host reads a sink that has no opinion.
    if (table_[found->second].Returns)
        Result = Variant(false);
    Fire(found->second, Params, Result);
}

void TadxTableEvents::Fire(size_t index, std::vector<Variant>& Params, Variant& Result) {
    if (!handlers_[index])
        return;
    TadxEventArgs args(table_[index], Params, &Result);
    // A handler's exception goes on to the sink, which reports it through
    // the module whenever the module outlived the handler, also when the
    // handler freed this component.
    rtl::FireSurvives(Liveness(), handlers_[index], this, args);
}
