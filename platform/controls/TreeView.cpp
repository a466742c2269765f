// The tree view, its nodes and their list.
#include "platform/controls/TreeView.h"

#include "platform/controls/Form.h"
#include "platform/controls/Paint3D.h"
#include "platform/gfx/ImageList.h"
#include "platform/text/Text.h"
#include "platform/win/Hook.h"

#include <algorithm>

namespace {

// Alphabetic order ignoring letter case; equal captions keep their order.
void SortNodes(std::vector<TTreeNode*>& nodes, bool recurse) {
    std::stable_sort(nodes.begin(), nodes.end(), [](const TTreeNode* a, const TTreeNode* b) {
        return text::CompareText(a->Text(), b->Text()) < 0;
    });
    if (recurse)
        for (TTreeNode* n : nodes)
            n->AlphaSort(true);
}

} // namespace

// ---- TTreeNode

TTreeNode::~TTreeNode() {
    liveness_.End();
    // Nodes are released through TTreeNodes::Delete; what is left goes quietly.
    for (TTreeNode* child : children_) {
        child->parent_ = nullptr;
        delete child;
    }
}

std::vector<TTreeNode*>& TTreeNode::Siblings() const {
    return parent_ ? parent_->children_ : owner_->roots_;
}

TTreeView* TTreeNode::TreeView() const {
    return owner_->Owner();
}

void TTreeNode::SetText(const std::string& value) {
    text_ = value;
    TreeView()->Invalidate();
}

void TTreeNode::SetImageIndex(int value) {
    imageIndex_ = value;
    TreeView()->Invalidate();
}

void TTreeNode::SetStateIndex(int value) {
    stateIndex_ = value;
    TreeView()->Invalidate();
}

void TTreeNode::SetHasChildren(bool value) {
    hasChildren_ = value;
    TreeView()->Invalidate();
}

void TTreeNode::SetExpanded(bool value) {
    if (value == expanded_)
        return;
    TTreeView* tree = TreeView();
    rtl::TLifeWatch alive = Watch();
    bool allow = true;
    if (value) {
        // A node without children (claimed or real) has nothing to show.
        if (!HasChildren())
            return;
        if (!rtl::FireSurvives(liveness_, tree->OnExpanding, tree, this, allow) || !allow)
            return;
        if (children_.empty())
            return;
    } else if (!rtl::FireSurvives(liveness_, tree->OnCollapsing, tree, this, allow) || !allow) {
        return;
    }
    expanded_ = value;
    // The selection cannot stay inside a collapsed node.
    if (!value)
        for (TTreeNode* s = tree->Selected(); s; s = s->parent_)
            if (s->parent_ == this) {
                tree->SetSelected(this);
                break;
            }
    if (!alive)
        return;
    tree->Invalidate();
    rtl::FireSurvives(liveness_, value ? tree->OnExpanded : tree->OnCollapsed, tree, this);
}

void TTreeNode::Expand(bool recurse) {
    rtl::TLifeWatch alive = Watch();
    SetExpanded(true);
    if (!recurse || !alive)
        return;
    std::vector<TTreeNode*> children = children_;
    for (TTreeNode* child : children)
        child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (recurse)
        for (TTreeNode* child : std::vector<TTreeNode*>(children_))
            child->Collapse(true);
    SetExpanded(false);
}

bool TTreeNode::Selected() const {
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool value) {
    if (value)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (!p->expanded_)
            return false;
    return true;
}

void TTreeNode::MakeVisible() {
    TTreeView* tree = TreeView();
    rtl::TLifeWatch alive = Watch();
    for (TTreeNode* p = parent_; p && alive; p = p->parent_)
        if (!p->expanded_)
            p->SetExpanded(true);
    if (!alive || !IsVisible())
        return;
    std::vector<TTreeNode*> nodes = tree->VisibleNodes();
    auto at = std::find(nodes.begin(), nodes.end(), this);
    if (at != nodes.end())
        tree->ScrollTo(tree->RangeOf(nodes).TopShowing(static_cast<int>(at - nodes.begin())));
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("Tree view index out of range (" + std::to_string(index) + ")");
    return children_[static_cast<size_t>(index)];
}

TTreeNode* TTreeNode::getNextSibling() const {
    const auto& s = Siblings();
    auto at = std::find(s.begin(), s.end(), this);
    return at == s.end() || at + 1 == s.end() ? nullptr : *(at + 1);
}

TTreeNode* TTreeNode::getPrevSibling() const {
    const auto& s = Siblings();
    auto at = std::find(s.begin(), s.end(), this);
    return at == s.end() || at == s.begin() ? nullptr : *(at - 1);
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty())
        return children_.front();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* next = n->getNextSibling())
            return next;
    return nullptr;
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

int TTreeNode::Index() const {
    const auto& s = Siblings();
    return static_cast<int>(std::find(s.begin(), s.end(), this) - s.begin());
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (TTreeNode* n = owner_->GetFirstNode(); n && n != this; n = n->GetNext())
        ++index;
    return index;
}

void TTreeNode::Delete() {
    owner_->Delete(this);
}

void TTreeNode::DeleteChildren() {
    while (!children_.empty())
        owner_->Delete(children_.back());
    hasChildren_ = false;
    expanded_ = false;
}

void TTreeNode::AlphaSort(bool recurse) {
    SortNodes(children_, recurse);
    TreeView()->Invalidate();
}

// ---- TTreeNodes

TTreeNodes::~TTreeNodes() {
    for (TTreeNode* root : roots_)
        delete root;
}

int TTreeNodes::Count() const {
    int count = 0;
    for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext())
        ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int index) const {
    TTreeNode* n = GetFirstNode();
    for (int i = 0; n && i < index; ++i)
        n = n->GetNext();
    if (index < 0 || !n)
        throw EListError("Tree view index out of range (" + std::to_string(index) + ")");
    return n;
}

TTreeNode* TTreeNodes::Place(TTreeNode* parent, size_t at, const std::string& text, void* data) {
    auto* node = new TTreeNode(this);
    node->parent_ = parent;
    node->text_ = text;
    node->data_ = data;
    auto& list = parent ? parent->children_ : roots_;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(at, list.size())), node);
    owner_->Invalidate();
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    return AddObject(sibling, text, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
    TTreeNode* parent = sibling ? sibling->parent_ : nullptr;
    return Place(parent, SIZE_MAX, text, data);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
    return Place(sibling ? sibling->parent_ : nullptr, 0, text, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    return AddChildObject(parent, text, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
    return Place(parent, SIZE_MAX, text, data);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
    if (!sibling)
        return Add(nullptr, text);
    return Place(sibling->parent_, static_cast<size_t>(sibling->Index()), text, nullptr);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node->owner_ != this)
        return;
    rtl::TLifeWatch alive = node->Watch();
    while (alive && !node->children_.empty())
        Delete(node->children_.back());
    if (!alive)
        return;
    // The program releases Data here, while the node is still whole.
    rtl::FireSurvives(node->liveness_, owner_->OnDeletion, owner_, node);
    if (!alive)
        return;
    owner_->NodeGone(node);
    auto& list = node->Siblings();
    list.erase(std::remove(list.begin(), list.end(), node), list.end());
    if (node->parent_ && node->parent_->children_.empty())
        node->parent_->expanded_ = false;
    delete node;
    owner_->Invalidate();
}

void TTreeNodes::Clear() {
    while (!roots_.empty())
        Delete(roots_.back());
}

void TTreeNodes::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0)
        owner_->Invalidate();
}

// ---- TTreeView

TTreeView::TTreeView(TComponent* AOwner)
    : TCustomControl(AOwner), items_(std::make_unique<TTreeNodes>(this)) {
    StoreBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TTreeView::~TTreeView() {
    items_->Clear();
}

void TTreeView::NodeGone(TTreeNode* node) {
    if (selected_ == node)
        selected_ = nullptr;
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_)
        return;
    rtl::TLifeWatch alive = Watch();
    bool allow = true;
    if (node && (!rtl::FireSurvives(liveness_, OnChanging, this, node, allow) || !allow))
        return;
    // Selecting a hidden node shows it (expanding may refill a parent and
    // take the node with it).
    rtl::TLifeWatch nodeAlive = node ? node->Watch() : rtl::TLifeWatch();
    std::vector<TTreeNode*> hidden;
    for (TTreeNode* p = node ? node->Parent() : nullptr; p; p = p->Parent())
        if (!p->Expanded())
            hidden.insert(hidden.begin(), p);
    for (TTreeNode* p : hidden)
        if (alive && nodeAlive)
            p->SetExpanded(true);
    if (!alive || (node && !nodeAlive))
        return;
    selected_ = node;
    if (node)
        node->MakeVisible();
    Invalidate();
    rtl::FireSurvives(liveness_, OnChange, this, node);
}

std::vector<TTreeNode*> TTreeView::VisibleNodes() const {
    std::vector<TTreeNode*> nodes;
    for (TTreeNode* n = items_->GetFirstNode(); n;) {
        nodes.push_back(n);
        if (n->Expanded() && n->Count() > 0) {
            n = n->getFirstChild();
            continue;
        }
        while (n && !n->getNextSibling())
            n = n->Parent();
        n = n ? n->getNextSibling() : nullptr;
    }
    return nodes;
}

int TTreeView::RowHeight() const {
    return std::max(16, Canvas()->TextHeight("0") + 4);
}

int TTreeView::LevelX(const TTreeNode* node) const {
    int columns = node->Level() + (showRoot_ && (showButtons_ || showLines_) ? 1 : 0);
    return 2 + columns * indent_;
}

controls::ScrollRange TTreeView::VerticalRange() const {
    return RangeOf(VisibleNodes());
}

controls::ScrollRange TTreeView::RangeOf(const std::vector<TTreeNode*>& nodes) const {
    return controls::RowsRange(topRow_, static_cast<int>(nodes.size()), Height(), 0, RowHeight());
}

RECT TTreeView::ScrollBarRect() const {
    return controls::VerticalBarRect(Width(), Height(), VerticalRange());
}

RECT TTreeView::RowsRect() const {
    return controls::RowsArea(Width(), Height(), 0, VerticalRange());
}

void TTreeView::ScrollTo(int top) {
    top = VerticalRange().Clamp(top);
    if (top == topRow_)
        return;
    topRow_ = top;
    Invalidate();
}

TTreeNode* TTreeView::TopItem() const {
    std::vector<TTreeNode*> nodes = VisibleNodes();
    int top = RangeOf(nodes).Top;
    return top < static_cast<int>(nodes.size()) ? nodes[static_cast<size_t>(top)] : nullptr;
}

void TTreeView::SetTopItem(TTreeNode* node) {
    std::vector<TTreeNode*> nodes = VisibleNodes();
    auto at = std::find(nodes.begin(), nodes.end(), node);
    if (at != nodes.end())
        ScrollTo(static_cast<int>(at - nodes.begin()));
}

RECT TTreeView::RowRect(const TTreeNode* node) const {
    std::vector<TTreeNode*> nodes = VisibleNodes();
    auto at = std::find(nodes.begin(), nodes.end(), node);
    if (at == nodes.end())
        return Rect(0, 0, 0, 0);
    controls::ScrollRange range = RangeOf(nodes);
    int y = 2 + (static_cast<int>(at - nodes.begin()) - range.Top) * RowHeight();
    return Rect(2, y, controls::RowsArea(Width(), Height(), 0, range).right, y + RowHeight());
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const {
    std::vector<TTreeNode*> nodes = VisibleNodes();
    controls::ScrollRange range = RangeOf(nodes);
    if (!PtInRect(controls::RowsArea(Width(), Height(), 0, range), POINT{X, Y}))
        return nullptr;
    size_t row = static_cast<size_t>(range.Top + (Y - 2) / RowHeight());
    return row < nodes.size() ? nodes[row] : nullptr;
}

void TTreeView::SetRowSelect(bool value) {
    rowSelect_ = value;
    Invalidate();
}
void TTreeView::SetIndent(int value) {
    indent_ = value;
    Invalidate();
}
void TTreeView::SetShowButtons(bool value) {
    showButtons_ = value;
    Invalidate();
}
void TTreeView::SetShowRoot(bool value) {
    showRoot_ = value;
    Invalidate();
}

void TTreeView::SetImages(TCustomImageList* value) {
    images_ = value;
    if (value)
        FreeNotification(value);
    Invalidate();
}

void TTreeView::SetStateImages(TCustomImageList* value) {
    stateImages_ = value;
    if (value)
        FreeNotification(value);
    Invalidate();
}

void TTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == images_)
        images_ = nullptr;
    if (AComponent == stateImages_)
        stateImages_ = nullptr;
}

void TTreeView::AlphaSort(bool recurse) {
    SortNodes(items_->roots_, recurse);
    Invalidate();
}

void TTreeView::Toggle(TTreeNode* node) {
    if (!node || !node->HasChildren())
        return;
    rtl::TLifeWatch alive = Watch();
    rtl::TLifeWatch nodeAlive = node->Watch();
    node->SetExpanded(!node->Expanded());
    if (!alive || !nodeAlive || !node->Expanded() || node->Count() == 0)
        return;
    // The children just opened come into view, the node staying at the top at most.
    std::vector<TTreeNode*> nodes = VisibleNodes();
    auto at = std::find(nodes.begin(), nodes.end(), node);
    auto last = std::find(nodes.begin(), nodes.end(), node->Item(node->Count() - 1));
    if (at == nodes.end() || last == nodes.end())
        return;
    controls::ScrollRange range = RangeOf(nodes);
    int lastRow = static_cast<int>(last - nodes.begin());
    if (lastRow >= range.Top + range.Page)
        ScrollTo(std::min<int>(static_cast<int>(at - nodes.begin()), lastRow - range.Page + 1));
}

void TTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    rtl::TLifeWatch alive = Watch();
    controls::ScrollPart part =
        controls::ScrollPartAt(ScrollBarRect(), VerticalRange(), POINT{X, Y});
    downOnBar_ = part != controls::ScrollPart::None;
    if (downOnBar_) {
        // The bar is no row: a press scrolls (the second of a double click again).
        if (Button == mbLeft)
            ScrollTo(controls::ScrolledTop(VerticalRange(), part));
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    TTreeNode* node = GetNodeAt(X, Y);
    if (node && !Shift.Contains(ssDouble)) {
        int buttonLeft = LevelX(node) - indent_;
        bool onButton =
            showButtons_ && X >= buttonLeft && X < LevelX(node) && (node->Level() > 0 || showRoot_);
        if (Button == mbLeft && onButton)
            Toggle(node);
        else if (Button == mbLeft || (Button == mbRight && rightClickSelect_))
            SetSelected(node);
    }
    if (alive)
        TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TTreeView::DblClick() {
    if (downOnBar_)
        return;
    rtl::TLifeWatch alive = Watch();
    TTreeNode* node = selected_;
    rtl::TLifeWatch nodeAlive = node ? node->Watch() : rtl::TLifeWatch();
    TCustomControl::DblClick();
    // The double click opens or closes the node unless the handler took it away.
    if (alive && nodeAlive && node == selected_)
        Toggle(node);
}

bool TTreeView::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
    rtl::TLifeWatch alive = Watch();
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos) || !alive)
        return true;
    ScrollTo(VerticalRange().Top + controls::WheelRows(WheelDelta, wheelLeftOver_));
    return true;
}

bool TTreeView::WantsKey(WORD Key) const {
    return Key >= VK_PRIOR && Key <= VK_DOWN;
}

TTreeNode* TTreeView::KeyTarget(WORD key) const {
    std::vector<TTreeNode*> nodes = VisibleNodes();
    auto at = std::find(nodes.begin(), nodes.end(), selected_);
    int from = at == nodes.end() ? -1 : static_cast<int>(at - nodes.begin());
    int row = controls::RowForKey(RangeOf(nodes), from, key);
    return row < 0 ? nullptr : nodes[static_cast<size_t>(row)];
}

void TTreeView::KeyDown(WORD& Key, TShiftState Shift) {
    rtl::TLifeWatch alive = Watch();
    TCustomControl::KeyDown(Key, Shift);
    if (!alive || Key == 0)
        return;
    switch (Key) {
    case VK_DOWN:
    case VK_UP:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_HOME:
    case VK_END:
        if (TTreeNode* target = KeyTarget(Key))
            SetSelected(target);
        break;
    case VK_RIGHT:
        if (selected_ && !selected_->Expanded())
            Toggle(selected_);
        break;
    case VK_LEFT:
        if (selected_ && selected_->Expanded())
            selected_->SetExpanded(false);
        else if (selected_ && selected_->Parent())
            SetSelected(selected_->Parent());
        break;
    default:
        break;
    }
}

void TTreeView::PaintLines(TCanvas& c, TTreeNode* node, int y) {
    int h = RowHeight();
    int mid = y + h / 2;
    c.Pen()->SetColor(clGray);
    c.Pen()->SetStyle(psDot);
    // The node's own column: down from the row above, across to the node,
    // and on down when a sibling follows.
    int column = LevelX(node) - indent_ + indent_ / 2;
    if (node->Level() > 0 || showRoot_) {
        bool first = !node->Parent() && node == items_->GetFirstNode();
        c.MoveTo(column, first ? mid : y);
        c.LineTo(column, node->getNextSibling() ? y + h : mid);
        c.MoveTo(column, mid);
        c.LineTo(LevelX(node), mid);
    }
    // The columns of the parents whose siblings follow below.
    for (TTreeNode* p = node->Parent(); p; p = p->Parent()) {
        if (!p->getNextSibling() || (p->Level() == 0 && !showRoot_))
            continue;
        int x = LevelX(p) - indent_ + indent_ / 2;
        c.MoveTo(x, y);
        c.LineTo(x, y + h);
    }
    c.Pen()->SetStyle(psSolid);
}

void TTreeView::PaintNode(TCanvas& c, TTreeNode* node, int y, int right) {
    int h = RowHeight();
    int x = LevelX(node);
    bool selected = node->Selected() && (Focused() || !hideSelection_);
    bool dim = node->Selected() && !selected;
    // A selected row is marked first, so that its lines and icons stay on it.
    if (rowSelect_ && (selected || dim)) {
        c.Brush()->SetColor(selected ? clHighlight : clBtnFace);
        c.FillRect(Rect(2, y, right, y + h));
    }
    if (showLines_)
        PaintLines(c, node, y);
    if (showButtons_ && node->HasChildren() && (node->Level() > 0 || showRoot_)) {
        int bx = x - indent_ + (indent_ - 9) / 2;
        int by = y + (h - 9) / 2;
        c.Brush()->SetColor(clWindow);
        c.Pen()->SetColor(clGray);
        c.Rectangle(bx, by, bx + 9, by + 9);
        c.Pen()->SetColor(clWindowText);
        c.MoveTo(bx + 2, by + 4);
        c.LineTo(bx + 7, by + 4);
        if (!node->Expanded()) {
            c.MoveTo(bx + 4, by + 2);
            c.LineTo(bx + 4, by + 7);
        }
    }
    if (stateImages_ && node->StateIndex() >= 0) {
        stateImages_->Draw(&c, x, y + (h - stateImages_->Height()) / 2, node->StateIndex());
        x += stateImages_->Width();
    }
    if (images_) {
        int index = node->Selected() && node->SelectedIndex() >= 0 ? node->SelectedIndex()
                                                                   : node->ImageIndex();
        if (index >= 0)
            images_->Draw(&c, x, y + (h - images_->Height()) / 2, index);
        x += images_->Width();
    }
    int textWidth = c.TextWidth(node->Text());
    RECT label = Rect(x + 1, y, x + textWidth + 5, y + h);
    if (!rowSelect_ && (selected || dim)) {
        c.Brush()->SetColor(selected ? clHighlight : clBtnFace);
        c.FillRect(label);
    }
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(selected ? clHighlightText : Font()->Color());
    c.TextOut(label.left + 2, y + (h - c.TextHeight(node->Text())) / 2, node->Text());
    if (node->Selected() && Focused())
        c.DrawFocusRect(rowSelect_ ? Rect(2, y, right, y + h) : label);
}

void TTreeView::Paint() {
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    controls::SunkenEdge(c, r);
    c.Brush()->SetColor(Color());
    c.FillRect(r);
    // One walk over the nodes for the whole paint, not one per row.
    std::vector<TTreeNode*> nodes = VisibleNodes();
    controls::ScrollRange range = RangeOf(nodes);
    RECT rows = controls::RowsArea(Width(), Height(), 0, range);
    int y = 2;
    controls::ClippedRows clip(c, rows, range.Needed());
    for (size_t i = static_cast<size_t>(range.Top); i < nodes.size() && y < rows.bottom; ++i) {
        PaintNode(c, nodes[i], y, rows.right);
        y += RowHeight();
    }
    clip.End();
    if (range.Needed())
        controls::PaintScrollBar(c, controls::VerticalBarRect(Width(), Height(), range), true,
                                 &range);
}

void TTreeView::DescribeState(std::vector<std::string>& states,
                              std::vector<std::string>& lines) const {
    TCustomControl::DescribeState(states, lines);
    std::vector<TTreeNode*> nodes = VisibleNodes();
    if (controls::ScrollRange range = RangeOf(nodes); range.Needed())
        states.push_back(controls::DescribeRows(range));
    for (TTreeNode* node : nodes) {
        std::string mark = node->Expanded() ? "- " : node->HasChildren() ? "+ " : "  ";
        std::string line =
            std::string(static_cast<size_t>(node->Level()) * 2, ' ') + mark + node->Text();
        if (node->StateIndex() >= 0)
            line += " {state " + std::to_string(node->StateIndex()) + "}";
        if (node->Selected())
            line += " *";
        lines.push_back(line);
    }
}
