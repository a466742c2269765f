// The seam through which a library that has just loaded a language pack asks
// every open form and data module, and every component on them, to translate
// itself. The forms layer installs the walk over what is open (it knows the
// forms); a language pack loader, which must not reach into forms, only runs
// the walk with the interface its translatable components implement and is
// handed that interface of each component that offers it. Without a walk
// installed nothing is open to translate, and running it does nothing.
#pragma once

#include <functional>

struct GUID;

namespace platform {

// Called with the requested interface of one open component (no reference added).
using TranslateVisitor = std::function<void(void* intf)>;
// Calls the visitor once for every open form, data module and component on
// them that offers the interface iid.
using TranslateWalker = std::function<void(const GUID& iid, const TranslateVisitor& visitor)>;

// Installs the walk (the forms layer does, when the platform is loaded) and
// returns the one it replaces; an empty walker removes it.
TranslateWalker SetTranslateWalker(TranslateWalker walker);

// Runs the installed walk for the interface iid; nothing while none is installed.
void TranslateOpenComponents(const GUID& iid, const TranslateVisitor& visitor);

} // namespace platform
