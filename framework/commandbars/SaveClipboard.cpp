// Saving and restoring the user's clipboard around a pasted button face.
#include "framework/commandbars/SaveClipboard.h"

#include "platform/gfx/Gdi.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Clock.h"

#include <cstring>
#include <utility>

namespace {

// A copy of a global memory block, or 0 when it is empty or cannot be read.
HGLOBAL CopyBlock(HGLOBAL source) {
    std::size_t size = source ? GlobalSize(source) : 0;
    if (size == 0)
        return nullptr;
    void* from = GlobalLock(source);
    if (!from)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (void* to = copy ? GlobalLock(copy) : nullptr) {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    } else if (copy) {
        GlobalFree(copy);
        copy = nullptr;
    }
    GlobalUnlock(source);
    return copy;
}

// A bitmap of its own with the pixels of source (32 bits), or 0.
HBITMAP CopyBitmap(HBITMAP source) {
    BITMAP info;
    if (!source || !GetObject(source, sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight);
    if (copy) {
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, copy);
        BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return copy;
}

} // namespace

TSaveClipboard::~TSaveClipboard() {
    FreeEntries();
}

bool TSaveClipboard::TryOpenClipboard() {
    for (int attempt = 0; attempt < 101; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(10);
    }
    return false;
}

bool TSaveClipboard::Save() {
    if (!TryOpenClipboard())
        return false;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        HANDLE data = GetClipboardData(format);
        HANDLE copy = nullptr;
        if (format == CF_BITMAP)
            copy = CopyBitmap(static_cast<HBITMAP>(data));
        else if (format != CF_METAFILEPICT && format != CF_ENHMETAFILE)
            copy = CopyBlock(data);
        if (copy)
            entries_.push_back({format, copy});
    }
    CloseClipboard();
    saved_ = true;
    return true;
}

void TSaveClipboard::Restore() {
    if (std::exchange(saved_, false) && TryOpenClipboard()) {
        EmptyClipboard();
        for (Entry& entry : entries_)
            if (SetClipboardData(entry.Format, entry.Data))
                entry.Data = nullptr; // the clipboard owns it now
        CloseClipboard();
    }
    FreeEntries();
}

void TSaveClipboard::FreeEntries() noexcept {
    for (const Entry& entry : entries_) {
        if (!entry.Data)
            continue;
        if (entry.Format == CF_BITMAP)
            DeleteObject(entry.Data);
        else
            GlobalFree(entry.Data);
    }
    entries_.clear();
}
