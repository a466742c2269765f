// TStringList: storage, sorting, duplicates and change notification.
#include "platform/rtl/StringList.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/RtlConsts.h"

#include <algorithm>
#include <numeric>

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (OwnsObjects)
        for (Item& item : items_)
            delete item.Object;
}

int TStringList::Check(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError(RtlConsts::SListIndexError, {index});
    return index;
}

void TStringList::SetCapacity(int capacity) {
    if (capacity < Count())
        throw EStringListError(RtlConsts::SListCapacityError, {capacity});
    if (capacity < Capacity())
        items_.shrink_to_fit();
    items_.reserve(capacity);
}

int TStringList::Add(const std::string& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const std::string& s, TObject* object) {
    int index = Count();
    if (sorted_ && Find(s, index)) {
        if (Duplicates == dupIgnore)
            return index;
        if (Duplicates == dupError)
            throw EStringListError(RtlConsts::SDuplicateString);
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Insert(int index, const std::string& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
    if (sorted_)
        throw EStringListError(RtlConsts::SSortedListError);
    if (index < 0 || index > Count())
        throw EStringListError(RtlConsts::SListIndexError, {index});
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index) {
    Check(index);
    Changing();
    TObject* object = items_[index].Object;
    items_.erase(items_.begin() + index);
    if (OwnsObjects)
        delete object;
    Changed();
}

void TStringList::Clear() {
    if (items_.empty())
        return;
    Changing();
    // Take the items out first: an object's destructor may look at the list.
    std::vector<Item> old;
    old.swap(items_);
    if (OwnsObjects)
        for (Item& item : old)
            delete item.Object;
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    Check(index1);
    Check(index2);
    Changing();
    std::swap(items_[index1], items_[index2]);
    Changed();
}

int TStringList::IndexOf(const std::string& s) const {
    if (!sorted_)
        return TStrings::IndexOf(s);
    int index = -1;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
    // The first position whose string is not below s: with duplicates this is
    // the first of the equal ones.
    auto it = std::lower_bound(items_.begin(), items_.end(), s,
                               [this](const Item& item, const std::string& key) {
                                   return CompareStrings(item.String, key) < 0;
                               });
    index = static_cast<int>(it - items_.begin());
    return it != items_.end() && CompareStrings(it->String, s) == 0;
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->items_[a].String, list->items_[b].String);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (sorted_ || Count() < 2)
        return;
    Changing();
    // Sort indexes, so that the comparison sees the list as it was.
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order)
        sorted.push_back(std::move(items_[i]));
    items_.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted_ == sorted)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive_ == caseSensitive)
        return;
    caseSensitive_ = caseSensitive;
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}

std::string TStringList::Get(int index) const {
    return items_[Check(index)].String;
}

std::string_view TStringList::View(int index) const {
    return items_[Check(index)].String;
}

void TStringList::Put(int index, const std::string& s) {
    if (sorted_)
        throw EStringListError(RtlConsts::SSortedListError);
    Check(index);
    Changing();
    items_[index].String = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    return items_[Check(index)].Object;
}

void TStringList::PutObject(int index, TObject* object) {
    Check(index);
    Changing();
    items_[index].Object = object;
    Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    if (caseSensitive_)
        return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
    return TStrings::CompareStrings(a, b);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}
