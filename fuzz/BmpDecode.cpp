// Feeds arbitrary bytes to the BMP reader: any input must give an image or
// EInvalidGraphic, never a crash, a hang or an allocation beyond the size
// limits; an image read must survive being written and read again unchanged.
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/GraphicsErrors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<gfx::Dib> image;
    try {
        image = gfx::DecodeBmp(data, size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    std::vector<uint8_t> written = gfx::EncodeBmp(*image);
    std::unique_ptr<gfx::Dib> again = gfx::DecodeBmp(written.data(), written.size());
    if (again->Width() != image->Width() || again->Height() != image->Height()) std::abort();
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x)
            if (again->GetPixel(x, y) != image->GetPixel(x, y)) std::abort();
    return 0;
}
