// Tables of calls that a host makes with bad arguments (null pointers,
// wrong types, unknown ids) at the objects it calls. Each row names the
// call, makes it and gives the HRESULT it must answer; the runner also
// checks that no exception escapes and that the objects it watches hold as
// many references after the call as before it, and the live-object counts
// are unchanged (nothing leaked, nothing freed too early).
#pragma once

#include "tests/support/ComTestSupport.h"

#include "platform/com/ComObject.h"
#include "platform/com/HResult.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// One call of a table.
struct HostCall {
    // What is called and with what ("CreateInstance(null ppv)").
    std::string Name;
    // Makes the call and answers its HRESULT.
    std::function<HRESULT()> Run;
    // The answer expected.
    HRESULT Expected;
};

// An HRESULT as hexadecimal text, for failure messages.
inline std::string HResultText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

// Runs every call of calls, expecting its answer, no exception, the
// references of every watched object and the live-object counts of this
// program and of the platform library as they were before the call.
inline void ExpectHostCalls(const std::vector<HostCall>& calls,
                            const std::vector<IUnknown*>& watched) {
    for (const HostCall& call : calls) {
        SCOPED_TRACE(call.Name);
        std::vector<ULONG> before;
        for (IUnknown* object : watched)
            before.push_back(RefCountOf(object));
        const long objects = LibraryObjectCount().Objects();
        const long platformObjects = PlatformObjectCount().Objects();
        HRESULT hr = S_OK;
        try {
            hr = call.Run();
        } catch (...) {
            ADD_FAILURE() << "an exception escaped the call";
        }
        EXPECT_EQ(HResultText(hr), HResultText(call.Expected));
        for (size_t i = 0; i < watched.size(); ++i)
            EXPECT_EQ(RefCountOf(watched[i]), before[i]) << "references of watched object " << i;
        EXPECT_EQ(LibraryObjectCount().Objects(), objects) << "live objects";
        EXPECT_EQ(PlatformObjectCount().Objects(), platformObjects) << "live platform objects";
    }
}

// The two bad QueryInterface calls at object: a null out pointer (with an
// interface it has) and an interface it does not have (the out pointer must
// come back null).
inline std::vector<HostCall> BadQueryInterfaceCalls(IUnknown* object, const GUID& answered,
                                                    const GUID& unanswered) {
    return {
        {"QueryInterface(null ppv)", [=] { return object->QueryInterface(answered, nullptr); },
         E_POINTER},
        {"QueryInterface(unknown IID)",
         [=] {
             void* out = &out;
             HRESULT hr = object->QueryInterface(unanswered, &out);
             EXPECT_EQ(out, nullptr) << "the out pointer is set to null on failure";
             return hr;
         },
         E_NOINTERFACE},
    };
}
