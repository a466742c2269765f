// PNG reading and writing over libpng. libpng reports errors by a long jump
// back to the function that set it up, so the functions that call libpng
// keep only plain locals; everything with a destructor (the pixels, the row
// pointers, the output) lives in a state object owned by the caller, which
// the jump never skips.
#include "platform/gfx/PngCodec.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/GraphicsErrors.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace gfx {

namespace {

constexpr const char* SInvalidPng = "PNG image is not valid";
// Text and other ancillary chunks are skipped, but libpng still reads them
// whole: bound what one may cost.
constexpr png_alloc_size_t MaxChunkBytes = 8u << 20;

struct PngState {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    size_t Pos = 0;
    char Error[160] = "";
    std::unique_ptr<Dib> Pixels;
    std::vector<png_bytep> Rows;
    std::vector<uint8_t> Out;
    std::vector<uint8_t> Row;
    bool HasAlpha = false;
};

[[noreturn]] void Fail(const PngState& state) {
    throw EInvalidGraphic(std::string(SInvalidPng) + ": " + state.Error);
}

void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<PngState*>(png_get_error_ptr(png));
    std::snprintf(state->Error, sizeof state->Error, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, size_t count) {
    auto* state = static_cast<PngState*>(png_get_io_ptr(png));
    if (count > state->Size - state->Pos)
        png_error(png, "the file ends early");
    std::memcpy(out, state->Data + state->Pos, count);
    state->Pos += count;
}

void WriteBytes(png_structp png, png_bytep data, size_t count) {
    auto* state = static_cast<PngState*>(png_get_io_ptr(png));
    state->Out.insert(state->Out.end(), data, data + count);
}

void Flush(png_structp) {}

// Called between the header and the rows: checks the size, asks for 32-bit
// BGRA rows and makes the buffer (may jump out through png_error).
void PrepareRows(png_structp png, png_infop info, PngState& state) {
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (!ValidBitmapSize(width, height, 32))
        png_error(png, "the image is too large");
    int colorType = png_get_color_type(png, info);
    state.HasAlpha =
        (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!state.HasAlpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4)
        png_error(png, "unexpected row layout");
    state.Pixels = std::make_unique<Dib>(int(width), int(height), 32, true);
    state.Rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        state.Rows[y] = state.Pixels->View().Row(int(y));
}

// Runs libpng over state.Data; false (with state.Error) on a broken file.
bool ReadPng(PngState& state) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return false;
    }
    png_set_read_fn(png, &state, ReadBytes);
    png_set_user_limits(png, MaxBitmapSide, MaxBitmapSide);
    png_set_chunk_malloc_max(png, MaxChunkBytes);
    png_read_info(png, info);
    PrepareRows(png, info, state);
    png_read_image(png, state.Rows.data());
    // What follows the pixels (text, the end chunk) is not needed.
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// Runs libpng's writer over state.Row, filled from view row by row.
bool WritePng(const DibView& view, bool alpha, PngState& state) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, &state, WriteBytes, Flush);
    png_set_IHDR(png, info, png_uint_32(view.Width), png_uint_32(view.Height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    int channels = alpha ? 4 : 3;
    for (int y = 0; y < view.Height; ++y) {
        uint8_t* out = state.Row.data();
        for (int x = 0; x < view.Width; ++x, out += channels) {
            uint32_t pixel = view.GetPixel(x, y);
            out[0] = uint8_t(pixel >> 16);
            out[1] = uint8_t(pixel >> 8);
            out[2] = uint8_t(pixel);
            if (alpha)
                out[3] = uint8_t(pixel >> 24);
        }
        png_write_row(png, state.Row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool AnyAlpha(const DibView& view) {
    if (view.BitCount != 32)
        return false;
    for (int y = 0; y < view.Height; ++y)
        for (int x = 0; x < view.Width; ++x)
            if (view.GetPixel(x, y) >> 24)
                return true;
    return false;
}

} // namespace

bool IsPng(const uint8_t* data, size_t size) {
    return data && size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

PngImage DecodePng(const uint8_t* data, size_t size) {
    PngState state;
    if (!IsPng(data, size)) {
        std::snprintf(state.Error, sizeof state.Error, "no PNG signature");
        Fail(state);
    }
    state.Data = data;
    state.Size = size;
    if (!ReadPng(state))
        Fail(state);
    PngImage image;
    image.HasAlpha = state.HasAlpha;
    image.Pixels = std::move(state.Pixels);
    return image;
}

std::vector<uint8_t> EncodePng(const DibView& view) {
    PngState state;
    if (view.Width <= 0 || view.Height <= 0 || !view.Bits) {
        std::snprintf(state.Error, sizeof state.Error, "the image is empty");
        Fail(state);
    }
    bool alpha = AnyAlpha(view);
    state.Row.resize(size_t(view.Width) * (alpha ? 4 : 3));
    if (!WritePng(view, alpha, state))
        Fail(state);
    return std::move(state.Out);
}

std::vector<uint8_t> EncodePng(TBitmap& bitmap) {
    std::optional<Dib> pixels = detail::SnapshotBitmap(bitmap.Handle());
    if (!pixels)
        return {};
    return EncodePng(pixels->View());
}

void SavePngFile(TBitmap& bitmap, const std::string& fileName) {
    std::vector<uint8_t> bytes = EncodePng(bitmap);
    if (bytes.empty())
        throw EInvalidGraphic(std::string(SInvalidPng) + ": the bitmap is empty");
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file.flush())
        throw EInvalidGraphic("Cannot write " + fileName);
}

void LoadPng(TBitmap& bitmap, const uint8_t* data, size_t size) {
    PngImage image = DecodePng(data, size);
    HBITMAP handle = detail::AddBitmap(std::move(image.Pixels), true);
    if (!handle)
        throw EInvalidGraphic(GraphicsConsts::SOutOfResources);
    bitmap.SetHandle(handle);
}

} // namespace gfx
