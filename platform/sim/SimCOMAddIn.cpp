// The simulated COM add-ins entry.
#include "platform/sim/SimCOMAddIn.h"

#include "platform/com/OutParam.h"

namespace sim {

ComPtr<SimulatedCOMAddIn> SimulatedCOMAddIn::Create(std::u16string progId, GUID clsid,
                                                    std::u16string description) {
    return MakeComObject<SimulatedCOMAddIn>(std::move(progId), clsid, std::move(description));
}

SimulatedCOMAddIn::SimulatedCOMAddIn(std::u16string progId, GUID clsid, std::u16string description)
    : progId_(std::move(progId)), clsid_(clsid), description_(std::move(description)) {
    Members.SetSource(u"Office");
    Members.Property(
        "Description", [this] { return description_; },
        [this](const Variant& v) { description_ = v.AsWide(); });
    Members.Get("ProgId", [this] { return progId_; });
    Members.Get("Guid", [this] { return clsid_.ToWide(); });
    Members.Property(
        "Connect", [this] { return connected_; },
        [this](const Variant& v) { PutConnect(v.AsBool()); });
    Members.Property(
        "Object", [this] { return Variant(object_); },
        [this](const Variant& v) { object_ = v.AsDispatch(); });
}

HRESULT SimulatedCOMAddIn::get_Description(BSTR* description) {
    return OutValue(description, description_);
}

HRESULT SimulatedCOMAddIn::put_Description(const BSTR& description) {
    description_ = description;
    return S_OK;
}

HRESULT SimulatedCOMAddIn::get_ProgId(BSTR* progId) {
    return OutValue(progId, progId_);
}

HRESULT SimulatedCOMAddIn::get_Guid(BSTR* guid) {
    return OutValue(guid, clsid_.ToWide());
}

HRESULT SimulatedCOMAddIn::get_Connect(VARIANT_BOOL* connected) {
    return OutValue(connected, connected_ ? VARIANT_TRUE : VARIANT_FALSE);
}

HRESULT SimulatedCOMAddIn::put_Connect(VARIANT_BOOL connect) {
    return ComGuard([&] { PutConnect(connect != VARIANT_FALSE); });
}

void SimulatedCOMAddIn::PutConnect(bool connect) {
    if (connect == connected_)
        return;
    if (!onConnect_)
        throw EOleSysError("The host does not let this add-in be connected or disconnected",
                           E_ACCESSDENIED);
    // The handler may release the add-in, whose module holds this entry.
    ComPtr<SimulatedCOMAddIn> self = ComPtr<SimulatedCOMAddIn>::Share(this);
    ConnectHandler handler = onConnect_;
    handler(connect);
}

HRESULT SimulatedCOMAddIn::get_Object(IDispatch** object) {
    return OutInterface(object, object_);
}

HRESULT SimulatedCOMAddIn::put_Object(IDispatch* object) {
    object_ = ComPtr<IDispatch>::Share(object);
    return S_OK;
}

} // namespace sim
