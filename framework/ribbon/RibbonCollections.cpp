// The ribbon control collections: limits, creation by type code, the
// launcher kept last, assignment and reading from a stored form.
#include "framework/ribbon/RibbonCollections.h"

#include "framework/ribbon/RibbonButtons.h"
#include "framework/ribbon/RibbonContainers.h"
#include "framework/ribbon/RibbonLists.h"
#include "framework/ribbon/RibbonMenus.h"
#include "framework/support/FrameworkErrors.h"
#include "platform/com/OleError.h"
#include "platform/forms/FormReader.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/UpdateScope.h"

#include <iterator>

namespace {

template <class T> TadxRibbonCustomControl* Make(TCollection* collection) {
    return new T(collection);
}

using Creator = TadxRibbonCustomControl* (*)(TCollection*);

// The control classes by type code, from adxRibbonTypeGroup on.
constexpr Creator kClasses[] = {
    Make<TadxRibbonGroup>,     Make<TadxRibbonBox>,           Make<TadxRibbonButtonGroup>,
    Make<TadxRibbonButton>,    Make<TadxRibbonSplitButton>,   Make<TadxRibbonLabel>,
    Make<TadxRibbonCheckBox>,  Make<TadxRibbonEditBox>,       Make<TadxRibbonComboBox>,
    Make<TadxRibbonDropDown>,  Make<TadxRibbonGallery>,       Make<TadxRibbonMenu>,
    Make<TadxRibbonSeparator>, Make<TadxRibbonMenuSeparator>, Make<TadxRibbonDialogBoxLauncher>,
    Make<TadxRibbonItem>,
};

} // namespace

TadxRibbonCustomControl* adxCreateRibbonControl(int TypeCode, TCollection* collection) {
    // Codes 0 to 3 name the base class, which has no element of its own, and
    // a tab is no collection item: a form naming them is not one of ours.
    int index = TypeCode - adxRibbonTypeGroup;
    if (index < 0 || index >= static_cast<int>(std::size(kClasses)))
        throw EOleSysError(Format("%d is not the type code of a ribbon control class", {TypeCode}),
                           E_INVALIDARG);
    return kClasses[index](collection);
}

TadxRibbonControls::TadxRibbonControls(TPersistent* Owner, int MaxCount,
                                       TCollectionItemClass ItemClass)
    : TOwnedCollection(Owner, std::move(ItemClass)), owner_(Owner), maxCount_(MaxCount) {}

TadxRibbonControls::~TadxRibbonControls() {
    destroying_ = true;
    Clear();
}

void TadxRibbonControls::CheckRoom() const {
    if (Count() >= maxCount_)
        adx::RaiseError(adx::ErrTooManyItems, adx::STooManyItems, {maxCount_});
}

TadxRibbonCustomControl* TadxRibbonControls::Add() {
    CheckRoom();
    return static_cast<TadxRibbonCustomControl*>(TCollection::Add());
}

TadxRibbonCustomControl* TadxRibbonControls::Add(int TypeCode) {
    CheckRoom();
    return adxCreateRibbonControl(TypeCode, this);
}

TadxRibbonCustomControl* TadxRibbonControls::GetItem(int Index) const {
    return static_cast<TadxRibbonCustomControl*>(Items(Index));
}

void TadxRibbonControls::AssignFrom(
    TadxRibbonControls& source,
    const std::function<TadxRibbonCustomControl*(TadxRibbonCustomControl&)>& make) {
    if (&source == this)
        return;
    TUpdateScope<TCollection> update(*this);
    Clear();
    for (int i = 0; i < source.Count(); ++i) {
        TadxRibbonCustomControl* item = source.GetItem(i);
        make(*item)->Assign(item);
    }
}

void TadxRibbonControls::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TadxRibbonControls*>(Source))
        AssignFrom(*source, [this](TadxRibbonCustomControl& item) { return Add(item.GetType()); });
    else
        TCollection::Assign(Source);
}

void TadxRibbonControls::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    if (destroying_)
        return;
    for (int i = 0; i < Count() - 1; ++i) {
        if (dynamic_cast<TadxRibbonDialogBoxLauncher*>(Items(i))) {
            Items(i)->SetIndex(Count() - 1);
            return;
        }
    }
}

TadxRibbonCustomControl* TadxRibbonItems::Add(int) {
    return nullptr;
}

void TadxRibbonItems::Assign(TPersistent* Source) {
    // Items are made by Add() only (Add(TypeCode) makes none): each control
    // of any ribbon collection is copied into a new item.
    if (auto* source = dynamic_cast<TadxRibbonControls*>(Source))
        AssignFrom(*source, [this](TadxRibbonCustomControl&) { return Add(); });
    else
        TadxRibbonControls::Assign(Source);
}

void TadxRibbonItems::Update(TCollectionItem* Item) {
    TadxRibbonControls::Update(Item);
    if (Destroying())
        return;
    if (auto* dropDown = dynamic_cast<TadxRibbonDropDown*>(GetOwner()))
        dropDown->Invalidate();
}

void adxReadRibbonItems(forms::FormReader& reader, TadxRibbonControls& controls,
                        const forms::FormValue& value,
                        const std::function<TadxRibbonCustomControl*(int index)>& make) {
    TUpdateScope<TCollection> update(controls);
    controls.Clear();
    reader.ReadItems(value, [&](int index) -> TObject& {
        TadxRibbonCustomControl* item = make(index);
        if (!item)
            reader.Fail("The collection creates no item here");
        return *item;
    });
}
