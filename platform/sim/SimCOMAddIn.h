// The host's entry for one COM add-in (COMAddIn), as the simulated hosts hand
// it to OnConnection: ProgID, CLSID, description, the connected flag and the
// Object the add-in publishes. Putting Connect asks the host to connect or
// disconnect the add-in, as the COM add-ins dialog does; the host that made
// the entry answers through its connect handler.
#pragma once

#include "platform/com/Com.h"
#include "platform/office/COMAddIn.h"

#include <functional>

namespace sim {

class SimulatedCOMAddIn final : public DispatchObject<COMAddIn> {
public:
    // Carries out a put of Connect (true: connect, false: disconnect); raises
    // to refuse it. Empty: the entry refuses every change.
    using ConnectHandler = std::function<void(bool connect)>;

    // An entry for the add-in of that ProgID and CLSID.
    static ComPtr<SimulatedCOMAddIn> Create(std::u16string progId, GUID clsid,
                                            std::u16string description);

    HRESULT get_Description(BSTR* description) override;
    HRESULT put_Description(const BSTR& description) override;
    HRESULT get_ProgId(BSTR* progId) override;
    HRESULT get_Guid(BSTR* guid) override;
    HRESULT get_Connect(VARIANT_BOOL* connected) override;
    HRESULT put_Connect(VARIANT_BOOL connect) override;
    HRESULT get_Object(IDispatch** object) override;
    HRESULT put_Object(IDispatch* object) override;

    // The host's side: whether the add-in counts as connected now.
    void SetConnected(bool connected) noexcept { connected_ = connected; }
    bool Connected() const noexcept { return connected_; }
    // The host's side: who carries out puts of Connect.
    void SetConnectHandler(ConnectHandler handler) { onConnect_ = std::move(handler); }
    // The object the add-in published (empty when none).
    ComPtr<IDispatch> Object() const { return object_; }
    // Drops the published object, as the host does when it disconnects the add-in.
    void ClearObject() noexcept { object_ = nullptr; }

private:
    friend struct ::ComMaker;
    SimulatedCOMAddIn(std::u16string progId, GUID clsid, std::u16string description);
    void PutConnect(bool connect);

    std::u16string progId_;
    GUID clsid_;
    std::u16string description_;
    bool connected_ = false;
    ComPtr<IDispatch> object_;
    ConnectHandler onConnect_;
};

} // namespace sim
