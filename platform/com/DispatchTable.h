// Late binding for objects of our own: a DispatchTable maps member names
// (case-insensitive unless asked otherwise) to DISPIDs and DISPIDs to
// handlers, and implements GetIDsOfNames and Invoke over them. Every object
// called late-bound (the simulated Outlook, sinks, the add-in object's own
// members) is built on it, usually through DispatchObject (DispatchObject.h).
//
//   Members.Add("Subject").Get([this] { return subject_; })
//                         .Put([this](const Variant& v) { subject_ = v.AsWide(); });
//   Members.Add("Send").Call([this] { Send(); });
//   Members.Add("Item", DISPID_VALUE).Params({"Index"}).Call([this](DispCall& c) {
//       return Variant(ItemAt(c.Integer(0)));
//   });
//
// Handlers read their arguments through DispCall in declaration order; they
// raise EOleSysError (or any Exception) to fail, which Invoke answers as
// DISP_E_EXCEPTION with the message in EXCEPINFO; EDispError and
// EDispArgError choose the answer themselves.
#pragma once

#include "platform/com/DispParams.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

// The arguments of one Invoke as a handler sees them: in declaration order
// (positional ones mapped back from COM's reversed order, named ones placed
// at the position their DISPID names).
class DispCall {
public:
    // Lays out params for a member that declares paramCount named parameters
    // (0: the member takes no named arguments). Raises EDispError /
    // EDispArgError for a block that cannot be laid out.
    DispCall(DispParams* params, uint16_t flags, size_t paramCount);

    // The kind of call (DISPATCH_METHOD, DISPATCH_PROPERTYGET, ...).
    uint16_t Flags() const noexcept { return flags_; }
    // True for a property put (or put by reference).
    bool IsPut() const noexcept {
        return (flags_ & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    }
    // Number of argument positions passed (not counting a put's value).
    size_t Count() const noexcept { return slots_.size(); }
    // True when argument i was passed and is not the missing marker.
    bool Has(size_t i) const noexcept;
    // Argument i; raises DISP_E_BADPARAMCOUNT when fewer were passed and
    // DISP_E_PARAMNOTFOUND when that position was left out.
    Variant& operator[](size_t i) const;
    // Argument i, or fallback when it was not passed or is missing.
    Variant Optional(size_t i, Variant fallback = {}) const;
    // Argument i converted; a failed conversion answers its code
    // (DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW) with the argument's index.
    int32_t Integer(size_t i) const;
    double Double(size_t i) const;
    bool Bool(size_t i) const;
    std::u16string Wide(size_t i) const;
    std::string String(size_t i) const;
    ComPtr<IDispatch> Dispatch(size_t i) const;
    // The value of a property put (the DISPID_PROPERTYPUT argument).
    const Variant& Value() const;
    // Raises DISP_E_BADPARAMCOUNT unless min <= Count() <= max.
    void ExpectCount(size_t min, size_t max) const;
    void ExpectCount(size_t count) const { ExpectCount(count, count); }
    // The rgvarg index of argument i (what Invoke reports in argErr).
    uint32_t RgIndex(size_t i) const;

private:
    template <class F> auto Converted(size_t i, F convert) const;

    uint16_t flags_;
    std::vector<Variant*> slots_;
    std::vector<uint32_t> rgIndex_;
    Variant* value_ = nullptr;
};

// One member of a DispatchTable: a property getter and putter, or a method
// (a member may have all three).
class DispatchMember {
public:
    using Handler = std::function<Variant(DispCall&)>;

    // The property getter: f() or f(DispCall&) returning a value (anything a
    // Variant is made from) or nothing.
    template <class F> DispatchMember& Get(F f) {
        get_ = Wrap(std::move(f));
        return *this;
    }
    // The property putter: f(const Variant& value) or f(DispCall&).
    template <class F> DispatchMember& Put(F f) {
        if constexpr (std::is_invocable_v<F&, const Variant&>)
            put_ = [f = std::move(f)](DispCall& c) mutable {
                f(c.Value());
                return Variant();
            };
        else
            put_ = Wrap(std::move(f));
        return *this;
    }
    // The method: f() or f(DispCall&), returning a value or nothing.
    template <class F> DispatchMember& Call(F f) {
        call_ = Wrap(std::move(f));
        return *this;
    }
    // Names of the parameters, in declaration order, for callers that pass
    // named arguments (GetIDsOfNames gives parameter i the DISPID i).
    DispatchMember& Params(std::initializer_list<std::string_view> names);

    const std::u16string& Name() const noexcept { return name_; }
    DISPID Id() const noexcept { return id_; }
    bool HasGet() const noexcept { return bool(get_); }
    bool HasPut() const noexcept { return bool(put_); }
    bool HasCall() const noexcept { return bool(call_); }

private:
    friend class DispatchTable;
    DispatchMember(std::u16string name, DISPID id) : name_(std::move(name)), id_(id) {}

    template <class F> static Handler Wrap(F f) {
        if constexpr (std::is_invocable_v<F&, DispCall&>) {
            return [f = std::move(f)](DispCall& c) mutable -> Variant {
                if constexpr (std::is_void_v<std::invoke_result_t<F&, DispCall&>>) {
                    f(c);
                    return Variant();
                } else {
                    return Variant(f(c));
                }
            };
        } else {
            static_assert(std::is_invocable_v<F&>, "a handler takes () or (DispCall&)");
            return [f = std::move(f)](DispCall&) mutable -> Variant {
                if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
                    f();
                    return Variant();
                } else {
                    return Variant(f());
                }
            };
        }
    }

    std::u16string name_;
    DISPID id_;
    Handler get_, put_, call_;
    std::vector<std::u16string> params_;
};

class DispatchTable {
public:
    // Pass as id to let the table choose a DISPID (from 0x60020000 up).
    static constexpr DISPID AutoId = INT32_MIN;

    DispatchTable() = default;
    DispatchTable(const DispatchTable&) = delete;
    DispatchTable& operator=(const DispatchTable&) = delete;

    // Adds member name with DISPID id (or a chosen one). Raises
    // EOleSysError (E_INVALIDARG) when the name or the DISPID is taken.
    DispatchMember& Add(std::string_view name, DISPID id = AutoId);
    // Shorthands: a read-only property, a read-write property, a method.
    template <class G> DispatchMember& Get(std::string_view name, G getter, DISPID id = AutoId) {
        return Add(name, id).Get(std::move(getter));
    }
    template <class G, class P>
    DispatchMember& Property(std::string_view name, G getter, P putter, DISPID id = AutoId) {
        return Add(name, id).Get(std::move(getter)).Put(std::move(putter));
    }
    template <class F> DispatchMember& Method(std::string_view name, F f, DISPID id = AutoId) {
        return Add(name, id).Call(std::move(f));
    }

    // Names compare exactly from now on (the default ignores case, as
    // automation does); call before adding members.
    void SetCaseSensitive(bool caseSensitive) noexcept { caseSensitive_ = caseSensitive; }
    // The source named in EXCEPINFO when a handler fails (e.g. "Outlook").
    void SetSource(std::u16string source) { source_ = std::move(source); }

    // The member of that name or DISPID, or nullptr.
    const DispatchMember* Find(std::u16string_view name) const;
    const DispatchMember* Find(DISPID id) const;
    // The DISPID of a name, DISPID_UNKNOWN when none.
    DISPID IdOf(std::u16string_view name) const;
    // Number of members.
    size_t Size() const noexcept { return members_.size(); }

    // IDispatch::GetIDsOfNames over the table (names[1..] are parameter names).
    HRESULT GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count,
                          DISPID* dispIds) const noexcept;
    // IDispatch::Invoke over the table; handlers' exceptions become failure
    // codes (see the top of the file). A missing result discards the value.
    HRESULT Invoke(DISPID dispId, const GUID& riid, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) const noexcept;

    // GetTypeInfoCount and GetTypeInfo of an object without type information.
    static HRESULT NoTypeInfoCount(uint32_t* count) noexcept;
    static HRESULT NoTypeInfo(uint32_t index, ITypeInfo** typeInfo) noexcept;

private:
    std::u16string Key(std::u16string_view name) const;

    std::vector<std::unique_ptr<DispatchMember>> members_;
    std::unordered_map<std::u16string, DispatchMember*> byName_;
    std::map<DISPID, DispatchMember*> byId_;
    DISPID nextAuto_ = 0x60020000;
    bool caseSensitive_ = false;
    std::u16string source_;
};
