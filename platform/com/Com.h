// COM and automation for this machine: the one header to include.
//
// Interfaces and identity
//   IUnknown (Unknown.h), GUID / IID / CLSID with MakeGuid, GUID::Parse,
//   GUID::Create, ToString (Guid.h), HRESULT codes with SUCCEEDED / FAILED
//   (HResult.h).
// References
//   ComPtr<T>::Adopt(p) takes a reference, ComPtr<T>::Share(p) adds one;
//   ptr.Query<I>() and ComQuery<I>(unknown) navigate (ComPtr.h).
// Implementing objects (ComObject.h, DispatchObject.h)
//   ComObject<I...>: self-deleting, counted per library for DllCanUnloadNow;
//   create with MakeComObject<T>(args...). ComComponent<I...>: freed by its
//   owner. DispatchObject / DispatchComponent add IDispatch over a
//   DispatchTable named Members. Getters fill their out-parameter with
//   OutValue / OutInterface (OutParam.h).
// Automation values (Variant.h, SafeArray.h)
//   Variant with the OLE VT_ codes, by-reference values (Variant::ByRef...),
//   checked coercions (AsInteger, AsWide, ChangeType, ...); SafeArray.
// Calls (DispParams.h, DispatchTable.h, LateBound.h)
//   DispParams in COM order, DispArgs to build them, DispCall to read them;
//   DispatchTable for callees; dispGet / dispPut / dispCall for callers.
// Events (ConnectionPoint.h)
//   IConnectionPointContainer, IConnectionPoint, ConnectionPoints for
//   sources, InterfaceConnect / InterfaceDisconnect for clients.
// Errors (OleError.h)
//   EOleSysError (ErrorCode), EOleException, OleCheck, ComGuard and
//   DispatchGuard for methods a host calls.
// Servers and classes (ClassFactory.h, ComServer.h, ComClasses.h, RunningObjects.h)
//   IClassFactory and ComClassFactory, the in-process server behind the four
//   library exports, class registration under HKEY_CLASSES_ROOT with
//   CLSIDFromProgID, CoCreateInstance over registered libraries and class
//   objects, the running-object table.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/DispParams.h"
#include "platform/com/Dispatch.h"
#include "platform/com/DispatchObject.h"
#include "platform/com/DispatchTable.h"
#include "platform/com/Guid.h"
#include "platform/com/HResult.h"
#include "platform/com/LateBound.h"
#include "platform/com/OleError.h"
#include "platform/com/OutParam.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"
