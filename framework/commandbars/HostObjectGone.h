// The host's answer for a bar or control whose item is gone (the user, or
// another program, deleted it): every call on the object fails with
// RPC_E_DISCONNECTED. The framework's own reads of its bars and controls
// (the shortcut list, closing an explorer, making a control again) take
// that answer as "the host object is gone": they let go of the object and
// the stored value serves, without a word to the user. What the add-in's
// own code reads still reports its failure.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

#include <functional>

// The framework's own read of property Name of Host: Stored when Host is
// nil; when the host object is gone, LetGo runs (the caller drops its
// binding) and Stored serves, without a report. Any other failure raises.
Variant adxFrameworkRead(IDispatch* Host, const char* Name, const Variant& Stored,
                         const std::function<void()>& LetGo);
