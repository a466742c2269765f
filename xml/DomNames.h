// The names of one document, each kept once. Element and attribute names
// repeat throughout a document, so a node holds a pointer into its document's
// pool instead of a string of its own: nodes stay small and building a large
// tree allocates no memory for names it has seen before.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

// An interned name: stable for the life of the pool that made it, never null.
using TRwDOMName = const std::u16string*;

// The pool of a document's names. A document holds few distinct names and
// meets them again and again, so a small cache of recent names answers most
// lookups before the hash table is asked.
class TRwDOMNamePool {
public:
    // The pooled copy of name (the shared empty name for an empty one).
    TRwDOMName Intern(std::u16string_view name);
    // The empty name, shared by every pool.
    static TRwDOMName Empty() noexcept;

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::u16string_view s) const noexcept {
            return std::hash<std::u16string_view>{}(s);
        }
    };
    static constexpr size_t kCacheSize = 64;

    std::unordered_set<std::u16string, Hash, std::equal_to<>> names_;
    std::array<TRwDOMName, kCacheSize> recent_{};
};
