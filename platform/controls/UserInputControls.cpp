// The user-input layer for the controls that hold choices: check boxes,
// tree nodes and list rows.
#include "platform/controls/ListView.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"
#include "platform/text/Text.h"

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
        if (!node->Expanded()) {
            rtl::TLifeWatch nodeAlive = node->Watch();
            RECT row = tree.RowRect(node);
            int buttonX = row.left + (node->Level() + (tree.ShowRoot() ? 1 : 0)) * tree.Indent() -
                          tree.Indent() / 2;
            if (IsRectEmpty(row) || !tree.ShowButtons())
                node->SetExpanded(true);
            else
                Click(tree, POINT{buttonX, (row.top + row.bottom) / 2});
            // The expanding handler may have deleted the node (or the tree).
            if (!alive || !nodeAlive)
                return nullptr;
        }
    }
    RECT row = tree.RowRect(node);
    if (IsRectEmpty(row) || row.top >= tree.Height()) {
        // Below the visible rows: the user scrolls to it; the selection is the same.
        tree.SetFocus();
        tree.SetSelected(node);
        Settle(tree);
    } else {
        int labelX = row.left + (node->Level() + (tree.ShowRoot() ? 1 : 0)) * tree.Indent() + 4;
        Click(tree, POINT{labelX, (row.top + row.bottom) / 2});
    }
    return alive && tree.Selected() == node ? node : nullptr;
}

bool SelectRow(TListView& list, int index) {
    if (index < 0 || index >= list.Items()->Count())
        return false;
    RECT row = list.ItemRect(index);
    if (row.bottom > list.Height()) {
        list.SetFocus();
        list.SetItemIndex(index);
        Settle(list);
        return true;
    }
    return Click(list, POINT{row.left + 4, (row.top + row.bottom) / 2});
}

} // namespace controls
