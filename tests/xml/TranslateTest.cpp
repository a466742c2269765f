// Loading a language pack tells the open forms, data modules and components
// that offer IRwTranslate to translate themselves, through the platform's
// translation walk.
#include "xml/RwMessages.h"
#include "xml/RwTranslate.h"

#include "platform/controls/Form.h"
#include "platform/forms/DataModule.h"
#include "platform/forms/InterfacedComponent.h"
#include "platform/rtl/TranslateHook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A component that takes its caption from the pack whenever it is told to.
template <class Base> class TTranslated : public TInterfacedComponent<Base, IRwTranslate> {
public:
    explicit TTranslated(TComponent* owner) : TInterfacedComponent<Base, IRwTranslate>(owner) {}
    void Translate() override {
        ++translations;
        caption = ResStringById(0, 22);
    }
    int translations = 0;
    std::string caption;
};

// Takes the forms layer's walk away for the scope, as in a program without forms.
class NoFormsWalk {
public:
    NoFormsWalk() : saved_(platform::SetTranslateWalker({})) {}
    ~NoFormsWalk() { platform::SetTranslateWalker(saved_); }

private:
    platform::TranslateWalker saved_;
};

std::string Load(const std::string& name) {
    try {
        LoadResourceLibrary(name);
    } catch (const Exception& e) {
        return e.Message;
    }
    return "loaded";
}

} // namespace

TEST(Translate, ALoadTellsEveryOpenFormAndComponentOfferingItToTranslate) {
    auto* form = new TTranslated<TForm>(nullptr);
    auto* label = new TTranslated<TComponent>(form);
    new TComponent(form);
    auto* module = new TTranslated<TDataModule>(nullptr);
    auto* timer = new TTranslated<TComponent>(module);

    ASSERT_EQ(Load(RwDefaultLanguagePack), "loaded");
    EXPECT_EQ(form->translations, 1);
    EXPECT_EQ(label->translations, 1);
    EXPECT_EQ(timer->translations, 1);
    EXPECT_EQ(module->translations, 1);
    // A component looks its texts up while it translates.
    EXPECT_EQ(form->caption, ResStringById(0, 22));
    EXPECT_NE(form->caption, "");
    form->Free();
    module->Free();
}

TEST(Translate, TheLookupThatLoadsThePackTranslatesAndLaterLookupsDoNot) {
    UnLoadResourceLibrary();
    auto* form = new TTranslated<TForm>(nullptr);
    EXPECT_EQ(ResStringById(7, 1), "<stringid 7,1>");
    EXPECT_EQ(form->translations, 1);
    ResStringById(0, 22);
    EXPECT_EQ(form->translations, 1);
    form->Free();
}

TEST(Translate, AFailedLoadTranslatesNothing) {
    auto* form = new TTranslated<TForm>(nullptr);
    EXPECT_NE(Load("NoSuchPack.ENG"), "loaded");
    EXPECT_EQ(form->translations, 0);
    form->Free();
}

TEST(Translate, ALoadWithoutTheFormsWalkStillServesLookups) {
    auto* form = new TTranslated<TForm>(nullptr);
    {
        NoFormsWalk noForms;
        EXPECT_EQ(Load(RwDefaultLanguagePack), "loaded");
        EXPECT_NE(ResStringById(0, 22), "");
    }
    EXPECT_EQ(form->translations, 0);
    form->Free();
}

TEST(Translate, ALoadWithNothingOpenTranslatesNothingAndSucceeds) {
    EXPECT_EQ(Load(RwDefaultLanguagePack), "loaded");
    EXPECT_TRUE(ResourceLibraryLoaded());
}
