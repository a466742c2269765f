// Change-counter records and host writes of the command bars.
#include "framework/commandbars/CommandBarStore.h"

#include "platform/com/LateBound.h"
#include "platform/win/Registry.h"

namespace {

// The records live in the current user's part of the add-in key; a module
// without an add-in key has none (and must not write at the root of the
// current user's key).
bool OpenRecords(TRegistry& registry, const std::string& addInKey, const char* subKey,
                 bool create) {
    if (addInKey.empty())
        return false;
    return registry.OpenKey(addInKey + subKey, create);
}

} // namespace

bool adxRecordChanged(const std::string& AddInKey, const char* SubKey, const std::string& Name,
                      int32_t Counter) {
    TRegistry registry;
    try {
        if (!OpenRecords(registry, AddInKey, SubKey, true) || !registry.ValueExists(Name))
            return true;
        return registry.ReadInteger(Name) != Counter;
    } catch (const Exception&) {
        // An unreadable record counts as a change: the properties are pushed.
        return true;
    }
}

void adxWriteRecord(const std::string& AddInKey, const char* SubKey, const std::string& Name,
                    int32_t Counter) {
    TRegistry registry;
    if (OpenRecords(registry, AddInKey, SubKey, true))
        registry.WriteInteger(Name, Counter);
}

int32_t adxReadRecord(const std::string& AddInKey, const char* SubKey, const std::string& Name) {
    TRegistry registry;
    try {
        if (!OpenRecords(registry, AddInKey, SubKey, false) || !registry.ValueExists(Name))
            return -1;
        return registry.ReadInteger(Name);
    } catch (const Exception&) {
        return -1;
    }
}

bool adxPushHostValue(IDispatch* Host, const char* Name, const Variant& Value) {
    Variant current = dispGet(Host, Name);
    bool same;
    switch (Value.BaseType()) {
    case VT_BOOL:
        same = current.AsBool() == Value.AsBool();
        break;
    case VT_BSTR:
        same = current.AsWide() == Value.AsWide();
        break;
    default:
        same = current.AsInteger() == Value.AsInteger();
        break;
    }
    if (same)
        return false;
    dispPut(Host, Name, Value);
    return true;
}
