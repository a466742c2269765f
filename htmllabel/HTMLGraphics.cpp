// The renderer's pictures that do not come from a picture list or the
// cache: shell icons through the system image lists, printed bitmaps
// through StretchDIBits, and the turned font of rotated text.
#include "htmllabel/HTMLGraphics.h"

#include "htmllabel/HTMLHelpers.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/ShellIcons.h"
#include "platform/rtl/FileUtils.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

bool AllDigits(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int Scaled(int value, double factor) {
    double scaled = std::round(value * factor);
    return scaled < 0 ? 0 : scaled > 32767 ? 32767 : int(scaled);
}

} // namespace

SIZE SysImage(TCanvas& canvas, int x, int y, bool large, std::string_view name, bool draw,
              bool print, double resFactor) {
    UINT flags = SHGFI_SYSICONINDEX | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    std::string path(name);
    SHFILEINFO info;
    HIMAGELIST list = nullptr;
    int index = 0;
    if (AllDigits(name)) {
        index = IStrToInt(name);
        list = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(
            ".", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags | SHGFI_USEFILEATTRIBUTES));
    } else {
        bool exists = FileExists(path) || DirExists(path);
        UINT how = exists ? flags : flags | SHGFI_USEFILEATTRIBUTES;
        list = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfo(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), how));
        index = info.iIcon;
    }
    SIZE size;
    int cx = 0, cy = 0;
    if (!list || !ImageList_GetIconSize(list, &cx, &cy) || index < 0 ||
        index >= ImageList_GetImageCount(list))
        return size;
    size.cx = cx;
    size.cy = cy;
    if (!draw)
        return size;
    if (!print) {
        ImageList_Draw(list, index, canvas.Handle(), x, y, ILD_TRANSPARENT);
        return size;
    }
    TBitmap bitmap(cx, cy);
    ImageList_Draw(list, index, bitmap.Canvas()->Handle(), 0, 0, ILD_TRANSPARENT);
    PrintBitmap(canvas, Rect(x, y, x + Scaled(cx, resFactor), y + Scaled(cy, resFactor)), bitmap);
    return size;
}

void PrintBitmap(TCanvas& canvas, const RECT& rect, TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    BITMAPINFO info;
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmap.Width();
    info.bmiHeader.biHeight = -bitmap.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bits(size_t(bitmap.Width()) * size_t(bitmap.Height()));
    HDC dc = bitmap.Canvas()->Handle();
    if (!GetDIBits(dc, bitmap.Handle(), 0, UINT(bitmap.Height()), bits.data(), &info,
                   DIB_RGB_COLORS))
        return;
    StretchDIBits(canvas.Handle(), rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, 0, 0, bitmap.Width(), bitmap.Height(), bits.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

int StartRotated(TCanvas& canvas, int angle) {
    int previous = canvas.Font()->Orientation();
    // Tenths of a degree, kept within one turn so a large angle cannot overflow.
    canvas.Font()->SetOrientation(int((int64_t(angle) % 360) * 10));
    return previous;
}

void EndRotated(TCanvas& canvas, int previous) {
    canvas.Font()->SetOrientation(previous);
}
