// The report-style list view, its columns and its rows.
#include "platform/controls/ListView.h"

#include "platform/controls/Paint3D.h"
#include "platform/win/Hook.h"

#include <algorithm>

// ---- columns

void TListColumn::SetCaption(const std::string& value) {
    caption_ = value;
    Changed(false);
}

void TListColumn::SetWidth(int value) {
    width_ = value;
    Changed(false);
}

TListColumns::TListColumns(TListView* owner)
    : TCollection(ItemClassOf<TListColumn>()), owner_(owner) {}

TPersistent* TListColumns::GetOwner() {
    return owner_;
}

void TListColumns::Update(TCollectionItem*) {
    owner_->Invalidate();
}

// ---- items

TListItem::TListItem(TListView* owner) : owner_(owner), subItems_(std::make_unique<TStringList>()) {
    subItems_->OnChange = [this](TObject*) { owner_->Invalidate(); };
}

void TListItem::SetCaption(const std::string& value) {
    caption_ = value;
    owner_->Invalidate();
}

int TListItem::Index() const {
    const auto& items = owner_->Items()->items_;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

bool TListItem::Selected() const {
    return owner_->Selected() == this;
}

void TListItem::SetSelected(bool value) {
    if (value)
        owner_->SetSelected(this);
    else if (Selected())
        owner_->SetSelected(nullptr);
}

void TListItem::MakeVisible(bool PartialOK) {
    controls::ScrollRange range = owner_->VerticalRange();
    int index = Index();
    // A row cut by the bottom edge shows in part: enough when that is OK.
    bool partly =
        index == range.Top + range.Page && owner_->ItemRect(index).top < owner_->RowsRect().bottom;
    if (index >= 0 && !(PartialOK && partly))
        owner_->ScrollTo(range.TopShowing(index));
}

void TListItem::Delete() {
    owner_->Items()->Delete(Index());
}

TListItem* TListItems::Add() {
    items_.push_back(std::make_unique<TListItem>(owner_));
    owner_->Invalidate();
    return items_.back().get();
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)].get();
}

void TListItems::Delete(int index) {
    TListItem* item = Item(index);
    owner_->ItemGone(item);
    items_.erase(items_.begin() + index);
    owner_->Invalidate();
}

void TListItems::Clear() {
    while (!items_.empty())
        Delete(Count() - 1);
}

// ---- the view

TListView::TListView(TComponent* AOwner)
    : TCustomControl(AOwner), columns_(std::make_unique<TListColumns>(this)),
      items_(std::make_unique<TListItems>(this)) {
    StoreBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetColor(clWindow);
}

TListView::~TListView() {
    selected_ = nullptr;
}

void TListView::ItemGone(TListItem* item) {
    if (selected_ == item)
        selected_ = nullptr;
}

void TListView::SetSelected(TListItem* item) {
    if (item == selected_)
        return;
    rtl::TLifeWatch alive = Watch();
    TListItem* old = selected_;
    selected_ = item;
    if (item)
        item->MakeVisible(false);
    Invalidate();
    if (old && !rtl::FireSurvives(liveness_, OnSelectItem, this, old, false))
        return;
    if (alive && item && selected_ == item)
        rtl::FireSurvives(liveness_, OnSelectItem, this, item, true);
}

int TListView::ItemIndex() const {
    return selected_ ? selected_->Index() : -1;
}

void TListView::SetItemIndex(int index) {
    SetSelected(index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr);
}

int TListView::HeaderHeight() const {
    return Canvas()->TextHeight("0") + 6;
}

int TListView::RowHeight() const {
    return Canvas()->TextHeight("0") + 3;
}

controls::ScrollRange TListView::VerticalRange() const {
    return controls::RowsRange(topIndex_, items_->Count(), Height(), HeaderHeight(), RowHeight());
}

RECT TListView::ScrollBarRect() const {
    // The bar runs beside the header too, as the list's own.
    return controls::VerticalBarRect(Width(), Height(), VerticalRange());
}

RECT TListView::RowsRect() const {
    return controls::RowsArea(Width(), Height(), HeaderHeight(), VerticalRange());
}

void TListView::ScrollTo(int top) {
    top = VerticalRange().Clamp(top);
    if (top == topIndex_)
        return;
    topIndex_ = top;
    Invalidate();
}

TListItem* TListView::TopItem() const {
    int top = VerticalRange().Top;
    return top < items_->Count() ? items_->Item(top) : nullptr;
}

RECT TListView::ItemRect(int index) const {
    int y = 2 + HeaderHeight() + (index - VerticalRange().Top) * RowHeight();
    return Rect(2, y, RowsRect().right, y + RowHeight());
}

TListItem* TListView::GetItemAt(int X, int Y) const {
    RECT rows = RowsRect();
    if (!PtInRect(rows, POINT{X, Y}))
        return nullptr;
    int row = VerticalRange().Top + (Y - rows.top) / RowHeight();
    // Without RowSelect only the first column's text takes the click; the
    // dialogs' lists are small, so the whole row is taken (the choice users expect).
    return row < items_->Count() ? items_->Item(row) : nullptr;
}

void TListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    rtl::TLifeWatch alive = Watch();
    controls::ScrollPart part =
        controls::ScrollPartAt(ScrollBarRect(), VerticalRange(), POINT{X, Y});
    downOnBar_ = part != controls::ScrollPart::None;
    // The bar is no row: a press scrolls (the second of a double click again).
    if (downOnBar_ && Button == mbLeft)
        ScrollTo(controls::ScrolledTop(VerticalRange(), part));
    else if (!downOnBar_ && (Button == mbLeft || Button == mbRight))
        SetSelected(GetItemAt(X, Y));
    if (alive)
        TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TListView::DblClick() {
    if (!downOnBar_)
        TCustomControl::DblClick();
}

bool TListView::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
    rtl::TLifeWatch alive = Watch();
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos) || !alive)
        return true;
    ScrollTo(VerticalRange().Top + controls::WheelRows(WheelDelta, wheelLeftOver_));
    return true;
}

bool TListView::WantsKey(WORD Key) const {
    return Key >= VK_PRIOR && Key <= VK_DOWN;
}

void TListView::KeyDown(WORD& Key, TShiftState Shift) {
    rtl::TLifeWatch alive = Watch();
    TCustomControl::KeyDown(Key, Shift);
    if (!alive || items_->Count() == 0 || Key == 0)
        return;
    int target = controls::RowForKey(VerticalRange(), ItemIndex(), Key);
    if (target >= 0)
        SetItemIndex(target);
}

void TListView::PaintHeader(TCanvas& c, const RECT& r) {
    // One raised button per column, the rest of the row empty.
    int x = r.left;
    int hh = HeaderHeight();
    for (int i = 0; i < columns_->Count(); ++i) {
        TListColumn* col = columns_->Items(i);
        RECT head = Rect(x, r.top, x + col->Width(), r.top + hh);
        RECT face = head;
        controls::RaisedEdge(c, face);
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(face);
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetColor(clBtnText);
        RECT text = Rect(head.left + 6, head.top, head.right - 6, head.bottom);
        c.DrawText(col->Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        x += col->Width();
    }
    if (x < r.right) {
        RECT rest = Rect(x, r.top, r.right, r.top + hh);
        controls::RaisedEdge(c, rest);
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(rest);
    }
}

void TListView::PaintRow(TCanvas& c, int row) {
    RECT line = ItemRect(row);
    TListItem* item = items_->Item(row);
    bool selected = item == selected_ && (Focused() || !hideSelection_);
    int first = columns_->Count() > 0 ? columns_->Items(0)->Width() : Width();
    if (item == selected_ && (selected || !hideSelection_)) {
        int labelRight = rowSelect_ ? line.right
                                    : std::min<int>(line.left + first,
                                                    line.left + c.TextWidth(item->Caption()) + 6);
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(selected ? clHighlight : clBtnFace);
        c.FillRect(Rect(line.left, line.top, labelRight, line.bottom));
    }
    int cx = line.left;
    for (int col = 0; col < std::max(1, columns_->Count()); ++col) {
        int width = columns_->Count() > 0 ? columns_->Items(col)->Width() : Width();
        std::string text = col == 0                              ? item->Caption()
                           : col - 1 < item->SubItems()->Count() ? (*item->SubItems())[col - 1]
                                                                 : std::string();
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetColor(selected && (col == 0 || rowSelect_) ? clHighlightText
                                                                : Font()->Color());
        RECT cell = Rect(cx + 2, line.top, cx + width - 2, line.bottom);
        c.DrawText(text, cell,
                   DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        cx += width;
    }
    if (item == selected_ && Focused())
        c.DrawFocusRect(line);
}

void TListView::Paint() {
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    controls::SunkenEdge(c, r);
    c.Brush()->SetColor(Color());
    c.FillRect(r);
    controls::ScrollRange range = VerticalRange();
    RECT rows = RowsRect();
    {
        controls::ClippedRows clip(c, Rect(r.left, r.top, rows.right, rows.top), range.Needed());
        PaintHeader(c, Rect(r.left, r.top, rows.right, r.bottom));
    }
    {
        controls::ClippedRows clip(c, rows, range.Needed());
        for (int row = range.Top; row < items_->Count(); ++row) {
            if (ItemRect(row).top >= r.bottom)
                break;
            PaintRow(c, row);
        }
    }
    if (range.Needed())
        controls::PaintScrollBar(c, ScrollBarRect(), true, &range);
}

void TListView::DescribeState(std::vector<std::string>& states,
                              std::vector<std::string>& lines) const {
    TCustomControl::DescribeState(states, lines);
    if (VerticalRange().Needed())
        states.push_back(controls::DescribeRows(VerticalRange()));
    std::string header = "columns:";
    for (int i = 0; i < columns_->Count(); ++i)
        header += " " + columns_->Items(i)->Caption() + " (" +
                  std::to_string(columns_->Items(i)->Width()) + ")";
    lines.push_back(header);
    for (int row = 0; row < items_->Count(); ++row) {
        TListItem* item = items_->Item(row);
        std::string line = item->Caption();
        for (int i = 0; i < item->SubItems()->Count(); ++i)
            line += " | " + (*item->SubItems())[i];
        lines.push_back(line + (item == selected_ ? " *" : ""));
    }
}
