// Feeds arbitrary bytes to the picture loader and to the walk of GIF frames:
// OleLoadPicture over a stream on global memory (BMP, icon, JPEG, GIF,
// metafile headers) and, for GIF data, the frame count and every frame's
// selection as the HTML label's pictures make it. Any input must give a
// picture or an error, never a crash, a hang or an allocation beyond the
// size limits; a frame's selection must start with the file's header.
#include "htmllabel/GifFrames.h"
#include "platform/com/Stream.h"
#include "platform/gfx/GifCodec.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/Picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Load(const uint8_t* data, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (size)
        std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream)))
        std::abort();
    IPicture* picture = nullptr;
    if (SUCCEEDED(OleLoadPicture(stream, LONG(size), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture)))) {
        LONG width = 0;
        if (!picture || FAILED(picture->get_Width(&width)) || width < 0)
            std::abort();
        picture->Release();
    }
    stream->Release();
}

void Frames(const uint8_t* data, size_t size) {
    if (!gfx::IsGif(data, size))
        return;
    int count = htmllabel::CountGifFrames(data, size);
    for (int frame = 1; frame <= count && frame <= 8; ++frame) {
        htmllabel::GifFrameSelection chosen = htmllabel::SelectGifFrame(data, size, frame);
        if (chosen.FrameCount != count || chosen.Bytes.size() > size ||
            std::memcmp(chosen.Bytes.data(), data, 6) != 0)
            std::abort();
        try {
            gfx::DecodeGif(chosen.Bytes.data(), chosen.Bytes.size(), 0);
        } catch (const EInvalidGraphic&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Load(data, size);
    Frames(data, size);
    return 0;
}
