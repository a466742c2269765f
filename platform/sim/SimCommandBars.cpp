// A simulated window's command bars.
#include "platform/sim/SimCommandBars.h"

namespace sim {

ComPtr<SimulatedCommandBars> SimulatedCommandBars::Create() {
    return MakeComObject<SimulatedCommandBars>();
}

SimulatedCommandBars::SimulatedCommandBars() {
    Members.SetSource(u"Office");
    points_.Add(DIID__CommandBarsEvents);
    Members.Get("Count", [] { return 0; });
    Members.Add("Item", DISPID_VALUE).Params({"Index"}).Get([](DispCall& call) -> Variant {
        call.ExpectCount(1);
        throw EOleSysError("The collection holds no command bar \"" + call[0].AsString() + "\"",
                           DISP_E_BADINDEX);
    });
    // Nothing can be found in an empty collection: Nothing, as the host answers.
    Members.Add("FindControl").Params({"Type", "Id", "Tag", "Visible"}).Call([] {
        return Variant(static_cast<IDispatch*>(nullptr));
    });
    Members.Add("Add").Params({"Name", "Position", "MenuBar", "Temporary"}).Call([]() -> Variant {
        throw EOleSysError("Adding command bars is not simulated", E_NOTIMPL);
    });
}

HRESULT SimulatedCommandBars::FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) {
    return points_.FindConnectionPoint(iid, cp);
}

size_t SimulatedCommandBars::FireOnUpdate() {
    DispArgs none;
    return points_.Fire(DIID__CommandBarsEvents, DISPID_CommandBarsOnUpdate, none.Params());
}

} // namespace sim
