// Internal: a thread-safe table of entries named by non-zero cookies, for
// the process-wide tables of COM (class objects, running objects). Entries
// removed are destroyed outside the lock, since letting go of a COM object
// may call back into the table.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

template <class Entry> class CookieTable {
public:
    // Adds an entry; returns its cookie.
    uint32_t Add(Entry entry) {
        std::lock_guard<std::mutex> guard(lock_);
        uint32_t cookie = next_++;
        if (next_ == 0)
            next_ = 1;
        entries_.emplace_back(cookie, std::move(entry));
        return cookie;
    }
    // Removes the entry of cookie; false when there is none.
    bool Remove(uint32_t cookie) {
        std::optional<Entry> removed;
        std::lock_guard<std::mutex> guard(lock_);
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->first == cookie) {
                removed = std::move(it->second);
                entries_.erase(it);
                return true;
            }
        return false;
    }
    // A copy of the first entry that matches, in the order they were added.
    template <class Match> std::optional<Entry> FindFirst(Match match) {
        std::lock_guard<std::mutex> guard(lock_);
        for (const auto& [cookie, entry] : entries_)
            if (match(entry))
                return entry;
        return std::nullopt;
    }

private:
    std::mutex lock_;
    std::vector<std::pair<uint32_t, Entry>> entries_;
    uint32_t next_ = 1;
};
