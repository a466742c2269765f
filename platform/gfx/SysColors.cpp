// The system colours: one table per process, read and written atomically.
#include "platform/gfx/SysColors.h"

#include <atomic>

namespace {

// The standard light scheme.
constexpr COLORREF Standard[COLOR_COUNT] = {
    RGB(200, 200, 200), // scroll bar
    RGB(0, 0, 0),       // desktop
    RGB(153, 180, 209), // active caption
    RGB(191, 205, 219), // inactive caption
    RGB(240, 240, 240), // menu
    RGB(255, 255, 255), // window
    RGB(100, 100, 100), // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(0, 0, 0),       // caption text
    RGB(180, 180, 180), // active border
    RGB(244, 247, 252), // inactive border
    RGB(171, 171, 171), // application workspace
    RGB(0, 120, 215),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(240, 240, 240), // button face
    RGB(160, 160, 160), // button shadow
    RGB(109, 109, 109), // gray text
    RGB(0, 0, 0),       // button text
    RGB(0, 0, 0),       // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(105, 105, 105), // 3-D dark shadow
    RGB(227, 227, 227), // 3-D light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
    RGB(0, 0, 0),       // (unused)
    RGB(0, 102, 204),   // hot-tracked item
    RGB(185, 209, 234), // active caption gradient
    RGB(215, 228, 242), // inactive caption gradient
    RGB(0, 120, 215),   // highlighted menu item
    RGB(240, 240, 240), // menu bar
};

std::atomic<COLORREF>* Colors() {
    static std::atomic<COLORREF> colors[COLOR_COUNT];
    static bool filled = [] {
        for (int i = 0; i < COLOR_COUNT; ++i)
            colors[i] = Standard[i];
        return true;
    }();
    (void)filled;
    return colors;
}

} // namespace

DWORD GetSysColor(int index) {
    if (index < 0 || index >= COLOR_COUNT)
        return 0;
    return Colors()[index].load();
}

BOOL SetSysColors(int count, const int* elements, const COLORREF* values) {
    if (count < 0 || (count > 0 && (!elements || !values)))
        return FALSE;
    for (int i = 0; i < count; ++i)
        if (elements[i] < 0 || elements[i] >= COLOR_COUNT)
            return FALSE;
    for (int i = 0; i < count; ++i)
        Colors()[elements[i]] = values[i] & 0xFFFFFF;
    return TRUE;
}

namespace platform {

void ResetSysColors() {
    for (int i = 0; i < COLOR_COUNT; ++i)
        Colors()[i] = Standard[i];
}

} // namespace platform
