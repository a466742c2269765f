// Automation objects over a DispatchTable: DispatchObject<I...> is a
// self-deleting ComObject and DispatchComponent<I...> an owner-managed
// ComComponent, both implementing IDispatch (and every interface of I...
// derived from it) through their protected table Members.
//
//   class MailItem : public DispatchObject<IDispatch, IConnectionPointContainer> {
//       MailItem() { Members.Add("Subject").Get([this] { return subject_; }); }
//       ...
//   };
#pragma once

#include "platform/com/ComObject.h"
#include "platform/com/DispatchTable.h"

// IDispatch over Members for a ComObject or ComComponent base.
template <class Base> class DispatchImpl : public Base {
public:
    HRESULT GetTypeInfoCount(uint32_t* count) override {
        return DispatchTable::NoTypeInfoCount(count);
    }
    HRESULT GetTypeInfo(uint32_t index, LCID, ITypeInfo** typeInfo) override {
        return DispatchTable::NoTypeInfo(index, typeInfo);
    }
    HRESULT GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count, LCID,
                          DISPID* dispIds) override {
        return Members.GetIDsOfNames(riid, names, count, dispIds);
    }
    HRESULT Invoke(DISPID dispId, const GUID& riid, LCID, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) override {
        // The object stays alive while its own handler runs, even if the
        // handler lets go of the last outside reference.
        ComPtr<DispatchImpl> self = ComPtr<DispatchImpl>::Share(this);
        return Members.Invoke(dispId, riid, flags, params, result, excepInfo, argErr);
    }

protected:
    // The count is evaluated in the most derived class's constructor, so the
    // object counts in the library that defines it (see ComObject.h).
    explicit DispatchImpl(ComObjectCount& count = LibraryObjectCount()) : Base(count) {}

    // The object's late-bound members.
    DispatchTable Members;
};

template <class... I> using DispatchObject = DispatchImpl<ComObject<I...>>;
template <class... I> using DispatchComponent = DispatchImpl<ComComponent<I...>>;
