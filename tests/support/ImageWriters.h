// Image files for tests, written by the libraries' own encoders (giflib,
// libjpeg-turbo), so the readers are checked against files that another
// program wrote: GIF files of frames each filled with one colour, and JPEG
// files of one colour.
#pragma once

#include <gif_lib.h>
#include <jpeglib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace testimages {

// One image of a GIF file, filled with one colour.
struct GifFrame {
    int Left = 0, Top = 0, Width = 1, Height = 1;
    uint8_t Red = 0, Green = 0, Blue = 0;
    // A graphic control extension before it (what makes it a frame).
    bool Control = true;
    // Fills it with the transparent index (1) instead of its colour.
    bool Transparent = false;
};

inline int AppendBytes(GifFileType* gif, const GifByteType* bytes, int count) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + count);
    return count;
}

// A GIF89a file of the frames on a screen of that size.
inline std::vector<uint8_t> WriteGif(int screenWidth, int screenHeight,
                                     const std::vector<GifFrame>& frames) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendBytes, &error);
    EGifSetGifVersion(gif, true);
    GifColorType screenColors[2] = {{255, 255, 255}, {0, 0, 0}};
    ColorMapObject* screenMap = GifMakeMapObject(2, screenColors);
    EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, screenMap);
    for (const GifFrame& f : frames) {
        if (f.Control) {
            GraphicsControlBlock gcb{};
            gcb.DelayTime = 10;
            gcb.TransparentColor = f.Transparent ? 1 : NO_TRANSPARENT_COLOR;
            GifByteType ext[4];
            EGifGCBToExtension(&gcb, ext);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
        }
        GifColorType colors[2] = {{f.Red, f.Green, f.Blue}, {0, 0, 0}};
        ColorMapObject* map = GifMakeMapObject(2, colors);
        EGifPutImageDesc(gif, f.Left, f.Top, f.Width, f.Height, false, map);
        std::vector<GifPixelType> row(size_t(f.Width), GifPixelType(f.Transparent ? 1 : 0));
        for (int y = 0; y < f.Height; ++y)
            EGifPutLine(gif, row.data(), f.Width);
        GifFreeMapObject(map);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(screenMap);
    return out;
}

// The hand-made animation of the tests: three frames on a 16 x 12 screen,
// red, green and blue, each at its own place and size.
inline std::vector<GifFrame> ThreeFrames() {
    return {{0, 0, 16, 12, 255, 0, 0}, {2, 3, 8, 6, 0, 255, 0}, {5, 1, 4, 4, 0, 0, 255}};
}

// A baseline JPEG file of one colour.
inline std::vector<uint8_t> WriteJpeg(int width, int height, uint8_t red, uint8_t green,
                                      uint8_t blue, bool grey = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row;
    for (int x = 0; x < width; ++x) {
        row.push_back(red);
        if (!grey) {
            row.push_back(green);
            row.push_back(blue);
        }
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    free(buffer);
    return out;
}

} // namespace testimages
