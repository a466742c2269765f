// The inspector wrapper's command bars.
#include "framework/hosts/OutlookWindowWrappers.h"

#include "framework/commandbars/CommandBarRelays.h"
#include "framework/commandbars/CustomCommandBar.h"

void TadxInspector::ClearCommandBars(bool ClearAll) {
    for (TObject* placed : PlacedCommandBars)
        if (auto* bar = dynamic_cast<TadxCustomCommandBar*>(placed))
            adxClearCommandBarLinks(*bar, ClearAll);
    PlacedCommandBars.clear();
}
