// TCollection: ownership of items, order and IDs, index errors, and the
// notifications descendants receive.
#include "tests/support/ExpectRaises.h"

#include "platform/rtl/Collection.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int aliveItems = 0;

class TNamedItem : public TCollectionItem {
public:
    explicit TNamedItem(TCollection* collection) : TCollectionItem(collection) { ++aliveItems; }
    ~TNamedItem() override { --aliveItems; }
    std::string Name;
    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TNamedItem*>(source)) {
            Name = other->Name;
            return;
        }
        TCollectionItem::Assign(source);
    }

protected:
    std::string GetDisplayName() const override { return Name.empty() ? ClassName() : Name; }
};

// A collection that records its notifications and updates.
class TRecordingCollection : public TCollection {
public:
    TRecordingCollection() : TCollection(ItemClassOf<TNamedItem>()) {}
    ~TRecordingCollection() override { Clear(); }
    TNamedItem* Item(int index) const { return static_cast<TNamedItem*>(Items(index)); }
    TNamedItem* AddNamed(const std::string& name) {
        auto* item = static_cast<TNamedItem*>(Add());
        item->Name = name;
        return item;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (int i = 0; i < Count(); ++i)
            out.push_back(Item(i)->Name);
        return out;
    }
    std::vector<std::string> Log;
    bool RefuseNext = false;

protected:
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        static const char* names[] = {"added", "extracting", "deleting"};
        Log.push_back(std::string(names[action]) + " #" + std::to_string(item->ID()));
        if (action == cnAdded && RefuseNext) {
            RefuseNext = false;
            throw EInvalidOperation("refused");
        }
    }
    void Update(TCollectionItem* item) override {
        Log.push_back(item ? "update #" + std::to_string(item->ID()) : std::string("update all"));
    }
};

TEST(Collection, ItemsJoinInOrderWithUniqueIds) {
    TRecordingCollection c;
    c.AddNamed("a");
    c.AddNamed("b");
    auto* x = static_cast<TNamedItem*>(c.Insert(1));
    x->Name = "x";
    EXPECT_EQ(c.Names(), (std::vector<std::string>{"a", "x", "b"}));
    EXPECT_EQ(x->Index(), 1);
    EXPECT_EQ(x->ID(), 2);
    EXPECT_EQ(x->Collection(), &c);
    c.Delete(0);
    EXPECT_EQ(c.AddNamed("c")->ID(), 3); // IDs are never reused
    EXPECT_EQ(c.FindItemID(2), x);
    EXPECT_EQ(c.FindItemID(0), nullptr);
    EXPECT_EQ(x->DisplayName(), "x");
    EXPECT_EQ(c.Item(1)->ClassName(), "TNamedItem");
}

TEST(Collection, SettingIndexMovesTheItem) {
    TRecordingCollection c;
    for (const char* n : {"a", "b", "c", "d"})
        c.AddNamed(n);
    c.Item(0)->SetIndex(3);
    EXPECT_EQ(c.Names(), (std::vector<std::string>{"b", "c", "d", "a"}));
    c.Item(2)->SetIndex(0);
    EXPECT_EQ(c.Names(), (std::vector<std::string>{"d", "b", "c", "a"}));
    ExpectRaises<EListError>([&] { c.Item(0)->SetIndex(4); }, "List index out of bounds (4)");
    EXPECT_EQ(c.Names(), (std::vector<std::string>{"d", "b", "c", "a"}));
}

TEST(Collection, IndexOutsideTheCollectionRaisesListError) {
    TRecordingCollection c;
    c.AddNamed("a");
    auto expectError = [](auto action, const std::string& message) {
        ExpectRaises<EListError>(action, message);
    };
    expectError([&] { c.Items(1); }, "List index out of bounds (1)");
    expectError([&] { c.Delete(-1); }, "List index out of bounds (-1)");
    expectError([&] { c.Insert(2); }, "List index out of bounds (2)");
    EXPECT_EQ(c.Count(), 1); // a failed Insert leaves no item behind
}

TEST(Collection, TheCollectionOwnsItsItems) {
    aliveItems = 0;
    {
        TRecordingCollection c;
        for (int i = 0; i < 5; ++i)
            c.Add();
        EXPECT_EQ(aliveItems, 5);
        c.Delete(1);
        EXPECT_EQ(aliveItems, 4);
        delete c.Items(0); // an item destroyed by hand leaves its collection
        EXPECT_EQ(c.Count(), 3);
        c.Clear();
        EXPECT_EQ(aliveItems, 0);
        c.Add();
        c.Add();
    }
    EXPECT_EQ(aliveItems, 0);
    {
        TCollection plain(TCollection::ItemClassOf<TNamedItem>());
        plain.Add();
    }
    EXPECT_EQ(aliveItems, 0);
}

TEST(Collection, ItemsMoveBetweenCollections) {
    TRecordingCollection first, second;
    TNamedItem* item = first.AddNamed("wanderer");
    item->SetCollection(&second);
    EXPECT_EQ(first.Count(), 0);
    EXPECT_EQ(second.Count(), 1);
    EXPECT_EQ(item->Collection(), &second);
    item->SetCollection(nullptr);
    EXPECT_EQ(item->Index(), -1);
    delete item; // a free item belongs to nobody
}

TEST(Collection, DescendantsHearOfItemsAndChanges) {
    TRecordingCollection c;
    c.Add();
    c.Add();
    c.Delete(0);
    c.Item(0)->SetDisplayName("x");
    EXPECT_EQ(c.Log, (std::vector<std::string>{"added #0", "update all", "added #1", "update all",
                                               "deleting #0", "extracting #0", "update all",
                                               "update #1"}));
    c.Log.clear();
    c.BeginUpdate();
    c.Add();
    c.Item(0)->SetIndex(1);
    c.BeginUpdate();
    c.EndUpdate();
    EXPECT_EQ(c.Log, (std::vector<std::string>{"added #2"}));
    c.EndUpdate();
    EXPECT_EQ(c.Log, (std::vector<std::string>{"added #2", "update all"}));
}

TEST(Collection, AnItemRefusedWhileJoiningLeavesNothingBehind) {
    aliveItems = 0;
    TRecordingCollection c;
    c.RefuseNext = true;
    EXPECT_THROW(c.Add(), EInvalidOperation);
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(aliveItems, 0);
}

TEST(Collection, AssignCopiesItemByItem) {
    TRecordingCollection source, copy;
    source.AddNamed("a");
    source.AddNamed("b");
    copy.AddNamed("old");
    copy.Assign(&source);
    EXPECT_EQ(copy.Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(copy.Item(0)->Collection(), &copy);
    TOwnedCollection owned(&source, TCollection::ItemClassOf<TNamedItem>());
    EXPECT_EQ(owned.Owner(), &source);
    EXPECT_EQ(copy.Owner(), nullptr);
    EXPECT_THROW(copy.Item(0)->Assign(&owned), EConvertError);
}

} // namespace
