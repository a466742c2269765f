// Property pages of the simulated Outlook's dialogs.
#include "platform/sim/outlook/SimPropertyPages.h"

#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimMembers.h"

namespace sim {

// OlObjectClass of a PropertyPages collection.
constexpr int olPropertyPages = 71;

ComPtr<SimPropertyPages> SimPropertyPages::Create(SimApplication* app) {
    return MakeComObject<SimPropertyPages>(app);
}

SimPropertyPages::SimPropertyPages(SimApplication* app)
    : OutlookObject("PropertyPages"), app_(ComPtr<SimApplication>::Share(app)) {
    AddObjectMembers(Members, app_, olPropertyPages);
    Members.Get("Count", [this] { return int(pages_.size()); });
    Members.Add("Item", DISPID_VALUE).Params({"Index"}).Call([this](DispCall& c) {
        int i = c.Integer(0);
        if (i < 1 || size_t(i) > pages_.size())
            RaiseBadIndex();
        return pages_[i - 1].Control;
    });
    Members.Add("Add").Params({"Page", "Title"}).Call([this](DispCall& c) {
        pages_.push_back({c[0].Deref(), c.Has(1) ? c.Wide(1) : std::u16string()});
    });
    Members.Add("Remove").Params({"Index"}).Call([this](DispCall& c) {
        int i = c.Integer(0);
        if (i < 1 || size_t(i) > pages_.size())
            RaiseBadIndex();
        pages_.erase(pages_.begin() + (i - 1));
    });
}

void SimPropertyPages::TearDown() {
    pages_.clear();
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

} // namespace sim
