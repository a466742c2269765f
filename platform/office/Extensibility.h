// The connection interface that a host calls on every COM add-in: connection,
// start-up complete, begin shutdown and disconnection, with the host's
// add-ins update in between.
//
// The host's order: OnConnection first (connect mode ext_cm_Startup while
// the host starts, then OnStartupComplete once it has; any other mode means
// the host is running already and sends no OnStartupComplete); at shutdown
// OnBeginShutdown, then OnDisconnection with ext_dm_HostShutdown; when the
// user removes the add-in, OnDisconnection with ext_dm_UserClosed alone.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/SafeArray.h"
#include "platform/office/OfficeConstants.h"

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
constexpr GUID IID_IDTExtensibility2 = MakeGuid("{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}");

// Every method answers an HRESULT and lets no exception out. The custom
// array is passed by reference and carries nothing an add-in here reads.
struct IDTExtensibility2 : IDispatch {
    static constexpr GUID Iid = IID_IDTExtensibility2;
    using BaseInterface = IDispatch;

    // The host connects: its application object, why it connects, the
    // add-in's entry in the host's COM add-ins list (a COMAddIn).
    virtual HRESULT OnConnection(IDispatch* application, ext_ConnectMode connectMode,
                                 IDispatch* addInInst, SafeArray* custom) = 0;
    // The host disconnects (host shutdown or removal by the user).
    virtual HRESULT OnDisconnection(ext_DisconnectMode removeMode, SafeArray* custom) = 0;
    // The host's list of add-ins changed.
    virtual HRESULT OnAddInsUpdate(SafeArray* custom) = 0;
    // The host has finished starting (only after a start-up connection).
    virtual HRESULT OnStartupComplete(SafeArray* custom) = 0;
    // The host is about to shut down.
    virtual HRESULT OnBeginShutdown(SafeArray* custom) = 0;
};
