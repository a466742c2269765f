// The pending lists: which entry a key finds and takes, the filing folder
// an entry names, and the pending-actions file written and taken up.
#include "tests/addin/ProductTestSupport.h"

#include "addin/send/PendingEntries.h"
#include "platform/rtl/FileUtils.h"

#include <filesystem>

namespace {

using Lines = std::vector<std::string>;

class PendingEntries : public ProductTest {
protected:
    static void Fill(TStringList& list, const Lines& lines) {
        for (const std::string& line : lines)
            list.Add(line);
    }
    static Lines Of(const TStringList* list) {
        Lines lines;
        for (int i = 0; i < list->Count(); ++i)
            lines.push_back((*list)[i]);
        return lines;
    }
    // The lists as start-up makes them, before the references below.
    bool listsMade = (CreatePendingLists(), true);
    TStringList& session = *ProgramState().SessionEntries;
    TStringList& restored = *ProgramState().RestoredEntries;
    TStringList& stripped = *ProgramState().StrippedEntries;
};

} // namespace

TEST_F(PendingEntries, AKeyTakesTheFirstRestoredEntryBeforeThoseOfThisSession) {
    Fill(session, {"K1=Session"});
    Fill(restored, {"X=Other", "K1=Restored", "K1=Second"});
    EXPECT_EQ(GetCategory("K1"), "Restored");
    EXPECT_EQ(Of(&restored), (Lines{"X=Other", "K1=Second"}));
    EXPECT_EQ(GetCategory("K1"), "Second");
    EXPECT_EQ(GetCategory("K1"), "Session");
    EXPECT_EQ(session.Count(), 0);
    EXPECT_EQ(GetCategory("K1"), "");
}

TEST_F(PendingEntries, AStoredNameOccurringInALongerKeyMatchesItWhateverTheLetterCase) {
    Fill(session, {"01c8a0b1=Red"});
    EXPECT_EQ(GetCategory("01C8A0"), "") << "a key inside the stored name does not match";
    EXPECT_EQ(GetCategory("0001C8A0B1FF00"), "Red");
}

TEST_F(PendingEntries, TheValueIsCutBeforeTheFilingFolder) {
    Fill(session, {"K=Red, Blue%StoreId%0000ABCD%FolderName%Projects", "L=Green%storeid%X"});
    EXPECT_EQ(GetCategory("K"), "Red, Blue");
    EXPECT_EQ(GetCategory("L"), "Green");
}

TEST_F(PendingEntries, AnEntryWithoutNameNeverMatches) {
    Fill(restored, {"=Red", "NoSeparator"});
    Fill(stripped, {"=Blue"});
    EXPECT_EQ(GetCategory("anything"), "");
    EXPECT_EQ(GetCategorySB("anything"), "");
    EXPECT_EQ(restored.Count(), 2);
}

TEST_F(PendingEntries, StrippedTextEntriesAreLookedUpOnTheirOwn) {
    Fill(stripped, {"HelloWorld=Red"});
    Fill(session, {"HelloWorld=Blue"});
    EXPECT_EQ(GetCategorySB("HelloWorld"), "Red");
    EXPECT_EQ(stripped.Count(), 0);
    EXPECT_EQ(session.Count(), 1);
}

TEST_F(PendingEntries, AStrippedTextWithEqualsSignsIsNamedWithoutThem) {
    AddStrippedEntry("Sum1+1=2", "Red");
    EXPECT_EQ(Of(&stripped), Lines{"Sum1+12=Red"});
    EXPECT_EQ(GetCategorySB("Sum1+1=2.Bye"), "Red");
    EXPECT_EQ(stripped.Count(), 0);
}

TEST_F(PendingEntries, WithoutListsNothingIsFound) {
    FreePendingLists();
    EXPECT_EQ(GetCategory("K"), "");
    EXPECT_EQ(GetCategorySB("K"), "");
}

TEST_F(PendingEntries, TheFilingFolderIsReadBackFromTheValue) {
    struct Case {
        std::string value;
        bool names;
        std::string storeId, folder;
    };
    for (const Case& c : {
             Case{FilingFolderValue("Red", "0000ABCD", "Projects"), true, "0000ABCD", "Projects"},
             Case{FilingFolderValue("", "S", "F"), true, "S", "F"},
             Case{FilingFolderValue("Red, Blue", "", "Inbox"), true, "", "Inbox"},
             Case{"Red%storeid%S1%FOLDERNAME%Archive", true, "S1", "Archive"},
             Case{"Red%StoreId%S1", false, "", ""},
             Case{"Red%FolderName%Archive", false, "", ""},
             Case{"Red", false, "", ""},
         }) {
        std::string storeId, folder;
        EXPECT_EQ(PendingEntryFolder(c.value, storeId, folder), c.names) << c.value;
        if (!c.names)
            continue;
        EXPECT_EQ(storeId, c.storeId) << c.value;
        EXPECT_EQ(folder, c.folder) << c.value;
    }
}

TEST_F(PendingEntries, AFolderNameHoldingAPercentSignIsReadBackWhole) {
    std::string storeId, folder;
    ASSERT_TRUE(
        PendingEntryFolder(FilingFolderValue("Red", "0000ABCD", "Done 100%"), storeId, folder));
    EXPECT_EQ(storeId, "0000ABCD");
    EXPECT_EQ(folder, "Done 100%");
    ASSERT_TRUE(
        PendingEntryFolder(FilingFolderValue("Red", "0000ABCD", "50% off"), storeId, folder));
    EXPECT_EQ(storeId, "0000ABCD");
    EXPECT_EQ(folder, "50% off");
}

TEST_F(PendingEntries, ThisSessionsEntriesAreWrittenAsCrLfLines) {
    Fill(session, {"K1=Red", "K2=Blue%StoreId%S%FolderName%F"});
    Fill(restored, {"R=Restored entries are not written back"});
    WritePendingFile();
    EXPECT_EQ(ReadFileBytes(PendingFilePath()), "K1=Red\r\nK2=Blue%StoreId%S%FolderName%F\r\n");
}

TEST_F(PendingEntries, NoEntriesNoFile) {
    WritePendingFile();
    EXPECT_FALSE(FileExists(PendingFilePath()));
}

TEST_F(PendingEntries, AFailedWriteLeavesNoTemporaryFileBehind) {
    Fill(session, {"K1=Red"});
    std::string path = PendingFilePath();
    // A folder where the file should be: the rename over it fails.
    std::filesystem::create_directory(NativePath(path));
    EXPECT_THROW(WritePendingFile(), Exception);
    EXPECT_TRUE(DirectoryExists(path));
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(NativePath(ExtractFileDir(path))))
        entries += entry.path().filename() != "ZubDetails.txt";
    EXPECT_EQ(entries, 0) << "only the pending file's place is taken";
}

TEST_F(PendingEntries, TheFileIsTakenUpOnceAndLinesWithoutNameAreSkippedAndLogged) {
    std::string path = PendingFilePath();
    WriteFileAtomic(path, "K1=Red\r\nno separator\r\n=Blue\r\n\r\nK2=Green=Dark\r\n");
    FreePendingLists();
    ReadPendingFile();
    ASSERT_NE(ProgramState().RestoredEntries, nullptr);
    EXPECT_EQ(Of(ProgramState().RestoredEntries.get()), (Lines{"K1=Red", "K2=Green=Dark"}));
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(LogLines(), (Lines{LogTime + "Pending entry without a name skipped: no separator",
                                 LogTime + "Pending entry without a name skipped: =Blue"}));
    EXPECT_EQ(GetCategory("xxK2xx"), "Green=Dark");
}

TEST_F(PendingEntries, NoFileNothingRestored) {
    ReadPendingFile();
    EXPECT_EQ(restored.Count(), 0);
    EXPECT_EQ(LogLines(), Lines{});
}
