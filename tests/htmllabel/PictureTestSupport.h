// Helpers of the picture tests: streams of bytes, the hand-made animation
// and a canvas whose pixels a test reads.
#pragma once

#include "htmllabel/HTMLPicture.h"
#include "platform/gfx/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "tests/support/ImageWriters.h"

#include <cstdint>
#include <vector>

namespace picturetest {

// Loads bytes into a picture through a stream.
inline void LoadBytes(THTMLPicture& picture, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), bytes.size());
    stream.SetPosition(0);
    picture.LoadFromStream(stream);
}

// What WriteData gives back.
inline std::vector<uint8_t> Written(THTMLPicture& picture) {
    TMemoryStream stream;
    picture.WriteData(stream);
    return std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.GetSize());
}

// Three frames on a 16 x 12 screen: red, green, blue, each at its own place.
inline std::vector<uint8_t> ThreeFrameGif() {
    return testimages::WriteGif(16, 12, testimages::ThreeFrames());
}

// A white bitmap to draw on.
inline std::unique_ptr<TBitmap> WhiteBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>(width, height);
    bitmap->Canvas()->Brush()->SetColor(clWhite);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

} // namespace picturetest
