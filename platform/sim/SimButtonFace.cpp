// The face of a simulated host button: given as a picture (with a mask whose
// set pixels show the button through) or pasted from a bitmap on the
// clipboard, as a host without pictures takes it. The pixels are copied when
// given, since the picture objects do not own their bitmaps.
#include "platform/gfx/Gdi.h"
#include "platform/gfx/Picture.h"
#include "platform/gfx/SysColors.h"
#include "platform/sim/SimCommandBars.h"
#include "platform/win/Clipboard.h"

#include <cstdio>

namespace sim {

namespace {

// The pixels of a bitmap, top row first, as 0x00BBGGRR; false when it is none.
bool ReadPixels(HBITMAP bitmap, SimButtonFace& face) {
    BITMAP info;
    if (!bitmap || !GetObject(bitmap, sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return false;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bgra(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bgra.data(), &header,
                         DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows == 0)
        return false;
    face.Width = info.bmWidth;
    face.Height = info.bmHeight;
    face.Pixels.clear();
    for (uint32_t pixel : bgra) // 0x00RRGGBB to 0x00BBGGRR
        face.Pixels.push_back(((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
    return true;
}

HBITMAP BitmapOf(const Variant& picture) {
    ComPtr<IDispatch> disp = picture.AsDispatch();
    if (!disp)
        return nullptr;
    ComPtr<IPicture> pic = disp.Query<IPicture>();
    OLE_HANDLE handle = 0;
    if (!pic || FAILED(pic->get_Handle(&handle)))
        return nullptr;
    return reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(handle));
}

const char* PictureLog(const Variant& value) {
    return value.IsEmptyOrNothing() ? "Nothing" : "<object>";
}

} // namespace

std::string SimButtonFace::Describe() const {
    if (Pixels.empty())
        return {};
    uint32_t hash = 2166136261u; // FNV-1a over the pixels
    for (uint32_t pixel : Pixels)
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ ((pixel >> shift) & 0xFF)) * 16777619u;
    char checksum[16];
    std::snprintf(checksum, sizeof checksum, "%08x", hash);
    return std::to_string(Width) + "x" + std::to_string(Height) + " " + Source + " #" + checksum;
}

void SimCommandBarControl::AddFaceMembers() {
    SetValue("Picture", Variant(static_cast<IDispatch*>(nullptr)));
    SetValue("Mask", Variant(static_cast<IDispatch*>(nullptr)));
    for (const char* name : {"Picture", "Mask"}) {
        std::string member = name;
        Members.Property(
            member, [this, member] { return Value(member); },
            [this, member](const Variant& value) {
                state_->Writes.push_back(LogName() + "." + member + " = " + PictureLog(value));
                SetValue(member, value);
                if (member == "Picture")
                    SetValue("Mask", Variant(static_cast<IDispatch*>(nullptr)));
                FaceFromPicture();
            });
    }
    Members.Method("PasteFace", [this] {
        state_->Writes.push_back(LogName() + ".PasteFace");
        if (state_->PasteFaceFailures > 0) {
            --state_->PasteFaceFailures;
            throw EOleSysError("The clipboard cannot be read now", E_FAIL);
        }
        if (!OpenClipboard(nullptr))
            throw EOleSysError("The clipboard is open elsewhere", E_FAIL);
        SimButtonFace pasted;
        bool read = ReadPixels(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)), pasted);
        CloseClipboard();
        if (!read)
            throw EOleSysError("The clipboard holds no picture", E_FAIL);
        pasted.Source = "pasted";
        face_ = std::move(pasted);
    });
}

void SimCommandBarControl::FaceFromPicture() {
    SimButtonFace picture;
    if (!ReadPixels(BitmapOf(Value("Picture")), picture)) {
        face_ = SimButtonFace();
        return;
    }
    picture.Source = "picture";
    SimButtonFace mask;
    if (ReadPixels(BitmapOf(Value("Mask")), mask) && mask.Width == picture.Width &&
        mask.Height == picture.Height) {
        const uint32_t buttonFace = GetSysColor(COLOR_BTNFACE);
        for (size_t i = 0; i < picture.Pixels.size(); ++i)
            if (mask.Pixels[i] != 0) // white in the mask: the button shows through
                picture.Pixels[i] = buttonFace;
        picture.Source = "picture+mask";
    }
    face_ = std::move(picture);
}

} // namespace sim
