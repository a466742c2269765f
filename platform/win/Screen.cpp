// The screen object and the mouse pointer of the simulated machine.
#include "platform/win/Screen.h"

#include <mutex>

namespace {

TScreen theScreen;

struct Pointer {
    std::mutex lock;
    POINT position;
};

Pointer& MousePointer() {
    static Pointer* pointer = new Pointer;
    return *pointer;
}

} // namespace

TScreen* Screen = &theScreen;

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
