// The user-input layer for the controls that hold choices: check boxes,
// tree nodes and list rows, scrolled to before they are clicked.
#include "platform/controls/ListView.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <functional>

namespace controls {

namespace {

// The child (or root, for nullptr) of that caption, letter case ignored.
TTreeNode* ChildNamed(TTreeView& tree, TTreeNode* parent, std::string_view caption) {
    TTreeNode* n = parent ? parent->getFirstChild() : tree.Items()->GetFirstNode();
    for (; n; n = n->getNextSibling())
        if (text::SameText(n->Text(), caption))
            return n;
    return nullptr;
}

// Where the node's level starts in its row: its button's column lies left of it.
int LevelLeft(const TTreeView& tree, const TTreeNode& node, const RECT& row) {
    return row.left + (node.Level() + (tree.ShowRoot() ? 1 : 0)) * tree.Indent();
}

// Where a user clicks a node: on its caption, within the rows shown.
POINT CaptionPoint(TTreeView& tree, const TTreeNode& node) {
    RECT row = tree.RowRect(&node);
    int x = LevelLeft(tree, node, row) + 4;
    return POINT{std::min<int>(x, tree.RowsRect().right - 1), (row.top + row.bottom) / 2};
}

// Scrolls a control of rows as a user would until row() lies whole inside
// rows(): the wheel while the row is a notch or more away, then the bar's
// arrow buttons. False when the row does not come into view at all.
bool ScrollUntilShown(TControl& control, const std::function<RECT()>& row,
                      const std::function<RECT()>& rows, const std::function<RECT()>& bar) {
    rtl::TLifeWatch alive = control.Watch();
    for (;;) {
        RECT r = row();
        RECT area = rows();
        if (r.top >= area.top && r.bottom <= area.bottom)
            return true;
        bool up = r.top < area.top;
        int height = std::max<int>(1, r.bottom - r.top);
        int away = up ? area.top - r.top : r.bottom - area.bottom;
        RECT b = bar();
        int button = b.right - b.left;
        if ((away + height - 1) / height >= kWheelRows)
            TurnWheel(control, up ? 1 : -1,
                      POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2});
        else if (!IsRectEmpty(b))
            Click(control,
                  POINT{(b.left + b.right) / 2, up ? b.top + button / 2 : b.bottom - button / 2});
        if (!alive)
            return false;
        RECT moved = row();
        // A row that no longer moves is as far in view as it gets.
        if (moved.top == r.top)
            return !IsRectEmpty(IntersectRect(moved, area));
    }
}

// Opens a closed node by its button, scrolling to it first.
bool OpenByButton(TTreeView& tree, TTreeNode& node) {
    rtl::TLifeWatch alive = tree.Watch();
    rtl::TLifeWatch nodeAlive = node.Watch();
    if (!tree.ShowButtons()) {
        node.SetExpanded(true);
        return alive && nodeAlive;
    }
    if (!ScrollToNode(tree, node) || !alive || !nodeAlive)
        return false;
    RECT row = tree.RowRect(&node);
    int buttonX = LevelLeft(tree, node, row) - tree.Indent() / 2;
    Click(tree, POINT{buttonX, (row.top + row.bottom) / 2});
    // The expanding handler may have deleted the node (or the tree).
    return alive && nodeAlive;
}

} // namespace

void Check(TCheckBox& box, bool checked) {
    if (box.Checked() != checked)
        Click(box);
}

TTreeNode* SelectNode(TTreeView& tree, std::string_view path) {
    rtl::TLifeWatch alive = tree.Watch();
    TTreeNode* node = nullptr;
    std::string_view rest = path;
    for (;;) {
        size_t slash = rest.find('\\');
        std::string_view step = rest.substr(0, slash);
        TTreeNode* next = ChildNamed(tree, node, step);
        if (!next)
            return nullptr;
        node = next;
        if (slash == std::string_view::npos)
            break;
        rest.remove_prefix(slash + 1);
        // The next step lies inside: open the node by its button, as a user
        // would (its expanding handler may fill it now).
        if (!node->Expanded() && !OpenByButton(tree, *node))
            return nullptr;
    }
    rtl::TLifeWatch nodeAlive = node->Watch();
    if (!ScrollToNode(tree, *node) || !alive || !nodeAlive)
        return nullptr;
    Click(tree, CaptionPoint(tree, *node));
    return alive && nodeAlive && tree.Selected() == node ? node : nullptr;
}

bool ScrollToNode(TTreeView& tree, TTreeNode& node) {
    if (!node.IsVisible())
        return false;
    return ScrollUntilShown(
        tree, [&tree, &node] { return tree.RowRect(&node); }, [&tree] { return tree.RowsRect(); },
        [&tree] { return tree.ScrollBarRect(); });
}

bool DoubleClickNode(TTreeView& tree, TTreeNode& node) {
    rtl::TLifeWatch alive = tree.Watch();
    rtl::TLifeWatch nodeAlive = node.Watch();
    if (!ScrollToNode(tree, node) || !alive || !nodeAlive)
        return false;
    POINT at = CaptionPoint(tree, node);
    if (tree.GetNodeAt(at.x, at.y) != &node)
        return false;
    return DoubleClick(tree, at);
}

bool SelectRow(TListView& list, int index) {
    if (index < 0 || index >= list.Items()->Count())
        return false;
    rtl::TLifeWatch alive = list.Watch();
    TListItem* item = list.Items()->Item(index);
    bool shown = ScrollUntilShown(
        list, [&list, item] { return list.ItemRect(item->Index()); },
        [&list] { return list.RowsRect(); }, [&list] { return list.ScrollBarRect(); });
    if (!shown || !alive || list.Items()->Count() <= index || list.Items()->Item(index) != item)
        return false;
    RECT row = list.ItemRect(index);
    return Click(list, POINT{row.left + 4, (row.top + row.bottom) / 2}) && alive &&
           list.Selected() == item;
}

} // namespace controls
