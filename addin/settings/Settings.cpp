// The recently used list's slot arithmetic.
#include "addin/settings/Settings.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/RtlConsts.h"

#include <algorithm>

const TMruEntry& TMruList::Slot(int slot) const {
    if (slot < 1 || slot > Slots)
        throw EListError(RtlConsts::SListIndexError, {slot});
    return slots_[slot - 1];
}

TMruEntry& TMruList::Slot(int slot) {
    return const_cast<TMruEntry&>(std::as_const(*this).Slot(slot));
}

int TMruList::Count() const {
    return static_cast<int>(
        std::count_if(slots_.begin(), slots_.end(), [](const TMruEntry& e) { return e.Used(); }));
}

int TMruList::Exist(const std::string& folder, const std::string& store,
                    const std::string& storeId) const {
    const TMruEntry wanted{folder, store, storeId};
    for (int slot = 1; slot <= Slots; ++slot)
        if (Slot(slot) == wanted)
            return slot;
    return -1;
}

void TMruList::ToTop(const std::string& folder, const std::string& store,
                     const std::string& storeId, int slot) {
    // Only the list's own callers pass a slot; anything but a real slot is
    // taken as "look it up" rather than writing outside the list.
    if (slot < 1 || slot > Slots) {
        slot = Exist(folder, store, storeId);
        if (slot == -1)
            slot = Slots;
    }
    for (int k = slot; k >= 2; --k)
        if (Slot(k - 1).Used())
            Slot(k) = Slot(k - 1);
    Slot(1) = TMruEntry{folder, store, storeId};
}

void TMruList::Remove(int slot) {
    if (slot < 1 || slot > Slots)
        return;
    Slot(slot) = TMruEntry();
    for (int later = slot + 1; later <= Slots; ++later)
        if (Slot(later).Used()) {
            Slot(later - 1) = Slot(later);
            Slot(later) = TMruEntry();
        }
}

void TMruList::Clear() {
    slots_.fill(TMruEntry());
}

void TMruList::Compact() {
    auto firstFree = std::stable_partition(slots_.begin(), slots_.end(),
                                           [](const TMruEntry& e) { return e.Used(); });
    std::fill(firstFree, slots_.end(), TMruEntry());
}
