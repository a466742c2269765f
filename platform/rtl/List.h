// TList: the class library's ordered list of pointers. It owns nothing; an
// index outside the list raises EListError "List index out of bounds (%d)".
// TList<T> holds T* (TList<> holds untyped pointers), so callers need no casts.
// Descendants that must react to entries coming and going override Notify.
#pragma once

#include "platform/rtl/Exception.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/RtlConsts.h"

#include <algorithm>
#include <vector>

// What happened to an entry, for TList::Notify.
enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// An ordered list of T pointers (nullptr entries allowed).
template <class T = void> class TList : public TObject {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    ~TList() override = default; // entries are not notified: the list owns nothing

    // Number of entries.
    int Count() const { return static_cast<int>(items_.size()); }
    // Room reserved before the list must grow.
    int Capacity() const { return static_cast<int>(items_.capacity()); }
    // Reserves room; a capacity below Count raises EListError.
    void SetCapacity(int capacity) {
        if (capacity < Count())
            throw EListError(RtlConsts::SListCapacityError, {capacity});
        if (capacity < Capacity())
            items_.shrink_to_fit();
        items_.reserve(capacity);
    }

    // The entry at `index`.
    T* Items(int index) const { return items_[Check(index)]; }
    // The entry at `index`, as Items.
    T* operator[](int index) const { return Items(index); }
    // Replaces the entry at `index`.
    void SetItems(int index, T* item) {
        T* old = items_[Check(index)];
        if (old == item)
            return;
        items_[index] = item;
        if (old)
            Notify(old, lnDeleted);
        if (item)
            Notify(item, lnAdded);
    }
    // The first and the last entry (EListError when empty).
    T* First() const { return Items(0); }
    T* Last() const { return Items(Count() - 1); }

    // Appends an entry; returns its index.
    int Add(T* item) {
        items_.push_back(item);
        if (item)
            Notify(item, lnAdded);
        return Count() - 1;
    }
    // Inserts an entry before `index` (0 to Count).
    void Insert(int index, T* item) {
        if (index < 0 || index > Count())
            throw EListError(RtlConsts::SListIndexError, {index});
        items_.insert(items_.begin() + index, item);
        if (item)
            Notify(item, lnAdded);
    }
    // Removes the entry at `index`.
    void Delete(int index) {
        T* item = items_[Check(index)];
        items_.erase(items_.begin() + index);
        if (item)
            Notify(item, lnDeleted);
    }
    // Removes the first occurrence of `item`; returns its former index or -1.
    int Remove(T* item) {
        int index = IndexOf(item);
        if (index >= 0)
            Delete(index);
        return index;
    }
    // Removes the first occurrence of `item` without the delete notification;
    // returns it, or nullptr when absent.
    T* Extract(T* item) {
        int index = IndexOf(item);
        if (index < 0)
            return nullptr;
        items_.erase(items_.begin() + index);
        Notify(item, lnExtracted);
        return item;
    }
    // Removes every entry.
    void Clear() {
        while (!items_.empty())
            Delete(Count() - 1);
        items_.shrink_to_fit();
    }
    // The index of the first occurrence of `item`, or -1.
    int IndexOf(const T* item) const {
        auto it = std::find(items_.begin(), items_.end(), item);
        return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    }
    // Swaps two entries.
    void Exchange(int index1, int index2) {
        std::swap(items_[Check(index1)], items_[Check(index2)]);
    }
    // Moves the entry at `curIndex` so that it ends up at `newIndex`.
    void Move(int curIndex, int newIndex) {
        if (curIndex == newIndex)
            return;
        Check(newIndex);
        T* item = items_[Check(curIndex)];
        items_.erase(items_.begin() + curIndex);
        items_.insert(items_.begin() + newIndex, item);
    }
    // Removes the nullptr entries.
    void Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }
    // Sorts by `compare(a, b)` (<0, 0, >0, as the class library's sort
    // functions); entries that compare equal keep their order.
    template <class Compare> void Sort(Compare compare) {
        std::stable_sort(items_.begin(), items_.end(),
                         [&](T* a, T* b) { return compare(a, b) < 0; });
    }

    // Iteration over the entries, in order.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

protected:
    // Called after an entry was added, extracted or deleted (never for nullptr).
    virtual void Notify(T* item, TListNotification action) {}

private:
    int Check(int index) const {
        if (index < 0 || index >= Count())
            throw EListError(RtlConsts::SListIndexError, {index});
        return index;
    }

    std::vector<T*> items_;
};
