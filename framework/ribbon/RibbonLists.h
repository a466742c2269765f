// The ribbon controls that take text or offer items: the edit box, the combo
// box, the drop-down and the gallery, and the items they offer. Items reach
// the host only through their owner's item callbacks (count, id, label,
// image, tips); a value of an item can be changed by the owner's
// OnItemPropertyChanging.
#pragma once

#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonControl.h"

#include <memory>

class TadxAttributeList;

// An item of a combo box, drop-down or gallery.
class TadxRibbonItem : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonItem(TCollection* Collection);
    std::string GetXmlType() override { return "item"; }
    uint8_t GetType() override { return adxRibbonTypeItem; }

protected:
    // A change of its caption, image or tips redraws its drop-down too.
    void ShownInListChanged() override;
    // The class name.
    std::string GetDisplayName() const override { return ClassName(); }
};

// A box the user types text into.
class TadxRibbonEditBox : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonEditBox(TCollection* Collection);
    std::string GetXmlType() override;
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeEditBox; }
    // Text from the arguments, then OnChange (guarded, not re-entered).
    void DoAction(TadxRibbonActionArguments& Args) override;

    // Published: the most characters the box takes ("maxLength" for 1 to 1024).
    int32_t MaxLength = 0;
    // Published: a text as wide as the box should be.
    std::u16string SizeString;
    // Published: the user changed the text.
    TadxRibbonOnChange OnChange;

protected:
    // The attributes of an edit box, which the combo box extends.
    void EditBoxAttributes(TadxAttributeList& list);
};

// An edit box with a list of items to pick from.
class TadxRibbonComboBox : public TadxRibbonEditBox {
public:
    explicit TadxRibbonComboBox(TCollection* Collection);
    ~TadxRibbonComboBox() override;
    std::string GetXmlType() override;
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeComboBox; }
    TadxRibbonControls* GetItems() override { return items_.get(); }
    // Item values go to OnItemPropertyChanging, the others to OnPropertyChanging.
    void DoChangeProperty(TadxRibbonControlPropertyType PropertyType, Variant& Value,
                          IDispatch* Context, int32_t ItemIndex) override;

    // The items (at most 1000).
    TadxRibbonItems* Items() const { return items_.get(); }
    void SetItems(TadxRibbonControls* Value);
    // Published: may change an item's value a callback is about to answer.
    TadxRibbonItemPropertyChanging OnItemPropertyChanging;

private:
    std::unique_ptr<TadxRibbonItems> items_;
};

// What the drop-down and the gallery share: items to pick one from, buttons
// below them (at most 16), and the selection the user made.
class TadxRibbonListControl : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonListControl(TCollection* Collection);
    ~TadxRibbonListControl() override;
    TadxRibbonControls* GetItems() override { return items_.get(); }
    TadxRibbonControls* GetControls() override { return controls_.get(); }
    // The selection from the arguments, then OnChange (guarded, not re-entered).
    void DoAction(TadxRibbonActionArguments& Args) override;
    // Item values go to OnItemPropertyChanging, the others to OnPropertyChanging.
    void DoChangeProperty(TadxRibbonControlPropertyType PropertyType, Variant& Value,
                          IDispatch* Context, int32_t ItemIndex) override;

    // The items (at most 1000) and the buttons.
    TadxRibbonItems* Items() const { return items_.get(); }
    void SetItems(TadxRibbonControls* Value);
    TadxRibbonControls* Controls() const { return controls_.get(); }
    void SetControls(TadxRibbonControls* Value);
    // Published: the items show their labels.
    bool ShowItemCaption = true;
    // Published: a text as wide as the control should be.
    std::u16string SizeString;
    // Published: the user picked an item.
    TadxRibbonOnChange OnChange;
    // Published: may change an item's value a callback is about to answer.
    TadxRibbonItemPropertyChanging OnItemPropertyChanging;

protected:
    // The attributes of the built-in form both classes start with.
    void BuiltInAttributes(TadxAttributeList& list);
    // The item callbacks and the selection callback that is set.
    void ItemAttributes(TadxAttributeList& list);

private:
    std::unique_ptr<TadxRibbonItems> items_;
    std::unique_ptr<TadxRibbonControls> controls_;
};

// A list of items to pick one from, with buttons below them.
class TadxRibbonDropDown : public TadxRibbonListControl {
public:
    explicit TadxRibbonDropDown(TCollection* Collection);
    std::string GetXmlType() override;
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeDropDown; }
};

// A grid of items to pick one from, with buttons below them.
class TadxRibbonGallery : public TadxRibbonListControl {
public:
    explicit TadxRibbonGallery(TCollection* Collection);
    std::string GetXmlType() override;
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeGallery; }

    // Published: the grid's size; values outside 1 to 1024 are ignored.
    int32_t Columns() const { return columns_; }
    void SetColumns(int32_t Value);
    int32_t Rows() const { return rows_; }
    void SetRows(int32_t Value);

private:
    int32_t columns_ = 1;
    int32_t rows_ = 1;
};
