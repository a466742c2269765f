// Late-bound calls for callers: the name looked up, the call made, and a
// failure raised with the member's name and the argument the callee blamed.

#include "platform/com/LateBound.h"

#include "platform/text/Text.h"

namespace {

// The error text of a failed call, naming the member (and the argument at
// fault when the callee said which).
std::string CallErrorText(HRESULT hr, std::string_view name, const uint32_t* argument) {
    std::string text = SysErrorMessage(hr);
    if (name.empty() && !argument)
        return text;
    text += " (";
    text += name.empty() ? std::string("member") : std::string(name);
    if (argument)
        text += ", argument " + std::to_string(*argument + 1);
    return text + ")";
}

IDispatch* Required(const DispTarget& target, std::string_view name) {
    if (!target.Get())
        throw EOleSysError(CallErrorText(E_POINTER, name, nullptr), E_POINTER);
    return target.Get();
}

} // namespace

DISPID dispId(DispTarget target, std::string_view name) {
    IDispatch* d = Required(target, name);
    std::u16string wide = text::Wide(name);
    const char16_t* names[] = {wide.c_str()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = d->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        throw EOleSysError(CallErrorText(hr, name, nullptr), hr);
    return id;
}

Variant dispInvoke(DispTarget target, DISPID id, uint16_t flags, std::vector<Variant> args,
                   std::string_view nameForErrors) {
    IDispatch* d = Required(target, nameForErrors);
    bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DispArgs call;
    if (put) {
        if (args.empty())
            throw EOleSysError(CallErrorText(DISP_E_PARAMNOTFOUND, nameForErrors, nullptr),
                               DISP_E_PARAMNOTFOUND);
        Variant value = std::move(args.back());
        args.pop_back();
        call = DispArgs(std::move(args));
        call.AddNamed(DISPID_PROPERTYPUT, std::move(value));
    } else {
        call = DispArgs(std::move(args));
    }
    Variant result;
    ExcepInfo info;
    uint32_t argErr = 0;
    HRESULT hr = d->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, flags, &call.Params(),
                           put ? nullptr : &result, &info, &argErr);
    if (hr == DISP_E_EXCEPTION) {
        HRESULT code = FAILED(info.scode) ? info.scode : DISP_E_EXCEPTION;
        std::string message = info.bstrDescription.empty()
                                  ? CallErrorText(code, nameForErrors, nullptr)
                                  : text::Narrow(info.bstrDescription);
        throw EOleException(message, code, text::Narrow(info.bstrSource),
                            text::Narrow(info.bstrHelpFile), static_cast<int>(info.dwHelpContext));
    }
    if (FAILED(hr)) {
        bool argumentError = hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND;
        // argErr counts rgvarg positions; turn it into the argument's place.
        uint32_t place = call.Params().cArgs - 1 - argErr;
        bool known =
            argumentError && argErr < call.Params().cArgs && argErr >= call.Params().cNamedArgs;
        throw EOleSysError(CallErrorText(hr, nameForErrors, known ? &place : nullptr), hr);
    }
    return result;
}

void dispPut(DispTarget target, std::string_view name, const Variant& value) {
    dispInvoke(target, dispId(target, name), DISPATCH_PROPERTYPUT, {value}, name);
}

void dispPutId(DispTarget target, DISPID id, const Variant& value) {
    dispInvoke(target, id, DISPATCH_PROPERTYPUT, {value});
}
