// Drawing a form with its frame.
#include "platform/controls/FormPicture.h"

#include "platform/controls/Form.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Paint3D.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/PngCodec.h"

namespace controls {

namespace {

// The close box at the right of the caption bar.
void PaintCloseBox(TCanvas& c, const RECT& bar) {
    int h = bar.bottom - bar.top - 4;
    RECT box = Rect(bar.right - h - 4, bar.top + 2, bar.right - 2, bar.top + 2 + h);
    RECT face = box;
    RaisedEdge(c, face);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(face);
    c.Pen()->SetColor(clBtnText);
    int cx = (box.left + box.right) / 2;
    int cy = (box.top + box.bottom) / 2;
    for (int d = 0; d < 2; ++d) {
        c.MoveTo(cx - 4 + d, cy - 3);
        c.LineTo(cx + 3 + d, cy + 4);
        c.MoveTo(cx + 2 + d, cy - 3);
        c.LineTo(cx - 5 + d, cy + 4);
    }
}

void PaintCaptionBar(TCanvas& c, const TForm& form) {
    int b = form.BorderWidth();
    RECT bar = Rect(b, b, form.Width() - b, b + form.CaptionHeight() - 1);
    c.Brush()->SetColor(clActiveCaption);
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(bar);
    c.Font()->Assign(form.Font());
    c.Font()->SetColor(clCaptionText);
    c.Font()->SetStyle(TFontStyles{fsBold});
    RECT text = Rect(bar.left + 4, bar.top, bar.right - 22, bar.bottom);
    c.Brush()->SetStyle(bsClear);
    c.DrawText(form.Caption(), text,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (form.BorderIcons().Contains(biSystemMenu))
        PaintCloseBox(c, bar);
}

void PaintMenuBar(TCanvas& c, const TForm& form) {
    int b = form.BorderWidth();
    int top = b + form.CaptionHeight();
    RECT bar = Rect(b, top, form.Width() - b, top + form.MenuHeight());
    c.Brush()->SetColor(clMenu);
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(bar);
    c.Font()->Assign(form.Font());
    c.Font()->SetColor(clMenuText);
    int x = bar.left + 6;
    const TMenuItem& items = *form.Menu()->Items();
    for (int i = 0; i < items.Count(); ++i) {
        if (!items.Items(i)->Visible())
            continue;
        const std::string& caption = items.Items(i)->Caption();
        RECT text = Rect(x, bar.top, bar.right, bar.bottom);
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetColor(items.Items(i)->Enabled() ? clMenuText : clGrayText);
        c.DrawText(caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        x += c.TextWidth(StripHotkey(caption)) + 14;
    }
}

} // namespace

std::unique_ptr<TBitmap> RenderForm(TForm& form) {
    form.PaintIfNeeded();
    auto bitmap = std::make_unique<TBitmap>(form.Width(), form.Height());
    // A window on the screen is opaque: an icon blended onto the picture
    // must not leave the rest of it transparent.
    bitmap->SetPixelFormat(pf24bit);
    TCanvas& c = *bitmap->Canvas();
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(Rect(0, 0, form.Width(), form.Height()));
    if (form.BorderStyle() != bsNone) {
        RECT frame = Rect(0, 0, form.Width(), form.Height());
        Frame3D(c, frame, clBtnFace, cl3DDkShadow, 1);
        Frame3D(c, frame, clBtnHighlight, clBtnShadow, 1);
        PaintCaptionBar(c, form);
        if (form.MenuHeight() > 0)
            PaintMenuBar(c, form);
    }
    POINT origin = form.ClientOrigin();
    // A picture must not leave the form waiting to be painted again.
    bool invalid = form.NeedsPaint();
    form.PaintTo(c, origin.x - form.Left(), origin.y - form.Top());
    if (!invalid)
        form.PaintIfNeeded();
    // In 24 bits: icons leave a few pixels with alpha, which would make the
    // rest of a 32-bit picture read as transparent.
    bitmap->SetPixelFormat(pf24bit);
    return bitmap;
}

void SaveFormPicture(TForm& form, const std::string& path) {
    gfx::SavePngFile(*RenderForm(form), path);
}

} // namespace controls
