// The pictures of the HTML label: THTMLPictureCache, the label's own list of
// pictures loaded by URL (found again by their ID), and TPictureContainer, a
// component holding named pictures (a TPictureCollection of TPictureItem)
// that IMG tags name without "://". The pictures themselves are
// THTMLPicture (HTMLPicture.h).
//
// A stored form keeps a container's pictures as items with their Name, Tag
// and Picture.Data (the picture's bytes as they were loaded); each library
// that reads such forms registers the classes once:
//   RegisterPictureClasses(table);
#pragma once

#include "htmllabel/HTMLPicture.h"
#include "platform/forms/Component.h"
#include "platform/rtl/Collection.h"

#include <memory>
#include <string>
#include <vector>

namespace forms {
class FormClassTable;
}

// Pictures loaded by URL, owned by the cache.
class THTMLPictureCache {
public:
    THTMLPictureCache() = default;
    // Frees every picture.
    ~THTMLPictureCache();
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    // A new empty picture at the end of the cache.
    THTMLPicture* AddPicture();
    // The first picture whose ID is exactly id, or nullptr.
    THTMLPicture* FindPicture(const std::string& id) const;
    // The picture at index (nullptr outside the cache).
    THTMLPicture* GetPicture(int index) const;
    // Frees every picture.
    void ClearPictures();
    // The number of pictures.
    int Count() const { return static_cast<int>(pictures_.size()); }

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};

class TPictureCollection;

// A named picture of a container.
class TPictureItem : public TCollectionItem {
public:
    // A new item with an empty picture, added to collection.
    explicit TPictureItem(TCollection* collection);
    ~TPictureItem() override;

    // Copies another item's picture, name and tag.
    void Assign(TPersistent* source) override;

    // The item's picture, owned by the item; setting it copies the picture.
    THTMLPicture* Picture() const { return picture_.get(); }
    void SetPicture(THTMLPicture* value) { picture_->Assign(value); }
    // A number for the program's own use.
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }
    // The name IMG tags use (FindPicture compares it upper-cased).
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }

protected:
    std::string GetDisplayName() const override;

private:
    std::unique_ptr<THTMLPicture> picture_;
    int tag_ = 0;
    std::string name_;
};

class TPictureContainer;

// The items of a container.
class TPictureCollection : public TOwnedCollection {
public:
    // An empty collection of the container.
    explicit TPictureCollection(TPictureContainer* owner);

    // A new item at the end.
    TPictureItem* Add();
    // A new item at index.
    TPictureItem* Insert(int index);
    // The item at index (EListError outside the collection).
    TPictureItem* Items(int index) const;
    void SetItems(int index, TPictureItem* value);
};

// A component holding named pictures.
class TPictureContainer : public TComponent {
public:
    // A container with no pictures.
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;

    // The pictures; setting them copies another collection's items.
    TPictureCollection* Items() const { return items_.get(); }
    void SetItems(TPictureCollection* value) { items_->Assign(value); }
    // The picture of the first item whose upper-cased Name equals name
    // (callers pass it upper-cased), or nullptr.
    THTMLPicture* FindPicture(const std::string& name) const;

private:
    std::unique_ptr<TPictureCollection> items_;
};

// Registers THTMLPicture, TPictureItem and TPictureContainer for stored
// forms (nothing when they are there already).
void RegisterPictureClasses(forms::FormClassTable& table);
