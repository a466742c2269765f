// TCollection and TCollectionItem: the class library's owned, ordered
// collections of items of one class. An item joins its collection when it is
// created for it and leaves it when it is destroyed; the collection destroys
// the items it still holds. Items carry a collection-wide unique ID and a
// settable Index (setting it moves the item). Descendant collections hear of
// items coming and going through Notify and of changes through Update, which
// BeginUpdate/EndUpdate hold back until the last EndUpdate.
#pragma once

#include "platform/rtl/Object.h"

#include <functional>
#include <string>
#include <vector>

class TCollection;

// What happened to an item, for TCollection::Notify.
enum TCollectionNotification {
    cnAdded,      // the item has joined the collection
    cnExtracting, // the item is leaving the collection (being destroyed or moved to another)
    cnDeleting    // Delete is about to destroy the item
};

// An item of a TCollection.
class TCollectionItem : public TPersistent {
public:
    // Creates the item and adds it to `collection` (none: a free item).
    explicit TCollectionItem(TCollection* collection);
    // Leaves the collection.
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    // The collection holding the item, or nullptr.
    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (nullptr: out of any).
    virtual void SetCollection(TCollection* collection);
    // A number unique among the items ever added to the collection.
    int ID() const { return id_; }
    // The item's position in its collection, or -1.
    int Index() const;
    // Moves the item to position `index` (EListError when outside the collection).
    virtual void SetIndex(int index);
    // The name shown for the item; its class name unless a descendant says otherwise.
    std::string DisplayName() const { return GetDisplayName(); }
    // Sets the name shown; the default only notifies the collection of a change.
    virtual void SetDisplayName(const std::string& name);

protected:
    virtual std::string GetDisplayName() const { return ClassName(); }
    // Tells the collection that this item (or with allItems, all of them) changed.
    void Changed(bool allItems);
    TPersistent* GetOwner() override;

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

// The class of a collection's items: makes a new item for the collection.
using TCollectionItemClass = std::function<TCollectionItem*(TCollection* collection)>;

// An ordered collection that owns its items.
class TCollection : public TPersistent {
public:
    // A collection whose Add makes items with `itemClass` (ItemClassOf<T>()).
    explicit TCollection(TCollectionItemClass itemClass);
    // Destroys the remaining items (without calling Notify or Update).
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    // The item class that makes a T for a collection: new T(collection).
    template <class T> static TCollectionItemClass ItemClassOf() {
        return [](TCollection* collection) -> TCollectionItem* { return new T(collection); };
    }

    // Makes a new item at the end; returns it.
    TCollectionItem* Add();
    // Makes a new item at position `index` (0 to Count); returns it.
    TCollectionItem* Insert(int index);
    // Destroys the item at `index`.
    void Delete(int index);
    // Destroys every item.
    void Clear();
    // Number of items.
    int Count() const { return static_cast<int>(items_.size()); }
    // The item at `index` (EListError when outside the collection).
    TCollectionItem* Items(int index) const;
    // Assigns `value` to the item at `index`.
    void SetItems(int index, TCollectionItem* value);
    // The item with that ID, or nullptr.
    TCollectionItem* FindItemID(int id) const;
    // The owner given to an owned collection; nullptr here.
    TPersistent* Owner() { return GetOwner(); }

    // Holds Update until the matching EndUpdate.
    virtual void BeginUpdate();
    // Ends a BeginUpdate; the last one calls Update(nullptr).
    virtual void EndUpdate();
    // Number of open BeginUpdate calls.
    int UpdateCount() const { return updateCount_; }

    // Replaces the items by copies of another collection's (each new item
    // Assigns the other's item).
    void Assign(TPersistent* source) override;

protected:
    // Called after an item (or with nullptr, the whole collection) changed,
    // unless an update is in progress.
    virtual void Update(TCollectionItem* item) {}
    // Called when an item joins, leaves or is about to be deleted.
    virtual void Notify(TCollectionItem* item, TCollectionNotification action) {}
    // Calls Update(nullptr) unless an update is in progress.
    void Changed();

private:
    friend class TCollectionItem;
    int Check(int index) const;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    TCollectionItemClass itemClass_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
};

// A collection with an owner, which GetOwner and Owner return.
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* owner, TCollectionItemClass itemClass)
        : TCollection(std::move(itemClass)), owner_(owner) {}

protected:
    TPersistent* GetOwner() override { return owner_; }

private:
    TPersistent* owner_;
};
