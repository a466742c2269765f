// The test add-in's names, shared by the library and the tests that load it
// through the host driver. The add-in records every call the host makes in
// the registry of the simulated machine (one line each, in order), which is
// the one thing the test program and the library share without linking each
// other; it also reads there which call it should fail.
#pragma once

#include "platform/com/Guid.h"

namespace testaddin {

// The add-in's class, its ProgID and its library file (beside the tests).
constexpr GUID Clsid = MakeGuid("{6A1E3F52-0C4B-4D8E-9B7A-2F5C8D1E4A90}");
constexpr const char* ServerName = "PlatformTestAddIn";
constexpr const char* ClassName = "coTestAddIn";
constexpr const char* ProgId = "PlatformTestAddIn.coTestAddIn";
constexpr const char* LibraryFile = "libPlatformTestAddIn.so";

// The key, under HKEY_CURRENT_USER, of the record and of the instructions.
constexpr const char* Key = "\\Software\\LorvaneTests\\TestAddIn";
// The calls received, one line each.
constexpr const char* CallsValue = "Calls";
// The name of one call to answer with E_FAIL ("CreateInstance",
// "OnConnection", "OnStartupComplete", "GetCustomUI", "OnBeginShutdown",
// "OnDisconnection").
constexpr const char* FailValue = "Fail";
// The name of one call that lets a C++ exception out, as a COM method never
// may ("OnStartupComplete", "GetCustomUI", "OnBeginShutdown").
constexpr const char* ThrowValue = "Throw";
// The name of one call during which the add-in turns itself off through its
// COM add-ins entry ("OnStartupComplete"), then records "<call> goes on".
constexpr const char* TurnOffValue = "TurnOff";
// 1: one object of the library stays alive after disconnection.
constexpr const char* KeepAliveValue = "KeepAlive";

// The export that drops the object KeepAlive left (void function).
constexpr const char* DropLeftoverExport = "TestAddInDropLeftover";

// The ribbon identifier the add-in has a ribbon for.
constexpr const char16_t* RibbonId = u"Microsoft.Outlook.Explorer";

} // namespace testaddin
