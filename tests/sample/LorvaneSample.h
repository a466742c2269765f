// The sample add-in's root: the COM class that Outlook connects to
// (coLorvaneSample of the type library LorvaneSample, ProgID
// "LorvaneSample.coLorvaneSample"), the library's form class table and its
// COM server. The sample proves the framework's features that the product
// does not use; it is built on the framework alone, never on the product.
// Its modules are listed in SampleModules.h, one file each.
#pragma once

#include "framework/adxAddIn.h"
#include "platform/com/ComServer.h"
#include "platform/forms/FormClass.h"

// The type library's name: the server's name and the first part of the ProgID.
inline constexpr const char* SampleTypeLibrary = "LorvaneSample";
// The add-in object's class.
inline constexpr GUID CLASS_coLorvaneSample = MakeGuid("{6B0D3E52-41A7-4C9F-8E15-2F7A9C3D1B64}");
// The add-in object's own dispatch interface (no methods of its own).
inline constexpr GUID IID_IcoLorvaneSample = MakeGuid("{0E8C7A14-93B2-4F6D-A5C1-7D24B9E6F038}");

// The add-in object: the framework's, answering IcoLorvaneSample as well.
class TcoLorvaneSample : public TadxAddin {
private:
    friend struct ::ComMaker;
    TcoLorvaneSample();
};

// The library's form classes: the platform's, the framework's and those of
// every sample module.
const forms::FormClassTable& SampleFormClasses();
// The library's COM server with the factory of coLorvaneSample (made on first use).
ComServer& SampleServer();
