// Decoding JPEG files through libjpeg-turbo. The library reports a fatal
// error by calling back, and the callback may not return: it jumps back to
// the function that armed it. Only the two small functions below arm it, and
// they hold nothing that needs destroying, so the jump skips no destructor.
#include "platform/gfx/JpegCodec.h"

#include "platform/gfx/GraphicsErrors.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <string>
#include <vector>

namespace gfx {

namespace {

// The library's working memory beyond the pixels (progressive files keep
// their coefficients); past it the library fails instead of allocating.
constexpr long MaxJpegWorkingMemory = 256L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX] = {};
};

struct Decoder {
    jpeg_decompress_struct Info{};
    ErrorManager Error;
    bool Cmyk = false;
};

[[noreturn]] void Invalid(const std::string& reason) {
    throw EInvalidGraphic(std::string(GraphicsConsts::SInvalidJpeg) + ": " + reason);
}

void OnError(j_common_ptr info) {
    auto* error = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

// Warnings (data ending early, extraneous bytes) are not reported.
void OnMessage(j_common_ptr, int) {}

// Reads the headers and chooses the output format; false on a fatal error.
bool ReadHeader(Decoder& d, const uint8_t* data, size_t size) {
    if (setjmp(d.Error.Jump))
        return false;
    jpeg_create_decompress(&d.Info);
    d.Info.mem->max_memory_to_use = MaxJpegWorkingMemory;
    jpeg_mem_src(&d.Info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d.Info, TRUE);
    d.Cmyk = d.Info.jpeg_color_space == JCS_CMYK || d.Info.jpeg_color_space == JCS_YCCK;
    d.Info.out_color_space = d.Cmyk ? JCS_CMYK : JCS_EXT_BGR;
    return true;
}

// Decodes every row into pixels (cmykRow holds a row of 4 bytes a pixel for
// CMYK files); false on a fatal error.
bool ReadRows(Decoder& d, const Dib& pixels, uint8_t* cmykRow) {
    if (setjmp(d.Error.Jump))
        return false;
    jpeg_start_decompress(&d.Info);
    while (d.Info.output_scanline < d.Info.output_height) {
        uint8_t* row = pixels.View().Row(int(d.Info.output_scanline));
        JSAMPROW target = d.Cmyk ? cmykRow : row;
        if (jpeg_read_scanlines(&d.Info, &target, 1) != 1)
            break;
        if (!d.Cmyk)
            continue;
        // CMYK files are stored inverted, as the common writers store them.
        for (JDIMENSION x = 0; x < d.Info.output_width; ++x) {
            const uint8_t* c = cmykRow + size_t(x) * 4;
            uint8_t* out = row + size_t(x) * 3;
            out[0] = uint8_t(c[2] * c[3] / 255);
            out[1] = uint8_t(c[1] * c[3] / 255);
            out[2] = uint8_t(c[0] * c[3] / 255);
        }
    }
    jpeg_finish_decompress(&d.Info);
    return true;
}

} // namespace

bool IsJpeg(const uint8_t* data, size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

std::unique_ptr<Dib> DecodeJpeg(const uint8_t* data, size_t size) {
    if (!IsJpeg(data, size))
        Invalid("the file is not a JPEG");
    Decoder d;
    d.Info.err = jpeg_std_error(&d.Error.Base);
    d.Error.Base.error_exit = OnError;
    d.Error.Base.emit_message = OnMessage;
    struct Destroy {
        jpeg_decompress_struct* Info;
        ~Destroy() { jpeg_destroy_decompress(Info); }
    } destroy{&d.Info};
    if (!ReadHeader(d, data, size))
        Invalid(d.Error.Message);
    // The header's size is checked before the library or we allocate for it.
    if (!ValidBitmapSize(d.Info.image_width, d.Info.image_height, 24))
        Invalid("the image size is not valid");
    auto pixels = std::make_unique<Dib>(int(d.Info.image_width), int(d.Info.image_height), 24);
    std::vector<uint8_t> cmykRow(d.Cmyk ? size_t(d.Info.image_width) * 4 : 0);
    if (!ReadRows(d, *pixels, cmykRow.data()))
        Invalid(d.Error.Message);
    return pixels;
}

} // namespace gfx
