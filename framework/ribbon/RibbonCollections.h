// TadxRibbonControls and TadxRibbonItems: the owned collections that hold
// ribbon controls. Each has an owner (the tab or the containing control), an
// item class and a fixed maximum count; Add refuses to go beyond it. A
// container whose children may be of any class creates each child by its
// ribbon control type code (Add(TypeCode)), which is how a stored form
// rebuilds mixed child lists. A group keeps its dialog box launcher last.
#pragma once

#include "framework/ribbon/RibbonControl.h"
#include "platform/rtl/Collection.h"

#include <functional>

namespace forms {
class FormReader;
struct FormValue;
} // namespace forms

class TadxRibbonControls : public TOwnedCollection {
public:
    // A collection of Owner (a tab or a control) holding at most MaxCount
    // items, whose Add() makes items with ItemClass.
    TadxRibbonControls(TPersistent* Owner, int MaxCount, TCollectionItemClass ItemClass);
    // Frees the items while the collection is whole, so each leaves the key list.
    ~TadxRibbonControls() override;

    // A new item of the item class; EOleSysError 31120 when the collection is full.
    TadxRibbonCustomControl* Add();
    // A new control of the class of a ribbon control type code (4 to 19);
    // EOleSysError 31120 when full, E_INVALIDARG for a code of no control class.
    virtual TadxRibbonCustomControl* Add(int TypeCode);
    // The item at Index (EListError outside the collection).
    TadxRibbonCustomControl* GetItem(int Index) const;
    // The most items the collection takes.
    int MaxCount() const { return maxCount_; }
    // The tab or control that owns the collection.
    TPersistent* GetOwner() override { return owner_; }
    // Rebuilds the items as copies of another ribbon collection's, each made
    // by its type code; other sources are assigned as plain collections.
    void Assign(TPersistent* Source) override;

    // Raises 31120 when the collection is full.
    void CheckRoom() const;

protected:
    // Keeps the first dialog box launcher last.
    void Update(TCollectionItem* Item) override;
    // True once the collection is being destroyed.
    bool Destroying() const { return destroying_; }
    // Replaces the items by copies of source's, each made by make(source item).
    void
    AssignFrom(TadxRibbonControls& source,
               const std::function<TadxRibbonCustomControl*(TadxRibbonCustomControl& item)>& make);

private:
    TPersistent* owner_;
    int maxCount_;
    bool destroying_ = false;
};

// The items of a combo box, drop-down or gallery.
class TadxRibbonItems : public TadxRibbonControls {
public:
    using TadxRibbonControls::TadxRibbonControls;
    // Items are only made by Add(): nothing is created, nullptr is returned.
    TadxRibbonCustomControl* Add(int TypeCode) override;
    using TadxRibbonControls::Add;
    // Rebuilds the items as copies of another ribbon collection's controls.
    void Assign(TPersistent* Source) override;

protected:
    // As the controls' update, then a drop-down owner is invalidated.
    void Update(TCollectionItem* Item) override;
};

// A new control of the class of a type code (4 to 19) in collection;
// EOleSysError E_INVALIDARG for another code.
TadxRibbonCustomControl* adxCreateRibbonControl(int TypeCode, TCollection* collection);

// Reads a collection value of a stored form (< item ... end >) into
// controls as the class library reads collections (cleared first, items
// made within BeginUpdate / EndUpdate), each item made by make(index).
void adxReadRibbonItems(forms::FormReader& reader, TadxRibbonControls& controls,
                        const forms::FormValue& value,
                        const std::function<TadxRibbonCustomControl*(int index)>& make);
