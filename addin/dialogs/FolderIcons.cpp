// The folder picker's icons, kept here as pixel maps of 16 x 16 and put into
// the picker's image list when it is made: a store (the default one in blue),
// a plain folder and the folders Outlook gives a meaning (Deleted Items,
// Drafts, Inbox, junk mail, Outbox, feeds, Sent Items). Image 0 stays empty:
// a tree's state image 0 stands for no image.
#include "addin/dialogs/FolderIcons.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Colors.h"
#include "platform/gfx/GdiTypes.h"
#include "platform/gfx/ImageList.h"

#include <array>
#include <memory>

namespace {

using IconMap = std::array<const char*, 16>;

// The colour of each letter of a map; "." is transparent.
TColor PixelColour(char c) {
    switch (c) {
    case 'k':
        return static_cast<TColor>(RGB(64, 64, 64));
    case 'y':
        return static_cast<TColor>(RGB(250, 214, 110));
    case 'Y':
        return static_cast<TColor>(RGB(214, 168, 52));
    case 'w':
        return clWhite;
    case 'b':
        return static_cast<TColor>(RGB(70, 130, 220));
    case 'B':
        return static_cast<TColor>(RGB(30, 60, 150));
    case 'r':
        return static_cast<TColor>(RGB(210, 40, 40));
    case 'g':
        return static_cast<TColor>(RGB(200, 200, 200));
    case 'G':
        return static_cast<TColor>(RGB(128, 128, 128));
    case 'o':
        return static_cast<TColor>(RGB(240, 140, 30));
    case 'e':
        return static_cast<TColor>(RGB(40, 160, 60));
    default:
        return clFuchsia;
    }
}

// clang-format off
const IconMap Store = {
    "................",
    "................",
    "..kkkkkkkkkkkk..",
    ".kggggggggggggk.",
    ".kgwwwwwwwwwwgk.",
    ".kggggggggggggk.",
    ".kkkkkkkkkkkkkk.",
    ".kggggggggggggk.",
    ".kgwwwwwwwwwwgk.",
    ".kggggggggggegk.",
    ".kkkkkkkkkkkkkk.",
    ".kggggggggggggk.",
    ".kgwwwwwwwwwwgk.",
    ".kggggggggggggk.",
    "..kkkkkkkkkkkk..",
    "................"};
const IconMap DefaultStore = {
    "................",
    "................",
    "..BBBBBBBBBBBB..",
    ".BbbbbbbbbbbbbB.",
    ".BbwwwwwwwwwwbB.",
    ".BbbbbbbbbbbbbB.",
    ".BBBBBBBBBBBBBB.",
    ".BbbbbbbbbbbbbB.",
    ".BbwwwwwwwwwwbB.",
    ".BbbbbbbbbbbebB.",
    ".BBBBBBBBBBBBBB.",
    ".BbbbbbbbbbbbbB.",
    ".BbwwwwwwwwwwbB.",
    ".BbbbbbbbbbbbbB.",
    "..BBBBBBBBBBBB..",
    "................"};
const IconMap Folder = {
    "................",
    "................",
    ".kkkkk..........",
    "kyyyyyk.........",
    "kyyyyyykkkkkkkk.",
    "kyyyyyyyyyyyyyYk",
    "kyyyyyyyyyyyyyYk",
    "kyyyyyyyyyyyyyYk",
    "kyyyyyyyyyyyyyYk",
    "kyyyyyyyyyyyyyYk",
    "kyyyyyyyyyyyyyYk",
    "kyyyyyyyyyyyyyYk",
    "kYYYYYYYYYYYYYYk",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................"};
const IconMap DeletedItems = {
    "................",
    "......kkkk......",
    "..kkkkkkkkkkkk..",
    "..kggggggggggk..",
    "..kkkkkkkkkkkk..",
    "...kgwgwgwgwk...",
    "...kgwgwgwgwk...",
    "...kgwgwgwgwk...",
    "...kgwgwgwgwk...",
    "...kgwgwgwgwk...",
    "...kgwgwgwgwk...",
    "...kgwgwgwgwk...",
    "...kgwgwgwgwk...",
    "...kgggggggGk...",
    "....kkkkkkkk....",
    "................"};
const IconMap Drafts = {
    "................",
    "...........kk...",
    "..........kook..",
    ".kkkkkkk.kooook.",
    ".kwwwwwwkoooook.",
    ".kwkkkkkoooookk.",
    ".kwwwwwoooookwk.",
    ".kwkkkoooookkwk.",
    ".kwwwwGoookwwwk.",
    ".kwkkkGGokkkkwk.",
    ".kwwwwkkkwwwwwk.",
    ".kwkkkkkkkkkkwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kkkkkkkkkkkkkk.",
    "................"};
const IconMap Inbox = {
    "................",
    "......kbbk......",
    "......kbbk......",
    "......kbbk......",
    "....kkkbbkkk....",
    ".....kbbbbk.....",
    "......kbbk......",
    ".kkkk..kk..kkkk.",
    ".kggk......kggk.",
    ".kgggkkkkkkgggk.",
    ".kgggggggggggGk.",
    ".kgggggggggggGk.",
    ".kgggggggggggGk.",
    ".kGGGGGGGGGGGGk.",
    ".kkkkkkkkkkkkkk.",
    "................"};
const IconMap Junk = {
    "................",
    "................",
    ".kkkkk..........",
    "kyyyyyk.........",
    "kyyyyyykkkkkkkk.",
    "kyyyyyyyyyyyyyYk",
    "kyyyyyrrrryyyyYk",
    "kyyyyrryyrryyyYk",
    "kyyyyrryrrryyyYk",
    "kyyyyryrryryyyYk",
    "kyyyyrrryyryyyYk",
    "kyyyyrryyrryyyYk",
    "kYYYYYrrrrYYYYYk",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................"};
const IconMap Outbox = {
    "................",
    ".......kk.......",
    ".....kbbbbk.....",
    "....kkkbbkkk....",
    "......kbbk......",
    "......kbbk......",
    "......kbbk......",
    ".kkkk.kkkk.kkkk.",
    ".kggk......kggk.",
    ".kgggkkkkkkgggk.",
    ".kgggggggggggGk.",
    ".kgggggggggggGk.",
    ".kgggggggggggGk.",
    ".kGGGGGGGGGGGGk.",
    ".kkkkkkkkkkkkkk.",
    "................"};
const IconMap Feeds = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".koooooooooooook",
    ".kowwwoooooooook",
    ".koooowwoooooook",
    ".kooooooowoooook",
    ".kowwwooooowoook",
    ".koooowoooowoook",
    ".kooooowoooowook",
    ".kowwooowoooowok",
    ".kowwoooowoooowk",
    ".koooooooooooook",
    ".kkkkkkkkkkkkkkk",
    "................",
    "................",
    "................"};
const IconMap SentItems = {
    "................",
    "................",
    "................",
    ".kkkkkkkkkkk....",
    ".kwkwwwwwkwk....",
    ".kwwkwwwkwwk.b..",
    ".kwwwkwkwwwk.bb.",
    ".kwwwwkwwwwkbbbb",
    ".kwwwwwwwwwk.bb.",
    ".kwwwwwwwwwk.b..",
    ".kkkkkkkkkkk....",
    "................",
    "................",
    "................",
    "................",
    "................"};
// clang-format on

// The map as a 16 x 16 bitmap; letters past the 16th of a row, or missing, are transparent.
std::unique_ptr<TBitmap> Draw(const IconMap& map) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(16, 16);
    TCanvas* canvas = bitmap->Canvas();
    for (int y = 0; y < 16; ++y) {
        const char* row = map[y];
        bool ended = false;
        for (int x = 0; x < 16; ++x) {
            ended = ended || row[x] == '\0';
            canvas->SetPixels(x, y, ended ? clFuchsia : PixelColour(row[x]));
        }
    }
    return bitmap;
}

} // namespace

void AddFolderIcons(TImageList& list) {
    list.Clear();
    list.SetWidth(16);
    list.SetHeight(16);
    const IconMap blank = {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""};
    // In the order of FolderIcon's values.
    const IconMap* maps[] = {&blank, &DefaultStore, &Folder, &Store, &DeletedItems, &Drafts,
                             &Inbox, &Junk,         &Outbox, &Feeds, &SentItems};
    for (const IconMap* map : maps) {
        std::unique_ptr<TBitmap> bitmap = Draw(*map);
        list.AddMasked(bitmap.get(), clFuchsia);
    }
}
