// TSaveClipboard: keeps the user's clipboard aside while a button face goes
// through the clipboard, and puts it back afterwards. Memory formats are
// copied block by block; a bitmap is copied as a bitmap of its own, so the
// user's picture survives a face too. Metafile handles are not kept.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstddef>
#include <vector>

class TSaveClipboard {
public:
    TSaveClipboard() = default;
    // Frees whatever was saved and not restored.
    ~TSaveClipboard();
    TSaveClipboard(const TSaveClipboard&) = delete;
    TSaveClipboard& operator=(const TSaveClipboard&) = delete;

    // Opens the clipboard, up to 101 tries 10 ms apart on the platform
    // clock; true when it is open (the caller closes it).
    static bool TryOpenClipboard();
    // Copies every format the clipboard holds (memory blocks and bitmaps);
    // false when the clipboard could not be opened, so nothing was saved.
    bool Save();
    // Empties the clipboard and hands it the saved formats, in their order,
    // which the clipboard owns from then on (the saver frees only what it
    // refused); the saver is empty afterwards. A clipboard that was saved
    // empty is emptied again, so what was put there meanwhile does not stay.
    void Restore();
    // The number of formats saved.
    std::size_t Count() const noexcept { return entries_.size(); }

private:
    struct Entry {
        UINT Format;
        HANDLE Data;
    };
    void FreeEntries() noexcept;

    std::vector<Entry> entries_;
    bool saved_ = false;
};
