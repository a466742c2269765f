// Loading pictures from streams: the stream over global memory, the JPEG and
// GIF readers on files that the libraries' own encoders wrote, the size
// limits checked before anything is allocated, and OleLoadPicture for every
// kind of file it takes; every cut of a GIF file is a picture or an error.
#include "platform/com/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GifCodec.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/IcoCodec.h"
#include "platform/gfx/JpegCodec.h"
#include "platform/gfx/LittleEndian.h"
#include "platform/gfx/Picture.h"
#include "tests/support/ImageWriters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

using testimages::ThreeFrames;
using testimages::WriteGif;
using testimages::WriteJpeg;

ComPtr<IStream> StreamOf(const std::vector<uint8_t>& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty())
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    ComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(block, TRUE, stream.Receive()), S_OK);
    return stream;
}

HRESULT Load(const std::vector<uint8_t>& bytes, ComPtr<IPicture>& picture, LONG size = -1) {
    ComPtr<IStream> stream = StreamOf(bytes);
    return OleLoadPicture(stream.Get(), size < 0 ? LONG(bytes.size()) : size, FALSE, IID_IPicture,
                          picture.ReceiveVoid());
}

bool Near(uint32_t pixel, uint8_t r, uint8_t g, uint8_t b) {
    auto close = [](int a, int b) { return a - b < 6 && b - a < 6; };
    return close((pixel >> 16) & 0xFF, r) && close((pixel >> 8) & 0xFF, g) &&
           close(pixel & 0xFF, b);
}

std::vector<uint8_t> Bytes(const char* text) {
    return std::vector<uint8_t>(text, text + std::strlen(text));
}

TEST(HGlobalStream, ReadsSeeksWritesAndFreesItsBlock) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(block), "abcd", 4);
    GlobalUnlock(block);
    IStream* raw = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, &raw), S_OK);
    ComPtr<IStream> stream = ComPtr<IStream>::Adopt(raw);
    char buffer[8] = {};
    ULONG read = 0;
    EXPECT_EQ(stream->Read(buffer, 3, &read), S_OK);
    EXPECT_EQ(std::string(buffer, read), "abc");
    EXPECT_EQ(stream->Read(buffer, 3, &read), S_FALSE);
    EXPECT_EQ(read, 1u);
    uint64_t position = 0;
    EXPECT_EQ(stream->Seek(-2, STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position, 2u);
    EXPECT_EQ(stream->Seek(-3, STREAM_SEEK_CUR, nullptr), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Write("XYZW", 4, nullptr), S_OK);
    STATSTG stat;
    EXPECT_EQ(stream->Stat(&stat, 0), S_OK);
    EXPECT_EQ(stat.cbSize, 6u);
    HGLOBAL behind = nullptr;
    EXPECT_EQ(GetHGlobalFromStream(stream.Get(), &behind), S_OK);
    EXPECT_EQ(behind, block);
    EXPECT_EQ(std::string(static_cast<char*>(GlobalLock(block)), 6), "abXYZW");
    GlobalUnlock(block);
    stream = nullptr;
    EXPECT_EQ(GlobalSize(block), 0u) << "the stream frees the block it owns";
}

TEST(HGlobalStream, RefusesAHandleThatNamesNoBlock) {
    IStream* raw = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(reinterpret_cast<HGLOBAL>(0x12345), FALSE, &raw), E_INVALIDARG);
    EXPECT_EQ(raw, nullptr);
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, FALSE, nullptr), E_POINTER);
}

TEST(JpegReader, DecodesFilesTheEncoderWrote) {
    struct Case {
        bool Grey;
        uint8_t R, G, B;
    };
    for (Case c : {Case{false, 200, 30, 40}, Case{true, 90, 90, 90}}) {
        std::vector<uint8_t> file = WriteJpeg(40, 30, c.R, c.G, c.B, c.Grey);
        std::unique_ptr<gfx::Dib> pixels = gfx::DecodeJpeg(file.data(), file.size());
        EXPECT_EQ(pixels->Width(), 40);
        EXPECT_EQ(pixels->Height(), 30);
        EXPECT_TRUE(Near(pixels->GetPixel(20, 15), c.R, c.G, c.B))
            << std::hex << pixels->GetPixel(20, 15);
        EXPECT_TRUE(Near(pixels->GetPixel(0, 29), c.R, c.G, c.B));
    }
}

TEST(GifReader, WalksTheRecordsOfEveryFrame) {
    std::vector<uint8_t> file = WriteGif(16, 12, ThreeFrames());
    gfx::GifLayout layout = gfx::WalkGif(file.data(), file.size());
    EXPECT_EQ(layout.ScreenWidth, 16);
    EXPECT_EQ(layout.ScreenHeight, 12);
    std::vector<gfx::GifImageRecord> frames = layout.Frames();
    ASSERT_EQ(frames.size(), 3u);
    const gfx::GifImageRecord& second = frames[1];
    EXPECT_EQ(second.Left, 2);
    EXPECT_EQ(second.Top, 3);
    EXPECT_EQ(second.Width, 8);
    EXPECT_EQ(second.Height, 6);
    EXPECT_EQ(file[second.Offset], 0x21);
    EXPECT_EQ(file[second.Offset + 1], 0xF9);
    EXPECT_EQ(file[second.DescriptorOffset], ',');
    EXPECT_EQ(second.End, frames[2].Offset);
}

TEST(GifReader, DecodesOnlyTheImageAskedFor) {
    std::vector<uint8_t> file = WriteGif(16, 12, ThreeFrames());
    std::unique_ptr<gfx::Dib> second = gfx::DecodeGif(file.data(), file.size(), 1);
    EXPECT_EQ(second->Width(), 16);
    EXPECT_EQ(second->Height(), 12);
    EXPECT_EQ(second->GetPixel(2, 3), 0xFF00FF00u);
    EXPECT_EQ(second->GetPixel(9, 8), 0xFF00FF00u);
    EXPECT_EQ(second->GetPixel(1, 1), 0xFFFFFFFFu) << "the screen shows the background colour";
    EXPECT_EQ(gfx::DecodeGif(file.data(), file.size(), 0)->GetPixel(1, 1), 0xFFFF0000u);
    EXPECT_THROW(gfx::DecodeGif(file.data(), file.size(), 3), EInvalidGraphic);
}

TEST(GifReader, LeavesTransparentPixelsClear) {
    testimages::GifFrame clear{0, 0, 4, 4, 10, 20, 30};
    clear.Transparent = true;
    std::vector<uint8_t> file = WriteGif(4, 4, {clear});
    EXPECT_EQ(gfx::DecodeGif(file.data(), file.size())->GetPixel(2, 2) >> 24, 0u);
}

// A copy of file with a 16-bit field set (little- or big-endian).
std::vector<uint8_t> Patched(std::vector<uint8_t> file, size_t at, uint16_t value, bool big) {
    file[at] = uint8_t(big ? value >> 8 : value);
    file[at + 1] = uint8_t(big ? value : value >> 8);
    return file;
}

std::vector<uint8_t> HugeBmp() {
    std::vector<uint8_t> file = gfx::EncodeBmp(gfx::Dib(2, 2, 24));
    uint32_t huge = 100000;
    std::memcpy(file.data() + 18, &huge, 4);
    std::memcpy(file.data() + 22, &huge, 4);
    return file;
}

std::vector<uint8_t> HugeJpeg() {
    std::vector<uint8_t> file = WriteJpeg(8, 8, 1, 2, 3);
    for (size_t i = 0; i + 8 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0)
            return Patched(Patched(file, i + 5, 65500, true), i + 7, 65500, true);
    return {};
}

TEST(PictureReaders, RefuseHugeSizesBeforeAllocating) {
    std::vector<uint8_t> gif = WriteGif(4, 4, {{0, 0, 4, 4, 1, 2, 3}});
    gfx::GifLayout layout = gfx::WalkGif(gif.data(), gif.size());
    size_t descriptor = layout.Images[0].DescriptorOffset;
    // The largest sizes the formats can state (GIF and JPEG hold 16 bits).
    std::vector<uint8_t> hugeScreen = Patched(Patched(gif, 6, 65535, false), 8, 65535, false);
    std::vector<uint8_t> hugeImage =
        Patched(Patched(gif, descriptor + 5, 65535, false), descriptor + 7, 65535, false);
    struct Case {
        const char* Name;
        std::vector<uint8_t> File;
        std::function<void(const std::vector<uint8_t>&)> Decode;
    };
    Case cases[] = {
        {"bmp", HugeBmp(), [](auto& f) { gfx::DecodeBmp(f.data(), f.size()); }},
        {"jpeg", HugeJpeg(), [](auto& f) { gfx::DecodeJpeg(f.data(), f.size()); }},
        {"gif screen", hugeScreen, [](auto& f) { gfx::DecodeGif(f.data(), f.size()); }},
        {"gif image", hugeImage, [](auto& f) { gfx::DecodeGif(f.data(), f.size()); }},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(c.Decode(c.File), EInvalidGraphic) << c.Name;
        ComPtr<IPicture> picture;
        EXPECT_EQ(Load(c.File, picture), CTL_E_INVALIDPICTURE) << c.Name;
    }
}

TEST(OleLoadPicture, GivesAPictureOfEveryKindItReads) {
    gfx::Dib pixels(4, 2, 24);
    pixels.Fill(0x00336699);
    gfx::Dib mask(32, 32, 1);
    std::vector<uint8_t> header;
    gfx::AppendU32(header, 0x9AC6CDD7);
    gfx::AppendU16(header, 0);
    for (uint32_t v : {0u, 0u, 1440u, 720u, 1440u}) // bounds, then units per inch
        gfx::AppendU16(header, v);
    header.resize(22);
    std::vector<uint8_t> emf(88, 0);
    emf[0] = 1;
    for (auto [at, v] : {std::pair{24, 0}, {28, 0}, {32, 2540}, {36, 1270}, {40, 0x464D4520}})
        std::memcpy(emf.data() + at, &v, 4);
    struct Case {
        const char* Name;
        std::vector<uint8_t> File;
        SHORT Type;
        LONG Width, Height;
    };
    Case cases[] = {
        {"bmp", gfx::EncodeBmp(pixels), PICTYPE_BITMAP, 106, 53},
        {"ico", gfx::EncodeIco(gfx::Dib(32, 32, 32), mask), PICTYPE_ICON, 847, 847},
        {"jpeg", WriteJpeg(96, 48, 9, 9, 9), PICTYPE_BITMAP, 2540, 1270},
        {"gif", WriteGif(16, 12, ThreeFrames()), PICTYPE_BITMAP, 423, 318},
        {"wmf", header, PICTYPE_METAFILE, 2540, 1270},
        {"emf", emf, PICTYPE_ENHMETAFILE, 2540, 1270},
    };
    for (const Case& c : cases) {
        ComPtr<IPicture> picture;
        ASSERT_EQ(Load(c.File, picture), S_OK) << c.Name;
        SHORT type = 0;
        LONG width = 0, height = 0;
        picture->get_Type(&type);
        picture->get_Width(&width);
        picture->get_Height(&height);
        EXPECT_EQ(type, c.Type) << c.Name;
        EXPECT_EQ(width, c.Width) << c.Name;
        EXPECT_EQ(height, c.Height) << c.Name;
    }
}

TEST(OleLoadPicture, DrawsTheDecodedPixels) {
    DWORD before = GetGuiResources(nullptr, GR_GDIOBJECTS);
    {
        ComPtr<IPicture> picture;
        ASSERT_EQ(Load(WriteJpeg(8, 8, 250, 0, 0), picture), S_OK);
        TBitmap target(8, 8);
        LONG w = 0, h = 0;
        picture->get_Width(&w);
        picture->get_Height(&h);
        EXPECT_EQ(picture->Render(target.Canvas()->Handle(), 0, 0, 8, 8, 0, h, w, -h, nullptr),
                  S_OK);
        EXPECT_TRUE(Near(gfx::PixelOf(target.Canvas()->Pixels(4, 4)), 250, 0, 0));
    }
    EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), before) << "the picture frees its bitmap";
}

TEST(OleLoadPicture, RefusesWhatItCannotRead) {
    struct Case {
        const char* Name;
        std::vector<uint8_t> File;
    };
    Case cases[] = {
        {"empty", {}},
        {"text", Bytes("hello, world")},
        {"gif header only", Bytes("GIF89a")},
        {"bmp cut short", Bytes("BM\x10\x00")},
        {"four bytes", Bytes("GIF8")},
    };
    for (const Case& c : cases) {
        ComPtr<IPicture> picture;
        EXPECT_EQ(Load(c.File, picture), CTL_E_INVALIDPICTURE) << c.Name;
        EXPECT_FALSE(picture) << c.Name;
    }
    ComPtr<IPicture> picture;
    EXPECT_EQ(OleLoadPicture(nullptr, 0, FALSE, IID_IPicture, picture.ReceiveVoid()), E_POINTER);
}

TEST(OleLoadPicture, EveryCutOfAnAnimationIsAPictureOrAnError) {
    std::vector<uint8_t> file = WriteGif(16, 12, ThreeFrames());
    size_t pictures = 0;
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + long(n));
        ComPtr<IPicture> picture;
        HRESULT hr = Load(cut, picture);
        EXPECT_TRUE(hr == S_OK || hr == CTL_E_INVALIDPICTURE) << n;
        pictures += hr == S_OK;
        try {
            gfx::GifLayout layout = gfx::WalkGif(cut.data(), cut.size());
            EXPECT_LE(layout.Images.size(), 3u);
        } catch (const EInvalidGraphic&) {
        }
    }
    EXPECT_GT(pictures, 0u) << "a file cut after its first frame still shows it";
}

} // namespace
