// The mouse pointer of the simulated machine.
#include "platform/win/Cursor.h"

#include <mutex>

namespace {

struct Pointer {
    std::mutex lock;
    POINT position;
};

Pointer& MousePointer() {
    static Pointer* pointer = new Pointer;
    return *pointer;
}

} // namespace

BOOL GetCursorPos(POINT* point) {
    if (!point)
        return FALSE;
    Pointer& p = MousePointer();
    std::lock_guard<std::mutex> guard(p.lock);
    *point = p.position;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    Pointer& p = MousePointer();
    std::lock_guard<std::mutex> guard(p.lock);
    p.position.x = x;
    p.position.y = y;
    return TRUE;
}

BOOL DestroyCursor(HANDLE cursor) {
    return cursor != nullptr;
}
