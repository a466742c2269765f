// Components that implement interfaces, and the translation walk that the
// forms layer installs: every open component offering an interface, once,
// with components freed by an earlier visit skipped.
#include "platform/controls/Form.h"
#include "platform/forms/DataModule.h"
#include "platform/forms/InterfacedComponent.h"
#include "platform/rtl/TranslateHook.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// An interface the walk is asked for; each visit names its component.
struct ITestTranslatable : IUnknown {
    static constexpr GUID Iid = MakeGuid("{5A0E6A55-2C1B-4F5E-9D0B-3C8E61C7A2D4}");
    virtual std::string Who() = 0;
};

// Another interface nobody here offers.
constexpr GUID IID_INobodyOffers = MakeGuid("{0E5B7D14-8B0B-4E0E-A6B8-94D1D87A3F10}");

template <class Base> class TTranslatable : public TInterfacedComponent<Base, ITestTranslatable> {
public:
    TTranslatable(TComponent* owner, const std::string& name)
        : TInterfacedComponent<Base, ITestTranslatable>(owner) {
        this->SetName(name);
    }
    std::string Who() override { return this->Name(); }
};

std::vector<std::string> Walk(const GUID& iid = ITestTranslatable::Iid) {
    std::vector<std::string> names;
    platform::TranslateOpenComponents(
        iid, [&](void* intf) { names.push_back(static_cast<ITestTranslatable*>(intf)->Who()); });
    return names;
}

using Names = std::vector<std::string>;

} // namespace

TEST(InterfacedComponent, AnswersItsInterfacesToWhoeverHoldsATComponent) {
    TTranslatable<TComponent> component(nullptr, "Label");
    TComponent& plain = component;
    EXPECT_EQ(plain.GetInterface(ITestTranslatable::Iid),
              static_cast<ITestTranslatable*>(&component));
    EXPECT_NE(plain.GetInterface(IID_IUnknown), nullptr);
    EXPECT_EQ(plain.GetInterface(IID_INobodyOffers), nullptr);
    TComponent other(nullptr);
    EXPECT_EQ(other.GetInterface(ITestTranslatable::Iid), nullptr);
}

TEST(InterfacedComponent, ReferencesCountButTheOwnerFreesIt) {
    auto* form = new TForm(nullptr);
    auto* label = new TTranslatable<TComponent>(form, "Label");
    ComPtr<ITestTranslatable> held;
    ASSERT_EQ(label->QueryInterface(ITestTranslatable::Iid, held.ReceiveVoid()), S_OK);
    EXPECT_EQ(label->RefCount(), 1u);
    held.Reset();
    EXPECT_EQ(label->RefCount(), 0u);
    EXPECT_EQ(form->ComponentCount(), 1);
    form->Free();
}

TEST(TranslateWalk, ReachesEveryOpenComponentOfferingTheInterfaceOnceFormsFirst) {
    auto* module = new TTranslatable<TDataModule>(nullptr, "Module");
    new TTranslatable<TComponent>(module, "Timer1");
    auto* form = new TTranslatable<TForm>(nullptr, "Form");
    auto* panel = new TComponent(form);
    new TTranslatable<TComponent>(panel, "Label");
    // Owned by the form and listed as a form of its own: told once.
    new TTranslatable<TForm>(form, "Dialog");
    auto* plainForm = new TForm(nullptr);
    new TTranslatable<TComponent>(plainForm, "Button");

    EXPECT_EQ(Walk(), (Names{"Form", "Label", "Dialog", "Button", "Module", "Timer1"}));
    EXPECT_EQ(Walk(IID_INobodyOffers), Names{});
    plainForm->Free();
    form->Free();
    module->Free();
    EXPECT_EQ(Walk(), Names{});
}

TEST(TranslateWalk, AComponentFreedByAnEarlierVisitIsNotVisited) {
    auto* first = new TTranslatable<TForm>(nullptr, "First");
    auto* second = new TTranslatable<TForm>(nullptr, "Second");
    new TTranslatable<TComponent>(second, "OnSecond");
    auto* third = new TTranslatable<TForm>(nullptr, "Third");
    std::vector<std::string> names;
    platform::TranslateOpenComponents(ITestTranslatable::Iid, [&](void* intf) {
        std::string who = static_cast<ITestTranslatable*>(intf)->Who();
        names.push_back(who);
        // Translating the first form closes the second, with what it owns.
        if (who == "First")
            second->Free();
    });
    EXPECT_EQ(names, (Names{"First", "Third"}));
    // The walk left no notification behind on the components that survived.
    first->Free();
    third->Free();
}

TEST(TranslateWalk, WithoutAWalkInstalledNothingIsVisited) {
    auto* form = new TTranslatable<TForm>(nullptr, "Form");
    platform::TranslateWalker formsWalk = platform::SetTranslateWalker({});
    EXPECT_TRUE(formsWalk);
    EXPECT_EQ(Walk(), Names{});
    platform::SetTranslateWalker(formsWalk);
    EXPECT_EQ(Walk(), Names{"Form"});
    form->Free();
}
