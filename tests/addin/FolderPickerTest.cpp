// The folder picker as "File to Any Folder" runs it, played by a scripted
// user: the tree's order and icons, the nodes remembered, the recently used
// list and its buttons (also when read from a file with gaps), the ways
// out, and the new-folder dialog.
#include "tests/addin/SendActionsFixture.h"

#include "addin/dialogs/DlgAddFolder.h"
#include "addin/dialogs/adxFrmFolders2.h"
#include "addin/settings/ConfigFile.h"
#include "addin/settings/StoresAndFolders.h"
#include "htmllabel/HTMLDraw.h"
#include "htmllabel/HTMLabel.h"
#include "platform/controls/FormDump.h"
#include "platform/controls/ListView.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"
#include "platform/gfx/RecordingCanvas.h"
#include "platform/win/Hook.h"
#include "tests/support/Golden.h"

#include <fstream>
#include <functional>
#include <iterator>

namespace {

// The text a label shows, as its renderer lays it out: no tags, entities
// decoded, lines as they break.
std::string ShownText(THTMLabel& label) {
    TRecordingCanvas canvas;
    THTMLDrawParams params;
    params.CheckOnly = true;
    THTMLDrawResult result;
    HTMLDrawEx(canvas, label.GetDisplText(), Rect(0, 0, label.Width(), 1000), params, result);
    return result.StripVal;
}

using controls::Click;
using controls::Find;

class FolderPickerTest : public SendActionsTest {
protected:
    FolderPickerTest() {
        backup = outlook->AddStore(u"Backup");
        alpha = outlook->AddFolder(*projects, u"Alpha");
        outlook->AddFolder(*alpha, u"Drawings");
        sim::SimFolder& mailbox = *outlook->DefaultStore();
        outlook->AddFolder(mailbox, u"Conversation Action Settings");
        outlook->AddFolder(mailbox, u"Quick Step Settings");
        outlook->AddFolder(mailbox, u"News Feed");
        outlook->AddFolder(mailbox, u"Old spam");
        outlook->AddFolder(*archive, u"Gelöschte Elemente");
        user.AlwaysClick(mbOK);
    }

    // Runs "File to Any Folder" with play as the user of the picker; its result.
    bool Pick(std::function<void(TForm&)> play) {
        user.OnForm([play](TForm& picker) {
            play(picker);
            return mrNone;
        });
        return FileToAnyFolder();
    }
    static TTreeView& Tree(TForm& picker) { return Find<TTreeView>(picker, "treeFolders"); }
    static TListView& List(TForm& picker) { return Find<TListView>(picker, "ListView1"); }
    static void Press(TForm& picker, const char* button) { Click(Find<TButton>(picker, button)); }
    // The recently used folders, newest first.
    static Lines Mru() {
        Lines folders;
        for (int slot = 1; slot <= TMruList::Slots; ++slot)
            if (ProgramState().MruList.Slot(slot).Used())
                folders.push_back(ProgramState().MruList.Slot(slot).Folder);
        return folders;
    }
    // The remembered open nodes, by entry id.
    static Lines Remembered() {
        Lines ids;
        for (int i = 0; ProgramState().ExpandedNodes && i < ProgramState().ExpandedNodes->Count();
             ++i)
            ids.push_back((*ProgramState().ExpandedNodes)[i]);
        return ids;
    }
    static void Remember(const Lines& entryIds) {
        ProgramState().ExpandedNodes = std::make_unique<TStringList>();
        for (const std::string& id : entryIds)
            ProgramState().ExpandedNodes->Add(id);
    }
    void AddToMru(const std::string& path, sim::SimFolder& folder) {
        std::string store = path.substr(0, path.find('\\'));
        ToTopOfMruList(path, store, text::Narrow(folder.StoreId()), -1);
    }

    ComPtr<sim::SimFolder> backup, alpha;
};

TEST_F(FolderPickerTest, TheTreeShowsTheDefaultStoreFirstWithoutOutlooksOwnFolders) {
    std::string dump;
    EXPECT_FALSE(Pick([&](TForm& picker) {
        controls::SelectNode(Tree(picker), "Archive\\Gelöschte Elemente");
        dump = controls::DumpForm(picker);
        Press(picker, "btnCancel");
    }));
    // The default store first, open; the junk, feeds and deleted folders
    // with their icons; Outlook's settings folders absent.
    testsupport::ExpectGolden("folder-picker.txt", dump);
    EXPECT_EQ(FolderPicker().Caption(), "Folders");
    EXPECT_EQ(Tree(FolderPicker()).Items()->Count(), 0) << "the tree's data is freed";
}

TEST_F(FolderPickerTest, ChoosingATreeFolderFillsRecordZeroAndPutsItOnTopOfTheList) {
    AddToMru("Personal Folders\\Clients", *clients);
    EXPECT_TRUE(Pick([&](TForm& picker) {
        controls::SelectNode(Tree(picker), "Archive\\Projects\\Alpha");
        Press(picker, "btnOK"); // OK chooses a folder with subfolders too
    }));
    TFolderRecord expected{"Archive", "Archive", text::Narrow(archive->StoreId()),
                           "Archive\\Projects\\Alpha"};
    EXPECT_EQ(ProgramState().FolderRecords[FolderRecord::Picked], expected);
    EXPECT_EQ(Mru(), (Lines{"Archive\\Projects\\Alpha", "Personal Folders\\Clients"}));
    EXPECT_EQ(FindMapiFolder(Module().MapiSession(), FolderRecord::Picked).EntryID(),
              alpha->EntryId());
}

TEST_F(FolderPickerTest, ADoubleClickOpensAFolderWithSubfoldersAndChoosesOneWithout) {
    EXPECT_TRUE(Pick([&](TForm& picker) {
        TTreeNode* node = controls::SelectNode(Tree(picker), "Archive\\Projects");
        controls::DoubleClick(Tree(picker), POINT{Tree(picker).RowRect(node).left + 60,
                                                  Tree(picker).RowRect(node).top + 2});
        EXPECT_EQ(picker.ModalResult(), mrNone);
        EXPECT_TRUE(node->Expanded()) << "it opened";
        TTreeNode* leaf = controls::SelectNode(Tree(picker), "Archive\\Projects\\Alpha\\Drawings");
        RECT row = Tree(picker).RowRect(leaf);
        controls::DoubleClick(Tree(picker), POINT{row.left + 60, row.top + 2});
    }));
    EXPECT_EQ(ProgramState().Picked.Path, "Archive\\Projects\\Alpha\\Drawings");
}

TEST_F(FolderPickerTest, ChoosingAListedFolderMovesItToTheTopUnlessUpdatesAreOff) {
    for (bool updatesOff : {false, true}) {
        ProgramState().MruList.Clear();
        ProgramState().nolistupdates = updatesOff;
        AddToMru("Archive\\Projects", *projects);
        AddToMru("Personal Folders\\Clients", *clients);
        EXPECT_TRUE(Pick([&](TForm& picker) {
            EXPECT_EQ(List(picker).ItemIndex(), 0) << "the first row is selected";
            EXPECT_EQ(Tree(picker).Selected(), nullptr);
            controls::SelectRow(List(picker), 1);
            Press(picker, "btnOK");
        }));
        EXPECT_EQ(ProgramState().FolderRecords[FolderRecord::Picked].FolderName,
                  "Archive\\Projects");
        Lines expected = updatesOff ? Lines{"Personal Folders\\Clients", "Archive\\Projects"}
                                    : Lines{"Archive\\Projects", "Personal Folders\\Clients"};
        EXPECT_EQ(Mru(), expected) << "updates off: " << updatesOff;
    }
}

TEST_F(FolderPickerTest, EnteringTheTreeClearsTheListsSelectionAndTheReverse) {
    AddToMru("Archive\\Projects", *projects);
    Pick([&](TForm& picker) {
        EXPECT_EQ(List(picker).ItemIndex(), 0);
        Click(Tree(picker));
        EXPECT_EQ(List(picker).ItemIndex(), -1);
        controls::SelectNode(Tree(picker), "Backup");
        controls::SelectRow(List(picker), 0);
        EXPECT_EQ(Tree(picker).Selected(), nullptr);
        Press(picker, "btnCancel");
    });
}

TEST_F(FolderPickerTest, TheFolderColumnFitsTheWidestNameAndThePathTakesTheRest) {
    const std::string longName = "Minutes of the steering committee";
    outlook->AddFolder(*archive, text::Wide(longName));
    AddToMru("Archive\\" + longName, *archive);
    AddToMru("Archive", *archive);
    Pick([&](TForm& picker) {
        TListView& list = List(picker);
        const int widest = list.Canvas()->TextWidth(longName);
        ASSERT_GT(widest, 100);
        EXPECT_EQ(list.Columns()->Items(0)->Width(), widest + 10);
        EXPECT_EQ(list.Columns()->Items(1)->Width(), list.ClientWidth() - widest - 15);
        // A store's own entry shows its name and no path.
        EXPECT_EQ(list.Items()->Item(0)->Caption(), "Archive");
        EXPECT_EQ(list.Items()->Item(0)->SubItems()->Strings(0), "");
        Press(picker, "btnCancel");
    });
}

TEST_F(FolderPickerTest, OkWithNothingSelectedIsACancel) {
    EXPECT_FALSE(Pick([&](TForm& picker) {
        Tree(picker).SetSelected(nullptr);
        Press(picker, "btnOK");
    }));
    EXPECT_FALSE(ProgramState().FolderRecords[FolderRecord::Picked].HoldsFolder());
}

TEST_F(FolderPickerTest, ClearMruEntryAsksAndRemovesOneRow) {
    AddToMru("Archive\\Projects", *projects);
    AddToMru("Personal Folders\\Clients", *clients);
    user.OnForm([&](TForm& picker) {
        controls::SelectRow(List(picker), 1);
        Press(picker, "btnClearEntry"); // cancelled: the selection goes
        EXPECT_EQ(List(picker).ItemIndex(), -1);
        Press(picker, "btnClearEntry"); // nothing selected: a hint
        controls::SelectRow(List(picker), 0);
        Press(picker, "btnClearEntry");
        EXPECT_EQ(List(picker).Items()->Count(), 1);
        Press(picker, "btnCancel");
        return mrNone;
    });
    user.Click(mbCancel).Click(mbOK);
    FileToAnyFolder();
    EXPECT_EQ(Mru(), Lines{"Archive\\Projects"});
    EXPECT_EQ(Boxes(),
              (Lines{"Do you want to remove item \"Projects\" from Most Recently Used list?",
                     "First select item to remove",
                     "Do you want to remove item \"Clients\" from Most Recently Used list?",
                     "TfrmFolders2"}));
}

TEST_F(FolderPickerTest, ClearMruListAsksAndEmptiesTheListWhileThePickerStaysOpen) {
    AddToMru("Archive\\Projects", *projects);
    Pick([&](TForm& picker) {
        Press(picker, "btnClearList");
        EXPECT_EQ(List(picker).Items()->Count(), 0);
        EXPECT_TRUE(picker.Modal());
        Press(picker, "btnCancel");
    });
    EXPECT_EQ(Mru(), Lines{});
    EXPECT_EQ(user.Shown()[0].Type, mtWarning);
}

TEST_F(FolderPickerTest, EscapeRemembersTheOpenNodesAndTheyAreOpenedAgainByEntryId) {
    EXPECT_FALSE(Pick([&](TForm& picker) {
        controls::SelectNode(Tree(picker), "Archive\\Projects\\Alpha\\Drawings");
        controls::PressKey(picker, VK_ESCAPE);
    }));
    ASSERT_TRUE(ProgramState().ExpandedNodes);
    const std::string mailbox = text::Narrow(outlook->DefaultStore()->EntryId());
    Lines remembered;
    for (int i = 0; i < ProgramState().ExpandedNodes->Count(); ++i)
        remembered.push_back((*ProgramState().ExpandedNodes)[i]);
    EXPECT_EQ(remembered,
              (Lines{mailbox, text::Narrow(archive->EntryId()), text::Narrow(projects->EntryId()),
                     text::Narrow(alpha->EntryId())}));
    // Cancel forgets what was opened since.
    Pick([&](TForm& picker) {
        EXPECT_NE(Tree(picker).Items()->Count(), 0);
        TTreeNode* drawings = controls::SelectNode(Tree(picker), "Archive\\Projects\\Alpha");
        EXPECT_TRUE(drawings && drawings->Expanded()) << "nested nodes open again";
        controls::SelectNode(Tree(picker), "Backup")->Collapse(false);
        Press(picker, "btnCancel");
    });
    EXPECT_EQ(ProgramState().ExpandedNodes->Count(), 4);
}

TEST_F(FolderPickerTest, AddFolderMakesTheFolderAndShowsItInTheTree) {
    // The parent is among the remembered nodes, so it opens again with the tree.
    Remember({text::Narrow(archive->EntryId()), text::Narrow(projects->EntryId())});
    std::string label;
    user.OnForm([&](TForm& picker) {
        controls::SelectNode(Tree(picker), "Archive\\Projects");
        user.OnForm([&](TForm& dialog) {
            label = ShownText(Find<THTMLabel>(dialog, "LabelParent"));
            controls::TypeText(Find<TEdit>(dialog, "EditFolderName"), "Beta");
            Press(dialog, "btnOK");
            return mrNone;
        });
        Press(picker, "btnAddFolder");
        TTreeNode* made = Tree(picker).Selected();
        EXPECT_EQ(made ? made->Text() : "", "Beta");
        Press(picker, "btnOK");
        return mrNone;
    });
    EXPECT_TRUE(FileToAnyFolder());
    EXPECT_EQ(label, "Enter name of new folder to be created \rin Projects");
    EXPECT_EQ(ProgramState().FolderRecords[FolderRecord::Picked].FolderName,
              "Archive\\Projects\\Beta");
    EXPECT_EQ(projects->Folders().Count(), 2u);
}

TEST_F(FolderPickerTest, AddFolderReopensOnlyTheRememberedNodesAndCancelKeepsThem) {
    const std::string mailbox = text::Narrow(outlook->DefaultStore()->EntryId());
    Remember({mailbox});
    EXPECT_FALSE(Pick([&](TForm& picker) {
        controls::SelectNode(Tree(picker), "Archive\\Projects\\Alpha");
        user.OnForm([&](TForm& dialog) {
            controls::TypeText(Find<TEdit>(dialog, "EditFolderName"), "Beta");
            Press(dialog, "btnOK");
            return mrNone;
        });
        Press(picker, "btnAddFolder");
        // The new folder sits in a parent that is closed again: nothing is selected.
        EXPECT_EQ(Tree(picker).Selected(), nullptr);
        TTreeNode* archiveNode = Tree(picker).Items()->GetFirstNode()->getNextSibling();
        ASSERT_TRUE(archiveNode);
        EXPECT_EQ(archiveNode->Text(), "Archive");
        EXPECT_FALSE(archiveNode->Expanded());
        EXPECT_TRUE(Tree(picker).Items()->GetFirstNode()->Expanded());
        Press(picker, "btnCancel");
    }));
    EXPECT_EQ(alpha->Folders().Count(), 2u) << "the folder was made";
    EXPECT_EQ(Remembered(), Lines{mailbox});
    // The settings are still saved, with the remembered nodes as they were.
    ProgramState().ExpandedNodes->Clear();
    LoadButtonsFromFile();
    EXPECT_EQ(Remembered(), Lines{mailbox});
}

struct RefusedName {
    const char* Typed;
    const char* Message;
};

TEST_F(FolderPickerTest, ANameOutlookCannotTakeIsRefusedAndTheDialogStaysOpen) {
    const RefusedName refused[] = {{"   ", "Enter a name for the new folder."},
                                   {"a\\b", "A folder name cannot contain \"\\\"."}};
    for (const RefusedName& name : refused) {
        const size_t before = user.Shown().size();
        user.OnForm([&](TForm& picker) {
            controls::SelectNode(Tree(picker), "Archive\\Projects");
            user.OnForm([&](TForm& dialog) {
                auto& edit = Find<TEdit>(dialog, "EditFolderName");
                controls::TypeText(edit, name.Typed);
                Press(dialog, "btnOK");
                EXPECT_TRUE(dialog.Modal() && dialog.ModalResult() == mrNone) << name.Typed;
                EXPECT_TRUE(edit.Focused());
                Press(dialog, "btnCancel");
                return mrNone;
            });
            Press(picker, "btnAddFolder");
            Press(picker, "btnCancel");
            return mrNone;
        });
        EXPECT_FALSE(FileToAnyFolder());
        EXPECT_EQ(user.Shown()[before].Text, name.Message);
        EXPECT_EQ(user.Shown()[before].Type, mtInformation);
        EXPECT_EQ(projects->Folders().Count(), 1u);
    }
}

TEST_F(FolderPickerTest, OutlooksRefusalIsLoggedAndShownAndThePickerStaysAsItWas) {
    user.OnForm([&](TForm& picker) {
        controls::SelectNode(Tree(picker), "Archive\\Projects");
        user.OnForm([&](TForm& dialog) {
            controls::TypeText(Find<TEdit>(dialog, "EditFolderName"), "alpha");
            Press(dialog, "btnOK");
            return mrNone;
        });
        Press(picker, "btnAddFolder");
        EXPECT_TRUE(picker.Modal());
        EXPECT_EQ(Tree(picker).Selected()->Text(), "Projects");
        Press(picker, "btnCancel");
        return mrNone;
    });
    EXPECT_FALSE(FileToAnyFolder());
    EXPECT_EQ(LogAfterStart(), Lines{"Exception in Add Folder"});
    ASSERT_GE(user.Shown().size(), 2u);
    EXPECT_EQ(user.Shown()[1].Type, mtError);
    EXPECT_EQ(projects->Folders().Count(), 1u);
}

TEST_F(FolderPickerTest, AddFolderWithNoNodeSelectedAsksForOne) {
    Pick([&](TForm& picker) {
        Tree(picker).SetSelected(nullptr);
        Press(picker, "btnAddFolder");
        Press(picker, "btnCancel");
    });
    EXPECT_EQ(Boxes()[0], "Select a folder in the tree where to place the new folder");
}

TEST_F(FolderPickerTest, WithoutItsListThePickerNarrowsToItsTreeAndWidensAgainForTheList) {
    // As a dialog that needs only a folder shows it.
    TfrmFolders2& picker = FolderPicker();
    picker.Session = Module().MapiSession();
    picker.ShowMruGroup(false);
    picker.AddTree();
    int narrow = 0;
    user.OnForm([&](TForm& shown) {
        narrow = shown.ClientWidth();
        EXPECT_TRUE(Tree(shown).Focused());
        EXPECT_FALSE(List(shown).Visible());
        EXPECT_TRUE(Find<TButton>(shown, "btnOK").Left() + 75 <= narrow) << "OK stays in sight";
        return mrCancel;
    });
    picker.ShowModal();
    picker.FreeTree();
    picker.Session = outlook::NameSpace();
    EXPECT_EQ(narrow, Find<TGroupBox>(picker, "GroupBox1").Width() + 8);
    Pick([&](TForm& shown) {
        EXPECT_EQ(shown.ClientWidth(), TfrmFolders2::WideClientWidth);
        EXPECT_TRUE(List(shown).Visible());
        Press(shown, "btnCancel");
    });
}

TEST_F(FolderPickerTest, TheDialogsAreMadeOnceAndFreedWhenTheAddInIsFinalised) {
    Pick([](TForm& picker) { Press(picker, "btnCancel"); });
    TfrmFolders2* first = &FolderPicker();
    Pick([](TForm& picker) { Press(picker, "btnCancel"); });
    EXPECT_EQ(&FolderPicker(), first);
    int forms = Screen().FormCount();
    session->End();
    EXPECT_EQ(Screen().FormCount(), forms - 1);
}

TEST_F(FolderPickerTest, TheNewFolderDialogShowsTheParentsNameAsWritten) {
    outlook->AddFolder(*archive, u"R&D <x>");
    std::string label;
    user.OnForm([&](TForm& picker) {
        controls::SelectNode(Tree(picker), "Archive\\R&D <x>");
        user.OnForm([&](TForm& dialog) {
            label = ShownText(Find<THTMLabel>(dialog, "LabelParent"));
            return mrCancel;
        });
        Press(picker, "btnAddFolder");
        Press(picker, "btnCancel");
        return mrNone;
    });
    FileToAnyFolder();
    EXPECT_EQ(label, "Enter name of new folder to be created \rin R&D <x>");
}

} // namespace

namespace {

TEST(FolderDialogs, AModuleFreedWithoutFinalisationTakesTheKeptDialogsWithIt) {
    ResetProgramState();
    auto* module = LorvaneFormClasses().Create<TAddInModule>(nullptr);
    FolderPicker();
    AddFolderDialog();
    const int forms = Screen().FormCount();
    module->Free();
    EXPECT_EQ(Screen().FormCount(), forms - 2);
}

} // namespace

namespace {

// A recently used entry of "Zub.xml" for slot id naming folder at path.
std::string MruElement(int id, const std::string& path, sim::SimFolder& folder) {
    const std::string store = path.substr(0, path.find('\\'));
    return "<mru id=\"" + std::to_string(id) + "\"><mrufolder>" + path + "</mrufolder><mrustore>" +
           store + "</mrustore><mrustoreid>" + text::Narrow(folder.StoreId()) +
           "</mrustoreid></mru>";
}

} // namespace

class FolderPickerGapTest : public FolderPickerTest {
protected:
    // Reads "Zub.xml" as a hand edit left it: slots 1, 2 and 5 used.
    FolderPickerGapTest() {
        const std::string file = std::string(ConfigDeclaration) + "\r\n<config><mrulist>" +
                                 MruElement(1, "Personal Folders\\Clients", *clients) +
                                 MruElement(2, "Archive\\Projects", *projects) +
                                 MruElement(5, "Archive\\Projects\\Alpha", *alpha) +
                                 "</mrulist></config>\r\n";
        std::ofstream(ConfigFilePath(), std::ios::binary) << file;
        LoadButtonsFromFile();
    }
};

TEST_F(FolderPickerGapTest, TheThirdRowOfAListWithAGapFilesIntoItsOwnFolder) {
    Compose(Mail(u"Gap"));
    user.OnForm([&](TForm& picker) {
        EXPECT_EQ(List(picker).Items()->Count(), 3);
        controls::SelectRow(List(picker), 2);
        Press(picker, "btnOK");
        return mrNone;
    });
    Module().DoIndividualAction(TIndividualAction::FileToAnyFolder);
    EXPECT_EQ(Boxes(), Lines{"TfrmFolders2"}) << "no warning of a missing folder";
    EXPECT_EQ(Contents(*alpha), Lines{"Gap: "});
    EXPECT_EQ(Contents(*sentItems), Lines{});
    EXPECT_EQ(Mru(), (Lines{"Archive\\Projects\\Alpha", "Personal Folders\\Clients",
                            "Archive\\Projects"}));
    // The file is written back without the gap.
    std::ifstream in(ConfigFilePath(), std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    const std::string third = WrittenMruElement(written, 3);
    ASSERT_FALSE(third.empty()) << written;
    EXPECT_NE(third.find("<mrufolder>Archive\\Projects</mrufolder>"), std::string::npos) << written;
    EXPECT_EQ(WrittenMruElement(written, 4), "");
    EXPECT_EQ(WrittenMruElement(written, 5), "");
}

TEST_F(FolderPickerGapTest, ClearMruEntryRemovesTheRowChosenFromAListWithAGap) {
    user.OnForm([&](TForm& picker) {
        controls::SelectRow(List(picker), 2);
        Press(picker, "btnClearEntry");
        EXPECT_EQ(List(picker).Items()->Count(), 2);
        Press(picker, "btnCancel");
        return mrNone;
    });
    FileToAnyFolder();
    EXPECT_EQ(Boxes()[0], "Do you want to remove item \"Alpha\" from Most Recently Used list?");
    EXPECT_EQ(Mru(), (Lines{"Personal Folders\\Clients", "Archive\\Projects"}));
}
