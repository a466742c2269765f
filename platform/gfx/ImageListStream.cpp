// Reading and writing the image list stream format, and the image list's
// stored-form data over it.
#include "platform/gfx/ImageListStream.h"

#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/LittleEndian.h"
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <string>

namespace gfx {

namespace {

constexpr uint16_t Magic = 0x4C49; // "IL"
constexpr uint16_t Version = 0x0101;
constexpr int MaskFlag = 0x0001;
constexpr int DeviceDepth = 0xFE;
constexpr int PerRow = 4;

[[noreturn]] void Fail(const std::string& reason) {
    throw EReadError(std::string(GraphicsConsts::SImageReadFail) + ": " + reason);
}

// Reads one BMP file, delimited by the size in its file header.
std::unique_ptr<Dib> ReadBmp(TStream& stream, const char* what) {
    uint8_t head[14];
    if (stream.Read(head, sizeof head) != sizeof head)
        Fail(std::string("the ") + what + " are missing");
    uint32_t size = ReadU32(head + 2);
    int64_t left = stream.GetSize() - stream.GetPosition();
    if (head[0] != 'B' || head[1] != 'M' || size < sizeof head ||
        int64_t(size - sizeof head) > left || size > MaxBmpFileBytes)
        Fail(std::string("the ") + what + " are not a bitmap of the stated size");
    std::vector<uint8_t> bytes(size);
    std::copy(head, head + sizeof head, bytes.begin());
    stream.ReadBuffer(bytes.data() + sizeof head, size - sizeof head);
    try {
        return DecodeBmp(bytes.data(), bytes.size());
    } catch (const EInvalidGraphic& e) {
        Fail(std::string("the ") + what + ": " + e.Message);
    }
}

} // namespace

ImageListData ReadImageListStream(TStream& stream) {
    uint8_t head[28];
    if (stream.Read(head, sizeof head) != sizeof head)
        Fail("the header is cut short");
    if (ReadU16(head) != Magic)
        Fail("the data does not start with IL");
    if (ReadU16(head + 2) != Version)
        Fail("unknown version " + std::to_string(ReadU16(head + 2)));
    ImageListData data;
    int count = ReadU16(head + 4);
    data.Grow = ReadU16(head + 8);
    data.Width = ReadU16(head + 10);
    data.Height = ReadU16(head + 12);
    data.BkColor = ReadU32(head + 14);
    int flags = ReadU16(head + 18);
    data.Masked = (flags & MaskFlag) != 0;
    data.Depth = flags & DeviceDepth;
    if (!ValidBitmapSize(data.Width, data.Height, 32))
        Fail("the image size " + std::to_string(data.Width) + " x " + std::to_string(data.Height) +
             " is out of range");
    std::unique_ptr<Dib> colors = ReadBmp(stream, "images");
    std::unique_ptr<Dib> masks = data.Masked ? ReadBmp(stream, "masks") : nullptr;
    int columns = colors->Width() / data.Width;
    int rows = colors->Height() / data.Height;
    if (int64_t(columns) * rows < count)
        Fail("the images are fewer than their count");
    if (masks && (masks->Width() < columns * data.Width || masks->Height() < rows * data.Height))
        Fail("the masks are smaller than the images");
    for (int i = 0; i < count; ++i) {
        RECT from =
            Bounds(i % columns * data.Width, i / columns * data.Height, data.Width, data.Height);
        Dib& color = data.Colors.emplace_back(data.Width, data.Height, 32);
        gfx::CopyPixels(color.View(), 0, 0, colors->View(), from);
        Dib& mask = data.Masks.emplace_back(data.Width, data.Height, 1);
        if (masks)
            for (int y = 0; y < data.Height; ++y)
                for (int x = 0; x < data.Width; ++x)
                    if (ColorOf(masks->GetPixel(from.left + x, from.top + y)) == 0xFFFFFF)
                        mask.SetPixel(x, y, 0xFFFFFF);
    }
    return data;
}

void WriteImageListStream(TStream& stream, const ImageListData& data) {
    int count = static_cast<int>(data.Colors.size());
    int capacity = std::max(PerRow, (count + PerRow - 1) / PerRow * PerRow);
    int rows = capacity / PerRow;
    Dib colors(data.Width * PerRow, data.Height * rows, data.Depth == 32 ? 32 : 24);
    Dib masks(data.Width * PerRow, data.Height * rows, 1);
    for (int i = 0; i < count; ++i) {
        int x = i % PerRow * data.Width, y = i / PerRow * data.Height;
        gfx::CopyPixels(colors.View(), x, y, data.Colors[size_t(i)].View(),
                        RECT{0, 0, data.Width, data.Height});
        gfx::CopyPixels(masks.View(), x, y, data.Masks[size_t(i)].View(),
                        RECT{0, 0, data.Width, data.Height});
    }
    std::vector<uint8_t> head;
    AppendU16(head, Magic);
    AppendU16(head, Version);
    AppendU16(head, uint32_t(count));
    AppendU16(head, uint32_t(capacity));
    AppendU16(head, uint32_t(data.Grow));
    AppendU16(head, uint32_t(data.Width));
    AppendU16(head, uint32_t(data.Height));
    AppendU16(head, data.BkColor & 0xFFFF);
    AppendU16(head, data.BkColor >> 16);
    AppendU16(head, uint32_t((data.Masked ? MaskFlag : 0) | data.Depth));
    for (int i = 0; i < 4; ++i)
        AppendU16(head, 0xFFFF);
    stream.WriteBuffer(head.data(), head.size());
    std::vector<uint8_t> bmp = EncodeBmp(colors);
    stream.WriteBuffer(bmp.data(), bmp.size());
    if (data.Masked) {
        bmp = EncodeBmp(masks);
        stream.WriteBuffer(bmp.data(), bmp.size());
    }
}

} // namespace gfx

namespace {

int DepthFlag(TColorDepth depth) {
    switch (depth) {
    case cd4Bit:
        return 4;
    case cd8Bit:
        return 8;
    case cd16Bit:
        return 16;
    case cd24Bit:
        return 24;
    case cd32Bit:
        return 32;
    default:
        return 0xFE;
    }
}

TColorDepth DepthOf(int flag) {
    switch (flag) {
    case 4:
        return cd4Bit;
    case 8:
        return cd8Bit;
    case 16:
        return cd16Bit;
    case 24:
        return cd24Bit;
    case 32:
        return cd32Bit;
    default:
        return cdDeviceDependent;
    }
}

} // namespace

void TCustomImageList::ReadData(TStream& stream) {
    gfx::ImageListData data = gfx::ReadImageListStream(stream);
    width_ = data.Width;
    height_ = data.Height;
    allocBy_ = data.Grow;
    bkColor_ = data.BkColor == 0xFFFFFFFF ? clNone : TColor(data.BkColor & 0xFFFFFF);
    masked_ = data.Masked;
    colorDepth_ = DepthOf(data.Depth);
    images_.clear();
    for (size_t i = 0; i < data.Colors.size(); ++i)
        images_.push_back(Image{std::move(data.Colors[i]), std::move(data.Masks[i])});
    Change();
}

void TCustomImageList::WriteData(TStream& stream) {
    gfx::ImageListData data;
    data.Width = width_;
    data.Height = height_;
    data.Grow = allocBy_;
    data.BkColor = bkColor_ == clNone ? 0xFFFFFFFF : ColorToRGB(bkColor_);
    data.Masked = masked_;
    data.Depth = DepthFlag(colorDepth_);
    for (const Image& image : images_) {
        data.Colors.push_back(image.Color);
        data.Masks.push_back(image.Mask);
    }
    gfx::WriteImageListStream(stream, data);
}
