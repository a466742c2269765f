// The folder picker's tree: the stores of Outlook's session as root nodes,
// their folders added when a node opens, each node with its folder's icon;
// the open nodes remembered by entry id (and saved with the settings) so
// that the tree opens as the user left it, also after a restart; and
// choosing a folder from it.
#include "addin/dialogs/adxFrmFolders2.h"
#include "addin/dialogs/FolderIcons.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"

#include "platform/controls/ListView.h"
#include "platform/controls/TreeView.h"
#include "platform/forms/Screen.h"
#include "platform/outlook/Outlook.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <array>
#include <string_view>

using text::Narrow;

namespace {

// Outlook's folders for its own settings, which hold no mail: never shown.
constexpr std::array<std::u16string_view, 3> SkippedFolders = {
    u"Conversation Action Settings", u"News Feed", u"Quick Step Settings"};

// Names Deleted Items has in the languages Outlook is installed in.
constexpr std::array<std::string_view, 6> DeletedItemsNames = {
    "deleted items",        "éléments supprimés", "verwijderde items",
    "elementos eliminados", "posta eliminata",    "gelöschte elemente"};

bool NameHolds(const std::string& lowerName, std::string_view lowerPart) {
    return lowerName.find(lowerPart) != std::string::npos;
}

// The icon a folder gets by its name alone; FolderPlainIcon for most.
int IconByName(const std::string& name) {
    const std::string lower = text::LowerCase(name);
    if (NameHolds(lower, "junk") || NameHolds(lower, "spam"))
        return JunkIcon;
    if (NameHolds(lower, "rss feeds"))
        return FeedsIcon;
    for (std::string_view deleted : DeletedItemsNames)
        if (NameHolds(lower, deleted))
            return DeletedItemsIcon;
    return FolderPlainIcon;
}

// The entry ids of the default store's special folders, with their icons.
struct SpecialFolder {
    int FolderType;
    int Icon;
    std::u16string EntryId;
};

std::vector<SpecialFolder> SpecialFolders(const outlook::NameSpace& session) {
    std::vector<SpecialFolder> special = {{outlook::olFolderDeletedItems, DeletedItemsIcon, {}},
                                          {outlook::olFolderDrafts, DraftsIcon, {}},
                                          {outlook::olFolderInbox, InboxIcon, {}},
                                          {outlook::olFolderOutbox, OutboxIcon, {}},
                                          {outlook::olFolderSentMail, SentItemsIcon, {}}};
    for (SpecialFolder& folder : special) {
        try {
            folder.EntryId = session.GetDefaultFolder(folder.FolderType).EntryID();
        } catch (const Exception&) {
            // A store without that folder: no folder gets its icon.
        }
    }
    return special;
}

TFolderData* DataOf(const TTreeNode* node) {
    return node ? static_cast<TFolderData*>(node->Data()) : nullptr;
}

TFolderData* NewData(const outlook::MAPIFolder& folder) {
    return new TFolderData{folder, Narrow(folder.StoreID()), Narrow(folder.EntryID())};
}

} // namespace

void TfrmFolders2::FreeTree() {
    // Each node's data goes in treeFoldersDeletion.
    treeFolders->Items()->Clear();
}

void TfrmFolders2::treeFoldersDeletion(TObject*, TTreeNode* Node) {
    delete DataOf(Node);
    Node->SetData(nullptr);
}

void TfrmFolders2::AddTree() {
    FreeTree();
    TTreeNodes& nodes = *treeFolders->Items();
    const std::string defaultStoreId =
        Narrow(Session.GetDefaultFolder(outlook::olFolderInbox).StoreID());
    outlook::Folders stores = Session.GetFolders();
    const int count = stores.Count();
    nodes.BeginUpdate();
    for (int i = 1; i <= count; ++i) {
        outlook::MAPIFolder top = stores.Item(i);
        TTreeNode* node = nodes.AddObject(nullptr, Narrow(top.Name()), NewData(top));
        node->SetHasChildren(top.GetFolders().Count() > 0);
    }
    treeFolders->AlphaSort(true);
    // The default store comes first: its node is made anew in front, with
    // the data of the one it replaces.
    const std::vector<TTreeNode*> roots = nodes.Roots();
    auto isDefault = [&](TTreeNode* n) { return DataOf(n)->StoreID == defaultStoreId; };
    auto found = std::find_if(roots.begin(), roots.end(), isDefault);
    if (found != roots.end() && found != roots.begin()) {
        TTreeNode* old = *found;
        TTreeNode* first = nodes.AddFirst(nullptr, old->Text());
        first->SetData(old->Data());
        first->SetHasChildren(old->HasChildren());
        old->SetData(nullptr);
        old->Delete();
    }
    for (TTreeNode* root : nodes.Roots())
        root->SetStateIndex(root == nodes.GetFirstNode() ? DefaultStoreIcon : StoreIcon);
    nodes.EndUpdate();
    RefreshTree();
    treeFolders->SetVisible(true);
}

void TfrmFolders2::treeFoldersExpanding(TObject*, TTreeNode* Node, bool&) {
    ExpandChildren(Node);
}

void TfrmFolders2::ExpandChildren(TTreeNode* Node) {
    Screen().Cursor = crHourGlass;
    Node->DeleteChildren();
    TFolderData* data = DataOf(Node);
    if (data) {
        const std::vector<SpecialFolder> special = SpecialFolders(Session);
        outlook::Folders folders = data->Folder.GetFolders();
        const int count = folders.Count();
        for (int i = 1; i <= count; ++i) {
            outlook::MAPIFolder folder = folders.Item(i);
            const std::u16string name = folder.Name();
            if (std::find(SkippedFolders.begin(), SkippedFolders.end(), name) !=
                SkippedFolders.end())
                continue;
            TFolderData* childData = NewData(folder);
            TTreeNode* child = treeFolders->Items()->AddChildObject(Node, Narrow(name), childData);
            child->SetHasChildren(folder.GetFolders().Count() > 0);
            const std::u16string entryId = folder.EntryID();
            auto known = std::find_if(special.begin(), special.end(), [&](const SpecialFolder& s) {
                return !s.EntryId.empty() && s.EntryId == entryId;
            });
            child->SetStateIndex(known != special.end() ? known->Icon : IconByName(Narrow(name)));
        }
        Node->AlphaSort(false);
    }
    Screen().Cursor = crDefault;
}

void TfrmFolders2::RefreshTree() {
    try {
        TStringList* remembered = ProgramState().ExpandedNodes.get();
        TTreeNodes& nodes = *treeFolders->Items();
        if (!remembered || remembered->Count() == 0) {
            TTreeNode* first = nodes.GetFirstNode();
            if (first && first->HasChildren() && !first->Expanded())
                first->Expand(false);
            return;
        }
        // Opening a node adds its children, which later entries of the list
        // then find: the walk goes on from the node opened.
        for (int i = 0; i < remembered->Count(); ++i) {
            const std::string entryId = remembered->Strings(i);
            for (TTreeNode* node = nodes.GetFirstNode(); node; node = node->GetNext()) {
                TFolderData* data = DataOf(node);
                if (data && data->EntryID == entryId && node->HasChildren() && !node->Expanded())
                    node->Expand(false);
            }
        }
    } catch (...) {
        TQelLog::Log("Exception in RefreshTree");
    }
}

void TfrmFolders2::TreeExpandedNodes() {
    try {
        TProgramState& state = ProgramState();
        if (!state.ExpandedNodes)
            state.ExpandedNodes = std::make_unique<TStringList>();
        state.ExpandedNodes->Clear();
        for (TTreeNode* node = treeFolders->Items()->GetFirstNode(); node; node = node->GetNext())
            if (node->HasChildren() && node->Expanded() && DataOf(node))
                state.ExpandedNodes->Add(DataOf(node)->EntryID);
    } catch (...) {
        TQelLog::Log("Exception in TreeExpandedNodes");
    }
}

void TfrmFolders2::treeFoldersDblClick(TObject*) {
    TreeChoose(false);
}

void TfrmFolders2::TreeChoose(bool okPressed) {
    try {
        TTreeNode* node = treeFolders->Selected();
        if (!node) {
            SetModalResult(mrCancel);
            return;
        }
        // A double click on a folder with subfolders opens or closes it (the
        // tree itself does that); only OK chooses such a folder.
        if (node->HasChildren() && !okPressed)
            return;
        TPickerChoice& picked = ProgramState().Picked;
        picked.StoreId = DataOf(node) ? DataOf(node)->StoreID : std::string();
        std::string path = node->Text();
        for (TTreeNode* up = node->Parent(); up; up = up->Parent())
            path = up->Text() + "\\" + path;
        picked.Path = path;
        TreeExpandedNodes();
        SetModalResult(mrOk);
    } catch (...) {
        TQelLog::Log("Exception in TreeDblClick");
    }
}

void TfrmFolders2::treeFoldersEnter(TObject*) {
    ListView1->SetSelected(nullptr);
}

void TfrmFolders2::ListView1Enter(TObject*) {
    treeFolders->SetSelected(nullptr);
}

void TfrmFolders2::ClearSelections() {
    treeFolders->SetSelected(nullptr);
    ListView1->SetSelected(nullptr);
}
