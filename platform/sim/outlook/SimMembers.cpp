// The shared members of the simulated Outlook's objects.
#include "platform/sim/outlook/SimMembers.h"

#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimNameSpace.h"

namespace sim {

void RaiseNotFound() {
    throw EOleSysError("The attempted operation failed.  An object could not be found.",
                       OutlookNotFound);
}

void RaiseBadIndex() {
    throw EOleSysError("Array index out of bounds.", DISP_E_BADINDEX);
}

void AddObjectMembers(DispatchTable& members, const ComPtr<SimApplication>& app, int objectClass,
                      std::function<Variant()> parent) {
    members.Get("Application", [&app] { return Variant(app->Disp()); });
    members.Get("Class", [objectClass] { return objectClass; });
    members.Get("Session", [&app] { return Variant(app->NameSpace().Disp()); });
    if (parent)
        members.Get("Parent", std::move(parent));
    else
        members.Get("Parent", [&app] { return Variant(app->Disp()); });
}

} // namespace sim
