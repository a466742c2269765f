// The components a stored form made, found by name for the fields that the
// class library would set from the form's published declarations.
#pragma once

#include "platform/forms/Component.h"

// The component of owner named name, which the stored form made as a T;
// nullptr when there is none or it is of another class.
template <class T> T* StoredComponent(const TComponent& owner, const char* name) {
    return dynamic_cast<T*>(owner.FindComponent(name));
}
