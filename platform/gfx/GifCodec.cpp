// Walking and decoding GIF files through giflib. giflib reads through a
// function of ours that counts the bytes it takes, and it takes exactly what
// each record holds, so the count before a record is where that record
// starts in the file.
#include "platform/gfx/GifCodec.h"

#include "platform/gfx/GraphicsErrors.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <string>

namespace gfx {

namespace {

[[noreturn]] void Invalid(const std::string& reason) {
    throw EInvalidGraphic(std::string(GraphicsConsts::SInvalidGif) + ": " + reason);
}

struct Reader {
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int count) {
    auto* r = static_cast<Reader*>(gif->UserData);
    size_t n = std::min(size_t(count < 0 ? 0 : count), r->Size - r->Pos);
    if (n)
        std::memcpy(out, r->Data + r->Pos, n);
    r->Pos += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

GifFile Open(Reader& reader) {
    if (!IsGif(reader.Data, reader.Size))
        Invalid("the file is not a GIF");
    int error = 0;
    GifFile gif(DGifOpen(&reader, ReadBytes, &error));
    if (!gif)
        Invalid("the header is cut short or not valid");
    return gif;
}

// Skips an image's pixel data, block by block, without decoding it.
bool SkipImageData(GifFileType* gif) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR)
        return false;
    while (block)
        if (DGifGetCodeNext(gif, &block) == GIF_ERROR)
            return false;
    return true;
}

// Reads an extension record; `control` tells whether it was a graphic
// control extension, whose values land in gcb.
bool ReadExtension(GifFileType* gif, bool& control, GraphicsControlBlock& gcb) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    control = code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4 &&
              DGifExtensionToGCB(4, block + 1, &gcb) == GIF_OK;
    while (block)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    return true;
}

// Calls onImage(record, control) at each image descriptor, the descriptor
// read and its pixel data not; onImage returns true when it read the data
// and the walk is over. Otherwise the data is skipped and, when it was whole,
// onWhole(record) follows with the record's End set. Returns when the records
// end or one cannot be read.
template <class F, class G>
void WalkRecords(GifFileType* gif, Reader& reader, F onImage, G onWhole) {
    bool controlBefore = false;
    size_t controlOffset = 0;
    GraphicsControlBlock gcb{};
    for (;;) {
        size_t start = reader.Pos;
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR || type == TERMINATE_RECORD_TYPE)
            return;
        if (type == EXTENSION_RECORD_TYPE) {
            if (!ReadExtension(gif, controlBefore, gcb))
                return;
            controlOffset = start;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) == GIF_ERROR)
            return;
        GifImageRecord record;
        record.HasControl = controlBefore;
        record.Offset = controlBefore ? controlOffset : start;
        record.DescriptorOffset = start;
        record.Left = uint16_t(gif->Image.Left);
        record.Top = uint16_t(gif->Image.Top);
        record.Width = uint16_t(gif->Image.Width);
        record.Height = uint16_t(gif->Image.Height);
        if (onImage(record, controlBefore ? &gcb : nullptr))
            return;
        if (!SkipImageData(gif))
            return;
        record.End = reader.Pos;
        onWhole(record);
        controlBefore = false;
    }
}

uint32_t PixelOfEntry(const ColorMapObject* map, int index) {
    if (!map || index < 0 || index >= map->ColorCount)
        return 0xFF000000;
    const GifColorType& c = map->Colors[index];
    return 0xFF000000 | (uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | c.Blue;
}

// The rows of an image in the order the file stores them.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    static constexpr int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            rows.push_back(y);
    return rows;
}

// Decodes the current image (its descriptor read) onto the logical screen.
std::unique_ptr<Dib> DecodeImage(GifFileType* gif, const GraphicsControlBlock* gcb) {
    const GifImageDesc& d = gif->Image;
    if (!ValidBitmapSize(d.Width, d.Height, 32))
        Invalid("the image size is not valid");
    // A screen of no size is taken as just large enough for the image.
    int64_t screenW = gif->SWidth ? gif->SWidth : int64_t(d.Left) + d.Width;
    int64_t screenH = gif->SHeight ? gif->SHeight : int64_t(d.Top) + d.Height;
    if (!ValidBitmapSize(screenW, screenH, 32))
        Invalid("the logical screen size is not valid");
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!map)
        Invalid("the image has no colour table");
    int transparent = gcb ? gcb->TransparentColor : NO_TRANSPARENT_COLOR;
    auto screen = std::make_unique<Dib>(int(screenW), int(screenH), 32);
    // The screen around an image without transparency shows the background colour.
    if (transparent == NO_TRANSPARENT_COLOR)
        screen->Fill(PixelOfEntry(gif->SColorMap, gif->SBackGroundColor));
    std::vector<GifPixelType> line(size_t(d.Width));
    for (int y : RowOrder(d.Height, d.Interlace)) {
        if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR)
            Invalid("the image data is cut short or not valid");
        int64_t py = int64_t(d.Top) + y;
        if (py >= screenH)
            continue;
        for (int x = 0; x < d.Width; ++x) {
            int64_t px = int64_t(d.Left) + x;
            if (px >= screenW)
                break;
            uint32_t pixel =
                line[size_t(x)] == transparent ? 0 : PixelOfEntry(map, line[size_t(x)]);
            screen->SetPixel(int(px), int(py), pixel);
        }
    }
    return screen;
}

} // namespace

std::vector<GifImageRecord> GifLayout::Frames() const {
    std::vector<GifImageRecord> frames;
    for (const GifImageRecord& image : Images)
        if (image.HasControl)
            frames.push_back(image);
    return frames;
}

bool IsGif(const uint8_t* data, size_t size) {
    return size >= 4 && std::memcmp(data, "GIF8", 4) == 0;
}

GifLayout WalkGif(const uint8_t* data, size_t size) {
    Reader reader{data, size};
    GifFile gif = Open(reader);
    GifLayout layout;
    layout.ScreenWidth = uint16_t(gif->SWidth);
    layout.ScreenHeight = uint16_t(gif->SHeight);
    layout.HeaderEnd = reader.Pos;
    WalkRecords(
        gif.get(), reader, [](const GifImageRecord&, const GraphicsControlBlock*) { return false; },
        [&](const GifImageRecord& record) { layout.Images.push_back(record); });
    return layout;
}

std::unique_ptr<Dib> DecodeGif(const uint8_t* data, size_t size, size_t index) {
    Reader reader{data, size};
    GifFile gif = Open(reader);
    size_t seen = 0;
    std::unique_ptr<Dib> result;
    WalkRecords(
        gif.get(), reader,
        [&](const GifImageRecord&, const GraphicsControlBlock* gcb) {
            if (seen++ != index)
                return false;
            result = DecodeImage(gif.get(), gcb);
            return true;
        },
        [](const GifImageRecord&) {});
    if (!result)
        Invalid(index == 0 ? "the file holds no image" : "the file holds no such image");
    return result;
}

} // namespace gfx
