// Loading pictures by URL: RES:// from this program's resources, FILE://
// with the path as written, and network URLs through the fetcher a caller
// installs (without one, an error that frees the picture for the next try).
#include "PictureTestSupport.h"

#include "htmllabel/PictureFetcher.h"
#include "platform/text/Text.h"
#include "tests/support/TempPlatformHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace picturetest;

namespace {

// Installs a fetcher for one test and puts the previous one back.
class FetcherScope {
public:
    explicit FetcherScope(TPictureFetcher fetcher) : previous_(SetPictureFetcher(fetcher)) {}
    ~FetcherScope() { SetPictureFetcher(previous_); }

private:
    TPictureFetcher previous_;
};

TEST(PictureURL, ResFindsTheResourceWhateverTheCaseOfItsName) {
    THTMLPicture picture;
    picture.LoadFromURL("res://LOGO");
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.ID(), "RES://LOGO");
    EXPECT_EQ(picture.Width(), 6);
    EXPECT_EQ(picture.Height(), 4);
}

TEST(PictureURL, AMissingResourceLeavesThePictureEmpty) {
    THTMLPicture picture;
    picture.LoadFromURL("RES://NOSUCHPICTURE");
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Picture(), nullptr);
    picture.LoadFromResourceName(nullptr, "NoSuchPicture");
    EXPECT_TRUE(picture.Empty());
}

TEST(PictureURL, FileTakesThePathAsWritten) {
    TempPlatformHome home;
    std::filesystem::create_directories(home.path + "/Pics");
    std::string path = home.path + "/Pics/Logo.Gif";
    std::vector<uint8_t> bytes = ThreeFrameGif();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    THTMLPicture picture;
    picture.LoadFromURL("File://" + path);
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.GetFrameCount(), 3);
    EXPECT_EQ(picture.ID(), "FILE://" + text::UpperCase(path));
}

TEST(PictureURL, AMissingFileLeavesThePictureEmpty) {
    TempPlatformHome home;
    THTMLPicture picture;
    LoadBytes(picture, ThreeFrameGif());
    EXPECT_THROW(picture.LoadFromURL("FILE://" + home.path + "/missing.gif"), EFOpenError);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Picture(), nullptr);
}

TEST(PictureURL, WithoutAFetcherADownloadFailsOnceAndCanStartAgain) {
    FetcherScope none(nullptr);
    THTMLPicture picture;
    std::vector<std::string> errors;
    picture.OnDownLoadError = [&](TObject* sender, const std::string& err) {
        EXPECT_EQ(sender, &picture);
        EXPECT_FALSE(picture.DownloadBusy());
        errors.push_back(err);
    };
    picture.LoadFromURL("http://example.test/Logo.gif");
    EXPECT_EQ(errors, std::vector<std::string>{"No downloader is installed"});
    EXPECT_EQ(picture.URL(), "http://example.test/Logo.gif");
    EXPECT_FALSE(picture.DownloadBusy());
    EXPECT_TRUE(picture.Empty());
    picture.LoadFromURL("http://example.test/Logo.gif");
    EXPECT_EQ(errors.size(), 2u) << "a second call starts again";
}

TEST(PictureURL, WithAsynchOffANetworkURLIsOnlyNoted) {
    int fetched = 0;
    FetcherScope counting([&](TPictureDownload) { ++fetched; });
    THTMLPicture picture;
    picture.SetAsynch(false);
    picture.LoadFromURL("http://example.test/a.gif");
    EXPECT_EQ(fetched, 0);
    EXPECT_EQ(picture.URL(), "http://example.test/a.gif");
    EXPECT_EQ(picture.ID(), "HTTP://EXAMPLE.TEST/A.GIF");
    EXPECT_TRUE(picture.Empty());
}

TEST(PictureURL, AFetcherFillsThePictureAndTellsItsEvents) {
    std::vector<TPictureDownload> pending;
    FetcherScope deferred([&](TPictureDownload d) { pending.push_back(d); });
    THTMLPicture picture;
    std::vector<std::string> events;
    picture.OnDownLoadProgress = [&](TObject*, DWORD size, DWORD total) {
        events.push_back("progress " + std::to_string(size) + "/" + std::to_string(total));
    };
    picture.OnDownLoadComplete = [&](TObject*) { events.push_back("complete"); };
    picture.LoadFromURL("https://example.test/x.gif");
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_TRUE(picture.DownloadBusy());
    picture.LoadFromURL("https://example.test/y.gif");
    EXPECT_EQ(pending.size(), 1u) << "one download at a time";
    EXPECT_EQ(pending[0].URL(), "https://example.test/x.gif");
    EXPECT_TRUE(pending[0].Progress(10, 20));
    pending[0].Complete(ThreeFrameGif());
    EXPECT_EQ(events, (std::vector<std::string>{"progress 10/20", "complete"}));
    EXPECT_FALSE(picture.DownloadBusy());
    EXPECT_EQ(picture.GetFrameCount(), 3);
}

TEST(PictureURL, ADownloadCanBeCancelledOrOutlivedByItsPicture) {
    std::vector<TPictureDownload> pending;
    FetcherScope deferred([&](TPictureDownload d) { pending.push_back(d); });
    {
        THTMLPicture picture;
        picture.OnDownLoadCancel = [](TObject*, bool& cancel) { cancel = true; };
        picture.LoadFromURL("http://example.test/a.gif");
        EXPECT_FALSE(pending.back().Progress(1, 2));
        EXPECT_FALSE(picture.DownloadBusy());
        pending.back().Complete(ThreeFrameGif());
        EXPECT_TRUE(picture.Empty()) << "a cancelled download loads nothing";
        picture.LoadFromURL("http://example.test/b.gif");
    }
    EXPECT_FALSE(pending.back().Alive());
    pending.back().Complete(ThreeFrameGif());
    pending.back().Fail("gone");
}

TEST(PictureURL, BytesThatDoNotDecodeEndTheDownloadWithTheLoadsMessage) {
    std::vector<TPictureDownload> pending;
    FetcherScope deferred([&](TPictureDownload d) { pending.push_back(d); });
    THTMLPicture picture;
    std::string error;
    picture.OnDownLoadError = [&](TObject*, const std::string& err) { error = err; };
    picture.LoadFromURL("http://example.test/a.gif");
    pending.back().Complete({'x', 'y', 'z'});
    EXPECT_EQ(error, HTMLPictureConsts::SInvalidFormat);
    EXPECT_FALSE(picture.DownloadBusy());
    EXPECT_TRUE(picture.Empty());
}

} // namespace
