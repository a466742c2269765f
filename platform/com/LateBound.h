// Late-bound calls for callers: by name (GetIDsOfNames, then Invoke) or by
// DISPID, raising on failure: EOleException when the callee reported an
// exception (its description, source and scode), else EOleSysError with the
// HRESULT. Arguments are given in declaration order.
//
//   Variant ns = dispCall(app, "GetNamespace", "MAPI");
//   std::u16string subject = dispGet(item, "Subject").AsWide();
//   dispPut(item, "Categories", u"Red, Blue");
//   Variant first = dispGet(folders, "Item", 1);
#pragma once

#include "platform/com/DispParams.h"

#include <string_view>
#include <type_traits>
#include <vector>

// The object a late-bound call goes to: an IDispatch pointer, a ComPtr to an
// interface derived from IDispatch, or a variant holding an object (which
// keeps it alive for the call).
class DispTarget {
public:
    DispTarget(IDispatch* p) noexcept : p_(p) {}
    template <class T>
    requires std::is_base_of_v<IDispatch, T> DispTarget(const ComPtr<T>& p)
    noexcept : p_(p.Get()) {}
    DispTarget(const Variant& v) : hold_(v.AsDispatch()), p_(hold_.Get()) {}
    IDispatch* Get() const noexcept { return p_; }

private:
    ComPtr<IDispatch> hold_;
    IDispatch* p_;
};

// The DISPID of member name; raises DISP_E_UNKNOWNNAME (naming the member).
DISPID dispId(DispTarget target, std::string_view name);

// Invoke with the raising rules above; args are in declaration order and a
// put passes its value as the last one. Returns the result.
Variant dispInvoke(DispTarget target, DISPID id, uint16_t flags, std::vector<Variant> args,
                   std::string_view nameForErrors = {});

// Property get (also accepts a method, as automation callers do), with
// optional index arguments.
template <class... A> Variant dispGet(DispTarget target, std::string_view name, A&&... args) {
    return dispInvoke(target, dispId(target, name), DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                      {Variant(std::forward<A>(args))...}, name);
}
// Property put of value.
void dispPut(DispTarget target, std::string_view name, const Variant& value);
// Method call.
template <class... A> Variant dispCall(DispTarget target, std::string_view name, A&&... args) {
    return dispInvoke(target, dispId(target, name), DISPATCH_METHOD,
                      {Variant(std::forward<A>(args))...}, name);
}

// The same by DISPID.
template <class... A> Variant dispGetId(DispTarget target, DISPID id, A&&... args) {
    return dispInvoke(target, id, DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                      {Variant(std::forward<A>(args))...});
}
void dispPutId(DispTarget target, DISPID id, const Variant& value);
template <class... A> Variant dispCallId(DispTarget target, DISPID id, A&&... args) {
    return dispInvoke(target, id, DISPATCH_METHOD, {Variant(std::forward<A>(args))...});
}
