// The pool of a document's names.
#include "xml/DomNames.h"

#include "xml/DomArena.h"

TRwDOMName TRwDOMNamePool::Intern(std::u16string_view name) {
    if (name.empty())
        return Empty();
    const size_t slot = (name.size() * 7 + name.front() * 31 + name.back()) % kCacheSize;
    if (TRwDOMName cached = recent_[slot]; cached && *cached == name)
        return cached;
    auto found = names_.find(name);
    if (found == names_.end()) {
        TRwDOMAllocationFault::Check();
        found = names_.emplace(name).first;
    }
    recent_[slot] = &*found;
    return recent_[slot];
}

TRwDOMName TRwDOMNamePool::Empty() noexcept {
    static const std::u16string empty;
    return &empty;
}
