// Members that many objects of the simulated Outlook share: the four every
// Outlook object has (Application, Class, Session, Parent), a collection's
// Count and Item (from 1), and the GetFirst/GetNext/GetLast/GetPrevious walk,
// with the errors Outlook answers for a missing or out-of-range entry.
#pragma once

#include "platform/com/Com.h"
#include "platform/sim/outlook/SimObject.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

namespace sim {

class SimApplication;

// A variant holding no object ("Nothing").
inline Variant Nothing() {
    return Variant(static_cast<IDispatch*>(nullptr));
}
// The errors for a name that names nothing and an index outside a list.
[[noreturn]] void RaiseNotFound();
[[noreturn]] void RaiseBadIndex();

// Application, Class (objectClass), Session and Parent (parent(), or the
// application when parent is empty). app is the object's own field.
void AddObjectMembers(DispatchTable& members, const ComPtr<SimApplication>& app, int objectClass,
                      std::function<Variant()> parent = {});

// Count and Item over list; Item takes an index from 1, or, when byName is
// given, a text that byName looks up (null: not found).
template <class T>
void AddListMembers(DispatchTable& members, const std::vector<ComPtr<T>>& list,
                    std::function<T*(std::u16string_view)> byName = {}) {
    members.Get("Count", [&list] { return int(list.size()); });
    members.Add("Item", DISPID_VALUE).Params({"Index"}).Call([&list, byName](DispCall& c) {
        Variant key = c[0].Deref();
        if (byName && key.BaseType() == VT_BSTR) {
            T* found = byName(key.AsWide());
            if (!found)
                RaiseNotFound();
            return Variant(found->Disp());
        }
        int i = key.AsInteger();
        if (i < 1 || size_t(i) > list.size())
            RaiseBadIndex();
        return Variant(list[i - 1]->Disp());
    });
}

// GetFirst, GetNext, GetLast and GetPrevious over list; cursor is the
// object's field (the position from 1, 0 before the first).
template <class T>
void AddCursorMembers(DispatchTable& members, const std::vector<ComPtr<T>>& list, size_t& cursor) {
    auto step = [&list, &cursor](int delta, bool fromCursor) {
        if (!fromCursor)
            cursor = list.empty() ? 0 : delta > 0 ? 1 : list.size();
        else if (delta > 0 ? cursor <= list.size() : cursor > 0)
            cursor = size_t(int(cursor) + delta);
        if (cursor < 1 || cursor > list.size())
            return Nothing();
        return Variant(list[cursor - 1]->Disp());
    };
    members.Method("GetFirst", [step] { return step(1, false); });
    members.Method("GetNext", [step] { return step(1, true); });
    members.Method("GetLast", [step] { return step(-1, false); });
    members.Method("GetPrevious", [step] { return step(-1, true); });
}

// Takes object out of list; the reference it had there, or null.
template <class T> ComPtr<T> RemoveFromList(std::vector<ComPtr<T>>& list, const T& object) {
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const ComPtr<T>& p) { return p.Get() == &object; });
    if (it == list.end())
        return nullptr;
    ComPtr<T> held = std::move(*it);
    list.erase(it);
    return held;
}

// Tears part down, when there is one, and lets it go.
template <class T> void TearDownPart(ComPtr<T>& part) {
    if (ComPtr<T> gone = std::move(part))
        gone->TearDown();
}

// Tears every object of list down and empties it.
template <class T> void TearDownList(std::vector<ComPtr<T>>& list) {
    std::vector<ComPtr<T>> gone = std::move(list);
    list.clear();
    for (auto& object : gone)
        object->TearDown();
}

} // namespace sim
