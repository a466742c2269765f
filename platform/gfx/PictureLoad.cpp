// OleLoadPicture: the picture file on a stream is read whole (in pieces, so
// a stream that claims more than it holds costs only what it holds), told
// apart by its first bytes and handed to its reader; the pixels become a
// bitmap or icon that the picture object owns.
#include "platform/gfx/Picture.h"

#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/GifCodec.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/IcoCodec.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/JpegCodec.h"
#include "platform/gfx/LittleEndian.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace {

// The largest picture file read: the largest BMP file the readers take.
constexpr uint64_t MaxPictureBytes = gfx::MaxBmpFileBytes;
constexpr ULONG ReadPiece = 64 * 1024;

constexpr uint32_t PlaceableMetafileKey = 0x9AC6CDD7;
constexpr uint32_t EmfSignature = 0x464D4520; // " EMF"

// The bytes to read: size, or what is left of the stream; 0 when too many.
uint64_t BytesToRead(IStream* stream, LONG size) {
    if (size > 0)
        return uint64_t(size);
    STATSTG stat;
    uint64_t position = 0;
    if (FAILED(stream->Stat(&stat, 0)) || FAILED(stream->Seek(0, STREAM_SEEK_CUR, &position)))
        return 0;
    return stat.cbSize > position ? stat.cbSize - position : 0;
}

// Reads up to `wanted` bytes; the buffer grows only as bytes arrive.
std::vector<uint8_t> ReadAll(IStream* stream, uint64_t wanted) {
    std::vector<uint8_t> data;
    while (data.size() < wanted) {
        ULONG piece = ULONG(std::min<uint64_t>(ReadPiece, wanted - data.size()));
        size_t at = data.size();
        data.resize(at + piece);
        ULONG got = 0;
        HRESULT hr = stream->Read(data.data() + at, piece, &got);
        data.resize(at + (FAILED(hr) ? 0 : got));
        if (FAILED(hr) || got < piece)
            break;
    }
    return data;
}

HRESULT BitmapPicture(std::unique_ptr<gfx::Dib> pixels, const GUID& riid, void** out) {
    HBITMAP bitmap = gfx::detail::AddBitmap(std::move(pixels), false);
    if (!bitmap)
        return E_OUTOFMEMORY;
    PICTDESC desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    HRESULT hr = OleCreatePictureIndirect(&desc, riid, TRUE, out);
    if (FAILED(hr))
        DeleteObject(bitmap);
    return hr;
}

// Icon files whose image is stored as PNG are refused by the icon reader
// until it reads PNG; they then load here unchanged.
HRESULT IconPicture(const std::vector<uint8_t>& data, const GUID& riid, void** out) {
    gfx::IconImage image = gfx::DecodeIco(data.data(), data.size());
    gfx::detail::IconObject object;
    object.Color = std::move(image.Color);
    object.Mask = std::move(image.Mask);
    HICON icon = gfx::detail::AddIcon(std::move(object));
    if (!icon)
        return E_OUTOFMEMORY;
    PICTDESC desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = icon;
    HRESULT hr = OleCreatePictureIndirect(&desc, riid, TRUE, out);
    if (FAILED(hr))
        DestroyIcon(icon);
    return hr;
}

// A placeable metafile's header: its bounds in units of which `inch` make an inch.
HRESULT WmfPicture(const std::vector<uint8_t>& data, const GUID& riid, void** out) {
    if (data.size() < 22)
        return CTL_E_INVALIDPICTURE;
    auto coordinate = [&](size_t at) { return int16_t(gfx::ReadU16(data.data() + at)); };
    int64_t width = int64_t(coordinate(10)) - coordinate(6);
    int64_t height = int64_t(coordinate(12)) - coordinate(8);
    uint16_t inch = gfx::ReadU16(data.data() + 14);
    if (inch == 0 || width <= 0 || height <= 0)
        return CTL_E_INVALIDPICTURE;
    return gfx::detail::NewMetafilePicture(PICTYPE_METAFILE, LONG(width * 2540 / inch),
                                           LONG(height * 2540 / inch), riid, out);
}

// An enhanced metafile's header: its frame, already in HIMETRIC.
HRESULT EmfPicture(const std::vector<uint8_t>& data, const GUID& riid, void** out) {
    auto value = [&](size_t at) { return int32_t(gfx::ReadU32(data.data() + at)); };
    int64_t width = int64_t(value(32)) - value(24);
    int64_t height = int64_t(value(36)) - value(28);
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX)
        return CTL_E_INVALIDPICTURE;
    return gfx::detail::NewMetafilePicture(PICTYPE_ENHMETAFILE, LONG(width), LONG(height), riid,
                                           out);
}

HRESULT Decode(const std::vector<uint8_t>& data, const GUID& riid, void** out) {
    const uint8_t* p = data.data();
    size_t n = data.size();
    if (n >= 2 && p[0] == 'B' && p[1] == 'M')
        return BitmapPicture(gfx::DecodeBmp(p, n), riid, out);
    if (gfx::IsJpeg(p, n))
        return BitmapPicture(gfx::DecodeJpeg(p, n), riid, out);
    if (gfx::IsGif(p, n))
        return BitmapPicture(gfx::DecodeGif(p, n, 0), riid, out);
    if (n >= 4 && gfx::ReadU16(p) == 0 && gfx::ReadU16(p + 2) == 1)
        return IconPicture(data, riid, out);
    if (n >= 4 && gfx::ReadU32(p) == PlaceableMetafileKey)
        return WmfPicture(data, riid, out);
    if (n >= 88 && gfx::ReadU32(p) == 1 && gfx::ReadU32(p + 40) == EmfSignature)
        return EmfPicture(data, riid, out);
    return CTL_E_INVALIDPICTURE;
}

} // namespace

HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL, const GUID& riid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!stream)
        return E_POINTER;
    try {
        uint64_t wanted = BytesToRead(stream, size);
        if (wanted == 0 || wanted > MaxPictureBytes)
            return CTL_E_INVALIDPICTURE;
        return Decode(ReadAll(stream, wanted), riid, out);
    } catch (const EInvalidGraphic&) {
        return CTL_E_INVALIDPICTURE;
    } catch (const EInvalidGraphicOperation&) {
        return CTL_E_INVALIDPICTURE;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}
