// TCollection and TCollectionItem: membership, order, IDs and notifications.
#include "platform/rtl/Collection.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/RtlConsts.h"
#include "platform/rtl/UpdateScope.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* collection) {
    if (collection)
        collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    if (collection_)
        collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection_ == collection)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (collection)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!collection_)
        return -1;
    const auto& items = collection_->items_;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    int current = Index();
    if (current < 0 || current == index)
        return;
    collection_->Check(index);
    auto& items = collection_->items_;
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const std::string&) {
    Changed(false);
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(allItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() {
    return collection_;
}

TCollection::TCollection(TCollectionItemClass itemClass) : itemClass_(std::move(itemClass)) {}

TCollection::~TCollection() {
    // Items leaving now are not reported: the descendant that would hear it is gone.
    updateCount_ = 1;
    while (!items_.empty())
        delete items_.back();
}

int TCollection::Check(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(RtlConsts::SListIndexError, {index});
    return index;
}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    try {
        Notify(item, cnAdded);
    } catch (...) {
        // The item's constructor fails with this: leave no pointer to it behind.
        items_.pop_back();
        item->collection_ = nullptr;
        throw;
    }
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, cnExtracting);
    auto it = std::find(items_.rbegin(), items_.rend(), item); // usually the last one
    if (it != items_.rend())
        items_.erase(std::next(it).base());
    item->collection_ = nullptr;
    Changed();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = itemClass_(this);
    if (item && item->collection_ != this)
        item->SetCollection(this); // an item class that made a free item
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count()) // checked first, so that no item is left at the end
        throw EListError(RtlConsts::SListIndexError, {index});
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = items_[Check(index)];
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (items_.empty())
        return;
    TUpdateScope<TCollection> update(*this);
    while (!items_.empty())
        delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const {
    return items_[Check(index)];
}

void TCollection::SetItems(int index, TCollectionItem* value) {
    Items(index)->Assign(value);
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate() {
    ++updateCount_;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0)
        --updateCount_;
    Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    TUpdateScope<TCollection> update(*this);
    Clear();
    for (TCollectionItem* item : other->items_)
        Add()->Assign(item);
}
