// Downloads of pictures given by network URLs. The label itself never
// downloads (its renderer turns Asynch off); a program that wants network
// pictures installs a fetcher, which LoadFromURL hands a TPictureDownload.
// The fetcher may finish at once or later, on the UI thread, reporting
// through the download; a download whose picture was freed in the meantime
// does nothing. Without a fetcher, a picture's OnDownLoadError says "No
// downloader is installed" and the picture is free for the next LoadFromURL.
#pragma once

#include "htmllabel/HTMLPicture.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One download of one picture, handed to the fetcher.
class TPictureDownload {
public:
    TPictureDownload(THTMLPicture& picture, std::string url);

    // The URL as written.
    const std::string& URL() const { return url_; }
    // True while the picture lives.
    bool Alive() const { return watch_.Alive(); }
    // Tells OnDownLoadProgress, then asks OnDownLoadCancel; false when the
    // download is cancelled (the picture is then no longer busy) or the
    // picture is gone.
    bool Progress(DWORD size, DWORD total);
    // Loads the bytes into the picture and tells OnDownLoadComplete; bytes
    // that do not decode end as Fail with the load's message.
    void Complete(const std::vector<uint8_t>& bytes);
    // Ends the download with OnDownLoadError(message).
    void Fail(const std::string& message);

private:
    THTMLPicture* picture_;
    rtl::TLifeWatch watch_;
    std::string url_;
};

// Starts a download; it reports through the TPictureDownload.
using TPictureFetcher = std::function<void(TPictureDownload download)>;

// Installs the fetcher of this library (an empty one removes it) and
// returns the previous one.
TPictureFetcher SetPictureFetcher(TPictureFetcher fetcher);
// The fetcher installed now (empty when none).
const TPictureFetcher& PictureFetcher();
