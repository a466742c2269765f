// TStringList: the class library's string list that stores its strings and
// objects. It can keep itself sorted (then Add places each string and Find
// searches by halves), refuse or ignore duplicates in sorted mode, compare
// with or without letter case (without, by default), own its objects, and
// notify OnChanging/OnChange around every change.
#pragma once

#include "platform/rtl/Strings.h"

#include <functional>
#include <vector>

// What Add does with a string already in a sorted list.
enum TDuplicates {
    dupIgnore, // keep the list as it is and return the existing index
    dupAccept, // add it again
    dupError   // raise EStringListError "String list does not allow duplicates"
};

class TStringList;
// The comparison of CustomSort: <0, 0 or >0 for the strings at two indexes.
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

// A list of strings with an object each; an index outside the list raises
// EStringListError "List index out of bounds (%d)".
class TStringList : public TStrings {
public:
    // An empty list; with ownsObjects it deletes its objects when their
    // strings are deleted and when it is destroyed.
    explicit TStringList(bool ownsObjects = false) : OwnsObjects(ownsObjects) {}
    ~TStringList() override;

    int Count() const override { return static_cast<int>(items_.size()); }
    // Capacity: room reserved before the list must grow.
    int Capacity() const { return static_cast<int>(items_.capacity()); }
    void SetCapacity(int capacity);

    int Add(const std::string& s) override;
    int AddObject(const std::string& s, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void InsertObject(int index, const std::string& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const std::string& s) const override;
    // String index without a copy, valid until the list changes; for scans
    // over long lists. Raises EStringListError for a bad index.
    std::string_view View(int index) const;

    // In a sorted list: true when `s` is there, and in `index` its position or
    // the position where it would go. Unsorted lists are searched by halves
    // all the same, so call it only on sorted ones.
    bool Find(const std::string& s, int& index) const;
    // Sorts the strings (nothing when Sorted is set, as it is sorted already).
    virtual void Sort();
    // Sorts by a comparison of indexes; equal strings keep their order.
    virtual void CustomSort(const TStringListSortCompare& compare);

    // True while the list keeps itself sorted.
    bool Sorted() const { return sorted_; }
    // Turning Sorted on sorts the list.
    void SetSorted(bool sorted);
    // True when comparisons respect letter case (false by default).
    bool CaseSensitive() const { return caseSensitive_; }
    // Changing it re-sorts a sorted list.
    void SetCaseSensitive(bool caseSensitive);

    // What Add does with duplicates in a sorted list (unsorted lists take them all).
    TDuplicates Duplicates = dupIgnore;
    // True when the list deletes its objects.
    bool OwnsObjects;
    // Called before and after every change (outside BeginUpdate/EndUpdate).
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    int CompareStrings(std::string_view a, std::string_view b) const override;
    void SetUpdateState(bool updating) override;
    // Fire OnChanging and OnChange unless an update is in progress.
    virtual void Changing();
    virtual void Changed();

private:
    struct Item {
        std::string String;
        TObject* Object = nullptr;
    };
    int Check(int index) const;
    void InsertItem(int index, const std::string& s, TObject* object);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
};
