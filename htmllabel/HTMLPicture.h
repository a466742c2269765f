// THTMLPicture: the picture of an IMG tag or a BODY background. It keeps the
// bytes it was loaded from unchanged (a stored form writes them back as they
// came) and decodes them through the platform's picture loader
// (OleLoadPicture: BMP, icon, JPEG, GIF, and metafiles, which have a size
// but draw nothing here). Of an animated GIF it shows one frame, chosen by
// Frame: a frame is an image whose graphic control extension comes right
// before it, and the picture hands the loader the file's header followed by
// the chosen frame and those after it, so the loader shows that frame.
//
// Pictures are loaded from files, streams, stored forms, a module's RT_RCDATA
// resources and URLs (RES://name, FILE://path; any other URL is handed to
// the fetcher a caller installed, PictureFetcher.h). A load that fails
// raises one of five messages and leaves the picture empty, whatever it
// showed before.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/gfx/Graphic.h"
#include "platform/gfx/Picture.h"
#include "platform/rtl/Lifetime.h"
#include "platform/rtl/Streams.h"

#include <functional>
#include <string>

// The messages of a failed load, word for word.
namespace HTMLPictureConsts {
inline constexpr const char* SCouldNotAllocate = "Could not allocate memory for image";
inline constexpr const char* SCouldNotCreateStream = "Could not create image stream";
inline constexpr const char* SEmptyStream = "Empty image stream created";
inline constexpr const char* SInvalidFormat = "Could not load image. Invalid format";
inline constexpr const char* SCouldNotLoad = "Could not load image";
// What OnDownLoadError says of a network URL when no fetcher is installed.
inline constexpr const char* SNoDownloader = "No downloader is installed";
} // namespace HTMLPictureConsts

// A picture's bytes that could not be decoded.
class EHTMLPictureError : public Exception {
public:
    using Exception::Exception;
};

// OnDownLoadProgress: bytes so far of the whole.
using TDownLoadProgressEvent = std::function<void(TObject* Sender, DWORD dwSize, DWORD dwTotSize)>;
// OnDownLoadCancel: the handler sets Cancel to stop the download.
using TDownLoadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
// OnDownLoadError: what went wrong.
using TDownLoadErrorEvent = std::function<void(TObject* Sender, const std::string& err)>;

class TPictureDownload;

class THTMLPicture : public TGraphic {
public:
    // An empty picture: not stretched, frame 1, asynchronous downloads.
    THTMLPicture();
    ~THTMLPicture() override;

    // Empties the picture (frame 1, nothing decoded) and, from another
    // THTMLPicture, copies its bytes, decodes them and tells OnChange; an
    // empty one leaves it empty and tells OnChange. nullptr leaves it empty;
    // other sources raise EConvertError.
    void Assign(TPersistent* source) override;

    // True until bytes are loaded (and again after a failed load).
    bool Empty() const override { return empty_; }
    // The decoded picture's size in pixels at 96 pixels per inch (0 when
    // nothing is decoded); setting it does nothing.
    int Width() const override;
    int Height() const override;
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    // The GIF logical screen's size when known, else Width and Height.
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    // Replaces the bytes by the rest of the stream, decodes them and tells
    // OnChange; raises an EHTMLPictureError with one of the five messages
    // (the picture is then empty).
    void LoadFromStream(TStream& stream) override;
    // Writes the bytes as they were loaded.
    void SaveToStream(TStream& stream) override;
    // A stored form's "Data": LoadFromStream without telling OnChange.
    void ReadData(TStream& stream) override;
    // Writes the bytes as they were loaded.
    void WriteData(TStream& stream) override;
    // Loads the module's RT_RCDATA resource of that name (letter case
    // ignored); nothing when it has none.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    // RES://name loads the resource of this module, FILE://path the file (the
    // path as written); both set ID to the upper-cased URL. Any other URL:
    // with Asynch off, URL and ID are set and nothing is loaded; with it on
    // and no download running, the installed fetcher starts one (without a
    // fetcher OnDownLoadError says so, once).
    void LoadFromURL(const std::string& url);
    // Clipboard formats are not taken or given; these do nothing.
    void LoadFromClipboardFormat(WORD format, HANDLE data, HANDLE palette) {}
    void SaveToClipboardFormat(WORD& format, HANDLE& data, HANDLE& palette) {}

    // Draws nothing when empty or not decoded; stretched into rect with
    // Stretch, else at its natural size (its HIMETRIC size at the canvas's
    // pixels per inch) at rect's top-left corner.
    void Draw(TCanvas& canvas, const RECT& rect) override;
    // Draw at a resolution given rather than the canvas's.
    void DrawAtResolution(TCanvas& canvas, const RECT& rect, int pixelsPerInchX,
                          int pixelsPerInchY);

    // True when the bytes are at least 5 long and start with "GIF8".
    bool IsGIFFile() const;
    // -1 for bytes that are not a GIF; else the number of frames, counted
    // once per load.
    int GetFrameCount();

    // Stretched into the rectangle it is drawn in, or at its natural size.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    // The GIF frame shown, from 1. With bytes loaded, values outside 1 to
    // GetFrameCount are ignored; otherwise the picture decodes the frame and
    // tells OnFrameChange. Without bytes the value is kept for the bytes to
    // come (frame 1 is shown when they have fewer frames).
    int Frame() const { return frame_; }
    void SetFrame(int value);
    // The shown frame's place and size from its image descriptor (0 when
    // not a GIF, -1 before anything was decoded).
    int FrameXPos() const { return frameX_; }
    int FrameYPos() const { return frameY_; }
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }

    // The address given to LoadFromURL for a download, as written.
    const std::string& URL() const { return url_; }
    // The key of the picture cache: the upper-cased URL.
    const std::string& ID() const { return id_; }
    void SetID(const std::string& value) { id_ = value; }
    // Whether LoadFromURL starts a download for a network URL.
    bool Asynch() const { return asynch_; }
    void SetAsynch(bool value) { asynch_ = value; }
    // True while a download runs.
    bool DownloadBusy() const { return busy_; }

    // The decoded picture (nullptr when none).
    IPicture* Picture() const { return picture_.Get(); }

    // Called after Frame chose another frame.
    TNotifyEvent OnFrameChange;
    // The download events (see PictureFetcher.h).
    TDownLoadProgressEvent OnDownLoadProgress;
    TDownLoadCancelEvent OnDownLoadCancel;
    TNotifyEvent OnDownLoadComplete;
    TDownLoadErrorEvent OnDownLoadError;

private:
    friend class TPictureDownload;
    // Takes new bytes from the stream's position and decodes them.
    void LoadBytes(TStream& stream);
    // Decodes the bytes (the chosen frame of a GIF) into the picture.
    void LoadPicture();
    // Forgets the decoded picture and the frame fields.
    void ResetDecoded();
    // Empties the picture after a failed load and raises message.
    [[noreturn]] void Fail(const std::string& message);
    // Ends a download with an error: not busy, then OnDownLoadError.
    void DownloadFailed(const std::string& message);

    // Mutable: asking a stream its size is not const.
    mutable TMemoryStream data_;
    bool empty_ = true;
    bool stretch_ = false;
    ComPtr<IPicture> picture_;
    std::string url_;
    std::string id_;
    bool asynch_ = true;
    bool busy_ = false;
    int frame_ = 1;
    int frameCount_ = -1;
    int frameX_ = -1, frameY_ = -1, frameWidth_ = -1, frameHeight_ = -1;
    int screenWidth_ = 0, screenHeight_ = 0;
    rtl::TLiveness liveness_;
};
