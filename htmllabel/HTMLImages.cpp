// The pictures of the HTML renderer: IMG finds its picture ("IDX:n" in the
// image list, "SSYS:" and "LSYS:" shell icons, a name in the picture
// container, a URL in the picture cache), places it on the line like a
// word and draws it; BODY fills or tiles the whole area. A picture that
// cannot be found, is empty or failed to load takes no room and draws
// nothing; a URL that failed stays in the cache, empty, so it is not tried
// again on every paint.
#include "htmllabel/HTMLDrawLine.h"

#include "htmllabel/HTMLGraphics.h"
#include "htmllabel/HTMLHelpers.h"
#include "htmllabel/PictureContainer.h"
#include "platform/gfx/ImageList.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace htmldraw {
namespace {

enum class TImageKind { None, List, Shell, Picture };

struct TImage {
    TImageKind Kind = TImageKind::None;
    int Index = 0;
    bool Large = false;
    std::string Name;
    THTMLPicture* Picture = nullptr;
    // The size at 96 pixels per inch.
    int Width = 0;
    int Height = 0;
};

// The cache's picture for url (the key is the upper-cased URL), loaded on
// first use from the URL as written.
THTMLPicture* CachedPicture(THTMLPictureCache& cache, const std::string& url) {
    std::string id = text::AsciiUpperCase(url);
    if (THTMLPicture* found = cache.FindPicture(id))
        return found;
    THTMLPicture* picture = cache.AddPicture();
    picture->SetID(id);
    picture->SetAsynch(false);
    try {
        picture->LoadFromURL(url);
    } catch (const std::exception&) {
        // A picture that does not load is kept empty and draws nothing.
    }
    picture->SetID(id);
    return picture;
}

// A picture of the container or the cache by name or URL.
THTMLPicture* NamedPicture(TDrawContext& ctx, const std::string& name) {
    if (name.find("://") != std::string::npos)
        return ctx.Params.PictureCache ? CachedPicture(*ctx.Params.PictureCache, name) : nullptr;
    if (name.find(':') == std::string::npos && ctx.Params.PictureContainer)
        return ctx.Params.PictureContainer->FindPicture(text::AsciiUpperCase(name));
    return nullptr;
}

TImage FindImage(TDrawContext& ctx, const std::string& src) {
    TImage image;
    TCustomImageList* list = ctx.Params.Images;
    if (FindNoCase(src, "IDX:") == 0) {
        int n = IStrToInt(std::string_view(src).substr(4));
        if (list && n >= 0 && n < list->Count()) {
            image.Kind = TImageKind::List;
            image.Index = n;
            image.Width = list->Width();
            image.Height = list->Height();
        }
        return image;
    }
    bool small = FindNoCase(src, "SSYS:") == 0, large = FindNoCase(src, "LSYS:") == 0;
    if (small || large) {
        image.Kind = TImageKind::Shell;
        image.Large = large;
        image.Name = src.substr(5);
        SIZE size = SysImage(ctx.Canvas, 0, 0, large, image.Name, false, false, 1.0);
        image.Width = size.cx;
        image.Height = size.cy;
        return image;
    }
    THTMLPicture* picture = NamedPicture(ctx, src);
    if (picture && !picture->Empty()) {
        image.Kind = TImageKind::Picture;
        image.Picture = picture;
        image.Width = picture->Width();
        image.Height = picture->Height();
    }
    return image;
}

int Scaled(int value, double factor) {
    double scaled = std::round(value * factor);
    return int(std::clamp(scaled, 0.0, double(kMaxExtent)));
}

void DrawListImage(TDrawContext& ctx, const TImage& image, const RECT& r) {
    TCustomImageList* list = ctx.Params.Images;
    if (!ctx.Params.Print) {
        list->Draw(&ctx.Canvas, r.left, r.top, image.Index);
        return;
    }
    TBitmap bitmap;
    if (!list->GetBitmap(image.Index, &bitmap))
        return;
    double f = ctx.Params.ResFactor;
    PrintBitmap(
        ctx.Canvas,
        Rect(r.left, r.top, r.left + Scaled(bitmap.Width(), f), r.top + Scaled(bitmap.Height(), f)),
        bitmap);
}

void DrawPicture(TDrawContext& ctx, const TDrawState& state, THTMLPicture& picture, const RECT& r,
                 bool stretched) {
    if (stretched) {
        ctx.Canvas.StretchDraw(r, &picture);
        return;
    }
    if (picture.GetFrameCount() > 1 && state.Brush != clNone) {
        ctx.Canvas.Brush()->SetColor(state.Brush);
        ctx.Canvas.FillRect(r);
    }
    ctx.Canvas.Draw(r.left + std::max(0, picture.FrameXPos()),
                    r.top + std::max(0, picture.FrameYPos()), &picture);
}

void DrawImage(TDrawContext& ctx, const TDrawState& state, const TImage& image, const RECT& r,
               bool stretched) {
    switch (image.Kind) {
    case TImageKind::List:
        DrawListImage(ctx, image, r);
        break;
    case TImageKind::Shell:
        SysImage(ctx.Canvas, r.left, r.top, image.Large, image.Name, true, ctx.Params.Print,
                 ctx.Params.ResFactor);
        break;
    case TImageKind::Picture:
        DrawPicture(ctx, state, *image.Picture, r, stretched);
        break;
    case TImageKind::None:
        break;
    }
}

// The size the image takes on the canvas; WIDTH and HEIGHT together
// stretch a picture.
SIZE PlacedSize(TDrawContext& ctx, const TImage& image, const TTag& tag, bool& stretched) {
    int width = image.Width, height = image.Height;
    auto w = TagAttribute(tag, "WIDTH"), h = TagAttribute(tag, "HEIGHT");
    stretched = image.Kind == TImageKind::Picture && w && h;
    if (stretched) {
        width = std::clamp(IStrToInt(*w), 0, kMaxExtent);
        height = std::clamp(IStrToInt(*h), 0, kMaxExtent);
    }
    double f = ctx.Canvas.PixelsPerInch() / 96.0;
    return SIZE{Scaled(width, f), Scaled(height, f)};
}

} // namespace

TTagEffect HandleImage(TDrawContext& ctx, TDrawState& state, TLine& line, const TTag& tag,
                       bool measure, bool hitTest) {
    if (line.Overflowed)
        return TTagEffect::Continue;
    auto src = TagAttribute(tag, "SRC");
    TImage image = FindImage(ctx, src ? *src : std::string());
    bool stretched = false;
    SIZE size = PlacedSize(ctx, image, tag, stretched);
    if (image.Kind == TImageKind::None || size.cx <= 0 || size.cy <= 0)
        return TTagEffect::Continue;
    int lineWidth = line.Room();
    if (!hitTest && line.Content && line.X - line.Box.left + size.cx > lineWidth &&
        lineWidth > size.cx)
        return TTagEffect::EndBefore;
    state.Images++;
    line.Height = std::max<int>(line.Height, size.cy);
    if (!hitTest) {
        if (auto align = TagAttribute(tag, "ALIGN")) {
            int room = line.Height - TextHeightOf(ctx, state);
            if (FindNoCase(*align, "TOP") != std::string::npos)
                line.BaselineShift = room;
            else if (FindNoCase(*align, "MIDDLE") != std::string::npos)
                line.BaselineShift = room / 2;
        }
    }
    int bottom = line.Box.bottom - line.SubOffset;
    RECT r = Rect(line.X, bottom - size.cy, line.X + size.cx, bottom);
    bool under = hitTest && PtInRect(r, POINT{ctx.Params.X, ctx.Params.Y});
    if (under && state.InAnchor) {
        line.AnchorHit = true;
        ctx.OnAnchor = true;
        ctx.Result.AnchorVal = state.Href;
    }
    if (!measure) {
        // ALT names the picture shown while the point lies over the image.
        auto alt = TagAttribute(tag, "ALT");
        if (under && alt && !alt->empty()) {
            TImage hovered = FindImage(ctx, *alt);
            DrawImage(ctx, state, hovered, r, stretched || hovered.Kind == TImageKind::Picture);
        } else {
            DrawImage(ctx, state, image, r, stretched);
        }
        ApplyFont(ctx, state);
    }
    line.X += size.cx;
    line.Content = true;
    line.EndsBlank = false;
    line.LastBlank = 0;
    return TTagEffect::Continue;
}

void HandleBody(TDrawContext& ctx, const TTag& tag) {
    TCanvas& canvas = ctx.Canvas;
    if (auto bg = TagAttribute(tag, "BGCOLOR")) {
        if (FindNoCase(*bg, "CL") != std::string::npos || bg->find('#') != std::string::npos) {
            canvas.Brush()->SetColor(ColorValue(*bg));
            canvas.FillRect(ctx.Area);
        }
    }
    auto background = TagAttribute(tag, "BACKGROUND");
    THTMLPicture* picture = background ? NamedPicture(ctx, *background) : nullptr;
    if (!picture || picture->Empty())
        return;
    int w = picture->Width(), h = picture->Height();
    if (w < 1 || h < 1)
        return; // a picture without area would be tiled for ever
    bool hadClip = canvas.HasClip();
    RECT oldClip = canvas.ClipRect();
    RECT area = IntersectRect(oldClip, ctx.Area);
    if (!IsRectEmpty(area)) {
        canvas.IntersectClipRect(ctx.Area);
        // Only the tiles that meet the visible part are drawn.
        int firstRow = (area.top - ctx.Area.top) / h, firstCol = (area.left - ctx.Area.left) / w;
        for (int y = ctx.Area.top + firstRow * h; y < area.bottom; y += h)
            for (int x = ctx.Area.left + firstCol * w; x < area.right; x += w)
                canvas.Draw(x, y, picture);
    }
    canvas.SelectClipRect(hadClip ? &oldClip : nullptr);
}

} // namespace htmldraw
