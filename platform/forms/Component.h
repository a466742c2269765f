// TComponent: the class library's component, the unit from which modules,
// forms and everything placed on them are built. A component may have an
// owner; the owner keeps its components in insertion order, frees them when it
// is freed (the last first) and tells them when one of them goes away. A
// component can also ask any other component to tell it when that one is
// freed (FreeNotification), which is how references across owners are cleared.
//
// Destruction follows the class library: BeforeDestruction marks the component
// and everything it owns as being destroyed, then the destructor tells the
// components that asked for it, frees the owned components and leaves the
// owner. Free() (and an owner freeing its components) runs BeforeDestruction
// first, while the most derived class still exists; a plain `delete` skips
// that step. A derived class whose owned components need its own fields while
// they go may call DestroyComponents() in its destructor.
#pragma once

#include "platform/rtl/Exception.h"
#include "platform/rtl/Object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct GUID;

namespace forms {
class FormReader;
}

// What happened to the component named in a Notification.
enum TOperation { opInsert, opRemove };

// Flags of TComponent::ComponentState, in the class library's bit numbering.
using TComponentState = uint32_t;
inline constexpr TComponentState csLoading = 1u << 0;
inline constexpr TComponentState csReading = 1u << 1;
inline constexpr TComponentState csWriting = 1u << 2;
inline constexpr TComponentState csDestroying = 1u << 3;
inline constexpr TComponentState csDesigning = 1u << 4;
inline constexpr TComponentState csAncestor = 1u << 5;
inline constexpr TComponentState csUpdating = 1u << 6;
inline constexpr TComponentState csFixups = 1u << 7;
inline constexpr TComponentState csFreeNotification = 1u << 8;
inline constexpr TComponentState csInline = 1u << 9;
inline constexpr TComponentState csDesignInstance = 1u << 10;

// A misuse of components: an invalid or duplicate name, a bad index.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class TComponent : public TPersistent {
public:
    // A component owned by `AOwner` (appended to its components), or by nobody.
    explicit TComponent(TComponent* AOwner);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    // Tells the components that asked for it, frees the owned components (the
    // last first) and leaves the owner.
    ~TComponent() override;

    // Frees the component as the class library's Free does: BeforeDestruction, then delete.
    void Free();
    // Called by the class library's constructors once the object is complete
    // (data modules and forms fire OnCreate here); nothing by default.
    virtual void AfterConstruction() {}
    // Called before the destructors run; marks the component as being destroyed.
    virtual void BeforeDestruction();

    // The owner, or nullptr.
    TComponent* Owner() const { return owner_; }
    // Number of owned components.
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // The owned component at `index` (insertion order); EListError when outside.
    TComponent* Components(int index) const;
    // This component's index among its owner's components, or -1 without owner.
    int ComponentIndex() const;
    // The owned component with this name, letter case ignored; nullptr for none or "".
    TComponent* FindComponent(std::string_view name) const;

    // The component's name; empty for an unnamed one.
    const std::string& Name() const { return name_; }
    // Renames the component: the name must be an identifier (or empty) and
    // unique among the owner's components, else EComponentError.
    virtual void SetName(const std::string& NewName);
    // A free integer for the program's own use.
    intptr_t Tag() const { return tag_; }
    // Sets Tag.
    void SetTag(intptr_t value) { tag_ = value; }
    // The state flags (csLoading, csReading, csDestroying, csDesigning, ...).
    TComponentState ComponentState() const { return state_; }

    // Makes this component the owner of `AComponent` (which must have none).
    void InsertComponent(TComponent* AComponent);
    // Gives `AComponent` up: it stays alive with no owner.
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, the last first, each removed from the list before it goes.
    void DestroyComponents();
    // Marks this component and the components it owns as being destroyed.
    void Destroying();

    // Asks `AComponent` to call this component's Notification when it is
    // freed (and the other way round); harmless when asked twice.
    void FreeNotification(TComponent* AComponent);
    // Withdraws a FreeNotification in both directions.
    void RemoveFreeNotification(TComponent* AComponent);
    // Tells this component that `AComponent` was inserted into or is being
    // removed from its components, or is being freed. The default forgets a
    // free notification of a removed component and passes the news on to
    // every owned component, so siblings learn of each other's removal.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    // Sets or clears csDesigning, for the owned components too when `setChildren`.
    void SetDesigning(bool value, bool setChildren = true);
    // Called once the whole stored form holding this component has been read
    // and its references resolved; the default clears csLoading. Overrides call it.
    virtual void Loaded();
    // Called while a form is read with the component whose `object` block
    // encloses this one (the root for top-level components); controls take it
    // as their parent. Nothing by default.
    virtual void SetParentComponent(TComponent* Parent) {}

    // The interface iid that this component implements (no reference added),
    // or nullptr: how code in another library asks a component for an
    // interface, where dynamic_cast cannot be trusted. None by default; a
    // component class that implements interfaces answers them here
    // (TInterfacedComponent does).
    virtual void* GetInterface(const GUID& iid);

    // True when `name` is a valid component name: a letter or "_", then
    // letters, digits and "_" (the empty name is valid for components too).
    static bool IsValidName(std::string_view name);

protected:
    // Raises EComponentError when `newName` is already the name of another of
    // this component's components; called by SetName and InsertComponent.
    virtual void ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName);

private:
    friend class forms::FormReader;

    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void RemoveNotification(TComponent* component);
    void RemoveFreeNotifications();

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    intptr_t tag_ = 0;
    TComponentState state_ = 0;
};
