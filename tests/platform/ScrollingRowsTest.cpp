// Trees and lists whose rows do not fit: the scroll bar beside the rows,
// the selected row kept in view, the wheel, the bar's buttons and track, the
// keys (arrows, Page Up and Down, Home, End), and the user-input layer
// scrolling to a row before it clicks it, as a user must.
#include "platform/controls/ListView.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"
#include "platform/win/Hook.h"
#include "tests/platform/RowsForm.h"

#include <gtest/gtest.h>

namespace {

// The form with its tree and list, and rows to fill them.
struct Rows : RowsForm {
    Rows() { list->Columns()->Add()->SetCaption("Folder"); }

    // count root nodes "Folder 1" ... in the tree.
    std::vector<TTreeNode*> Folders(int count) {
        std::vector<TTreeNode*> nodes;
        for (int i = 1; i <= count; ++i)
            nodes.push_back(tree->Items()->Add(nullptr, "Folder " + std::to_string(i)));
        return nodes;
    }
    // count rows "Row 1" ... in the list.
    void ListRows(int count) {
        for (int i = 1; i <= count; ++i)
            list->Items()->Add()->SetCaption("Row " + std::to_string(i));
    }
};

// True when the rectangle lies whole inside the rows shown.
bool Shown(const RECT& row, const RECT& rows) {
    return row.top >= rows.top && row.bottom <= rows.bottom;
}

bool NodeShown(const TTreeView& tree, const TTreeNode* node) {
    return Shown(tree.RowRect(node), tree.RowsRect());
}

bool RowShown(const TListView& list, int index) {
    return Shown(list.ItemRect(index), list.RowsRect());
}

std::vector<std::string> States(const TControl& control) {
    std::vector<std::string> states, lines;
    control.DescribeState(states, lines);
    return states;
}

bool HasState(const TControl& control, const std::string& state) {
    for (const std::string& s : States(control))
        if (s == state)
            return true;
    return false;
}

} // namespace

TEST(ScrollingRows, ATreeShowsAScrollBarOnlyWhenItsRowsDoNotFit) {
    Rows r;
    std::vector<TTreeNode*> nodes = r.Folders(5);
    EXPECT_TRUE(IsRectEmpty(r.tree->ScrollBarRect()));
    EXPECT_EQ(r.tree->RowsRect().right, r.tree->Width() - 2);
    for (TTreeNode* n : r.Folders(35))
        nodes.push_back(n);
    controls::ScrollRange range = r.tree->VerticalRange();
    EXPECT_TRUE(range.Needed());
    EXPECT_EQ(range.Count, 40);
    EXPECT_EQ(range.Page, (280 - 4) / r.tree->RowHeight());
    RECT bar = r.tree->ScrollBarRect();
    EXPECT_EQ(bar.right - bar.left, controls::kScrollBarSize);
    EXPECT_EQ(r.tree->RowsRect().right, bar.left);
    // The dump says which rows show; a click on the bar selects nothing.
    EXPECT_TRUE(HasState(*r.tree, "rows 1-" + std::to_string(range.Page) + " of 40"));
    controls::Click(*r.tree, POINT{(bar.left + bar.right) / 2, bar.bottom - 40});
    EXPECT_EQ(r.tree->Selected(), nullptr);
    EXPECT_EQ(r.tree->GetNodeAt((bar.left + bar.right) / 2, 10), nullptr);
}

TEST(ScrollingRows, TheSelectedNodeIsScrolledIntoView) {
    Rows r;
    std::vector<TTreeNode*> nodes = r.Folders(40);
    EXPECT_FALSE(NodeShown(*r.tree, nodes.back()));
    r.tree->SetSelected(nodes.back());
    EXPECT_TRUE(NodeShown(*r.tree, nodes.back()));
    EXPECT_EQ(r.tree->VerticalRange().Top, r.tree->VerticalRange().MaxTop());
    EXPECT_EQ(r.tree->GetNodeAt(20, r.tree->RowRect(nodes.back()).top + 2), nodes.back());
    r.tree->SetSelected(nodes[3]);
    EXPECT_EQ(r.tree->TopItem(), nodes[3]);
    // A node inside a closed parent: the parent opens and the node shows.
    TTreeNode* inner = r.tree->Items()->AddChild(nodes[30], "Inner");
    r.tree->SetSelected(inner);
    EXPECT_TRUE(nodes[30]->Expanded());
    EXPECT_TRUE(NodeShown(*r.tree, inner));
}

TEST(ScrollingRows, TheKeysMoveTheSelectionAndTheViewFollows) {
    Rows r;
    std::vector<TTreeNode*> nodes = r.Folders(40);
    const int page = r.tree->VerticalRange().Page;
    r.tree->SetFocus();
    r.tree->SetSelected(nodes[0]);
    struct Case {
        WORD Key;
        int Expected;
    };
    // Page Down goes to the last row shown, then a page further; Page Up
    // likewise back; End and Home to the ends; the arrows one row.
    const Case cases[] = {
        {VK_NEXT, page - 1},
        {VK_NEXT, 2 * page - 2},
        {VK_DOWN, 2 * page - 1},
        {VK_PRIOR, page},
        {VK_PRIOR, 1},
        {VK_END, 39},
        {VK_UP, 38},
        {VK_HOME, 0},
        {VK_UP, 0},
    };
    for (const Case& c : cases) {
        controls::PressKey(*r.form, c.Key);
        ASSERT_EQ(r.tree->Selected(), nodes[static_cast<size_t>(c.Expected)]) << c.Key;
        EXPECT_TRUE(NodeShown(*r.tree, r.tree->Selected())) << c.Key;
    }
    EXPECT_TRUE(r.tree->WantsKey(VK_NEXT) && r.tree->WantsKey(VK_HOME));
}

TEST(ScrollingRows, TheWheelAndTheBarScrollWithoutChangingTheSelection) {
    Rows r;
    std::vector<TTreeNode*> nodes = r.Folders(40);
    r.tree->SetSelected(nodes[0]);
    // A notch toward the user scrolls three rows down; away, back up.
    EXPECT_TRUE(controls::TurnWheel(*r.tree, -1));
    EXPECT_EQ(r.tree->VerticalRange().Top, controls::kWheelRows);
    EXPECT_TRUE(controls::TurnWheel(*r.tree, 1));
    EXPECT_EQ(r.tree->VerticalRange().Top, 0);
    EXPECT_TRUE(controls::TurnWheel(*r.tree, -100));
    EXPECT_EQ(r.tree->VerticalRange().Top, r.tree->VerticalRange().MaxTop());
    EXPECT_EQ(r.tree->Selected(), nodes[0]);
    // The bar's up button scrolls a row, the track above the thumb a page.
    RECT bar = r.tree->ScrollBarRect();
    int x = (bar.left + bar.right) / 2;
    int top = r.tree->VerticalRange().Top;
    controls::Click(*r.tree, POINT{x, bar.top + 4});
    EXPECT_EQ(r.tree->VerticalRange().Top, top - 1);
    RECT thumb = controls::ScrollThumbRect(bar, r.tree->VerticalRange());
    controls::Click(*r.tree, POINT{x, thumb.top - 2});
    EXPECT_EQ(r.tree->VerticalRange().Top, top - 1 - r.tree->VerticalRange().Page);
    // A double click on the bar scrolls twice and chooses nothing.
    int doubleClicks = 0;
    r.tree->OnDblClick = [&](TObject*) { ++doubleClicks; };
    top = r.tree->VerticalRange().Top;
    controls::DoubleClick(*r.tree, POINT{x, bar.bottom - 4});
    EXPECT_EQ(r.tree->VerticalRange().Top, top + 2);
    EXPECT_EQ(doubleClicks, 0);
    EXPECT_EQ(r.tree->Selected(), nodes[0]);
}

TEST(ScrollingRows, TheThumbShowsWhichRowsShow) {
    RECT bar = Rect(0, 0, 16, 216);
    controls::ScrollRange range{0, 10, 40};
    RECT first = controls::ScrollThumbRect(bar, range);
    EXPECT_EQ(first.top, 16);
    EXPECT_EQ(first.bottom - first.top, (216 - 32) * 10 / 40);
    range.Top = range.MaxTop();
    RECT last = controls::ScrollThumbRect(bar, range);
    EXPECT_EQ(last.bottom, 200);
    EXPECT_EQ(controls::ScrollPartAt(bar, range, POINT{8, 4}), controls::ScrollPart::LineUp);
    EXPECT_EQ(controls::ScrollPartAt(bar, range, POINT{8, 212}), controls::ScrollPart::LineDown);
    EXPECT_EQ(controls::ScrollPartAt(bar, range, POINT{8, 20}), controls::ScrollPart::PageUp);
    EXPECT_EQ(controls::ScrollPartAt(bar, range, POINT{8, 190}), controls::ScrollPart::Thumb);
    // However many rows there are, the thumb can be seen.
    EXPECT_GE(controls::ScrollThumbRect(bar, controls::ScrollRange{0, 1, 100000}).bottom - 16, 8);
}

TEST(ScrollingRows, SelectingANodeBelowTheRowsScrollsToItAndClicksIt) {
    Rows r;
    std::vector<TTreeNode*> nodes = r.Folders(30);
    TTreeNode* store = nodes.back();
    store->SetHasChildren(true);
    r.tree->OnExpanding = [&](TObject*, TTreeNode* node, bool&) {
        node->DeleteChildren();
        for (int i = 1; i <= 20; ++i)
            r.tree->Items()->AddChild(node, "Child " + std::to_string(i));
    };
    std::vector<POINT> presses;
    r.tree->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        presses.push_back(POINT{X, Y});
    };
    int doubleClicks = 0;
    r.tree->OnDblClick = [&](TObject*) { ++doubleClicks; };
    // The store lies below the rows: the user scrolls to it, opens it by its
    // button, then scrolls to its last child and clicks it.
    TTreeNode* last = controls::SelectNode(*r.tree, "Folder 30\\Child 20");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Text(), "Child 20");
    EXPECT_TRUE(NodeShown(*r.tree, last));
    ASSERT_FALSE(presses.empty());
    // Every press landed inside the tree, and the last one on the node.
    for (POINT p : presses)
        EXPECT_TRUE(PtInRect(r.tree->ClientRect(), p));
    EXPECT_EQ(r.tree->GetNodeAt(presses.back().x, presses.back().y), last);
    // Back at the top, a double click on the last child scrolls to it first.
    controls::PressKey(*r.form, VK_HOME);
    EXPECT_FALSE(NodeShown(*r.tree, last));
    EXPECT_TRUE(controls::DoubleClickNode(*r.tree, *last));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(r.tree->Selected(), last);
    // A node hidden in a closed parent cannot be scrolled to.
    store->Collapse(false);
    EXPECT_FALSE(controls::ScrollToNode(*r.tree, *last));
}

TEST(ScrollingRows, OpeningANodeBringsItsChildrenIntoView) {
    Rows r;
    std::vector<TTreeNode*> nodes = r.Folders(40);
    const int page = r.tree->VerticalRange().Page;
    TTreeNode* parent = nodes[static_cast<size_t>(page - 2)];
    for (int i = 1; i <= 5; ++i)
        r.tree->Items()->AddChild(parent, "Child " + std::to_string(i));
    RECT row = r.tree->RowRect(parent);
    // The parent's button, in the row's first column.
    controls::Click(*r.tree, POINT{row.left + r.tree->Indent() / 2, (row.top + row.bottom) / 2});
    ASSERT_TRUE(parent->Expanded());
    EXPECT_TRUE(NodeShown(*r.tree, parent->Item(4)));
    EXPECT_TRUE(NodeShown(*r.tree, parent));
    // Opened by the Right key, the same.
    TTreeNode* next = nodes[static_cast<size_t>(page + 3)];
    for (int i = 1; i <= 3; ++i)
        r.tree->Items()->AddChild(next, "Other " + std::to_string(i));
    r.tree->SetFocus();
    r.tree->SetSelected(next);
    ASSERT_TRUE(NodeShown(*r.tree, next));
    ASSERT_FALSE(NodeShown(*r.tree, next->Item(2)));
    controls::PressKey(*r.form, VK_RIGHT);
    ASSERT_TRUE(next->Expanded());
    EXPECT_TRUE(NodeShown(*r.tree, next->Item(2)));
    // Many children: the node stays at the top, its first children below it.
    TTreeNode* big = nodes[static_cast<size_t>(page + 10)];
    for (int i = 1; i <= 3 * page; ++i)
        r.tree->Items()->AddChild(big, "Many " + std::to_string(i));
    r.tree->SetSelected(big);
    controls::PressKey(*r.form, VK_RIGHT);
    EXPECT_EQ(r.tree->TopItem(), big);
}

TEST(ScrollingRows, AListScrollsLikeATree) {
    Rows r;
    r.ListRows(5);
    EXPECT_TRUE(IsRectEmpty(r.list->ScrollBarRect()));
    r.list->Items()->Clear();
    r.ListRows(40);
    controls::ScrollRange range = r.list->VerticalRange();
    ASSERT_TRUE(range.Needed());
    EXPECT_EQ(range.Page, r.list->VisibleRowCount());
    EXPECT_TRUE(HasState(*r.list, "rows 1-" + std::to_string(range.Page) + " of 40"));
    // The bar runs beside the header; the rows start below it.
    EXPECT_EQ(r.list->ScrollBarRect().top, 2);
    EXPECT_EQ(r.list->RowsRect().top, 2 + r.list->HeaderHeight());
    // A click selects a row below the rows shown after scrolling to it.
    std::vector<std::string> events;
    r.list->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        if (selected)
            events.push_back(item->Caption());
    };
    EXPECT_TRUE(controls::SelectRow(*r.list, 39));
    EXPECT_TRUE(RowShown(*r.list, 39));
    EXPECT_EQ(r.list->TopItem(), r.list->Items()->Item(40 - range.Page));
    EXPECT_EQ(events, std::vector<std::string>{"Row 40"});
    // The keys.
    struct Case {
        WORD Key;
        int Expected;
    };
    const Case cases[] = {{VK_HOME, 0},          {VK_NEXT, range.Page - 1},
                          {VK_DOWN, range.Page}, {VK_PRIOR, 1},
                          {VK_END, 39},          {VK_UP, 38}};
    for (const Case& c : cases) {
        controls::PressKey(*r.form, c.Key);
        ASSERT_EQ(r.list->ItemIndex(), c.Expected) << c.Key;
        EXPECT_TRUE(RowShown(*r.list, c.Expected)) << c.Key;
    }
    // The wheel scrolls and leaves the selection.
    controls::PressKey(*r.form, VK_HOME);
    EXPECT_TRUE(controls::TurnWheel(*r.list, -2));
    EXPECT_EQ(r.list->VerticalRange().Top, 2 * controls::kWheelRows);
    EXPECT_EQ(r.list->ItemIndex(), 0);
    // The bar's down button scrolls a row and selects nothing.
    RECT bar = r.list->ScrollBarRect();
    controls::Click(*r.list, POINT{(bar.left + bar.right) / 2, bar.bottom - 4});
    EXPECT_EQ(r.list->VerticalRange().Top, 2 * controls::kWheelRows + 1);
    EXPECT_EQ(r.list->ItemIndex(), 0);
    // MakeVisible brings a row back; removing rows keeps the view in range.
    r.list->Items()->Item(0)->MakeVisible(false);
    EXPECT_EQ(r.list->VerticalRange().Top, 0);
    r.list->SetItemIndex(39);
    while (r.list->Items()->Count() > 3)
        r.list->Items()->Delete(r.list->Items()->Count() - 1);
    EXPECT_EQ(r.list->VerticalRange().Top, 0);
    EXPECT_TRUE(IsRectEmpty(r.list->ScrollBarRect()));
}

TEST(ScrollingRows, AListRowCutByTheBottomEdgeShowsEnoughWhenPartOfItWillDo) {
    Rows r;
    r.ListRows(40);
    // Ten whole rows and half of the next.
    int rowHeight = r.list->RowHeight();
    r.list->SetBounds(216, 8, 176, 4 + r.list->HeaderHeight() + 10 * rowHeight + rowHeight / 2);
    ASSERT_EQ(r.list->VerticalRange().Page, 10);
    TListItem* cut = r.list->Items()->Item(10);
    ASSERT_LT(r.list->ItemRect(10).top, r.list->RowsRect().bottom);
    ASSERT_FALSE(RowShown(*r.list, 10));
    cut->MakeVisible(true);
    EXPECT_EQ(r.list->VerticalRange().Top, 0) << "part of the row shows already";
    cut->MakeVisible(false);
    EXPECT_EQ(r.list->VerticalRange().Top, 1);
    EXPECT_TRUE(RowShown(*r.list, 10));
    // A row wholly out of view is scrolled to either way.
    r.list->Items()->Item(39)->MakeVisible(true);
    EXPECT_EQ(r.list->VerticalRange().Top, 30);
    r.list->Items()->Item(0)->MakeVisible(true);
    EXPECT_EQ(r.list->VerticalRange().Top, 0);
}
