// The tree view and the list view as the folder picker uses them: lazy
// expansion, Data released with its node, alphabetic sorting, a node deleted
// from its own expanding event, selection by the mouse and by a path, rows.
#include "platform/controls/ListView.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"
#include "tests/platform/RowsForm.h"

#include <gtest/gtest.h>

namespace {

using Picker = RowsForm;

std::vector<std::string> Captions(const std::vector<TTreeNode*>& nodes) {
    std::vector<std::string> out;
    for (TTreeNode* n : nodes)
        out.push_back(n->Text());
    return out;
}

std::vector<std::string> Children(TTreeNode* node) {
    std::vector<std::string> out;
    for (int i = 0; i < node->Count(); ++i)
        out.push_back(node->Item(i)->Text());
    return out;
}

} // namespace

TEST(TreeView, ANodeExpandedLazilyGetsItsChildrenOnce) {
    Picker p;
    TTreeNode* store = p.tree->Items()->Add(nullptr, "Mailbox");
    store->SetHasChildren(true);
    int expanding = 0;
    p.tree->OnExpanding = [&](TObject*, TTreeNode* node, bool&) {
        ++expanding;
        // The picker refills a node each time it opens.
        node->DeleteChildren();
        for (const char* name : {"Inbox", "Drafts"})
            p.tree->Items()->AddChild(node, name)->SetHasChildren(false);
    };
    TTreeNode* inbox = controls::SelectNode(*p.tree, "mailbox\\INBOX");
    ASSERT_NE(inbox, nullptr);
    EXPECT_EQ(inbox->Text(), "Inbox");
    EXPECT_EQ(expanding, 1);
    EXPECT_TRUE(store->Expanded());
    EXPECT_EQ(Children(store), (std::vector<std::string>{"Inbox", "Drafts"}));
    store->Collapse(false);
    EXPECT_EQ(p.tree->Selected(), store);
    store->Expand(false);
    EXPECT_EQ(expanding, 2);
    EXPECT_EQ(Children(store), (std::vector<std::string>{"Inbox", "Drafts"}));
    EXPECT_EQ(controls::SelectNode(*p.tree, "Mailbox\\Outbox"), nullptr);
}

TEST(TreeView, DataIsReleasedWithItsNodeHoweverTheNodeGoes) {
    int live = 0;
    struct FolderData {
        int& live;
        explicit FolderData(int& l) : live(l) { ++live; }
        ~FolderData() { --live; }
    };
    {
        Picker p;
        p.tree->OnDeletion = [](TObject*, TTreeNode* node) {
            delete static_cast<FolderData*>(node->Data());
            node->SetData(nullptr);
        };
        auto add = [&](TTreeNode* parent, const char* text) {
            return p.tree->Items()->AddChildObject(parent, text, new FolderData(live));
        };
        TTreeNode* a = add(nullptr, "A");
        add(add(a, "A1"), "A11");
        TTreeNode* b = add(nullptr, "B");
        add(b, "B1");
        add(nullptr, "C");
        EXPECT_EQ(live, 6);
        a->Delete();
        EXPECT_EQ(live, 3);
        b->DeleteChildren();
        EXPECT_EQ(live, 2);
        EXPECT_EQ(p.tree->Items()->Count(), 2);
    }
    EXPECT_EQ(live, 0);
}

TEST(TreeView, SortingIsAlphabeticAndIgnoresLetterCase) {
    Picker p;
    for (const char* name : {"beta", "Alpha", "gamma", "Beta2", "alpha"})
        p.tree->Items()->Add(nullptr, name);
    TTreeNode* first = p.tree->Items()->GetFirstNode();
    for (const char* name : {"b", "C", "a"})
        p.tree->Items()->AddChild(first, name);
    p.tree->AlphaSort(true);
    EXPECT_EQ(Captions(p.tree->Items()->Roots()),
              (std::vector<std::string>{"Alpha", "alpha", "beta", "Beta2", "gamma"}));
    EXPECT_EQ(Children(p.tree->Items()->Item(2)), (std::vector<std::string>{"a", "b", "C"}));
}

TEST(TreeView, ANodeDeletedInItsOwnExpandingEventIsNotTouchedAgain) {
    Picker p;
    TTreeNode* doomed = p.tree->Items()->Add(nullptr, "Doomed");
    doomed->SetHasChildren(true);
    TTreeNode* other = p.tree->Items()->Add(nullptr, "Other");
    int expanded = 0;
    p.tree->OnExpanding = [](TObject*, TTreeNode* node, bool&) { node->Delete(); };
    p.tree->OnExpanded = [&](TObject*, TTreeNode*) { ++expanded; };
    rtl::TLifeWatch watch = doomed->Watch();
    EXPECT_EQ(controls::SelectNode(*p.tree, "Doomed\\Child"), nullptr);
    EXPECT_FALSE(watch.Alive());
    EXPECT_EQ(expanded, 0);
    EXPECT_EQ(Captions(p.tree->Items()->Roots()), std::vector<std::string>{"Other"});
    EXPECT_EQ(controls::SelectNode(*p.tree, "Other"), other);
}

TEST(TreeView, TheMouseSelectsOpensAndClosesNodes) {
    Picker p;
    TTreeNode* store = p.tree->Items()->Add(nullptr, "Store");
    TTreeNode* inbox = p.tree->Items()->AddChild(store, "Inbox");
    TTreeNode* other = p.tree->Items()->Add(nullptr, "Other");
    int doubleClicks = 0;
    p.tree->OnDblClick = [&](TObject*) { ++doubleClicks; };
    RECT row = p.tree->RowRect(store);
    POINT label{row.left + 30, (row.top + row.bottom) / 2};
    // A double click on a node with children opens it, a second closes it.
    EXPECT_TRUE(controls::DoubleClick(*p.tree, label));
    EXPECT_TRUE(store->Expanded());
    EXPECT_EQ(p.tree->Selected(), store);
    EXPECT_TRUE(p.tree->Focused());
    EXPECT_TRUE(controls::DoubleClick(*p.tree, label));
    EXPECT_FALSE(store->Expanded());
    EXPECT_EQ(doubleClicks, 2);
    // The right button selects only with RightClickSelect.
    RECT otherRow = p.tree->RowRect(other);
    POINT otherLabel{otherRow.left + 30, (otherRow.top + otherRow.bottom) / 2};
    controls::Click(*p.tree, otherLabel, mbRight);
    EXPECT_EQ(p.tree->Selected(), store);
    p.tree->SetRightClickSelect(true);
    controls::Click(*p.tree, otherLabel, mbRight);
    EXPECT_EQ(p.tree->Selected(), other);
    // Arrow keys move through the visible nodes and open them.
    controls::PressKey(*p.form, 0x26); // up
    EXPECT_EQ(p.tree->Selected(), store);
    controls::PressKey(*p.form, 0x27); // right
    controls::PressKey(*p.form, 0x28); // down
    EXPECT_EQ(p.tree->Selected(), inbox);
}

TEST(ListView, RowsAreSelectedByTheMouseAndDoubleClicked) {
    Picker p;
    p.list->Columns()->Add()->SetCaption("Folder");
    for (const char* caption : {"Inbox", "Projects", "Archive"})
        p.list->Items()->Add()->SetCaption(caption);
    std::vector<std::string> events;
    p.list->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        events.push_back(item->Caption() + (selected ? " on" : " off"));
    };
    p.list->OnDblClick = [&](TObject*) {
        events.push_back("double " + p.list->Selected()->Caption());
    };
    EXPECT_TRUE(controls::SelectRow(*p.list, 1));
    EXPECT_EQ(p.list->ItemIndex(), 1);
    EXPECT_TRUE(controls::SelectRow(*p.list, 2));
    RECT row = p.list->ItemRect(0);
    controls::DoubleClick(*p.list, POINT{row.left + 5, row.top + 2});
    EXPECT_FALSE(controls::SelectRow(*p.list, 3));
    EXPECT_EQ(events, (std::vector<std::string>{"Projects on", "Projects off", "Archive on",
                                                "Archive off", "Inbox on", "double Inbox"}));
    // Deleting the selected row leaves no selection behind.
    p.list->Items()->Delete(0);
    EXPECT_EQ(p.list->Selected(), nullptr);
    EXPECT_EQ(p.list->ItemIndex(), -1);
}
