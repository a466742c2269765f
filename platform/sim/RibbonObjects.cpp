// The simulated ribbon's control and ribbon objects.
#include "platform/sim/RibbonObjects.h"

#include "platform/com/OutParam.h"
#include "platform/text/Text.h"

namespace sim {

ComPtr<SimulatedRibbonControl> SimulatedRibbonControl::Create(std::u16string id, std::u16string tag,
                                                              ComPtr<IDispatch> context) {
    return MakeComObject<SimulatedRibbonControl>(std::move(id), std::move(tag), std::move(context));
}

SimulatedRibbonControl::SimulatedRibbonControl(std::u16string id, std::u16string tag,
                                               ComPtr<IDispatch> context)
    : id_(std::move(id)), tag_(std::move(tag)), context_(std::move(context)) {
    Members.SetSource(u"Office");
    Members.Get("Id", [this] { return id_; });
    Members.Get("Context", [this] { return Variant(context_); });
    Members.Get("Tag", [this] { return tag_; });
}

HRESULT SimulatedRibbonControl::get_Id(BSTR* id) {
    return OutValue(id, id_);
}

HRESULT SimulatedRibbonControl::get_Context(IDispatch** context) {
    return OutInterface(context, context_);
}

HRESULT SimulatedRibbonControl::get_Tag(BSTR* tag) {
    return OutValue(tag, tag_);
}

ComPtr<SimulatedRibbonUI> SimulatedRibbonUI::Create() {
    return MakeComObject<SimulatedRibbonUI>();
}

SimulatedRibbonUI::SimulatedRibbonUI() {
    Members.SetSource(u"Office");
    Members.Method("Invalidate", [this] { Invalidate(); });
    Members.Add("InvalidateControl").Params({"ControlID"}).Call([this](DispCall& call) {
        call.ExpectCount(1);
        OleCheck(InvalidateControl(call.Wide(0)));
    });
}

HRESULT SimulatedRibbonUI::Invalidate() {
    Add(std::string());
    return S_OK;
}

HRESULT SimulatedRibbonUI::InvalidateControl(const BSTR& controlId) {
    // An empty id would read as a whole-ribbon invalidation in the record.
    if (controlId.empty())
        return E_INVALIDARG;
    Add(text::Narrow(controlId));
    return S_OK;
}

void SimulatedRibbonUI::Add(std::string controlId) {
    invalidations_.push_back(controlId);
    pending_.push_back(std::move(controlId));
}

} // namespace sim
