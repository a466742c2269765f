// The face of a command-bar button: its glyph given to the host button as a
// picture with a mask, or, on hosts that take no picture (version "9.0") or
// when the picture is refused, pasted through the clipboard with the user's
// clipboard kept aside meanwhile.
#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/SaveClipboard.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"
#include "platform/com/OleError.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/Picture.h"
#include "platform/gfx/SysColors.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"

namespace {

// A picture object over a bitmap handle it does not own.
Variant PictureOf(HBITMAP bitmap) {
    PICTDESC desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    desc.bmp.hpal = nullptr;
    IDispatch* picture = nullptr;
    OleCheck(OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE,
                                      reinterpret_cast<void**>(&picture)));
    ComPtr<IDispatch> held = ComPtr<IDispatch>::Adopt(picture);
    return Variant(held.Get());
}

// The host application's version; empty when it cannot be asked.
std::u16string HostVersion(TadxModuleServices* module) {
    try {
        if (module && !module->HostApplication.IsEmpty())
            return dispGet(module->HostApplication, "Version").AsWide();
    } catch (const Exception&) {
        // A host that cannot tell counts as one that takes pictures.
    }
    return {};
}

} // namespace

void TadxCommandBarButton::SetGlyph(TBitmap* Value) {
    glyph_->Assign(Value);
    CountChange();
    if (control_ && !glyph_->Empty())
        SetFace();
}

void TadxCommandBarButton::SetFace() {
    if (!control_ || glyph_->Empty())
        return;
    if (HostVersion(Module()) != u"9.0" && SetFaceByPicture())
        return;
    try {
        PasteFaceThroughClipboard();
    } catch (const Exception& e) {
        ReportError(e);
    }
}

bool TadxCommandBarButton::SetFaceByPicture() {
    try {
        glyph_->SetTransparentColor(GlyphTransparentColor);
        dispPut(control_, "Picture", PictureOf(glyph_->Handle()));
        dispPut(control_, "Mask", PictureOf(glyph_->MaskHandle()));
        return true;
    } catch (const Exception&) {
        return false;
    }
}

void TadxCommandBarButton::PasteFaceThroughClipboard() {
    TSaveClipboard saver;
    // A clipboard that cannot be saved is not taken from the user: the
    // button keeps the face it has.
    if (!saver.Save()) {
        OutputDebugString("The clipboard is busy: the button face is not pasted");
        return;
    }
    const int width = glyph_->Width();
    const int height = glyph_->Height();
    TColor transparent = GlyphTransparentColor == clDefault
                             ? glyph_->Canvas()->Pixels(0, height - 1)
                             : ColorToRGB(GlyphTransparentColor);
    TBitmap face(width, height);
    const TColor buttonFace = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    TCanvas& from = *glyph_->Canvas();
    TCanvas& to = *face.Canvas();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            TColor pixel = from.Pixels(x, y);
            to.SetPixels(x, y, pixel == transparent ? buttonFace : pixel);
        }
    if (TSaveClipboard::TryOpenClipboard()) {
        EmptyClipboard();
        // The clipboard owns the face from here on and frees it when the
        // user's contents come back.
        HBITMAP handed = face.ReleaseHandle();
        if (!SetClipboardData(CF_BITMAP, handed))
            DeleteObject(handed);
        CloseClipboard();
        for (int attempt = 0; attempt < 11; ++attempt) {
            try {
                dispCall(control_, "PasteFace");
                break;
            } catch (const Exception&) {
                Sleep(10);
            }
        }
    }
    saver.Restore();
}
