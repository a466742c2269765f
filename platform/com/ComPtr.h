// An intrusive smart pointer to a COM interface. It is made explicitly, either
// by adopting a reference the caller already owns (no AddRef) or by sharing a
// pointer somebody else owns (AddRef); a raw pointer never turns into a ComPtr
// by itself, so every reference taken and dropped is visible in the code.
//
//   auto obj = ComPtr<IFoo>::Adopt(new Foo);          // new objects start at one reference
//   auto same = ComPtr<IFoo>::Share(rawFromCaller);    // AddRef
//   ComPtr<IDispatch> disp = obj.Query<IDispatch>();  // QueryInterface; empty on failure
//   hr = unk->QueryInterface(IID_IDispatch, disp.ReceiveVoid());
#pragma once

#include "platform/com/Unknown.h"

#include <cstddef>
#include <type_traits>
#include <utility>

template <class T> class ComPtr {
public:
    // An empty pointer.
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}

    // Takes over a reference the caller owns.
    [[nodiscard]] static ComPtr Adopt(T* p) noexcept {
        ComPtr r;
        r.p_ = p;
        return r;
    }
    // Adds a reference to p and holds it.
    [[nodiscard]] static ComPtr Share(T* p) noexcept {
        ComPtr r;
        r.p_ = p;
        if (p)
            p->AddRef();
        return r;
    }

    ComPtr(const ComPtr& other) noexcept : p_(other.p_) {
        if (p_)
            p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    // Upcasts (ComPtr<IDispatch> to ComPtr<IUnknown>) share the reference.
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(const ComPtr<U>& other) noexcept : p_(other.Get()) {
        if (p_)
            p_->AddRef();
    }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(ComPtr<U>&& other) noexcept : p_(other.Detach()) {}

    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) noexcept {
        Reset();
        return *this;
    }
    ~ComPtr() { Reset(); }

    // The interface pointer, without a reference of its own.
    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // Drops the reference held, if any.
    void Reset() noexcept {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    // Hands the reference to the caller and empties this pointer.
    [[nodiscard]] T* Detach() noexcept { return std::exchange(p_, nullptr); }
    // Empties this pointer and returns its slot for an out parameter that
    // receives an owned reference (T** of a COM method).
    T** Receive() noexcept {
        Reset();
        return &p_;
    }
    // The same slot as void**, for QueryInterface-style out parameters.
    void** ReceiveVoid() noexcept { return reinterpret_cast<void**>(Receive()); }

    // This object's interface U through QueryInterface; empty when it has none.
    template <class U> ComPtr<U> Query() const noexcept {
        ComPtr<U> r;
        if (p_)
            p_->QueryInterface(IidOf<U>(), r.ReceiveVoid());
        return r;
    }
    // QueryInterface into out; returns the HRESULT.
    template <class U> HRESULT Query(ComPtr<U>& out) const noexcept {
        if (!p_) {
            out.Reset();
            return E_POINTER;
        }
        return p_->QueryInterface(IidOf<U>(), out.ReceiveVoid());
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.p_ == b.p_; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) noexcept { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};

// Interface U of object p through QueryInterface; empty when p is null or has none.
template <class U> ComPtr<U> ComQuery(IUnknown* p) noexcept {
    ComPtr<U> r;
    if (p)
        p->QueryInterface(IidOf<U>(), r.ReceiveVoid());
    return r;
}

// Whether two interface pointers belong to the same object (COM identity:
// their IUnknown pointers are equal).
bool IsSameObject(IUnknown* a, IUnknown* b) noexcept;
