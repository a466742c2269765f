// The clipboard's contents and who has it open.
#include "platform/win/Clipboard.h"

#include "platform/win/LastError.h"
#include "platform/win/Process.h"
#include "platform/win/Window.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace {

struct ClipboardState {
    std::mutex lock;
    DWORD openedBy = 0; // thread id; 0 when closed
    std::vector<std::pair<UINT, HANDLE>> formats;
    // The drawing layer's releasers, by format.
    std::map<UINT, ClipboardReleaser> releasers;
};

ClipboardState& State() {
    static ClipboardState* state = new ClipboardState;
    return *state;
}

bool OpenHereLocked(const ClipboardState& s) {
    if (s.openedBy == GetCurrentThreadId())
        return true;
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
}

// The drawing layer's formats hold its own handles; the others memory blocks.
bool IsMemoryFormat(UINT format) {
    return format != CF_BITMAP && format != CF_METAFILEPICT && format != CF_ENHMETAFILE;
}

// Data the clipboard lets go of, with its format's releaser (null for a
// memory block), read under the lock and freed once the lock is released,
// since a releaser belongs to another layer.
struct Dropped {
    UINT Format;
    HANDLE Data;
    ClipboardReleaser Releaser;
};

Dropped DropLocked(const ClipboardState& s, UINT format, HANDLE data) {
    auto found = s.releasers.find(format);
    return {format, data, found == s.releasers.end() ? nullptr : found->second};
}

void Release(const std::vector<Dropped>& dropped) {
    for (const Dropped& d : dropped) {
        if (!d.Data)
            continue;
        if (IsMemoryFormat(d.Format))
            GlobalFree(d.Data);
        else if (d.Releaser)
            d.Releaser(d.Data);
    }
}

} // namespace

BOOL OpenClipboard(HWND) {
    ClipboardState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    DWORD self = GetCurrentThreadId();
    if (s.openedBy != 0 && s.openedBy != self) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    s.openedBy = self;
    return TRUE;
}

BOOL CloseClipboard() {
    ClipboardState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!OpenHereLocked(s))
        return FALSE;
    s.openedBy = 0;
    return TRUE;
}

void RegisterClipboardReleaser(UINT format, ClipboardReleaser releaser) {
    ClipboardState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.releasers[format] = releaser;
}

BOOL EmptyClipboard() {
    ClipboardState& s = State();
    std::vector<Dropped> dropped;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        if (!OpenHereLocked(s))
            return FALSE;
        for (const auto& [format, data] : s.formats)
            dropped.push_back(DropLocked(s, format, data));
        s.formats.clear();
    }
    Release(dropped);
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    ClipboardState& s = State();
    std::vector<Dropped> dropped;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        if (!OpenHereLocked(s) || format == 0)
            return nullptr;
        auto it = std::find_if(s.formats.begin(), s.formats.end(),
                               [format](const auto& entry) { return entry.first == format; });
        if (it != s.formats.end()) {
            if (it->second != data)
                dropped.push_back(DropLocked(s, format, it->second));
            it->second = data;
        } else {
            s.formats.emplace_back(format, data);
        }
    }
    Release(dropped);
    return data;
}

HANDLE GetClipboardData(UINT format) {
    ClipboardState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!OpenHereLocked(s))
        return nullptr;
    for (const auto& [f, data] : s.formats)
        if (f == format)
            return data;
    return nullptr;
}

UINT EnumClipboardFormats(UINT format) {
    ClipboardState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!OpenHereLocked(s))
        return 0;
    SetLastError(ERROR_SUCCESS); // 0 at the end is not a failure
    if (format == 0)
        return s.formats.empty() ? 0 : s.formats.front().first;
    for (std::size_t i = 0; i + 1 < s.formats.size(); ++i)
        if (s.formats[i].first == format)
            return s.formats[i + 1].first;
    return 0;
}

int CountClipboardFormats() {
    ClipboardState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return static_cast<int>(s.formats.size());
}

BOOL IsClipboardFormatAvailable(UINT format) {
    ClipboardState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return std::any_of(s.formats.begin(), s.formats.end(),
                       [format](const auto& entry) { return entry.first == format; });
}

UINT RegisterClipboardFormat(const char* name) {
    return RegisterWindowMessage(name);
}
