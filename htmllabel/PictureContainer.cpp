// The picture cache, the container's items and their registration for
// stored forms.
#include "htmllabel/PictureContainer.h"

#include "platform/forms/FormClassBuilder.h"
#include "platform/rtl/Streams.h"
#include "platform/text/Text.h"

THTMLPictureCache::~THTMLPictureCache() = default;

THTMLPicture* THTMLPictureCache::AddPicture() {
    pictures_.push_back(std::make_unique<THTMLPicture>());
    return pictures_.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const std::string& id) const {
    for (const auto& picture : pictures_)
        if (picture->ID() == id)
            return picture.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int index) const {
    return index >= 0 && index < Count() ? pictures_[size_t(index)].get() : nullptr;
}

void THTMLPictureCache::ClearPictures() {
    // A picture's handlers may look at the cache while it goes.
    std::vector<std::unique_ptr<THTMLPicture>> going = std::move(pictures_);
    pictures_.clear();
}

TPictureItem::TPictureItem(TCollection* collection)
    : TCollectionItem(collection), picture_(std::make_unique<THTMLPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPictureItem*>(source);
    if (!other)
        return TCollectionItem::Assign(source);
    picture_->Assign(other->picture_.get());
    tag_ = other->tag_;
    name_ = other->name_;
}

std::string TPictureItem::GetDisplayName() const {
    return name_.empty() ? TCollectionItem::GetDisplayName() : name_;
}

TPictureCollection::TPictureCollection(TPictureContainer* owner)
    : TOwnedCollection(owner, ItemClassOf<TPictureItem>()) {}

TPictureItem* TPictureCollection::Add() {
    return static_cast<TPictureItem*>(TCollection::Add());
}

TPictureItem* TPictureCollection::Insert(int index) {
    return static_cast<TPictureItem*>(TCollection::Insert(index));
}

TPictureItem* TPictureCollection::Items(int index) const {
    return static_cast<TPictureItem*>(TCollection::Items(index));
}

void TPictureCollection::SetItems(int index, TPictureItem* value) {
    TCollection::SetItems(index, value);
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), items_(std::make_unique<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const std::string& name) const {
    for (int i = 0; i < items_->Count(); ++i) {
        TPictureItem* item = items_->Items(i);
        if (text::UpperCase(item->Name()) == name)
            return item->Picture();
    }
    return nullptr;
}

void RegisterPictureClasses(forms::FormClassTable& table) {
    using forms::FormReader;
    using forms::FormValue;
    if (table.Find("TPictureContainer"))
        return;
    table.Register<THTMLPicture>()
        .Property("Stretch", &THTMLPicture::SetStretch)
        .Property("Frame", &THTMLPicture::SetFrame)
        .Define("Data",
                [](THTMLPicture& picture, const FormValue& value, FormReader& reader) {
                    std::vector<uint8_t> bytes = forms::ReadBinary(value, reader);
                    TMemoryStream stream;
                    if (!bytes.empty())
                        stream.WriteBuffer(bytes.data(), bytes.size());
                    stream.SetPosition(0);
                    picture.ReadData(stream);
                })
        .Event("OnFrameChange", &THTMLPicture::OnFrameChange)
        .Event("OnDownLoadComplete", &THTMLPicture::OnDownLoadComplete);
    table.Register<TPictureItem>()
        .Object("Picture", [](TPictureItem& item) { return item.Picture(); })
        .Property("Tag", &TPictureItem::SetTag)
        .Property("Name", &TPictureItem::SetName);
    table.Register<TPictureContainer, TComponent>().Collection(
        "Items", [](TPictureContainer& container) { return container.Items(); });
}
