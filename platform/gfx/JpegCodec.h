// The JPEG file format, read through libjpeg-turbo: baseline and progressive,
// grey, colour and CMYK files become 24-bit pixels.
//
// Files are untrusted: the size in the frame header is checked against the
// drawing layer's limits (Dib.h) before the pixels are allocated, and the
// library's own working memory is bounded; a malformed file raises
// EInvalidGraphic "JPEG image is not valid" with the library's reason after a
// colon. A file whose data ends early gives what was decoded, the rest grey,
// as the library does.
#pragma once

#include "platform/gfx/Dib.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace gfx {

// True when the data starts with a JPEG start-of-image marker.
bool IsJpeg(const uint8_t* data, size_t size);
// The pixels of a JPEG file (24 bits, top-down).
std::unique_ptr<Dib> DecodeJpeg(const uint8_t* data, size_t size);

} // namespace gfx
