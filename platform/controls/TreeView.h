// TTreeView: the class library's tree of captioned nodes, with its nodes
// (TTreeNode) and their list (TTreeNodes). A node has a caption, a Data
// pointer of the program's, image and state-image indexes, children, and
// may claim children it does not have yet (HasChildren), which the program
// adds when the node expands (OnExpanding): a folder tree fills itself
// lazily that way. The tree selects a node by the mouse (the right button
// too with RightClickSelect), expands and collapses it by its button, a
// double click or the arrow keys, and sorts nodes by caption, alphabetically
// and ignoring letter case. When its rows do not fit, a scroll bar shows
// beside them: the bar's buttons and track, the mouse wheel and the keys
// (arrows, Page Up and Down, Home, End) scroll, and the selected node is
// always scrolled into view.
//
// Deleting a node fires OnDeletion for it and each node below it (children
// first) while the node still holds its Data, whenever a node goes: deleted,
// cleared, or with the tree; so the program releases Data there. A handler
// may delete the node it is called for (even from OnExpanding): the tree
// asks the node's liveness before touching it again.
#pragma once

#include "platform/controls/ScrollBar.h"
#include "platform/controls/WinControl.h"

#include <vector>

class TTreeView;
class TTreeNodes;
class TCustomImageList;

class TTreeNode : public TPersistent {
public:
    // A node of `owner`'s tree; placed by TTreeNodes.
    explicit TTreeNode(TTreeNodes* owner) : owner_(owner) {}
    // Fires OnDeletion for its children and itself, then leaves its parent.
    ~TTreeNode() override;

    // The node's liveness: a watch taken before a call that may delete it.
    rtl::TLifeWatch Watch() const { return liveness_.Watch(); }

    // The caption.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    // The program's own pointer (not owned: release it in OnDeletion).
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    // The images shown before the caption (-1: none).
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int value) { selectedIndex_ = value; }
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int value);

    // True when the node has children or claims to.
    bool HasChildren() const { return hasChildren_ || !children_.empty(); }
    void SetHasChildren(bool value);
    // Whether the children are shown; expanding fires OnExpanding, which may
    // refuse or fill the node, then OnExpanded.
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool value);
    // Expands (or collapses) the node, and with `recurse` everything below.
    void Expand(bool recurse);
    void Collapse(bool recurse);
    // Whether the node is the tree's selected node.
    bool Selected() const;
    void SetSelected(bool value);
    // True when every parent is expanded.
    bool IsVisible() const;
    // Expands the parents and scrolls the tree until the node's row shows.
    void MakeVisible();

    // The children.
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const;
    TTreeNode* getFirstChild() const { return children_.empty() ? nullptr : children_.front(); }
    TTreeNode* getNextSibling() const;
    TTreeNode* getPrevSibling() const;
    // The next node in tree order (children first), or nullptr.
    TTreeNode* GetNext() const;
    // The parent node, or nullptr for a root.
    TTreeNode* Parent() const { return parent_; }
    // The depth (0 for a root), the place among its siblings, and in the whole tree.
    int Level() const;
    int Index() const;
    int AbsoluteIndex() const;
    // The tree and its list of nodes.
    TTreeView* TreeView() const;
    TTreeNodes* Owner() const { return owner_; }

    // Deletes the node (and its children).
    void Delete();
    // Deletes the children.
    void DeleteChildren();
    // Sorts the children by caption (and with `recurse` theirs too).
    void AlphaSort(bool recurse = false);

private:
    friend class TTreeNodes;
    std::vector<TTreeNode*>& Siblings() const;

    rtl::TLiveness liveness_;
    TTreeNodes* owner_;
    TTreeNode* parent_ = nullptr;
    std::vector<TTreeNode*> children_;
    std::string text_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = -1;
    bool hasChildren_ = false;
    bool expanded_ = false;
};

class TTreeNodes : public TPersistent {
public:
    // The nodes of `owner`.
    explicit TTreeNodes(TTreeView* owner) : owner_(owner) {}
    // Deletes every node.
    ~TTreeNodes() override;

    // The tree.
    TTreeView* Owner() const { return owner_; }
    // The number of nodes in the whole tree.
    int Count() const;
    // The node at a place in tree order (EListError when outside).
    TTreeNode* Item(int index) const;
    // The first root node, or nullptr.
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
    // The root nodes.
    const std::vector<TTreeNode*>& Roots() const { return roots_; }

    // A node after the last sibling of `sibling` (a root when nullptr).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
    // A node before the first sibling of `sibling`.
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    // A node as the last child of `parent` (a root when nullptr).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
    // A node just before `sibling`.
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
    // Deletes a node and its children.
    void Delete(TTreeNode* node);
    // Deletes every node.
    void Clear();
    // Batches changes (the tree paints once afterwards).
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TTreeView;
    TTreeNode* Place(TTreeNode* parent, size_t at, const std::string& text, void* data);

    TTreeView* owner_;
    std::vector<TTreeNode*> roots_;
    int updating_ = 0;
};

// Handler types of the tree's events.
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TTreeView : public TCustomControl {
public:
    // A 121 x 97 tree without nodes.
    explicit TTreeView(TComponent* AOwner);
    // Deletes the nodes (OnDeletion fires for each) while the tree is whole.
    ~TTreeView() override;

    // The nodes.
    TTreeNodes* Items() const { return items_.get(); }
    // The selected node, or nullptr; selecting shows the node (its parents expand).
    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);
    // The node shown at a point of the client area, or nullptr.
    TTreeNode* GetNodeAt(int X, int Y) const;
    // The rectangle of a visible node's row (client coordinates, outside
    // RowsRect when scrolled away), empty when hidden in a closed parent.
    RECT RowRect(const TTreeNode* node) const;
    // The height of a row.
    int RowHeight() const;
    // The part of the client area that shows rows (left of the scroll bar).
    RECT RowsRect() const;
    // The vertical scroll bar, empty when the rows fit.
    RECT ScrollBarRect() const;
    // Which rows show: the first, how many fit whole, how many there are.
    controls::ScrollRange VerticalRange() const;
    // The node in the first row shown, or nullptr; setting it scrolls.
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);

    // Whether captions cannot be edited in place (always so here).
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // Whether the selection covers the whole row.
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    // Whether the right button selects too.
    bool RightClickSelect() const { return rightClickSelect_; }
    void SetRightClickSelect(bool value) { rightClickSelect_ = value; }
    // The indent of each level.
    int Indent() const { return indent_; }
    void SetIndent(int value);
    // Whether expand buttons are shown, and for root nodes too.
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value) { showLines_ = value; }
    // Whether the selection stays visible when the tree has no focus.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }
    // The images before captions, and the state images.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* value);
    // Sorts the root nodes (and with `recurse` everything) by caption.
    void AlphaSort(bool recurse = true);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool WantsKey(WORD Key) const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The visible nodes, one line each: "-" open, "+" closed with children,
    // "*" selected, indented by level; "rows A-B of N" when they do not fit.
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;

    // Fired when the selection changed, before it changes, and around expanding.
    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    // Fired for every node that goes, while it still holds its Data.
    TTVExpandedEvent OnDeletion;

protected:
    void Paint() override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    // The visible nodes in display order.
    std::vector<TTreeNode*> VisibleNodes() const;
    // Which rows show, given the visible nodes (VerticalRange without a second walk).
    controls::ScrollRange RangeOf(const std::vector<TTreeNode*>& nodes) const;
    // The x of a node's level (where its button column starts).
    int LevelX(const TTreeNode* node) const;
    // Expands or collapses by a user (a node the handler deleted is left
    // alone); opened, its children scroll into view as far as the node allows.
    void Toggle(TTreeNode* node);
    // The node a key moves the selection to from the selected one, or nullptr.
    TTreeNode* KeyTarget(WORD key) const;
    // Shows the rows from the first given on (kept inside the range).
    void ScrollTo(int top);
    // Paints a node's row at y; a selected row's mark ends at right.
    void PaintNode(TCanvas& c, TTreeNode* node, int y, int right);
    // The dotted lines that join a node to its parent and siblings.
    void PaintLines(TCanvas& c, TTreeNode* node, int y);
    // A node leaves: the selection must not point at it.
    void NodeGone(TTreeNode* node);

    std::unique_ptr<TTreeNodes> items_;
    TTreeNode* selected_ = nullptr;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    bool readOnly_ = false;
    bool rowSelect_ = false;
    bool rightClickSelect_ = false;
    int indent_ = 19;
    bool showButtons_ = true;
    bool showRoot_ = true;
    bool showLines_ = true;
    bool hideSelection_ = true;
    // The first row shown, and the wheel's turn smaller than a notch.
    int topRow_ = 0;
    int wheelLeftOver_ = 0;
    // Whether the last press of the button was on the scroll bar.
    bool downOnBar_ = false;
};
