// Feeds arbitrary bytes to the drawing layer's readers: BMP files, icon files
// and image list streams (the first byte picks the reader). Any input must
// give an image or the reader's error, never a crash, a hang or an
// allocation beyond the size limits; a BMP image read must survive being
// written and read again unchanged.
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/IcoCodec.h"
#include "platform/gfx/ImageListStream.h"
#include "platform/rtl/Streams.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Bmp(const uint8_t* data, size_t size) {
    std::unique_ptr<gfx::Dib> image;
    try {
        image = gfx::DecodeBmp(data, size);
    } catch (const EInvalidGraphic&) {
        return;
    }
    std::vector<uint8_t> written = gfx::EncodeBmp(*image);
    std::unique_ptr<gfx::Dib> again = gfx::DecodeBmp(written.data(), written.size());
    if (again->Width() != image->Width() || again->Height() != image->Height())
        std::abort();
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x)
            if (again->GetPixel(x, y) != image->GetPixel(x, y))
                std::abort();
}

void Ico(const uint8_t* data, size_t size) {
    try {
        gfx::DecodeIco(data, size);
    } catch (const EInvalidGraphic&) {
    }
}

void ImageList(const uint8_t* data, size_t size) {
    TMemoryStream stream;
    if (size)
        stream.WriteBuffer(data, size);
    stream.SetPosition(0);
    try {
        gfx::ReadImageListStream(stream);
    } catch (const EReadError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    switch (data[0] % 3) {
    case 0:
        Bmp(data + 1, size - 1);
        break;
    case 1:
        Ico(data + 1, size - 1);
        break;
    default:
        ImageList(data + 1, size - 1);
        break;
    }
    return 0;
}
