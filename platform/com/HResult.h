// Result codes of COM calls: the general codes of platform/win and those of
// automation, type libraries, class registration and the framework's hosts.
// The codes keep their real numeric values, because the framework passes some
// of them on unchanged to the host and tests compare them.
#pragma once

#include "platform/win/HResult.h"

// Automation (IDispatch, variants, safe arrays).
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = MakeHResult(0x80020001);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHResult(0x80020003);
constexpr HRESULT DISP_E_PARAMNOTFOUND = MakeHResult(0x80020004);
constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHResult(0x80020005);
constexpr HRESULT DISP_E_UNKNOWNNAME = MakeHResult(0x80020006);
constexpr HRESULT DISP_E_NONAMEDARGS = MakeHResult(0x80020007);
constexpr HRESULT DISP_E_BADVARTYPE = MakeHResult(0x80020008);
constexpr HRESULT DISP_E_EXCEPTION = MakeHResult(0x80020009);
constexpr HRESULT DISP_E_OVERFLOW = MakeHResult(0x8002000A);
constexpr HRESULT DISP_E_BADINDEX = MakeHResult(0x8002000B);
constexpr HRESULT DISP_E_UNKNOWNLCID = MakeHResult(0x8002000C);
constexpr HRESULT DISP_E_ARRAYISLOCKED = MakeHResult(0x8002000D);
constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHResult(0x8002000E);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = MakeHResult(0x8002000F);
constexpr HRESULT DISP_E_BADCALLEE = MakeHResult(0x80020010);
constexpr HRESULT DISP_E_NOTACOLLECTION = MakeHResult(0x80020011);
constexpr HRESULT DISP_E_DIVBYZERO = MakeHResult(0x80020012);
constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = MakeHResult(0x8002802B);
constexpr HRESULT TYPE_E_LIBNOTREGISTERED = MakeHResult(0x8002801D);

// Calls to another process's object: the object invoked has disconnected
// from its clients (a host answers so for an item that was deleted).
constexpr HRESULT RPC_E_DISCONNECTED = MakeHResult(0x80010108);

// Connection points.
constexpr HRESULT CONNECT_E_NOCONNECTION = MakeHResult(0x80040200);
constexpr HRESULT CONNECT_E_ADVISELIMIT = MakeHResult(0x80040201);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = MakeHResult(0x80040202);
constexpr HRESULT CONNECT_E_OVERRIDDEN = MakeHResult(0x80040203);

// Self-registration of in-process servers.
constexpr HRESULT SELFREG_E_TYPELIB = MakeHResult(0x80040200);
constexpr HRESULT SELFREG_E_CLASS = MakeHResult(0x80040201);

// Class objects and class registration.
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHResult(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeHResult(0x80040111);
constexpr HRESULT CLASS_E_NOTLICENSED = MakeHResult(0x80040112);
constexpr HRESULT REGDB_E_READREGDB = MakeHResult(0x80040150);
constexpr HRESULT REGDB_E_WRITEREGDB = MakeHResult(0x80040151);
constexpr HRESULT REGDB_E_KEYMISSING = MakeHResult(0x80040152);
constexpr HRESULT REGDB_E_INVALIDVALUE = MakeHResult(0x80040153);
constexpr HRESULT REGDB_E_CLASSNOTREG = MakeHResult(0x80040154);
constexpr HRESULT REGDB_E_IIDNOTREG = MakeHResult(0x80040155);
constexpr HRESULT MK_E_UNAVAILABLE = MakeHResult(0x800401E3);
constexpr HRESULT CO_E_NOTINITIALIZED = MakeHResult(0x800401F0);
constexpr HRESULT CO_E_CLASSSTRING = MakeHResult(0x800401F3);
constexpr HRESULT CO_E_APPNOTFOUND = MakeHResult(0x800401F5);
constexpr HRESULT CO_E_DLLNOTFOUND = MakeHResult(0x800401F8);
constexpr HRESULT CO_E_ERRORINDLL = MakeHResult(0x800401F9);
constexpr HRESULT CO_E_OBJNOTREG = MakeHResult(0x800401FB);
constexpr HRESULT CO_E_OBJNOTCONNECTED = MakeHResult(0x800401FD);
