// Implementing COM objects.
//
// ComObject<I...> and ComComponent<I...> implement IUnknown for a class that
// implements the interfaces I...: QueryInterface answers each I, each of their
// base interfaces and IUnknown (always through the first interface, so the
// object's identity is stable), plus any IID added with AddInterfaceAlias.
// Override GetInterface to answer further IIDs by rule.
//
// Two lifetime policies:
// - ComObject: reference counted and self-deleting; a new object starts with
//   one reference, which its creator adopts (MakeComObject does both). It has
//   no public destructor. Each live one is counted in the ComObjectCount of
//   the library that created it, which is what that library's DllCanUnloadNow
//   answers.
// - ComComponent: owned by a C++ owner that deletes it; AddRef and Release
//   only count, Release never deletes. For components that must answer
//   QueryInterface (event sinks, class factories) but live as long as their owner.
//
// Per-library counts: LibraryObjectCount() is an inline function with hidden
// visibility, so every shared library (and the program) has its own instance.
// The constructors take the count as a default argument, which is evaluated in
// the constructor of the most derived class, that is, in the library that
// defines the object's class.
#pragma once

#include "platform/com/ComPtr.h"

#include <atomic>
#include <utility>
#include <vector>

// Live objects and server locks of one library (what DllCanUnloadNow answers).
class ComObjectCount {
public:
    // Objects alive now.
    long Objects() const noexcept { return objects_.load(); }
    // Locks taken by IClassFactory::LockServer and not yet released.
    long Locks() const noexcept { return locks_.load(); }
    // True when no object lives and no lock is held.
    bool CanUnloadNow() const noexcept { return Objects() == 0 && Locks() == 0; }

    // Called by object constructors and destructors.
    void ObjectCreated() noexcept { ++objects_; }
    void ObjectDestroyed() noexcept { --objects_; }
    // IClassFactory::LockServer(TRUE / FALSE).
    void Lock() noexcept { ++locks_; }
    void Unlock() noexcept { --locks_; }

private:
    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
};

// This library's count (one instance per shared library and per program).
__attribute__((visibility("hidden"))) inline ComObjectCount& LibraryObjectCount() {
    static ComObjectCount count;
    return count;
}

// The count of objects created by the platform library itself (connection
// points and the like), for tests that check that nothing is left alive.
ComObjectCount& PlatformObjectCount();

namespace com_detail {
// True when iid names interface I or one of its base interfaces.
template <class I> constexpr bool Answers(const GUID& iid) {
    if (iid == I::Iid)
        return true;
    if constexpr (requires { typename I::BaseInterface; })
        return Answers<typename I::BaseInterface>(iid);
    else
        return false;
}
template <class First, class... Rest> struct FirstOf { using Type = First; };
} // namespace com_detail

// IUnknown navigation over the interfaces I...; the lifetime policy comes from
// ComObject or ComComponent below.
template <class... I> class ComInterfaces : public I... {
    static_assert(sizeof...(I) > 0, "an object implements at least one interface");

public:
    HRESULT QueryInterface(const GUID& iid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = GetInterface(iid);
        if (!*ppv)
            return E_NOINTERFACE;
        this->AddRefSelf();
        return S_OK;
    }

    // The object's identity: its IUnknown through the first interface.
    IUnknown* UnknownSelf() noexcept {
        return static_cast<IUnknown*>(static_cast<typename com_detail::FirstOf<I...>::Type*>(this));
    }

protected:
    ComInterfaces() = default;
    ~ComInterfaces() override = default;
    ComInterfaces(const ComInterfaces&) = delete;
    ComInterfaces& operator=(const ComInterfaces&) = delete;

    // The interface pointer for iid (without a reference), or nullptr.
    // Derived classes override this to answer more IIDs, falling back to it.
    virtual void* GetInterface(const GUID& iid) {
        if (iid == IID_IUnknown)
            return UnknownSelf();
        void* found = nullptr;
        ((found = found ? found : (com_detail::Answers<I>(iid) ? static_cast<I*>(this) : nullptr)),
         ...);
        if (found)
            return found;
        for (const auto& alias : aliases_)
            if (alias.first == iid)
                return alias.second;
        return nullptr;
    }

    // Makes the object answer iid with its interface J (an interface of I...
    // or one they derive from), e.g. a host IID that is a plain IDispatch here.
    template <class J> void AddInterfaceAlias(const GUID& iid) {
        aliases_.emplace_back(iid, static_cast<void*>(static_cast<J*>(this)));
    }

    // Adds a reference (the policy's AddRef, reached from QueryInterface).
    virtual void AddRefSelf() noexcept = 0;

private:
    std::vector<std::pair<GUID, void*>> aliases_;
};

// Self-deleting, reference-counted object counted for DllCanUnloadNow.
template <class... I> class ComObject : public ComInterfaces<I...> {
public:
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    // References held now (for tests and diagnostics).
    ULONG RefCount() const noexcept { return refs_.load(); }

protected:
    // Starts with one reference, owned by the creator.
    explicit ComObject(ComObjectCount& count = LibraryObjectCount()) : count_(count) {
        count_.ObjectCreated();
    }
    ~ComObject() override { count_.ObjectDestroyed(); }
    void AddRefSelf() noexcept override { ++refs_; }

private:
    std::atomic<ULONG> refs_{1};
    ComObjectCount& count_;
};

// Owner-managed object: answers QueryInterface, counts references, is deleted
// by its owner only.
template <class... I> class ComComponent : public ComInterfaces<I...> {
public:
    ComComponent() = default;
    // Owner-managed objects are not counted; the parameter lets helpers
    // built over either policy construct both alike.
    explicit ComComponent(ComObjectCount&) {}
    ~ComComponent() override = default;
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override { return --refs_; }
    // References taken through AddRef and not yet released.
    ULONG RefCount() const noexcept { return refs_.load(); }

protected:
    void AddRefSelf() noexcept override { ++refs_; }

private:
    std::atomic<ULONG> refs_{0};
};

// Creates a self-deleting object and adopts its first reference. The object's
// constructor may be private if T befriends the helper: friend struct ::ComMaker;
struct ComMaker {
    template <class T, class... A> static T* New(A&&... args) {
        return new T(std::forward<A>(args)...);
    }
};
template <class T, class... A> ComPtr<T> MakeComObject(A&&... args) {
    return ComPtr<T>::Adopt(ComMaker::New<T>(std::forward<A>(args)...));
}
