// The recently used folders: newest first in twenty contiguous slots, an
// entry chosen again moves to the top, the twenty-first pushes the oldest
// out, and a removal closes the gap.
#include "addin/settings/ProgramState.h"
#include "addin/settings/Settings.h"
#include "addin/settings/StoresAndFolders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MruListTest : public ::testing::Test {
protected:
    MruListTest() { ResetProgramState(); }
    ~MruListTest() override { ResetProgramState(); }

    // Adds "Store\Folder n" entries n = first .. last, each as a new choice.
    static void Choose(int first, int last) {
        for (int n = first; n <= last; ++n)
            ToTopOfMruList(Path(n), "Store", "S1", -1);
    }
    static std::string Path(int n) { return "Store\\Folder " + std::to_string(n); }
    // The folder paths of the used slots, slot 1 first, stopping at the first free one.
    static std::vector<std::string> Folders() {
        std::vector<std::string> folders;
        for (int slot = 1; slot <= TMruList::Slots; ++slot) {
            const TMruEntry& entry = ProgramState().MruList.Slot(slot);
            if (!entry.Used())
                break;
            folders.push_back(entry.Folder);
        }
        return folders;
    }
};

} // namespace

TEST_F(MruListTest, NewChoicesGoOnTopNewestFirst) {
    Choose(1, 3);
    EXPECT_EQ(Folders(), (std::vector<std::string>{Path(3), Path(2), Path(1)}));
    EXPECT_EQ(ProgramState().MruList.Count(), 3);
    EXPECT_EQ(ProgramState().MruList.Slot(1), (TMruEntry{Path(3), "Store", "S1"}));
}

TEST_F(MruListTest, ChoosingAListedFolderMovesItToTheTopKeepingTheOthersInOrder) {
    Choose(1, 5); // 5 4 3 2 1
    ToTopOfMruList(Path(2), "Store", "S1", -1);
    EXPECT_EQ(Folders(), (std::vector<std::string>{Path(2), Path(5), Path(4), Path(3), Path(1)}));
    // The picker passes the slot it took the entry from.
    ToTopOfMruList(Path(3), "Store", "S1", 4);
    EXPECT_EQ(Folders(), (std::vector<std::string>{Path(3), Path(2), Path(5), Path(4), Path(1)}));
}

TEST_F(MruListTest, TheTwentyFirstDistinctFolderPushesTheOldestOut) {
    Choose(1, 20);
    ASSERT_EQ(ProgramState().MruList.Count(), 20);
    EXPECT_EQ(ProgramState().MruList.Slot(20).Folder, Path(1));
    Choose(21, 21);
    EXPECT_EQ(ProgramState().MruList.Count(), 20);
    EXPECT_EQ(ProgramState().MruList.Slot(1).Folder, Path(21));
    EXPECT_EQ(ProgramState().MruList.Slot(20).Folder, Path(2));
    EXPECT_EQ(MruExist(Path(1), "Store", "S1"), -1);
}

TEST_F(MruListTest, RemovingASlotLeavesTheOthersContiguous) {
    Choose(1, 5); // 5 4 3 2 1
    RemoveFromMruList(3);
    EXPECT_EQ(Folders(), (std::vector<std::string>{Path(5), Path(4), Path(2), Path(1)}));
    EXPECT_EQ(ProgramState().MruList.Count(), 4);
    EXPECT_FALSE(ProgramState().MruList.Slot(5).Used());
    RemoveFromMruList(4); // the last one
    EXPECT_EQ(Folders(), (std::vector<std::string>{Path(5), Path(4), Path(2)}));
    // Slots outside the list change nothing.
    RemoveFromMruList(0);
    RemoveFromMruList(21);
    EXPECT_EQ(ProgramState().MruList.Count(), 3);
}

TEST_F(MruListTest, AnEntryMatchesOnlyWithAllThreeStringsInTheirLetterCase) {
    ToTopOfMruList("Store\\Inbox", "Store", "S1", -1);
    ToTopOfMruList("Store\\Inbox", "Store", "S2", -1);
    EXPECT_EQ(MruExist("Store\\Inbox", "Store", "S1"), 2);
    EXPECT_EQ(MruExist("Store\\Inbox", "Store", "S2"), 1);
    EXPECT_EQ(MruExist("store\\inbox", "Store", "S1"), -1);
    EXPECT_EQ(MruExist("Store\\Inbox", "Other", "S1"), -1);
}

TEST_F(MruListTest, SlotsOutsideTheListAreRefused) {
    TMruList list;
    EXPECT_THROW(list.Slot(0), EListError);
    EXPECT_THROW(list.Slot(21), EListError);
    // A slot that is no slot is looked up instead of written.
    list.ToTop("A", "S", "1", 0);
    list.ToTop("B", "S", "1", 99);
    EXPECT_EQ(list.Slot(1).Folder, "B");
    EXPECT_EQ(list.Slot(2).Folder, "A");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}
