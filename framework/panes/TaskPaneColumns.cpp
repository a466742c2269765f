// The task-pane collection's columns in a collection editor: while the
// module is being designed each declaration shows as a row with its type,
// title and the ProgID of its control. At run time there is no editor and
// the collection offers no columns.
#include "framework/panes/CustomTaskPanes.h"
#include "framework/support/ModuleServices.h"
#include "platform/rtl/Format.h"
#include "platform/text/Text.h"

#include <array>

namespace {

constexpr std::array<const char*, 3> kColumns = {"Type", "Title", "ControlProgID"};

} // namespace

int TadxCustomTaskPanes::GetAttrCount() const {
    const bool designing = module_ && (module_->ComponentState() & csDesigning);
    return designing ? static_cast<int>(kColumns.size()) : 0;
}

std::string TadxCustomTaskPanes::GetAttr(int Index) const {
    return Index >= 0 && Index < GetAttrCount() ? kColumns[static_cast<size_t>(Index)] : "";
}

std::string TadxCustomTaskPanes::GetItemAttr(int Index, int ItemIndex) const {
    if (Index < 0 || Index >= GetAttrCount() || ItemIndex < 0 || ItemIndex >= Count())
        return "";
    const TadxCustomTaskPane& pane = *GetItem(ItemIndex);
    switch (Index) {
    case 0:
        return Format("%d - ", {ItemIndex}) + pane.DisplayName();
    case 1:
        return text::Narrow(pane.Title);
    default:
        return pane.ControlProgID;
    }
}
