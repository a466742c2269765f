// The installed fetcher and the downloads it reports through.
#include "htmllabel/PictureFetcher.h"

namespace {

TPictureFetcher& Installed() {
    static TPictureFetcher fetcher;
    return fetcher;
}

} // namespace

TPictureFetcher SetPictureFetcher(TPictureFetcher fetcher) {
    TPictureFetcher previous = std::move(Installed());
    Installed() = std::move(fetcher);
    return previous;
}

const TPictureFetcher& PictureFetcher() {
    return Installed();
}

TPictureDownload::TPictureDownload(THTMLPicture& picture, std::string url)
    : picture_(&picture), watch_(picture.liveness_.Watch()), url_(std::move(url)) {}

bool TPictureDownload::Progress(DWORD size, DWORD total) {
    if (!Alive() || !picture_->busy_)
        return false;
    if (!rtl::FireSurvives(picture_->liveness_, picture_->OnDownLoadProgress, picture_, size,
                           total))
        return false;
    bool cancel = false;
    if (!rtl::FireSurvives(picture_->liveness_, picture_->OnDownLoadCancel, picture_, cancel))
        return false;
    if (cancel)
        picture_->busy_ = false;
    return !cancel;
}

void TPictureDownload::Complete(const std::vector<uint8_t>& bytes) {
    if (!Alive() || !picture_->busy_)
        return;
    TMemoryStream stream;
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), bytes.size());
    stream.SetPosition(0);
    try {
        picture_->LoadFromStream(stream);
    } catch (const Exception& e) {
        if (Alive())
            picture_->DownloadFailed(e.Message);
        return;
    }
    if (!Alive())
        return;
    picture_->busy_ = false;
    rtl::FireSurvives(picture_->liveness_, picture_->OnDownLoadComplete, picture_);
}

void TPictureDownload::Fail(const std::string& message) {
    if (Alive() && picture_->busy_)
        picture_->DownloadFailed(message);
}
