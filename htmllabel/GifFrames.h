// The frames of an animated GIF as the HTML label's pictures count and show
// them: a frame is an image whose graphic control extension comes right
// before it. To show frame n, the picture loader is handed the file's header
// (everything before the first frame) followed by frame n and everything
// after it, so the first image the loader meets is frame n. The records are
// walked by the GIF reader, so nothing inside image data is taken for a frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace htmllabel {

// What showing one frame needs.
struct GifFrameSelection {
    // The bytes to decode: the whole file when it has no frames.
    std::vector<uint8_t> Bytes;
    // The number of frames (0 when none, or the file is not a valid GIF).
    int FrameCount = 0;
    // The logical screen and the chosen frame's image descriptor; the
    // frame's values are 0 when it has no frames.
    int ScreenWidth = 0, ScreenHeight = 0;
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Counts the frames of GIF bytes (0 when they are not a valid GIF).
int CountGifFrames(const uint8_t* data, size_t size);
// The bytes that show frame (from 1; it must be within the count when there
// are frames).
GifFrameSelection SelectGifFrame(const uint8_t* data, size_t size, int frame);

} // namespace htmllabel
