// TComponent: ownership, names and removal notification.
#include "platform/forms/Component.h"

#include "platform/forms/FormConsts.h"
#include "platform/rtl/RtlConsts.h"
#include "platform/text/Text.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::Free() {
    BeforeDestruction();
    delete this;
}

void TComponent::BeforeDestruction() {
    Destroying();
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(RtlConsts::SListIndexError, {index});
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_)
        return -1;
    auto& list = owner_->components_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (text::SameText(c->name_, name))
            return c;
    return nullptr;
}

bool TComponent::IsValidName(std::string_view name) {
    if (name.empty())
        return true;
    auto letter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (!letter(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(),
                       [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

void TComponent::SetName(const std::string& NewName) {
    if (name_ == NewName)
        return;
    if (!IsValidName(NewName))
        throw EComponentError(FormConsts::SInvalidName, {NewName});
    if (owner_)
        owner_->ValidateRename(this, name_, NewName);
    name_ = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName) {
    if (AComponent && !text::SameText(CurName, NewName) && AComponent->owner_ == this) {
        TComponent* existing = FindComponent(NewName);
        if (existing && existing != AComponent)
            throw EComponentError(FormConsts::SDuplicateName, {NewName});
    }
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ == this)
        return;
    // A component inserted under its own name must not clash with one already here.
    if (FindComponent(AComponent->name_))
        throw EComponentError(FormConsts::SDuplicateName, {AComponent->name_});
    if (AComponent->owner_)
        AComponent->owner_->RemoveComponent(AComponent);
    Insert(AComponent);
    if (state_ & csDesigning)
        AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ != this)
        return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end())
        components_.erase(it);
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* instance = components_.back();
        Remove(instance);
        instance->Free();
    }
}

void TComponent::Destroying() {
    if (state_ & csDestroying)
        return;
    state_ |= csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
        freeNotifies_.push_back(AComponent);
        AComponent->FreeNotification(this);
    }
    state_ |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent)
        return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* component) {
    auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), component);
    if (it != freeNotifies_.end())
        freeNotifies_.erase(it);
}

void TComponent::RemoveFreeNotifications() {
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        other->Notification(this, opRemove);
        // An override that does not pass the notification on must not make this loop endless.
        RemoveFreeNotification(other);
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Walk down by index: a component told of the removal may free others.
    for (size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size()) {
            i = components_.size();
            continue;
        }
        components_[i]->Notification(AComponent, Operation);
    }
}

void TComponent::SetDesigning(bool value, bool setChildren) {
    if (value)
        state_ |= csDesigning;
    else
        state_ &= ~csDesigning;
    if (setChildren)
        for (TComponent* c : components_)
            c->SetDesigning(value, true);
}

void TComponent::Loaded() {
    state_ &= ~csLoading;
}

void* TComponent::GetInterface(const GUID&) {
    return nullptr;
}
