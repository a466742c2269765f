// Helpers shared by the COM tests.
#pragma once

#include "platform/com/OleError.h"
#include "platform/com/Unknown.h"

#include <optional>

// The EOleSysError (or derived) that f raises, or nothing.
template <class E = EOleSysError, class F> std::optional<E> ErrorOf(F f) {
    try {
        f();
    } catch (const E& e) {
        return e;
    }
    return std::nullopt;
}

// The ErrorCode f raises, S_OK when it raises nothing.
template <class F> HRESULT CodeOf(F f) {
    auto e = ErrorOf(f);
    return e ? e->ErrorCode : S_OK;
}

// The references an object holds, as its own AddRef and Release tell them
// (the count Release answers after the AddRef is undone).
inline ULONG RefCountOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

// Expects object to hold count references.
#define EXPECT_REF(object, count) EXPECT_EQ(RefCountOf(object), ULONG(count)) << #object
