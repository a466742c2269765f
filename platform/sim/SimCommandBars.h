// The command bars of one simulated host window (an explorer or an
// inspector). The collection is empty until add-ins add bars, which the
// simulation does not offer yet; what it does offer is what the framework
// relies on now: the CommandBars interface, Count, Item, FindControl, and
// the _CommandBarsEvents connection point with OnUpdate, which a test or a
// simulated window raises.
#pragma once

#include "platform/com/Com.h"
#include "platform/office/CommandBars.h"

#include <vector>

namespace sim {

class SimulatedCommandBars final : public DispatchObject<CommandBars, IConnectionPointContainer> {
public:
    // A new, empty collection.
    static ComPtr<SimulatedCommandBars> Create();

    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override;

    // Raises OnUpdate on every advised sink; returns how many were called.
    size_t FireOnUpdate();
    // Every event IID a sink was advised on, in order (unadvised ones too).
    std::vector<GUID> AdvisedIids() const { return points_.AdvisedIids(); }
    // Sinks advised now.
    size_t SinkCount() const noexcept { return points_.SinkCount(); }

private:
    friend struct ::ComMaker;
    SimulatedCommandBars();

    ConnectionPoints points_{this};
};

} // namespace sim
