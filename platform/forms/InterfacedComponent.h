// Components that implement interfaces, and the walk that finds them among
// everything open. A form of the class library may declare interfaces beside
// its class (a form that can translate itself, for instance); here such a
// class derives from TInterfacedComponent, and whoever must reach every open
// component offering an interface (translating the forms after a language
// pack is loaded) asks through TComponent::GetInterface, which works across
// library boundaries. The forms layer installs this walk as the platform's
// translation walk (platform/rtl/TranslateHook.h) when the platform is loaded.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/forms/Component.h"

#include <functional>
#include <type_traits>

// A component of class Base (TComponent or a descendant) that implements the
// interfaces I...: QueryInterface, AddRef and Release come from ComComponent
// (the owner frees the component; Release never does), and GetInterface
// answers the same interfaces to those who only hold a TComponent.
template <class Base, class... I>
class TInterfacedComponent : public Base, public ComComponent<I...> {
    static_assert(std::is_base_of_v<TComponent, Base>, "Base must be a component class");

public:
    using Base::Base;

    // The interface iid (one of I..., their bases or IUnknown) without a
    // reference; nullptr for any other.
    void* GetInterface(const GUID& iid) override { return ComComponent<I...>::GetInterface(iid); }
};

namespace forms {

// Calls `visit` with the interface iid of every live form, then every live
// data module, each followed by the components it owns (depth first), that
// offers it; each component once, even a form that another form owns. A
// visit may free forms and components: one freed before its turn is skipped.
void ForEachOpenComponentOffering(const GUID& iid, const std::function<void(void* intf)>& visit);

} // namespace forms
