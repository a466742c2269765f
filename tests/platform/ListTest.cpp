// TList: positions, index errors, sorting and the notifications descendants get.
#include "tests/support/ExpectRaises.h"

#include "platform/rtl/List.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Entry {
    int Key;
    std::string Name;
};

std::vector<int> Keys(const TList<Entry>& list) {
    std::vector<int> out;
    for (Entry* e : list)
        out.push_back(e->Key);
    return out;
}

// A list that records what it was told.
class RecordingList : public TList<Entry> {
public:
    std::vector<std::string> Log;

protected:
    void Notify(Entry* item, TListNotification action) override {
        static const char* names[] = {"added ", "extracted ", "deleted "};
        Log.push_back(names[action] + item->Name);
    }
};

TEST(List, AddInsertMoveAndRemoveKeepOrder) {
    Entry a{1, "a"}, b{2, "b"}, c{3, "c"}, d{4, "d"};
    TList<Entry> list;
    EXPECT_EQ(list.Add(&a), 0);
    EXPECT_EQ(list.Add(&c), 1);
    list.Insert(1, &b);
    list.Insert(3, &d);
    EXPECT_EQ(Keys(list), (std::vector<int>{1, 2, 3, 4}));
    list.Move(0, 3);
    EXPECT_EQ(Keys(list), (std::vector<int>{2, 3, 4, 1}));
    list.Exchange(0, 3);
    EXPECT_EQ(Keys(list), (std::vector<int>{1, 3, 4, 2}));
    EXPECT_EQ(list.Remove(&c), 1);
    EXPECT_EQ(list.Remove(&c), -1);
    EXPECT_EQ(list.IndexOf(&d), 1);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &b);
    list.SetItems(1, nullptr);
    list.Pack();
    EXPECT_EQ(Keys(list), (std::vector<int>{1, 2}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(List, IndexOutsideTheListRaisesListError) {
    Entry a{1, "a"};
    TList<Entry> list;
    list.Add(&a);
    auto expectError = [](auto action, const std::string& message) {
        ExpectRaises<EListError>(action, message);
    };
    expectError([&] { list.Items(1); }, "List index out of bounds (1)");
    expectError([&] { list[-1]; }, "List index out of bounds (-1)");
    expectError([&] { list.Delete(3); }, "List index out of bounds (3)");
    expectError([&] { list.Insert(2, &a); }, "List index out of bounds (2)");
    expectError([&] { list.Move(0, 1); }, "List index out of bounds (1)");
    expectError([&] { list.Exchange(1, 0); }, "List index out of bounds (1)");
    expectError([&] { list.SetCapacity(0); }, "List capacity out of bounds (0)");
    TList<Entry> empty;
    expectError([&] { empty.First(); }, "List index out of bounds (0)");
    EXPECT_EQ(list.Count(), 1);
}

TEST(List, CapacityGrowsAndShrinksDownToTheCount) {
    TList<> list;
    list.SetCapacity(100);
    EXPECT_GE(list.Capacity(), 100);
    int x = 0;
    list.Add(&x);
    list.SetCapacity(1);
    EXPECT_EQ(list.Items(0), &x);
}

TEST(List, SortIsStableAndUsesTheComparison) {
    Entry e[] = {{2, "x"}, {1, "a"}, {2, "y"}, {0, "b"}, {2, "z"}};
    TList<Entry> list;
    for (Entry& entry : e)
        list.Add(&entry);
    list.Sort([](Entry* l, Entry* r) { return l->Key - r->Key; });
    std::vector<std::string> names;
    for (Entry* entry : list)
        names.push_back(entry->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"b", "a", "x", "y", "z"}));
}

TEST(List, DescendantsAreToldOfEveryEntryThatComesAndGoes) {
    Entry a{1, "a"}, b{2, "b"}, c{3, "c"};
    RecordingList list;
    list.Add(&a);
    list.Add(nullptr); // nullptr entries are not notified
    list.Insert(0, &b);
    list.SetItems(2, &c);
    EXPECT_EQ(list.Extract(&a), &a);
    EXPECT_EQ(list.Extract(&a), nullptr);
    list.Delete(0);
    list.Clear();
    EXPECT_EQ(list.Log, (std::vector<std::string>{"added a", "added b", "added c", "extracted a",
                                                  "deleted b", "deleted c"}));
}

} // namespace
