// Loading, decoding and drawing THTMLPicture. Every load goes the same way:
// the bytes are replaced, the frame count and frame fields are forgotten, a
// frame beyond the new bytes' frames falls back to frame 1, and the bytes
// are decoded; a failure empties the picture before it is raised.
#include "htmllabel/HTMLPicture.h"

#include "htmllabel/GifFrames.h"
#include "htmllabel/PictureFetcher.h"
#include "platform/com/Stream.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Gdi.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Library.h"
#include "platform/win/Resources.h"

#include <cstring>
#include <vector>

using namespace HTMLPictureConsts;

namespace {

constexpr int HimetricPerInch = 2540;

// The module this code is linked into: its resources are RES:// pictures.
HINSTANCE ThisModule() {
    static const char anchor = 0;
    HMODULE module = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                          GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      &anchor, &module);
    return module;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

SIZE HimetricSize(IPicture* picture) {
    SIZE size;
    if (picture) {
        picture->get_Width(&size.cx);
        picture->get_Height(&size.cy);
    }
    return size;
}

} // namespace

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Assign(TPersistent* source) {
    auto* other = dynamic_cast<THTMLPicture*>(source);
    if (source && !other)
        return TGraphic::Assign(source);
    if (other == this)
        return;
    empty_ = true;
    ResetDecoded();
    frame_ = 1;
    data_.Clear();
    if (!other)
        return;
    // A picture that holds nothing copies as one: there are no bytes to decode.
    if (!other->empty_) {
        data_.CopyFrom(other->data_, 0);
        empty_ = false;
        LoadPicture();
    }
    Changed();
}

int THTMLPicture::Width() const {
    return MulDiv(HimetricSize(picture_.Get()).cx, ScreenPixelsPerInch, HimetricPerInch);
}

int THTMLPicture::Height() const {
    return MulDiv(HimetricSize(picture_.Get()).cy, ScreenPixelsPerInch, HimetricPerInch);
}

int THTMLPicture::GetMaxWidth() const {
    return screenWidth_ > 0 ? screenWidth_ : Width();
}

int THTMLPicture::GetMaxHeight() const {
    return screenHeight_ > 0 ? screenHeight_ : Height();
}

void THTMLPicture::LoadBytes(TStream& stream) {
    data_.Clear();
    ResetDecoded();
    int64_t left = stream.GetSize() - stream.GetPosition();
    // Bytes no reader would take are refused before they are copied.
    if (left > 0 && uint64_t(left) > MaxPictureFileBytes())
        Fail(SInvalidFormat);
    if (left > 0)
        data_.CopyFrom(stream, left);
    empty_ = false;
    // A frame stored before these bytes came may lie beyond their frames.
    int count = GetFrameCount();
    if (frame_ < 1 || (count >= 1 && frame_ > count))
        frame_ = 1;
    LoadPicture();
}

void THTMLPicture::LoadFromStream(TStream& stream) {
    LoadBytes(stream);
    Changed();
}

void THTMLPicture::ReadData(TStream& stream) {
    LoadBytes(stream);
}

void THTMLPicture::SaveToStream(TStream& stream) {
    if (data_.GetSize() > 0)
        stream.WriteBuffer(data_.Memory(), size_t(data_.GetSize()));
}

void THTMLPicture::WriteData(TStream& stream) {
    SaveToStream(stream);
}

void THTMLPicture::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HRSRC resource = FindResource(instance, name.c_str(), RT_RCDATA);
    HGLOBAL handle = resource ? LoadResource(instance, resource) : nullptr;
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes)
        return;
    TMemoryStream stream;
    stream.WriteBuffer(bytes, SizeofResource(instance, resource));
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void THTMLPicture::LoadFromURL(const std::string& url) {
    // The upper-cased form is the cache's key; names and paths are taken
    // as written, since files are told apart by letter case here.
    std::string upper = UpperCase(url);
    if (StartsWith(upper, "RES://")) {
        id_ = upper;
        LoadFromResourceName(ThisModule(), url.substr(6));
        return;
    }
    if (StartsWith(upper, "FILE://")) {
        id_ = upper;
        try {
            LoadFromFile(url.substr(7));
        } catch (const EFOpenError&) {
            // A reload that cannot open its file does not keep the old picture.
            data_.Clear();
            empty_ = true;
            ResetDecoded();
            throw;
        }
        return;
    }
    if (!asynch_) {
        url_ = url;
        id_ = upper;
        return;
    }
    if (busy_)
        return;
    url_ = url;
    busy_ = true;
    const TPictureFetcher& fetcher = PictureFetcher();
    if (!fetcher)
        return DownloadFailed(SNoDownloader);
    TPictureFetcher copy = fetcher;
    copy(TPictureDownload(*this, url));
}

void THTMLPicture::DownloadFailed(const std::string& message) {
    busy_ = false;
    if (OnDownLoadError)
        rtl::FireSurvives(liveness_, OnDownLoadError, this, message);
}

void THTMLPicture::Draw(TCanvas& canvas, const RECT& rect) {
    DrawAtResolution(canvas, rect, canvas.PixelsPerInch(), canvas.PixelsPerInch());
}

void THTMLPicture::DrawAtResolution(TCanvas& canvas, const RECT& rect, int pixelsPerInchX,
                                    int pixelsPerInchY) {
    if (empty_ || !picture_)
        return;
    SIZE size = HimetricSize(picture_.Get());
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!stretch_) {
        width = MulDiv(size.cx, pixelsPerInchX, HimetricPerInch);
        height = MulDiv(size.cy, pixelsPerInchY, HimetricPerInch);
    }
    picture_->Render(canvas.Handle(), rect.left, rect.top, width, height, 0, size.cy, size.cx,
                     -size.cy, &rect);
}

bool THTMLPicture::IsGIFFile() const {
    return data_.GetSize() >= 5 && std::memcmp(data_.Memory(), "GIF8", 4) == 0;
}

int THTMLPicture::GetFrameCount() {
    if (!IsGIFFile())
        return -1;
    if (frameCount_ < 0)
        frameCount_ = htmllabel::CountGifFrames(data_.Memory(), size_t(data_.GetSize()));
    return frameCount_;
}

void THTMLPicture::SetStretch(bool value) {
    if (value == stretch_)
        return;
    stretch_ = value;
    Changed();
}

void THTMLPicture::SetFrame(int value) {
    if (empty_) {
        frame_ = value;
        return;
    }
    int count = GetFrameCount();
    if (value < 1 || value > count)
        return;
    frame_ = value;
    LoadPicture();
    if (OnFrameChange)
        rtl::FireSurvives(liveness_, OnFrameChange, this);
}

void THTMLPicture::ResetDecoded() {
    picture_ = nullptr;
    frameCount_ = -1;
    frameX_ = frameY_ = frameWidth_ = frameHeight_ = -1;
    screenWidth_ = screenHeight_ = 0;
}

void THTMLPicture::Fail(const std::string& message) {
    data_.Clear();
    empty_ = true;
    ResetDecoded();
    throw EHTMLPictureError(message);
}

void THTMLPicture::LoadPicture() {
    picture_ = nullptr;
    frameX_ = frameY_ = frameWidth_ = frameHeight_ = 0;
    screenWidth_ = screenHeight_ = 0;
    std::vector<uint8_t> bytes;
    if (IsGIFFile() && GetFrameCount() >= 1) {
        htmllabel::GifFrameSelection chosen =
            htmllabel::SelectGifFrame(data_.Memory(), size_t(data_.GetSize()), frame_);
        bytes = std::move(chosen.Bytes);
        frameX_ = chosen.Left;
        frameY_ = chosen.Top;
        frameWidth_ = chosen.Width;
        frameHeight_ = chosen.Height;
        screenWidth_ = chosen.ScreenWidth;
        screenHeight_ = chosen.ScreenHeight;
    } else {
        bytes.assign(data_.Memory(), data_.Memory() + data_.GetSize());
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        Fail(SCouldNotAllocate);
    if (!bytes.empty())
        std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Receive()))) {
        GlobalFree(memory);
        Fail(SCouldNotCreateStream);
    }
    if (!stream)
        Fail(SEmptyStream);
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.Get(), LONG(bytes.size()), FALSE, IID_IPicture,
                              picture.ReceiveVoid())))
        Fail(SInvalidFormat);
    if (!picture)
        Fail(SCouldNotLoad);
    picture_ = std::move(picture);
}
