// Outlook's registration in the simulated machine.
#include "platform/sim/outlook/OutlookRegistration.h"

#include "platform/com/ClassFactory.h"
#include "platform/com/ComClasses.h"
#include "platform/com/RunningObjects.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/outlook/SimObject.h"
#include "platform/win/Registry.h"

#include <string>

namespace sim {
namespace {

const std::string ClassKey = "\\CLSID\\" + outlook::CLSID_OutlookApplication.ToString();
const std::string ProgIdKey = std::string("\\") + OutlookProgId;

// The class object of the running Outlook: every instance asked for is the
// running application (Outlook runs once).
class OutlookClassObject final : public ComObject<IClassFactory> {
public:
    HRESULT CreateInstance(IUnknown* outer, const GUID& iid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return app_->QueryInterface(iid, ppv);
    }
    HRESULT LockServer(bool) override { return S_OK; }

private:
    friend struct ::ComMaker;
    explicit OutlookClassObject(IDispatch* app)
        : ComObject(OutlookObjectCount()), app_(ComPtr<IDispatch>::Share(app)) {}
    ComPtr<IDispatch> app_;
};

void WriteDefault(TRegistry& reg, const std::string& key, const std::string& value) {
    if (!reg.OpenKey(key, true))
        throw ERegistryException("Cannot create the key " + key + ".");
    reg.WriteString("", value);
    reg.CloseKey();
}

} // namespace

void InstallOutlook(int majorVersion) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    std::string versioned = std::string(OutlookProgId) + "." + std::to_string(majorVersion);
    std::string clsid = outlook::CLSID_OutlookApplication.ToString();
    WriteDefault(reg, ProgIdKey, "Outlook Application");
    WriteDefault(reg, ProgIdKey + "\\CLSID", clsid);
    WriteDefault(reg, ProgIdKey + "\\CurVer", versioned);
    WriteDefault(reg, "\\" + versioned, "Outlook Application");
    WriteDefault(reg, "\\" + versioned + "\\CLSID", clsid);
    WriteDefault(reg, ClassKey, "Outlook Application");
    WriteDefault(reg, ClassKey + "\\ProgID", versioned);
    WriteDefault(reg, ClassKey + "\\VersionIndependentProgID", OutlookProgId);
    WriteDefault(reg, ClassKey + "\\LocalServer32", "OUTLOOK.EXE");
}

void UninstallOutlook() {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    if (reg.OpenKeyReadOnly(ProgIdKey + "\\CurVer")) {
        std::string versioned = reg.ReadString("");
        reg.CloseKey();
        if (!versioned.empty())
            reg.DeleteKey("\\" + versioned);
    }
    reg.DeleteKey(ProgIdKey);
    reg.DeleteKey(ClassKey);
}

bool IsOutlookInstalled() {
    GUID clsid;
    return SUCCEEDED(CLSIDFromProgID(u"Outlook.Application", &clsid)) &&
           clsid == outlook::CLSID_OutlookApplication;
}

void RunningOutlook::Register(IDispatch* app) {
    Revoke();
    if (FAILED(RegisterActiveObject(app, outlook::CLSID_OutlookApplication, ACTIVEOBJECT_STRONG,
                                    &tableCookie_)))
        tableCookie_ = 0;
    classObject_ = MakeComObject<OutlookClassObject>(app);
    if (FAILED(CoRegisterClassObject(outlook::CLSID_OutlookApplication, classObject_.Get(),
                                     CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &classCookie_)))
        classCookie_ = 0;
}

void RunningOutlook::Revoke() {
    if (tableCookie_)
        RevokeActiveObject(tableCookie_, nullptr);
    if (classCookie_)
        CoRevokeClassObject(classCookie_);
    tableCookie_ = classCookie_ = 0;
    classObject_ = nullptr;
}

} // namespace sim
