// Arguments of IDispatch::Invoke: laid out in COM order by callers, and read
// back in declaration order by event sinks.
#include "platform/com/DispParams.h"

#include "platform/text/Text.h"

#include <algorithm>

DispArgs& DispArgs::Add(Variant value) {
    positional_.push_back(std::move(value));
    laidOut_ = false;
    return *this;
}

DispArgs& DispArgs::AddNamed(DISPID id, Variant value) {
    named_.emplace_back(id, std::move(value));
    laidOut_ = false;
    return *this;
}

DispParams& DispArgs::Params() {
    if (!laidOut_) {
        layout_.clear();
        namedIds_.clear();
        layout_.reserve(named_.size() + positional_.size());
        for (const auto& [id, value] : named_) {
            namedIds_.push_back(id);
            layout_.push_back(value);
        }
        for (auto it = positional_.rbegin(); it != positional_.rend(); ++it)
            layout_.push_back(*it);
        params_.rgvarg = layout_.empty() ? nullptr : layout_.data();
        params_.rgdispidNamedArgs = namedIds_.empty() ? nullptr : namedIds_.data();
        params_.cArgs = static_cast<uint32_t>(layout_.size());
        params_.cNamedArgs = static_cast<uint32_t>(namedIds_.size());
        laidOut_ = true;
    }
    return params_;
}

Variant& DispArgs::Arg(size_t i) {
    Params();
    if (i >= positional_.size())
        throw EOleSysError(SysErrorMessage(DISP_E_BADINDEX), DISP_E_BADINDEX);
    return layout_[named_.size() + positional_.size() - 1 - i];
}

HRESULT DispatchExceptionResult(ExcepInfo* info, uint32_t* argErr,
                                const std::u16string& source) noexcept {
    try {
        try {
            throw;
        } catch (const EDispArgError& e) {
            if (argErr)
                *argErr = e.ArgIndex;
            return FAILED(e.ErrorCode) ? e.ErrorCode : DISP_E_EXCEPTION;
        } catch (const EDispError& e) {
            return FAILED(e.ErrorCode) ? e.ErrorCode : DISP_E_EXCEPTION;
        } catch (...) {
            if (info) {
                *info = ExcepInfo();
                info->bstrSource = source;
                info->bstrDescription = text::Wide(MessageOfCurrentException());
                info->scode = HResultFromCurrentException();
            }
            return DISP_E_EXCEPTION;
        }
    } catch (...) {
        return DISP_E_EXCEPTION; // filling info itself failed (out of memory)
    }
}

InvokeArguments LayOutInvokeArguments(const DispParams* params) {
    InvokeArguments arguments;
    if (!params || !params->rgvarg || params->cArgs == 0)
        return arguments;
    const uint32_t count = params->cArgs;
    const uint32_t named = params->rgdispidNamedArgs ? std::min(params->cNamedArgs, count) : 0;
    arguments.Values.resize(count);
    arguments.Slots.assign(count, -1);
    std::vector<int> filledFrom(count, -1); // position -> rgvarg index
    // Positional arguments follow the named ones in rgvarg, last one first.
    for (uint32_t i = named; i < count; ++i)
        filledFrom[count - 1 - i] = int(i);
    // Only the first cNamedArgs entries of rgdispidNamedArgs exist. A named
    // DISPID outside the argument array has no place and is left out; one
    // that names a position a positional argument took wins it.
    for (uint32_t i = 0; i < named; ++i) {
        DISPID at = params->rgdispidNamedArgs[i];
        if (at >= 0 && uint32_t(at) < count)
            filledFrom[size_t(at)] = int(i);
    }
    for (uint32_t position = 0; position < count; ++position) {
        int from = filledFrom[position];
        if (from < 0)
            continue;
        arguments.Values[position] = params->rgvarg[from];
        arguments.Slots[size_t(from)] = int(position);
    }
    return arguments;
}

void WriteBackInvokeArguments(DispParams* params, const InvokeArguments& arguments) noexcept {
    if (!params || !params->rgvarg)
        return;
    for (uint32_t i = 0; i < params->cArgs && i < arguments.Slots.size(); ++i) {
        Variant& given = params->rgvarg[i];
        if (!given.IsByRef() || arguments.Slots[i] < 0)
            continue;
        const Variant& value = arguments.Values[size_t(arguments.Slots[i])];
        // Still the host's own reference: a handler wrote through it already.
        if (value.Type() == given.Type() && value.RefStorage() == given.RefStorage())
            continue;
        try {
            given.SetValue(value.IsByRef() ? value.Deref() : value);
        } catch (...) {
            // A value of no form the host's storage can take stays unwritten.
        }
    }
}
