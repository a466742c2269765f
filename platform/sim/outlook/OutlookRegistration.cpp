// Outlook's registration in the simulated machine.
#include "platform/sim/outlook/OutlookRegistration.h"

#include "platform/com/ClassFactory.h"
#include "platform/com/ComClasses.h"
#include "platform/com/RunningObjects.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/HostInstall.h"
#include "platform/sim/outlook/SimObject.h"
#include "platform/win/Registry.h"

#include <string>

namespace sim {
namespace {

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

} // namespace

void InstallOutlook(int majorVersion) {
    InstallHostClass({OutlookProgId, outlook::CLSID_OutlookApplication, "Outlook Application",
                      majorVersion, "OUTLOOK.EXE"});
}

void UninstallOutlook() {
    UninstallHostClass(OutlookProgId, outlook::CLSID_OutlookApplication);
}

bool IsOutlookInstalled() {
    return IsHostClassInstalled(OutlookProgId, outlook::CLSID_OutlookApplication);
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
