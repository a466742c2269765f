// DispatchTable's name and DISPID look-ups and Invoke, and DispCall, the
// reader of a call's arguments in declaration order (the host passes them
// reversed, named ones first).

#include "platform/com/DispatchTable.h"

#include "platform/text/Text.h"

namespace {

[[noreturn]] void RaiseDisp(HRESULT code) {
    throw EDispError(code);
}
[[noreturn]] void RaiseArg(HRESULT code, uint32_t index) {
    throw EDispArgError(SysErrorMessage(code), code, index);
}

} // namespace

// ---- DispCall ----------------------------------------------------------------

DispCall::DispCall(DispParams* params, uint16_t flags, size_t paramCount) : flags_(flags) {
    DispParams none;
    DispParams& p = params ? *params : none;
    if (p.cNamedArgs > p.cArgs || (p.cArgs && !p.rgvarg) || (p.cNamedArgs && !p.rgdispidNamedArgs))
        RaiseDisp(E_INVALIDARG);
    uint32_t positional = p.cArgs - p.cNamedArgs;
    slots_.assign(positional, nullptr);
    rgIndex_.assign(positional, 0);
    // rgvarg holds the named arguments first, then the positional ones last to first.
    for (uint32_t k = 0; k < positional; ++k) {
        uint32_t rg = p.cNamedArgs + k;
        slots_[positional - 1 - k] = &p.rgvarg[rg];
        rgIndex_[positional - 1 - k] = rg;
    }
    for (uint32_t j = 0; j < p.cNamedArgs; ++j) {
        DISPID id = p.rgdispidNamedArgs[j];
        if (id == DISPID_PROPERTYPUT && IsPut()) {
            value_ = &p.rgvarg[j];
            continue;
        }
        if (paramCount == 0)
            RaiseDisp(DISP_E_NONAMEDARGS);
        // A named argument must name a declared parameter that no positional
        // argument already fills; anything else would be placed out of range.
        if (id < 0 || size_t(id) >= paramCount || size_t(id) < positional)
            RaiseArg(DISP_E_PARAMNOTFOUND, j);
        if (size_t(id) >= slots_.size()) {
            slots_.resize(size_t(id) + 1, nullptr);
            rgIndex_.resize(size_t(id) + 1, 0);
        }
        if (slots_[size_t(id)])
            RaiseArg(DISP_E_PARAMNOTFOUND, j); // the same name twice
        slots_[size_t(id)] = &p.rgvarg[j];
        rgIndex_[size_t(id)] = j;
    }
    if (IsPut() && !value_)
        RaiseDisp(DISP_E_PARAMNOTFOUND);
}

bool DispCall::Has(size_t i) const noexcept {
    if (i >= slots_.size() || !slots_[i])
        return false;
    const Variant& v = *slots_[i];
    if (v.IsMissing())
        return false;
    // An optional Variant passed by reference to a missing marker is missing too.
    if (v.Type() == (VT_BYREF | VT_VARIANT) && v.RefStorage())
        return !static_cast<const Variant*>(v.RefStorage())->IsMissing();
    return true;
}

Variant& DispCall::operator[](size_t i) const {
    if (i >= slots_.size())
        RaiseDisp(DISP_E_BADPARAMCOUNT);
    if (!slots_[i])
        RaiseDisp(DISP_E_PARAMNOTFOUND);
    return *slots_[i];
}

Variant DispCall::Optional(size_t i, Variant fallback) const {
    return Has(i) ? (*this)[i].Deref() : std::move(fallback);
}

uint32_t DispCall::RgIndex(size_t i) const {
    if (i >= slots_.size() || !slots_[i])
        RaiseDisp(DISP_E_PARAMNOTFOUND);
    return rgIndex_[i];
}

template <class F> auto DispCall::Converted(size_t i, F convert) const {
    Variant& v = (*this)[i];
    try {
        return convert(v);
    } catch (const EOleSysError& e) {
        throw EDispArgError(e.Message, e.ErrorCode, rgIndex_[i]);
    }
}

int32_t DispCall::Integer(size_t i) const {
    return Converted(i, [](const Variant& v) { return v.AsInteger(); });
}
double DispCall::Double(size_t i) const {
    return Converted(i, [](const Variant& v) { return v.AsDouble(); });
}
bool DispCall::Bool(size_t i) const {
    return Converted(i, [](const Variant& v) { return v.AsBool(); });
}
std::u16string DispCall::Wide(size_t i) const {
    return Converted(i, [](const Variant& v) { return v.AsWide(); });
}
std::string DispCall::String(size_t i) const {
    return Converted(i, [](const Variant& v) { return v.AsString(); });
}
ComPtr<IDispatch> DispCall::Dispatch(size_t i) const {
    return Converted(i, [](const Variant& v) { return v.AsDispatch(); });
}

const Variant& DispCall::Value() const {
    if (!value_)
        RaiseDisp(DISP_E_PARAMNOTFOUND);
    return *value_;
}

void DispCall::ExpectCount(size_t min, size_t max) const {
    if (slots_.size() < min || slots_.size() > max)
        RaiseDisp(DISP_E_BADPARAMCOUNT);
}

// ---- DispatchMember ----------------------------------------------------------

DispatchMember& DispatchMember::Params(std::initializer_list<std::string_view> names) {
    params_.clear();
    for (std::string_view n : names)
        params_.push_back(text::Wide(n));
    return *this;
}

// ---- DispatchTable -----------------------------------------------------------

std::u16string DispatchTable::Key(std::u16string_view name) const {
    return caseSensitive_ ? std::u16string(name) : text::LowerCase(name);
}

DispatchMember& DispatchTable::Add(std::string_view name, DISPID id) {
    std::u16string wide = text::Wide(name);
    std::u16string key = Key(wide);
    if (wide.empty() || byName_.count(key))
        throw EOleSysError("Automation member \"" + std::string(name) + "\" is declared twice",
                           E_INVALIDARG);
    if (id == AutoId) {
        while (byId_.count(nextAuto_))
            ++nextAuto_;
        id = nextAuto_++;
    } else if (byId_.count(id)) {
        throw EOleSysError("Automation member \"" + std::string(name) + "\" reuses DISPID " +
                               std::to_string(id),
                           E_INVALIDARG);
    }
    members_.push_back(std::unique_ptr<DispatchMember>(new DispatchMember(std::move(wide), id)));
    DispatchMember* m = members_.back().get();
    byName_.emplace(std::move(key), m);
    byId_.emplace(id, m);
    return *m;
}

const DispatchMember* DispatchTable::Find(std::u16string_view name) const {
    auto it = byName_.find(Key(name));
    return it == byName_.end() ? nullptr : it->second;
}

const DispatchMember* DispatchTable::Find(DISPID id) const {
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

DISPID DispatchTable::IdOf(std::u16string_view name) const {
    const DispatchMember* m = Find(name);
    return m ? m->id_ : DISPID_UNKNOWN;
}

HRESULT DispatchTable::GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count,
                                     DISPID* dispIds) const noexcept {
    if (riid != GUID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (count == 0)
        return S_OK;
    if (!names || !dispIds)
        return E_INVALIDARG;
    try {
        for (uint32_t i = 0; i < count; ++i)
            dispIds[i] = DISPID_UNKNOWN;
        const DispatchMember* m = names[0] ? Find(std::u16string_view(names[0])) : nullptr;
        if (!m)
            return DISP_E_UNKNOWNNAME;
        dispIds[0] = m->id_;
        HRESULT hr = S_OK;
        for (uint32_t i = 1; i < count; ++i) {
            std::u16string key = names[i] ? Key(names[i]) : std::u16string();
            size_t found = m->params_.size();
            for (size_t k = 0; k < m->params_.size(); ++k)
                if (Key(m->params_[k]) == key)
                    found = k;
            if (found < m->params_.size())
                dispIds[i] = static_cast<DISPID>(found);
            else
                hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    } catch (...) {
        return HResultFromCurrentException();
    }
}

HRESULT DispatchTable::Invoke(DISPID dispId, const GUID& riid, uint16_t flags, DispParams* params,
                              Variant* result, ExcepInfo* excepInfo,
                              uint32_t* argErr) const noexcept {
    if (riid != GUID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return DispatchGuard(excepInfo, argErr, source_, [&]() -> HRESULT {
        const DispatchMember* m = Find(dispId);
        if (!m)
            return DISP_E_MEMBERNOTFOUND;
        const DispatchMember::Handler* handler = nullptr;
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
            handler = m->put_ ? &m->put_ : nullptr;
        else if ((flags & DISPATCH_METHOD) && m->call_)
            handler = &m->call_;
        else if ((flags & DISPATCH_PROPERTYGET) && m->get_)
            handler = &m->get_;
        if (!handler)
            return DISP_E_MEMBERNOTFOUND;
        DispCall call(params, flags, m->params_.size());
        Variant value = (*handler)(call);
        if (result && !call.IsPut())
            *result = std::move(value);
        return S_OK;
    });
}

HRESULT DispatchTable::NoTypeInfoCount(uint32_t* count) noexcept {
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT DispatchTable::NoTypeInfo(uint32_t index, ITypeInfo** typeInfo) noexcept {
    if (!typeInfo)
        return E_INVALIDARG;
    *typeInfo = nullptr;
    return index == 0 ? E_NOTIMPL : DISP_E_BADINDEX;
}
