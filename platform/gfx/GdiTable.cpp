// The drawing layer's object table: slots, generations and the live counts.
#include "platform/gfx/GdiTable.h"

#include "platform/gfx/Gdi.h"

#include <variant>
#include <vector>

namespace gfx::detail {

namespace {

enum Kind : uint32_t { KindBitmap = 1, KindDc = 2, KindIcon = 3 };

constexpr uint32_t MaxSlots = 0xFFFF;

struct Slot {
    uint16_t Generation = 1;
    std::variant<std::monostate, BitmapObject, DcObject, IconObject> Object;
};

struct Table {
    std::recursive_mutex Lock;
    std::vector<Slot> Slots = std::vector<Slot>(1); // slot 0 is never used
    std::vector<uint32_t> Free;
    DWORD GdiObjects = 0;
    DWORD UserObjects = 0;
    HBITMAP Stock = nullptr;
};

// Never destroyed: handles may be freed by static destructors of other libraries.
Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

uintptr_t Encode(uint32_t slot, uint16_t generation, Kind kind) {
    return slot | (uintptr_t(generation & 0xFFF) << 16) | (uintptr_t(kind) << 28);
}

// The slot a handle of that kind names, or nullptr.
Slot* Lookup(const void* handle, Kind kind) {
    uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if (value == 0 || value > 0x7FFFFFFF || (value >> 28) != kind)
        return nullptr;
    uint32_t index = value & 0xFFFF;
    Table& t = TheTable();
    if (index == 0 || index >= t.Slots.size())
        return nullptr;
    Slot& slot = t.Slots[index];
    if (((value >> 16) & 0xFFF) != (slot.Generation & 0xFFF))
        return nullptr;
    if (std::holds_alternative<std::monostate>(slot.Object))
        return nullptr;
    return &slot;
}

template <class T> void* Add(T object, Kind kind) {
    Table& t = TheTable();
    std::lock_guard lock(t.Lock);
    uint32_t index;
    if (!t.Free.empty()) {
        index = t.Free.back();
        t.Free.pop_back();
    } else {
        if (t.Slots.size() > MaxSlots)
            return nullptr;
        index = static_cast<uint32_t>(t.Slots.size());
        t.Slots.emplace_back();
    }
    Slot& slot = t.Slots[index];
    slot.Object = std::move(object);
    if (kind == KindIcon)
        ++t.UserObjects;
    else
        ++t.GdiObjects;
    return reinterpret_cast<void*>(Encode(index, slot.Generation, kind));
}

bool Remove(const void* handle, Kind kind) {
    Table& t = TheTable();
    std::lock_guard lock(t.Lock);
    Slot* slot = Lookup(handle, kind);
    if (!slot)
        return false;
    slot->Object = std::monostate{};
    slot->Generation = uint16_t(slot->Generation % 0xFFF + 1);
    t.Free.push_back(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle) & 0xFFFF));
    if (kind == KindIcon)
        --t.UserObjects;
    else
        --t.GdiObjects;
    return true;
}

} // namespace

std::recursive_mutex& TableLock() {
    return TheTable().Lock;
}

HBITMAP AddBitmap(std::unique_ptr<Dib> pixels, bool section) {
    BitmapObject b;
    b.Pixels = std::move(pixels);
    b.Section = section;
    return static_cast<HBITMAP>(Add(std::move(b), KindBitmap));
}

HDC AddDc(DcObject dc) {
    return static_cast<HDC>(Add(std::move(dc), KindDc));
}

HICON AddIcon(IconObject icon) {
    return static_cast<HICON>(Add(std::move(icon), KindIcon));
}

BitmapObject* FindBitmap(HGDIOBJ handle) {
    Slot* slot = Lookup(handle, KindBitmap);
    return slot ? &std::get<BitmapObject>(slot->Object) : nullptr;
}

DcObject* FindDc(HDC handle) {
    Slot* slot = Lookup(handle, KindDc);
    return slot ? &std::get<DcObject>(slot->Object) : nullptr;
}

IconObject* FindIcon(HICON handle) {
    Slot* slot = Lookup(handle, KindIcon);
    return slot ? &std::get<IconObject>(slot->Object) : nullptr;
}

bool RemoveBitmap(HBITMAP handle) {
    std::lock_guard lock(TableLock());
    BitmapObject* b = FindBitmap(handle);
    if (!b)
        return false;
    if (b->Stock)
        return true;
    return Remove(handle, KindBitmap);
}

bool RemoveDc(HDC handle) {
    return Remove(handle, KindDc);
}

bool RemoveIcon(HICON handle) {
    std::lock_guard lock(TableLock());
    IconObject* icon = FindIcon(handle);
    if (!icon)
        return false;
    if (icon->Stock)
        return true;
    return Remove(handle, KindIcon);
}

HICON AddStockIcon(IconObject icon) {
    Table& t = TheTable();
    std::lock_guard lock(t.Lock);
    icon.Stock = true;
    HICON handle = AddIcon(std::move(icon));
    if (handle)
        --t.UserObjects;
    return handle;
}

HBITMAP StockBitmap() {
    Table& t = TheTable();
    std::lock_guard lock(t.Lock);
    if (!t.Stock) {
        t.Stock = AddBitmap(std::make_unique<Dib>(1, 1, 1), false);
        FindBitmap(t.Stock)->Stock = true;
        --t.GdiObjects;
    }
    return t.Stock;
}

DWORD LiveObjects(DWORD flags) {
    Table& t = TheTable();
    std::lock_guard lock(t.Lock);
    return flags == GR_USEROBJECTS ? t.UserObjects : t.GdiObjects;
}

HDC CreateSinkDc(DcSink* sink) {
    DcObject dc;
    dc.Sink = sink;
    return AddDc(std::move(dc));
}

std::optional<Dib> SnapshotBitmap(HBITMAP bitmap) {
    std::lock_guard lock(TableLock());
    if (Dib* pixels = PixelsOf(bitmap))
        return Dib(*pixels);
    return std::nullopt;
}

} // namespace gfx::detail
