// The picture cache and the picture container: pictures found by ID and by
// name, items copied with their pictures, and a container read from a
// stored form whose pictures keep their bytes.
#include "PictureTestSupport.h"

#include "htmllabel/PictureContainer.h"
#include "platform/forms/DataModule.h"
#include "platform/forms/FormClassBuilder.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace picturetest;

namespace {

class TPicturesModule : public TDataModule {
public:
    using TDataModule::TDataModule;
};

// The hex of bytes as a stored form writes binary data.
std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    char digits[3];
    for (uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        out += digits;
    }
    return out;
}

std::string PicturesForm() {
    return "object PicturesModule: TPicturesModule\n"
           "  object PictureContainer1: TPictureContainer\n"
           "    Items = <\n"
           "      item\n"
           "        Picture.Data = {" +
           Hex(testimages::WriteJpeg(4, 4, 0, 0, 250)) +
           "}\n"
           "        Tag = 1\n"
           "        Name = 'Banner'\n"
           "      end\n"
           "      item\n"
           "        Picture.Frame = 2\n"
           "        Picture.Data = {" +
           Hex(ThreeFrameGif()) +
           "}\n"
           "        Tag = 2\n"
           "        Name = 'Logo'\n"
           "      end>\n"
           "  end\n"
           "end\n";
}

TEST(PictureContainer, FindsTheItemNamedLogoInAContainerReadFromAStoredForm) {
    static const std::string form = PicturesForm();
    forms::FormClassTable table;
    RegisterPictureClasses(table);
    table.Register<TPicturesModule, TDataModule>().StoredForm(form);
    TPicturesModule* module = table.Create<TPicturesModule>(nullptr);
    auto* container = dynamic_cast<TPictureContainer*>(module->FindComponent("PictureContainer1"));
    ASSERT_NE(container, nullptr);
    ASSERT_EQ(container->Items()->Count(), 2);
    THTMLPicture* logo = container->FindPicture("LOGO");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo, container->Items()->Items(1)->Picture());
    EXPECT_EQ(container->Items()->Items(1)->Tag(), 2);
    EXPECT_EQ(logo->Frame(), 2) << "the frame set before the data is kept";
    EXPECT_EQ(logo->FrameXPos(), 2);
    EXPECT_EQ(Written(*logo), ThreeFrameGif());
    EXPECT_EQ(container->FindPicture("Logo"), nullptr) << "callers pass the name upper-cased";
    EXPECT_EQ(container->FindPicture("MISSING"), nullptr);
    module->Free();
}

TEST(PictureContainer, ItemsCopyTheirPictures) {
    TPictureContainer source(nullptr);
    TPictureItem* item = source.Items()->Add();
    item->SetName("Logo");
    item->SetTag(5);
    LoadBytes(*item->Picture(), ThreeFrameGif());
    TPictureContainer copy(nullptr);
    copy.SetItems(source.Items());
    ASSERT_EQ(copy.Items()->Count(), 1);
    TPictureItem* copied = copy.Items()->Items(0);
    EXPECT_EQ(copied->Name(), "Logo");
    EXPECT_EQ(copied->Tag(), 5);
    EXPECT_NE(copied->Picture(), item->Picture());
    EXPECT_EQ(Written(*copied->Picture()), ThreeFrameGif());
    EXPECT_EQ(copied->DisplayName(), "Logo");
    THTMLPicture other;
    LoadBytes(other, testimages::WriteJpeg(2, 2, 1, 1, 1));
    copied->SetPicture(&other);
    EXPECT_EQ(copied->Picture()->GetFrameCount(), -1);
}

TEST(PictureContainer, AnItemWithAnEmptyPictureCopies) {
    TPictureContainer source(nullptr);
    source.Items()->Add()->SetName("Blank");
    TPictureItem* logo = source.Items()->Add();
    logo->SetName("Logo");
    LoadBytes(*logo->Picture(), ThreeFrameGif());
    TPictureContainer copy(nullptr);
    ASSERT_NO_THROW(copy.SetItems(source.Items()));
    ASSERT_EQ(copy.Items()->Count(), 2);
    EXPECT_EQ(copy.Items()->Items(0)->Name(), "Blank");
    EXPECT_TRUE(copy.Items()->Items(0)->Picture()->Empty());
    EXPECT_EQ(Written(*copy.Items()->Items(1)->Picture()), ThreeFrameGif());
    // Setting an item's picture to an empty one empties it.
    THTMLPicture nothing;
    ASSERT_NO_THROW(copy.Items()->Items(1)->SetPicture(&nothing));
    EXPECT_TRUE(copy.FindPicture("LOGO")->Empty());
}

TEST(PictureCache, FindsPicturesByTheirExactID) {
    THTMLPictureCache cache;
    THTMLPicture* first = cache.AddPicture();
    first->SetID("HTTP://A/1.GIF");
    THTMLPicture* second = cache.AddPicture();
    second->SetID("HTTP://A/1.GIF");
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.FindPicture("HTTP://A/1.GIF"), first);
    EXPECT_EQ(cache.FindPicture("http://a/1.gif"), nullptr);
    EXPECT_EQ(cache.GetPicture(1), second);
    EXPECT_EQ(cache.GetPicture(2), nullptr);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.FindPicture("HTTP://A/1.GIF"), nullptr);
}

} // namespace
