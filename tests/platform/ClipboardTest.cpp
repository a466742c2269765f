// The clipboard and global memory: formats in order, ownership of the data
// (memory blocks, and the drawing layer's bitmaps through the releaser it
// registers), one thread at a time.
#include "platform/win/Clipboard.h"
#include "platform/gfx/Gdi.h"
#include "platform/win/LastError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

HGLOBAL BlockWith(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

std::string TextOf(HGLOBAL block) {
    const char* bytes = static_cast<const char*>(GlobalLock(block));
    std::string text = bytes ? bytes : "";
    GlobalUnlock(block);
    return text;
}

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
    }
    void TearDown() override {
        EmptyClipboard();
        CloseClipboard();
    }
};

} // namespace

TEST_F(Clipboard, FormatsComeInTheOrderTheyWerePutThere) {
    UINT custom = RegisterClipboardFormat("Test Custom Format");
    EXPECT_GE(custom, 0xC000u);
    SetClipboardData(CF_UNICODETEXT, BlockWith("wide"));
    SetClipboardData(custom, BlockWith("custom"));
    SetClipboardData(CF_TEXT, BlockWith("text"));
    std::vector<UINT> order;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        order.push_back(f);
    EXPECT_EQ(order, (std::vector<UINT>{CF_UNICODETEXT, custom, CF_TEXT}));
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(TextOf(GetClipboardData(custom)), "custom");
    EXPECT_EQ(CountClipboardFormats(), 3);
}

TEST_F(Clipboard, SavedBlocksSurviveEmptyingAndComeBack) {
    // What a caller does to keep the clipboard aside: copy each block, empty,
    // and later hand the copies back.
    SetClipboardData(CF_TEXT, BlockWith("kept"));
    HGLOBAL original = GetClipboardData(CF_TEXT);
    std::size_t size = GlobalSize(original);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    std::memcpy(GlobalLock(copy), GlobalLock(original), size);
    GlobalUnlock(copy);
    GlobalUnlock(original);

    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GlobalSize(original), 0u) << "the clipboard freed what it owned";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(SetClipboardData(CF_TEXT, copy), copy);
    EXPECT_EQ(TextOf(GetClipboardData(CF_TEXT)), "kept");
}

namespace {
// What the test's releaser was given.
std::vector<HANDLE> released;
} // namespace

TEST_F(Clipboard, TheDrawingLayersFormatsAreFreedByTheirRegisteredReleaser) {
    // A drawing-layer format without a releaser keeps its handles as they are.
    HANDLE first = reinterpret_cast<HANDLE>(0x1234), second = reinterpret_cast<HANDLE>(0x5678);
    SetClipboardData(CF_ENHMETAFILE, first);
    EXPECT_EQ(GetClipboardData(CF_ENHMETAFILE), first);
    EmptyClipboard();

    released.clear();
    RegisterClipboardReleaser(CF_ENHMETAFILE, [](HANDLE data) { released.push_back(data); });
    SetClipboardData(CF_ENHMETAFILE, first);
    SetClipboardData(CF_ENHMETAFILE, first); // the same data again: kept
    EXPECT_TRUE(released.empty());
    SetClipboardData(CF_ENHMETAFILE, second); // replaced: the old one freed
    EXPECT_EQ(released, std::vector<HANDLE>{first});
    EmptyClipboard();
    EXPECT_EQ(released, (std::vector<HANDLE>{first, second}));
    RegisterClipboardReleaser(CF_ENHMETAFILE, nullptr);
}

TEST_F(Clipboard, ABitmapGivenToTheClipboardIsFreedByIt) {
    const DWORD live = GetGuiResources(nullptr, GR_GDIOBJECTS);
    HBITMAP first = CreateBitmap(2, 2, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(3, 3, 1, 32, nullptr);
    EXPECT_EQ(SetClipboardData(CF_BITMAP, first), first);
    EXPECT_EQ(SetClipboardData(CF_BITMAP, second), second);
    EXPECT_EQ(GetObjectType(first), 0u) << "replaced: freed";
    EXPECT_EQ(GetObjectType(second), DWORD(OBJ_BITMAP));
    EmptyClipboard();
    EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), live);
}

TEST_F(Clipboard, OnlyOneThreadHasItOpen) {
    BOOL openedElsewhere = TRUE;
    HANDLE setElsewhere = reinterpret_cast<HANDLE>(1);
    std::thread([&] {
        openedElsewhere = OpenClipboard(nullptr);
        setElsewhere = SetClipboardData(CF_TEXT, nullptr);
    }).join();
    EXPECT_FALSE(openedElsewhere);
    EXPECT_EQ(setElsewhere, nullptr);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "closed";
    std::thread([&] {
        openedElsewhere = OpenClipboard(nullptr);
        CloseClipboard();
    }).join();
    EXPECT_TRUE(openedElsewhere);
    EXPECT_TRUE(OpenClipboard(nullptr));
}

TEST(GlobalMemory, LocksAreCountedAndUnknownHandlesRefused) {
    HGLOBAL block = GlobalAlloc(GHND, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 16u);
    auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    EXPECT_EQ(bytes[15], 0);
    EXPECT_EQ(GlobalLock(block), bytes) << "blocks never move";
    EXPECT_TRUE(GlobalUnlock(block));
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_FALSE(GlobalUnlock(block)) << "not locked any more";
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block);
    EXPECT_EQ(GlobalLock(block), nullptr);
}
