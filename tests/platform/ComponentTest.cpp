// TComponent: ownership and destruction order, removal notification, names.
#include "platform/forms/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what happens to components, in order.
std::vector<std::string> journal;
int live = 0;

class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner, const std::string& name = "") : TComponent(owner) {
        ++live;
        if (!name.empty())
            SetName(name);
    }
    ~TProbe() override {
        --live;
        journal.push_back("~" + Name() + (Owner() ? " owned" : " free") +
                          ((ComponentState() & csDestroying) ? " destroying" : ""));
    }
    void BeforeDestruction() override {
        TComponent::BeforeDestruction();
        journal.push_back("before " + Name());
    }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (c != this)
            journal.push_back(Name() + (op == opInsert ? " insert " : " remove ") +
                              (c->Name().empty() ? "?" : c->Name()));
        if (op == opRemove && c == Watched)
            Watched = nullptr;
    }
    TComponent* Watched = nullptr;
};

// Does not pass notifications on, as careless overrides do.
class TDeaf : public TComponent {
public:
    using TComponent::TComponent;
    void Notification(TComponent*, TOperation) override { ++Heard; }
    int Heard = 0;
};

class Component : public ::testing::Test {
protected:
    void SetUp() override {
        journal.clear();
        live = 0;
    }
    void TearDown() override { EXPECT_EQ(live, 0) << "components leaked"; }
};

} // namespace

TEST_F(Component, OwnerKeepsItsComponentsInInsertionOrder) {
    auto* owner = new TProbe(nullptr, "Owner");
    auto* a = new TProbe(owner, "A");
    auto* b = new TProbe(owner, "B");
    auto* c = new TProbe(owner, "C");
    ASSERT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(2), c);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(b->Owner(), owner);
    EXPECT_EQ(owner->ComponentIndex(), -1);
    EXPECT_THROW(owner->Components(3), EListError);
    EXPECT_THROW(owner->Components(-1), EListError);
    owner->Free();
}

TEST_F(Component, OwnerFreesItsComponentsLastFirstEachRemovedBeforeItGoes) {
    auto* owner = new TProbe(nullptr, "Owner");
    new TProbe(owner, "A");
    new TProbe(owner, "B");
    journal.clear();
    owner->Free();
    // The owner's own destructor body runs first, as the class library's
    // Destroy does before its inherited part frees the components.
    EXPECT_EQ(journal,
              (std::vector<std::string>{"before Owner", "~Owner free destroying", "before B",
                                        "~B free destroying", "before A", "~A free destroying"}));
}

TEST_F(Component, OwnedComponentsAreMarkedDestroyingBeforeAnyGoes) {
    auto* owner = new TComponent(nullptr);
    auto* a = new TProbe(owner, "A");
    auto* b = new TProbe(owner, "B");
    owner->BeforeDestruction();
    EXPECT_TRUE(a->ComponentState() & csDestroying);
    EXPECT_TRUE(b->ComponentState() & csDestroying);
    delete owner;
}

TEST_F(Component, InsertionAndRemovalAreToldToOwnerAndSiblings) {
    auto* owner = new TProbe(nullptr, "Owner");
    auto* a = new TProbe(owner, "A");
    journal.clear();
    auto* b = new TProbe(owner);
    // The new component is unnamed while it is inserted; the owner passes
    // the news to its components before its own override sees it.
    EXPECT_EQ(journal, (std::vector<std::string>{"A insert ?", "Owner insert ?"}));
    b->SetName("B");
    journal.clear();
    a->Free();
    EXPECT_EQ(journal, (std::vector<std::string>{"before A", "~A owned destroying", "B remove A",
                                                 "Owner remove A"}));
    EXPECT_EQ(owner->ComponentCount(), 1);
    owner->Free();
}

TEST_F(Component, FreeNotificationClearsReferencesAcrossOwners) {
    auto* formA = new TProbe(nullptr, "FormA");
    auto* formB = new TProbe(nullptr, "FormB");
    auto* user = new TProbe(formA, "User");
    auto* images = new TProbe(formB, "Images");
    user->Watched = images;
    user->FreeNotification(images);
    user->FreeNotification(images); // asking twice changes nothing
    journal.clear();
    images->Free();
    EXPECT_EQ(user->Watched, nullptr);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "User remove Images"), 1);
    formA->Free();
    formB->Free();
}

TEST_F(Component, FreedListenerIsNotToldLater) {
    auto* images = new TProbe(nullptr, "Images");
    auto* user = new TProbe(nullptr, "User");
    user->FreeNotification(images);
    user->Free();
    journal.clear();
    images->Free(); // must not reach the freed listener
    EXPECT_EQ(journal, (std::vector<std::string>{"before Images", "~Images free destroying"}));
}

TEST_F(Component, RemoveFreeNotificationWithdrawsBothWays) {
    auto* a = new TProbe(nullptr, "A");
    auto* b = new TProbe(nullptr, "B");
    a->FreeNotification(b);
    a->RemoveFreeNotification(b);
    journal.clear();
    b->Free();
    a->Free();
    EXPECT_EQ(journal, (std::vector<std::string>{"before B", "~B free destroying", "before A",
                                                 "~A free destroying"}));
}

TEST_F(Component, OverrideThatSwallowsNotificationsDoesNotHangTheFree) {
    auto* deaf = new TDeaf(nullptr);
    auto* other = new TProbe(nullptr, "Other");
    deaf->FreeNotification(other);
    other->Free();
    EXPECT_EQ(deaf->Heard, 1);
    delete deaf;
}

TEST_F(Component, DuplicateNamesAreRefusedIgnoringLetterCase) {
    auto* owner = new TProbe(nullptr, "Owner");
    auto* a = new TProbe(owner, "Timer1");
    auto* b = new TProbe(owner, "Timer2");
    try {
        b->SetName("TIMER1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message, "A component named TIMER1 already exists");
    }
    EXPECT_EQ(b->Name(), "Timer2");
    a->SetName("TIMER1"); // the same component may change its letter case
    EXPECT_EQ(a->Name(), "TIMER1");
    // Unowned components and components of other owners do not clash.
    auto* stranger = new TProbe(nullptr, "Timer2");
    stranger->Free();
    owner->Free();
}

TEST_F(Component, InvalidNamesAreRefused) {
    TComponent c(nullptr);
    for (const char* bad : {"1abc", "a b", "a-b", "a.b", "\xC3\xA9"}) {
        try {
            c.SetName(bad);
            FAIL() << bad;
        } catch (const EComponentError& e) {
            EXPECT_EQ(e.Message, std::string("'") + bad + "' is not a valid component name");
        }
    }
    c.SetName("_Ok9");
    EXPECT_EQ(c.Name(), "_Ok9");
    c.SetName("");
    EXPECT_EQ(c.Name(), "");
}

TEST_F(Component, FindComponentIgnoresLetterCase) {
    TComponent owner(nullptr);
    auto* a = new TProbe(&owner, "adxRibbonTab3");
    new TProbe(&owner);
    EXPECT_EQ(owner.FindComponent("ADXRIBBONTAB3"), a);
    EXPECT_EQ(owner.FindComponent("adxRibbonTab"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST_F(Component, ComponentsMoveBetweenOwners) {
    auto* first = new TProbe(nullptr, "First");
    auto* second = new TProbe(nullptr, "Second");
    auto* c = new TProbe(first, "C");
    second->InsertComponent(c);
    EXPECT_EQ(c->Owner(), second);
    EXPECT_EQ(first->ComponentCount(), 0);
    new TProbe(first, "Same");
    auto* clash = new TProbe(second, "Same");
    EXPECT_THROW(first->InsertComponent(clash), EComponentError);
    second->RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    c->Free();
    first->Free();
    second->Free();
}

TEST_F(Component, DesigningReachesOwnedAndLaterInsertedComponents) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(a->ComponentState() & csDesigning);
    auto* b = new TComponent(&owner);
    EXPECT_TRUE(b->ComponentState() & csDesigning);
    owner.SetDesigning(false, false);
    EXPECT_FALSE(owner.ComponentState() & csDesigning);
    EXPECT_TRUE(a->ComponentState() & csDesigning);
}

TEST_F(Component, TagAndClassName) {
    TProbe p(nullptr);
    EXPECT_EQ(p.Tag(), 0);
    p.SetTag(-6);
    EXPECT_EQ(p.Tag(), -6);
    EXPECT_EQ(p.ClassName(), "TProbe");
    TComponent* asBase = &p;
    EXPECT_NE(dynamic_cast<TProbe*>(asBase), nullptr);
}
