// Folders found from their text in the simulated Outlook: stores by store
// id, folders by path below a store's top folder or by name anywhere below
// it, and the folder records (including one that names a store's top folder).
#include "tests/support/ComTestSupport.h"

#include "addin/settings/ProgramState.h"
#include "addin/settings/StoresAndFolders.h"
#include "platform/outlook/Outlook.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/text/Text.h"

#include <gtest/gtest.h>

using text::Narrow;

namespace {

class StoresAndFoldersTest : public ::testing::Test {
protected:
    StoresAndFoldersTest() {
        ResetProgramState();
        archive = outlook.AddStore(u"Archive");
        projects = outlook.AddFolder(*archive, u"Projects");
        alpha = outlook.AddFolder(*projects, u"Alpha");
        session = outlook::Application(outlook.Application()).GetNamespace(u"MAPI");
    }
    ~StoresAndFoldersTest() override { ResetProgramState(); }

    static std::string IdOf(const ComPtr<sim::SimFolder>& folder) {
        return Narrow(folder->StoreId());
    }
    // Whether found is the simulated folder.
    static bool Is(const outlook::MAPIFolder& found, const ComPtr<sim::SimFolder>& folder) {
        return found && found.EntryID() == folder->EntryId();
    }

    sim::OutlookSim outlook;
    ComPtr<sim::SimFolder> archive, projects, alpha;
    outlook::NameSpace session;
};

} // namespace

TEST_F(StoresAndFoldersTest, FindStoreGivesTheTopFolderOfTheStoreWithThatId) {
    EXPECT_TRUE(Is(FindStore(session, IdOf(archive)), archive));
    EXPECT_TRUE(Is(FindStore(session, IdOf(outlook.DefaultStore())), outlook.DefaultStore()));
    EXPECT_FALSE(FindStore(session, "0000DEAD"));
    EXPECT_FALSE(FindStore(session, ""));
    // Store ids are compared whole.
    const std::string id = IdOf(archive);
    EXPECT_FALSE(FindStore(session, id.substr(0, id.size() - 1)));
    EXPECT_FALSE(FindStore(session, id + " "));
}

TEST_F(StoresAndFoldersTest, FindFolderStepsDownThePath) {
    outlook::MAPIFolder top = FindStore(session, IdOf(archive));
    EXPECT_TRUE(Is(FindFolder(top, "Projects"), projects));
    EXPECT_TRUE(Is(FindFolder(top, "Projects\\Alpha"), alpha));
}

TEST_F(StoresAndFoldersTest, FindFolderPassesOutlooksErrorForAMissingName) {
    outlook::MAPIFolder top = FindStore(session, IdOf(archive));
    EXPECT_EQ(CodeOf([&] { FindFolder(top, "Gone"); }), sim::OutlookNotFound);
    EXPECT_EQ(CodeOf([&] { FindFolder(top, "Projects\\Gone\\Alpha"); }), sim::OutlookNotFound);
    EXPECT_EQ(CodeOf([&] { FindFolder(outlook::MAPIFolder(), "Projects"); }), E_POINTER);
}

TEST_F(StoresAndFoldersTest, FindFolderByNameLooksAmongTheTopFoldersOwnFoldersFirst) {
    // "Gamma" is met earlier going depth first, but a folder of the top's own wins.
    ComPtr<sim::SimFolder> beta = outlook.AddFolder(*projects, u"Beta");
    outlook.AddFolder(*beta, u"Gamma");
    ComPtr<sim::SimFolder> gamma = outlook.AddFolder(*archive, u"Gamma");
    outlook::MAPIFolder top = FindStore(session, IdOf(archive));
    EXPECT_TRUE(Is(FindFolderByName(top, "Gamma"), gamma));
    EXPECT_TRUE(Is(FindFolderByName(top, "Projects"), projects));
}

TEST_F(StoresAndFoldersTest, FindFolderByNameFindsANestedFolderDepthFirstIgnoringLetterCase) {
    // Breadth first would meet Projects\Zeta\Target first.
    ComPtr<sim::SimFolder> deep =
        outlook.AddFolder(*outlook.AddFolder(*projects, u"Beta"), u"Deep");
    ComPtr<sim::SimFolder> target = outlook.AddFolder(*deep, u"Target");
    outlook.AddFolder(*outlook.AddFolder(*projects, u"Zeta"), u"Target");
    outlook::MAPIFolder top = FindStore(session, IdOf(archive));
    EXPECT_TRUE(Is(FindFolderByName(top, "Target"), target));
    EXPECT_TRUE(Is(FindFolderByName(top, "alpha"), alpha));
    // Only below the top folder it is given.
    outlook::MAPIFolder defaultTop = FindStore(session, IdOf(outlook.DefaultStore()));
    EXPECT_EQ(CodeOf([&] { FindFolderByName(defaultTop, "Alpha"); }), sim::OutlookNotFound);
}

TEST_F(StoresAndFoldersTest, FindFolderByNamePassesOutlooksErrorWhenNoFolderHasTheName) {
    outlook::MAPIFolder top = FindStore(session, IdOf(archive));
    EXPECT_EQ(CodeOf([&] { FindFolderByName(top, "Gone"); }), sim::OutlookNotFound);
    EXPECT_EQ(CodeOf([&] { FindFolderByName(top, ""); }), sim::OutlookNotFound);
    EXPECT_EQ(CodeOf([&] { FindFolderByName(outlook::MAPIFolder(), "Alpha"); }), E_POINTER);
}

TEST_F(StoresAndFoldersTest, FindMapiFolderFindsTheFolderOfARecord) {
    ProgramState().FolderRecords[1] = {"Archive", "Archive", IdOf(archive),
                                       "Archive\\Projects\\Alpha"};
    EXPECT_TRUE(Is(FindMapiFolder(session, 1), alpha));
    ProgramState().FolderRecords[0] = {"Archive", "Archive", IdOf(archive), "Archive\\Projects"};
    EXPECT_TRUE(Is(FindMapiFolder(session, 0), projects));
}

TEST_F(StoresAndFoldersTest, ARecordWhoseFolderNameIsTheStoreNameGivesTheTopFolder) {
    ProgramState().FolderRecords[1] = {"Archive", "Archive", IdOf(archive), "Archive"};
    EXPECT_TRUE(Is(FindMapiFolder(session, 1), archive));
}

TEST_F(StoresAndFoldersTest, ARecordWithoutFolderOrWithAStoreNotOpenGivesNothing) {
    EXPECT_FALSE(FindMapiFolder(session, 1));
    ProgramState().FolderRecords[1] = {"Archive", "Archive", "", "Archive\\Projects"};
    EXPECT_FALSE(FindMapiFolder(session, 1));
    ProgramState().FolderRecords[1] = {"Archive", "Archive", "0000DEAD", "Archive\\Projects"};
    EXPECT_FALSE(FindMapiFolder(session, 1));
    EXPECT_FALSE(FindMapiFolder(session, 2));
    EXPECT_FALSE(FindMapiFolder(session, -1));
}

TEST_F(StoresAndFoldersTest, ARecordNamingAFolderThatIsGoneRaisesOutlooksError) {
    ProgramState().FolderRecords[1] = {"Archive", "Archive", IdOf(archive), "Archive\\Old"};
    EXPECT_EQ(CodeOf([&] { FindMapiFolder(session, 1); }), sim::OutlookNotFound);
}
