// The basic types and handles of the Windows interface, as this machine gives
// them to the code above it. Handles are opaque values that are never
// dereferenced: they name entries in the tables of platform/win. Widths follow
// Windows: DWORD, LONG and HRESULT are 32 bits, WPARAM, LPARAM and LRESULT are
// as wide as a pointer.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using SHORT = std::int16_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
using ULONGLONG = std::uint64_t;
using HRESULT = std::int32_t;
using ATOM = WORD;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;

// A kernel object (mutex); 0 when none.
using HANDLE = void*;
struct HWND__;
// A window; 0 when none.
using HWND = HWND__*;
struct HHOOK__;
// An installed hook; 0 when none.
using HHOOK = HHOOK__*;
struct HINSTANCE__;
// A loaded module (the program or a library); 0 means the program itself.
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;

// Windows spells these as macros; other libraries (GLib) do too, so they are
// defined only when nobody has.
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// A point in screen or client coordinates.
struct POINT {
    LONG x = 0;
    LONG y = 0;
};
