#include "platform/com/DispParams.h"

#include "platform/text/Text.h"

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
        for (auto it = positional_.rbegin(); it != positional_.rend(); ++it) layout_.push_back(*it);
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
    if (i >= positional_.size()) throw EOleSysError(SysErrorMessage(DISP_E_BADINDEX), DISP_E_BADINDEX);
    return layout_[named_.size() + positional_.size() - 1 - i];
}

HRESULT DispatchExceptionResult(ExcepInfo* info, uint32_t* argErr,
                                const std::u16string& source) noexcept {
    try {
        try {
            throw;
        } catch (const EDispArgError& e) {
            if (argErr) *argErr = e.ArgIndex;
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
