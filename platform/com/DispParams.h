// The arguments of an IDispatch::Invoke call, in the real layout: rgvarg
// holds the arguments in reverse order (rgvarg[0] is the LAST argument), and
// named arguments come first in rgvarg, matched one to one by
// rgdispidNamedArgs (a property put passes its value as the named argument
// DISPID_PROPERTYPUT).
//
// Callers build arguments in declaration order with DispArgs, which keeps the
// storage and hands out the DispParams view; callees read them through
// DispCall (DispatchTable.h), which maps declaration order back.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/OleError.h"
#include "platform/com/Variant.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// The argument block of Invoke (a view; the caller owns the storage).
struct DispParams {
    Variant* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    uint32_t cArgs = 0;
    uint32_t cNamedArgs = 0;
};

// What a callee reports when Invoke answers DISP_E_EXCEPTION.
struct ExcepInfo {
    uint16_t wCode = 0;
    std::u16string bstrSource;
    std::u16string bstrDescription;
    std::u16string bstrHelpFile;
    uint32_t dwHelpContext = 0;
    HRESULT scode = S_OK;
};

// Owns the arguments of one call, given in declaration order, and lays them
// out in COM order.
//
//   DispArgs args{u"MAPI"};                    // one positional argument
//   DispArgs put; put.AddNamed(DISPID_PROPERTYPUT, value);
//   disp->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
//                &args.Params(), &result, &info, &argErr);
class DispArgs {
public:
    DispArgs() = default;
    // Positional arguments in declaration order.
    DispArgs(std::initializer_list<Variant> args) : positional_(args) {}
    explicit DispArgs(std::vector<Variant> args) : positional_(std::move(args)) {}
    // Copies and moves take the arguments; the layout is made afresh.
    DispArgs(const DispArgs& other) : positional_(other.positional_), named_(other.named_) {}
    DispArgs(DispArgs&& other) noexcept
        : positional_(std::move(other.positional_)), named_(std::move(other.named_)) {}
    DispArgs& operator=(DispArgs other) noexcept {
        positional_ = std::move(other.positional_);
        named_ = std::move(other.named_);
        laidOut_ = false;
        return *this;
    }
    // Appends the next positional argument.
    DispArgs& Add(Variant value);
    // Adds a named argument (the parameter's DISPID, or DISPID_PROPERTYPUT).
    DispArgs& AddNamed(DISPID id, Variant value);

    // The COM layout of the arguments; valid until the next change. A callee
    // writing through by-reference arguments writes into the caller's storage;
    // after the call, Arg(i) reads the (possibly changed) laid-out values.
    DispParams& Params();
    // Positional argument i (declaration order) as laid out for the call.
    Variant& Arg(size_t i);
    // Number of positional arguments.
    size_t Count() const noexcept { return positional_.size(); }

private:
    std::vector<Variant> positional_;
    std::vector<std::pair<DISPID, Variant>> named_;
    std::vector<Variant> layout_;
    std::vector<DISPID> namedIds_;
    DispParams params_;
    bool laidOut_ = false;
};

// The arguments of an Invoke in declaration order, as an event sink reads
// them: positional ones turned from COM's reversed order, named ones placed
// at the position their DISPID gives (a named DISPID outside 0 to cArgs-1
// has no place and is left out). Slots[i] is the position rgvarg[i] went to,
// or -1 when it was left out.
struct InvokeArguments {
    std::vector<Variant> Values;
    std::vector<int> Slots;
};
// Lays out the arguments of params (none for a null one).
InvokeArguments LayOutInvokeArguments(const DispParams* params);
// Writes what handlers left in the laid-out arguments back through the
// caller's by-reference arguments (an argument that still refers to the
// caller's storage was written in place already); by-value arguments stay as
// they were.
void WriteBackInvokeArguments(DispParams* params, const InvokeArguments& arguments) noexcept;

// An error that Invoke answers with its own code (DISP_E_MEMBERNOTFOUND,
// DISP_E_BADPARAMCOUNT, ...) instead of DISP_E_EXCEPTION.
class EDispError : public EOleSysError {
public:
    EDispError(std::string message, HRESULT code) : EOleSysError(std::move(message), code) {}
    explicit EDispError(HRESULT code) : EOleSysError(SysErrorMessage(code), code) {}
};

// An argument error: Invoke answers ErrorCode and reports ArgIndex (the
// rgvarg index of the argument) through its argErr out parameter.
class EDispArgError : public EDispError {
public:
    EDispArgError(std::string message, HRESULT code, uint32_t argIndex)
        : EDispError(std::move(message), code), ArgIndex(argIndex) {}
    // Index into rgvarg of the offending argument.
    uint32_t ArgIndex;
};

// Fills info from the exception being handled and returns the code Invoke
// answers: DISP_E_EXCEPTION, or the code of an EDispError (with *argErr set
// for an EDispArgError). info's scode is the exception's failure code (E_FAIL
// when it has none) and its description the exception's message.
HRESULT DispatchExceptionResult(ExcepInfo* info, uint32_t* argErr,
                                const std::u16string& source) noexcept;

// Runs an Invoke body: an exception becomes DISP_E_EXCEPTION with its message
// in info (or an argument error's code and index); never raises.
template <class F>
HRESULT DispatchGuard(ExcepInfo* info, uint32_t* argErr, const std::u16string& source,
                      F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return DispatchExceptionResult(info, argErr, source);
    }
}
