// The drawing layer's exceptions and the class library's texts for them,
// kept word for word.
#pragma once

#include "platform/rtl/Exception.h"

namespace GraphicsConsts {

inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* SInvalidIcon = "Icon image is not valid";
inline constexpr const char* SInvalidGif = "GIF image is not valid";
inline constexpr const char* SInvalidJpeg = "JPEG image is not valid";
inline constexpr const char* SInvalidImageSize = "Invalid image size";
inline constexpr const char* SInvalidPixelFormat = "Invalid pixel format";
inline constexpr const char* SScanLine = "Scan line index out of range";
inline constexpr const char* SOutOfResources = "Out of system resources";
inline constexpr const char* SChangeIconSize = "Cannot change the size of an icon";
inline constexpr const char* SInvalidImageList = "Invalid ImageList";
inline constexpr const char* SImageIndexError = "Invalid ImageList Index";
inline constexpr const char* SImageReadFail = "Failed to read ImageList data from stream";
inline constexpr const char* SImageWriteFail = "Failed to write ImageList data to stream";

} // namespace GraphicsConsts

// Data that is not a valid image of its kind (a bad bitmap or icon file).
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An operation an image cannot do (a size out of range, a bad scan line).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};
