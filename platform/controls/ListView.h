// TListView in report style: a header of columns with widths, and rows of
// items, each with a caption in the first column and sub-items in the
// others. A click selects a row (one at a time), a double click fires
// OnDblClick; the arrow keys, Page Up and Down, Home and End move the
// selection. When the rows do not fit below the header, a scroll bar shows
// beside them; it, the mouse wheel and the keys scroll, and the selected row
// is always scrolled into view. Columns are a collection, so
// a stored form declares them as "Columns = < item Caption = 'Folder' ... >".
#pragma once

#include "platform/controls/ScrollBar.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Collection.h"

#include <memory>
#include <vector>

class TListView;

class TListColumn : public TCollectionItem {
public:
    // A column of `collection`, 50 pixels wide.
    explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}

    // The header's text.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // The width in pixels.
    int Width() const { return width_; }
    void SetWidth(int value);
    // Where the column's texts stand.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }

private:
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class TListColumns : public TCollection {
public:
    // The columns of `owner`.
    explicit TListColumns(TListView* owner);
    // Appends a column.
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    // The column at `index`.
    TListColumn* Items(int index) const {
        return static_cast<TListColumn*>(TCollection::Items(index));
    }
    TPersistent* GetOwner() override;

protected:
    void Update(TCollectionItem* item) override;

private:
    TListView* owner_;
};

class TListItem : public TPersistent {
public:
    // An item of `owner`'s list.
    explicit TListItem(TListView* owner);

    // The text of the first column.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // The texts of the other columns.
    TStrings* SubItems() const { return subItems_.get(); }
    // The program's own pointer (not owned).
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    // The place in the list.
    int Index() const;
    // Whether the item is selected.
    bool Selected() const;
    void SetSelected(bool value);
    // Scrolls the list until the row shows (whole, unless PartialOK and part of it shows).
    void MakeVisible(bool PartialOK);
    // Removes the item from its list.
    void Delete();
    // The list view.
    TListView* ListView() const { return owner_; }

private:
    TListView* owner_;
    std::string caption_;
    std::unique_ptr<TStringList> subItems_;
    void* data_ = nullptr;
};

class TListItems : public TPersistent {
public:
    // The items of `owner`.
    explicit TListItems(TListView* owner) : owner_(owner) {}

    // Appends an item.
    TListItem* Add();
    // The number of items, and one of them.
    int Count() const { return static_cast<int>(items_.size()); }
    TListItem* Item(int index) const;
    // Deletes an item, or all of them.
    void Delete(int index);
    void Clear();
    // Batches changes.
    void BeginUpdate() {}
    void EndUpdate() {}

private:
    friend class TListItem;
    TListView* owner_;
    std::vector<std::unique_ptr<TListItem>> items_;
};

// How a list view shows its items (report is what the dialogs use).
enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// OnSelectItem's handler type.
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

class TListView : public TCustomControl {
public:
    // A 250 x 150 report list.
    explicit TListView(TComponent* AOwner);
    ~TListView() override;

    // The columns and the rows.
    TListColumns* Columns() const { return columns_.get(); }
    TListItems* Items() const { return items_.get(); }
    // The selected row, or nullptr; selecting another fires OnSelectItem for both.
    TListItem* Selected() const { return selected_; }
    void SetSelected(TListItem* item);
    // The selected row's index, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The row at a point of the client area, or nullptr.
    TListItem* GetItemAt(int X, int Y) const;
    // The rectangle of a row (client coordinates; outside RowsRect when
    // scrolled away).
    RECT ItemRect(int index) const;
    // The header's and a row's height.
    int HeaderHeight() const;
    int RowHeight() const;
    // The part of the client area that shows rows (below the header, left of the bar).
    RECT RowsRect() const;
    // The vertical scroll bar, empty when the rows fit.
    RECT ScrollBarRect() const;
    // Which rows show: the first, how many fit whole, how many there are.
    controls::ScrollRange VerticalRange() const;
    // The number of rows that fit whole.
    int VisibleRowCount() const { return VerticalRange().Page; }
    // The row shown first, or nullptr.
    TListItem* TopItem() const;

    // Only vsReport is drawn as such; the others draw the same.
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value) { viewStyle_ = value; }
    // Whether captions cannot be edited in place (always so here).
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // Whether the selection covers the whole row.
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value) { rowSelect_ = value; }
    // Whether the selection stays visible when the list has no focus.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool WantsKey(WORD Key) const override;
    // The columns with their widths, then one line per row ("*" selected);
    // "rows A-B of N" when they do not fit.
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;

    // Fired when a row is selected or loses the selection.
    TLVSelectItemEvent OnSelectItem;

protected:
    void Paint() override;

private:
    friend class TListItem;
    friend class TListItems;
    void ItemGone(TListItem* item);
    // Shows the rows from the first given on (kept inside the range).
    void ScrollTo(int top);
    // The header, cut at the bar.
    void PaintHeader(TCanvas& c, const RECT& r);
    void PaintRow(TCanvas& c, int row);

    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<TListItems> items_;
    TListItem* selected_ = nullptr;
    TViewStyle viewStyle_ = vsReport;
    bool readOnly_ = false;
    bool rowSelect_ = false;
    bool hideSelection_ = true;
    // The first row shown, and the wheel's turn smaller than a notch.
    int topIndex_ = 0;
    int wheelLeftOver_ = 0;
    // Whether the last press of the button was on the scroll bar.
    bool downOnBar_ = false;
};
