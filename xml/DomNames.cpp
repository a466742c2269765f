// The pool of a document's names.
#include "xml/DomNames.h"

TRwDOMName TRwDOMNamePool::Intern(std::u16string_view name) {
    if (name.empty())
        return Empty();
    auto found = names_.find(name);
    if (found == names_.end())
        found = names_.emplace(name).first;
    return &*found;
}

TRwDOMName TRwDOMNamePool::Empty() noexcept {
    static const std::u16string empty;
    return &empty;
}
