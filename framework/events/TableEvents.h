// TadxTableEvents: the host event component driven by a table
// (HostEventTable.h). It connects to the host's application object, advises
// on the host's event interface (or on the object the application hands out
// for its events, where the host does so) and calls, for each event of the
// table, the handler of that row with the component as Sender and the
// event's arguments. A DISPID the table lacks, or whose handler is not
// assigned, does nothing.
//
// Handlers are typed: TadxEventArgs reads each argument as the kind the
// table gives it and writes back only what the host passed by reference,
// and On() binds a function whose parameters match the row's, checked when
// it is bound:
//
//   events->On("OnDocumentBeforeClose",
//              std::function<void(TObject*, IDispatch*, bool&)>(
//                  [](TObject*, IDispatch* doc, bool& cancel) { cancel = true; }));
//
// An event that returns a value to the host (Visio's QueryCancel events)
// answers false until a handler says otherwise: through SetResult, or by
// returning bool from a typed handler.
#pragma once

#include "framework/events/HostEventTable.h"
#include "framework/events/adxCustomEvents.h"
#include "platform/com/OleError.h"
#include "platform/rtl/Lifetime.h"

#include <functional>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <utility>

// The arguments of one event as its handler sees them.
class TadxEventArgs {
public:
    // result: where the host reads the event's return value (null: nowhere).
    TadxEventArgs(const TadxEventMethod& method, std::vector<Variant>& params,
                  Variant* result = nullptr)
        : method_(method), params_(params), result_(result) {}

    // The table's row of the event.
    const TadxEventMethod& Method() const noexcept { return method_; }
    // The index of the parameter of that name; raises EOleSysError
    // DISP_E_PARAMNOTFOUND for a name the event lacks.
    size_t IndexOf(std::string_view name) const;
    // Argument i as the kind its row declares; a read as another kind
    // raises EOleSysError DISP_E_TYPEMISMATCH. An argument the host left
    // out reads as empty (nil, false, 0, "").
    ComPtr<IDispatch> Object(size_t i) const;
    bool Bool(size_t i) const;
    int32_t Integer(size_t i) const;
    double Double(size_t i) const;
    std::u16string String(size_t i) const;
    Variant Value(size_t i) const;
    // Writes a by-reference argument back to the host; raises EOleSysError
    // DISP_E_TYPEMISMATCH for a parameter of another kind or passed by value.
    void SetBool(size_t i, bool value);
    void SetInteger(size_t i, int32_t value);
    void SetString(size_t i, const std::u16string& value);
    void SetValue(size_t i, const Variant& value);
    // The value the event returns to the host; raises EOleSysError
    // DISP_E_TYPEMISMATCH for an event that returns nothing.
    void SetResult(bool value);
    // The value returned so far (false until a handler answered).
    bool Result() const;

private:
    const TadxEventParam& Expect(size_t i, TadxEventParamKind kind) const;
    Variant Read(size_t i) const;
    void Write(size_t i, TadxEventParamKind kind, const Variant& value);

    const TadxEventMethod& method_;
    std::vector<Variant>& params_;
    Variant* result_;
};

// A handler of any row.
using TadxHostEventHandler = std::function<void(TObject* Sender, TadxEventArgs& Args)>;

namespace adx::detail {

// How a typed handler's parameter type maps to a table kind.
template <class T> struct EventParamOf;
template <> struct EventParamOf<IDispatch*> {
    static constexpr TadxEventParamKind Kind = TadxEventParamKind::Object;
    static constexpr bool ByRef = false;
    using Storage = ComPtr<IDispatch>;
    static Storage Read(const TadxEventArgs& a, size_t i) { return a.Object(i); }
    static IDispatch* Pass(Storage& s) { return s.Get(); }
};
template <class V, TadxEventParamKind K, bool R> struct SimpleParam {
    static constexpr TadxEventParamKind Kind = K;
    static constexpr bool ByRef = R;
    using Storage = V;
    static V& Pass(V& s) { return s; }
};
template <> struct EventParamOf<bool> : SimpleParam<bool, TadxEventParamKind::Bool, false> {
    static bool Read(const TadxEventArgs& a, size_t i) { return a.Bool(i); }
};
template <> struct EventParamOf<bool&> : SimpleParam<bool, TadxEventParamKind::Bool, true> {
    static bool Read(const TadxEventArgs& a, size_t i) { return a.Bool(i); }
    static void Write(TadxEventArgs& a, size_t i, bool v) { a.SetBool(i, v); }
};
template <>
struct EventParamOf<int32_t> : SimpleParam<int32_t, TadxEventParamKind::Integer, false> {
    static int32_t Read(const TadxEventArgs& a, size_t i) { return a.Integer(i); }
};
template <>
struct EventParamOf<int32_t&> : SimpleParam<int32_t, TadxEventParamKind::Integer, true> {
    static int32_t Read(const TadxEventArgs& a, size_t i) { return a.Integer(i); }
    static void Write(TadxEventArgs& a, size_t i, int32_t v) { a.SetInteger(i, v); }
};
template <> struct EventParamOf<double> : SimpleParam<double, TadxEventParamKind::Double, false> {
    static double Read(const TadxEventArgs& a, size_t i) { return a.Double(i); }
};
template <>
struct EventParamOf<const std::u16string&>
    : SimpleParam<std::u16string, TadxEventParamKind::String, false> {
    static std::u16string Read(const TadxEventArgs& a, size_t i) { return a.String(i); }
};
template <>
struct EventParamOf<std::u16string&>
    : SimpleParam<std::u16string, TadxEventParamKind::String, true> {
    static std::u16string Read(const TadxEventArgs& a, size_t i) { return a.String(i); }
    static void Write(TadxEventArgs& a, size_t i, const std::u16string& v) { a.SetString(i, v); }
};
template <>
struct EventParamOf<const Variant&> : SimpleParam<Variant, TadxEventParamKind::Variant, false> {
    static Variant Read(const TadxEventArgs& a, size_t i) { return a.Value(i); }
};
template <>
struct EventParamOf<Variant&> : SimpleParam<Variant, TadxEventParamKind::Variant, true> {
    static Variant Read(const TadxEventArgs& a, size_t i) { return a.Value(i); }
    static void Write(TadxEventArgs& a, size_t i, const Variant& v) { a.SetValue(i, v); }
};

// Raises EOleSysError DISP_E_TYPEMISMATCH unless the kinds match the row
// and a handler that returns a value serves an event that returns one.
void CheckSignature(const TadxEventMethod& row, const std::vector<TadxEventParam>& wanted,
                    bool returns = false);

template <class R, class... A, size_t... I>
void CallTyped(const std::function<R(TObject*, A...)>& f, TObject* sender, TadxEventArgs& args,
               std::index_sequence<I...>) {
    std::tuple<typename EventParamOf<A>::Storage...> values{EventParamOf<A>::Read(args, I)...};
    // The arguments and the answer live with the caller: the handler may
    // free the component, not them.
    if constexpr (std::is_void_v<R>)
        f(sender, EventParamOf<A>::Pass(std::get<I>(values))...);
    else
        args.SetResult(f(sender, EventParamOf<A>::Pass(std::get<I>(values))...));
    [[maybe_unused]] auto writeBack = [&](auto index) {
        constexpr size_t i = decltype(index)::value;
        using T = std::tuple_element_t<i, std::tuple<A...>>;
        if constexpr (EventParamOf<T>::ByRef)
            EventParamOf<T>::Write(args, i, std::get<i>(values));
    };
    (writeBack(std::integral_constant<size_t, I>{}), ...);
}

} // namespace adx::detail

class TadxTableEvents : public TadxCustomEvents {
public:
    ~TadxTableEvents() override;

    // Holds Server's application interface (raising EOleSysError
    // E_NOINTERFACE when it lacks it) and advises on the event source.
    void ConnectTo(IUnknown* Server) override;
    // Chooses the event interface by Version where the host has several.
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    void Disconnect() override;
    // The row of DispID, when the table has it, to its handler.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;
    // The same, with the value a returning event answers in Result (false
    // unless a handler says otherwise).
    void InvokeEventWithResult(DISPID DispID, std::vector<Variant>& Params,
                               Variant& Result) override;

    // The application interface held while connected, or nullptr.
    IDispatch* Server() const noexcept { return server_.Get(); }
    // The component's table.
    const TadxEventTable& Table() const noexcept { return table_; }
    // The handler named Name; raises EOleSysError DISP_E_UNKNOWNNAME for a
    // name the table lacks.
    TadxHostEventHandler& Handler(std::string_view Name);
    // Binds a typed handler to the row named Name, checking its parameters
    // against the row's (EOleSysError DISP_E_TYPEMISMATCH when they differ).
    // A handler returning bool answers an event that returns a value.
    template <class R, class... A>
    void On(std::string_view Name, std::function<R(TObject*, A...)> f) {
        static_assert(std::is_void_v<R> || std::is_same_v<R, bool>,
                      "a handler returns nothing or the bool its event returns");
        adx::detail::CheckSignature(Row(Name),
                                    {TadxEventParam{"", adx::detail::EventParamOf<A>::Kind,
                                                    adx::detail::EventParamOf<A>::ByRef}...},
                                    !std::is_void_v<R>);
        Handler(Name) = [f = std::move(f)](TObject* sender, TadxEventArgs& args) {
            adx::detail::CallTyped(f, sender, args, std::index_sequence_for<A...>{});
        };
    }

protected:
    TadxTableEvents(TComponent* AOwner, TadxServerData& Data, const std::string& className,
                    const TadxEventTable& table);
    // The object whose events the component advises on: the application itself.
    virtual ComPtr<IUnknown> EventSource(IDispatch* server);
    // Fires the handler of row index with the event's arguments (and where
    // its answer goes), by the lifetime rule; a handler's exception passes
    // on to the sink, which reports it. A subclass may take some rows itself.
    virtual void Fire(size_t index, std::vector<Variant>& Params, Variant& Result);

private:
    const TadxEventMethod& Row(std::string_view name) const;

    const TadxEventTable& table_;
    std::vector<TadxHostEventHandler> handlers_;
    std::unordered_map<DISPID, size_t> rows_;
    ComPtr<IDispatch> server_;
};
