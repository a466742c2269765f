// The objects the simulated ribbon host hands to an add-in: the
// IRibbonControl passed first to every control callback, and the IRibbonUI
// passed to the onLoad callback, which records the invalidations the add-in
// asks for.
#pragma once

#include "platform/com/Com.h"
#include "platform/office/Ribbon.h"

#include <string>
#include <utility>
#include <vector>

namespace sim {

// One control as a callback sees it: Id, Context and Tag.
class SimulatedRibbonControl final : public DispatchObject<IRibbonControl> {
public:
    // A control with that id and tag, shown in window context (may be nil).
    static ComPtr<SimulatedRibbonControl> Create(std::u16string id, std::u16string tag,
                                                 ComPtr<IDispatch> context);

    HRESULT get_Id(BSTR* id) override;
    HRESULT get_Context(IDispatch** context) override;
    HRESULT get_Tag(BSTR* tag) override;

private:
    friend struct ::ComMaker;
    SimulatedRibbonControl(std::u16string id, std::u16string tag, ComPtr<IDispatch> context);

    std::u16string id_;
    std::u16string tag_;
    ComPtr<IDispatch> context_;
};

// One loaded ribbon. Invalidations are kept in the order they came: an empty
// id for Invalidate, the control's id for InvalidateControl.
class SimulatedRibbonUI final : public DispatchObject<IRibbonUI> {
public:
    static ComPtr<SimulatedRibbonUI> Create();

    HRESULT Invalidate() override;
    HRESULT InvalidateControl(const BSTR& controlId) override;

    // Every invalidation so far, oldest first ("" stands for Invalidate).
    const std::vector<std::string>& Invalidations() const noexcept { return invalidations_; }
    // Forgets the invalidations recorded so far.
    void ClearInvalidations() noexcept { invalidations_.clear(); }
    // The invalidations the host has not acted on yet, handed over once.
    std::vector<std::string> TakePending() { return std::exchange(pending_, {}); }

private:
    friend struct ::ComMaker;
    SimulatedRibbonUI();
    void Add(std::string controlId);

    std::vector<std::string> invalidations_;
    std::vector<std::string> pending_;
};

} // namespace sim
