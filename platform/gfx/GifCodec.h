// The GIF file format, read through giflib: the layout of a file (where its
// header ends and where each image's records lie, found by walking the
// records, never by searching for byte patterns) and the pixels of one
// image. Only the image that is shown is decoded, so a file of many frames
// costs the memory of one; the others are skipped block by block.
//
// Files are untrusted: the logical screen and every image are checked
// against the drawing layer's limits (Dib.h) before anything is allocated; a
// malformed file raises EInvalidGraphic "GIF image is not valid" with the
// reason after a colon.
#pragma once

#include "platform/gfx/Dib.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

// One image of a GIF file and the records that belong to it.
struct GifImageRecord {
    // Where its records start: its graphic control extension when that comes
    // right before it, else its image descriptor.
    size_t Offset = 0;
    // Where its image descriptor starts, and where its pixel data ends.
    size_t DescriptorOffset = 0;
    size_t End = 0;
    // True when a graphic control extension comes right before the
    // descriptor: what an animation calls a frame.
    bool HasControl = false;
    // The image descriptor's place and size on the logical screen.
    uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
};

// What walking a GIF file's records finds.
struct GifLayout {
    uint16_t ScreenWidth = 0;
    uint16_t ScreenHeight = 0;
    // Where the header and the global colour table end.
    size_t HeaderEnd = 0;
    // Every image whose records are whole, in file order.
    std::vector<GifImageRecord> Images;
    // The images that are frames (HasControl), in file order.
    std::vector<GifImageRecord> Frames() const;
};

// True when the data starts with "GIF8" (a GIF file of either version).
bool IsGif(const uint8_t* data, size_t size);
// Walks the records of a GIF file. A record cut short or not understood ends
// the walk: the images before it are kept. EInvalidGraphic when the header
// itself is not valid.
GifLayout WalkGif(const uint8_t* data, size_t size);
// The pixels of image number `index` (from 0) of a GIF file on its logical
// screen (32 bits, straight alpha: transparent pixels and the screen outside
// a transparent image have alpha 0, the rest 255). EInvalidGraphic when the
// file is not valid, holds no such image or the image is cut short.
std::unique_ptr<Dib> DecodeGif(const uint8_t* data, size_t size, size_t index = 0);

} // namespace gfx
