// Result codes: an HRESULT is a signed 32-bit value whose top bit means
// failure. The general codes live here, with the first Windows call that
// answers them (the shell's folder lookup); COM adds its own codes on top.
// They keep their real numeric values, because the framework passes some of
// them on unchanged to the host and tests compare them.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>

// Builds an HRESULT constant from its usual unsigned hexadecimal spelling.
constexpr HRESULT MakeHResult(uint32_t bits) {
    return static_cast<HRESULT>(bits);
}

// True for success codes (S_OK, S_FALSE, any non-negative value).
constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
// True for failure codes (top bit set).
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

// Success.
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

// General failures.
constexpr HRESULT E_NOTIMPL = MakeHResult(0x80004001);
constexpr HRESULT E_NOINTERFACE = MakeHResult(0x80004002);
constexpr HRESULT E_POINTER = MakeHResult(0x80004003);
constexpr HRESULT E_ABORT = MakeHResult(0x80004004);
constexpr HRESULT E_FAIL = MakeHResult(0x80004005);
constexpr HRESULT E_UNEXPECTED = MakeHResult(0x8000FFFF);
constexpr HRESULT E_ACCESSDENIED = MakeHResult(0x80070005);
constexpr HRESULT E_HANDLE = MakeHResult(0x80070006);
constexpr HRESULT E_OUTOFMEMORY = MakeHResult(0x8007000E);
constexpr HRESULT E_INVALIDARG = MakeHResult(0x80070057);
