// Choosing a GIF frame from the layout the GIF reader walks.
#include "htmllabel/GifFrames.h"

#include "platform/gfx/GifCodec.h"
#include "platform/gfx/GraphicsErrors.h"

namespace htmllabel {

namespace {

bool Walk(const uint8_t* data, size_t size, gfx::GifLayout& layout) {
    try {
        layout = gfx::WalkGif(data, size);
        return true;
    } catch (const EInvalidGraphic&) {
        return false;
    }
}

} // namespace

int CountGifFrames(const uint8_t* data, size_t size) {
    gfx::GifLayout layout;
    return Walk(data, size, layout) ? int(layout.Frames().size()) : 0;
}

GifFrameSelection SelectGifFrame(const uint8_t* data, size_t size, int frame) {
    GifFrameSelection out;
    gfx::GifLayout layout;
    std::vector<gfx::GifImageRecord> frames;
    if (Walk(data, size, layout))
        frames = layout.Frames();
    out.FrameCount = int(frames.size());
    if (frames.empty() || frame < 1 || frame > out.FrameCount) {
        out.Bytes.assign(data, data + size);
        return out;
    }
    const gfx::GifImageRecord& chosen = frames[size_t(frame - 1)];
    out.ScreenWidth = layout.ScreenWidth;
    out.ScreenHeight = layout.ScreenHeight;
    out.Left = chosen.Left;
    out.Top = chosen.Top;
    out.Width = chosen.Width;
    out.Height = chosen.Height;
    out.Bytes.assign(data, data + frames.front().Offset);
    out.Bytes.insert(out.Bytes.end(), data + chosen.Offset, data + size);
    return out;
}

} // namespace htmllabel
