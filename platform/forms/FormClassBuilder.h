// Registering a class in a FormClassTable: its published properties, events,
// references, nested objects, its own defined properties, its handler methods
// and its stored form. Each property goes through a setter method (or straight
// into a field), so a setter's checks run while a form is read and its
// exception aborts the load.
//
//   table.Register<TTicker, TComponent>()
//       .Property("Interval", &TTicker::SetInterval)          // int, bool, string, ...
//       .Property("Caption", &TTicker::Caption)               // a field
//       .Enum("Size", &TTicker::SetSize, {"csRegular", "csLarge"})
//       .SetOf("Hosts", &TTicker::SetHosts, {"ohaExcel", "ohaWord", "ohaOutlook"})
//       .Reference("Images", &TTicker::SetImages)             // resolved after reading
//       .Event("OnTick", &TTicker::OnTick)                    // bound to a root method
//       .Object("Font", [](TTicker& t) { return t.Font(); })  // Font.Style = [...]
//       .Collection("Panes", [](TTicker& t) { return t.Panes(); }) // < item ... end >
//       .Define("Data", [](TTicker& t, const FormValue& v, FormReader& r) { ... })
//       .Method("TickerTick", &TTicker::TickerTick);          // for forms rooted here
#pragma once

#include "platform/forms/FormClass.h"
#include "platform/forms/FormConvert.h"
#include "platform/forms/FormReader.h"
#include "platform/text/Text.h"

#include <concepts>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace forms {

namespace builder_detail {

// The value type of a setter method `R (C::*)(V)` or a field `V C::*`.
template <class M> struct MemberValue;
template <class C, class R, class V> struct MemberValue<R (C::*)(V)> {
    using Type = std::remove_cvref_t<V>;
};
template <class C, class V> struct MemberValue<V C::*> { using Type = V; };

// Stores `value` through a setter method or into a field.
template <class T, class M, class V> void Store(T& object, M member, V&& value) {
    if constexpr (std::is_member_function_pointer_v<M>)
        (object.*member)(std::forward<V>(value));
    else
        object.*member = std::forward<V>(value);
}

template <class S>
concept MaskSet = requires(S s) {
    S::FromMask(s.Mask());
};

} // namespace builder_detail

template <class T> class ClassBuilder {
public:
    ClassBuilder(FormClass& cls) : class_(cls) {}

    // A property whose value converts to the setter's parameter or the
    // field's type (bool, integers, floats, std::string, std::u16string,
    // binary data, a list of strings).
    template <class M> ClassBuilder& Property(std::string name, M member) {
        using V = typename builder_detail::MemberValue<M>::Type;
        return Define(std::move(name),
                      [member](T& self, const FormValue& value, FormReader& reader) {
                          builder_detail::Store(self, member, ReadValue<V>(value, reader));
                      });
    }

    // An enumeration property written by name; names[n] has ordinal n.
    template <class M>
    ClassBuilder& Enum(std::string name, M member, std::vector<std::string> names) {
        using V = typename builder_detail::MemberValue<M>::Type;
        return Define(std::move(name), [member, names = std::move(names)](
                                           T& self, const FormValue& value, FormReader& reader) {
            builder_detail::Store(self, member, static_cast<V>(ReadEnum(value, reader, names)));
        });
    }

    // A set property of the enumeration `names` (bit n for names[n]): the
    // setter takes a TSet or an integer mask.
    template <class M>
    ClassBuilder& SetOf(std::string name, M member, std::vector<std::string> names) {
        using V = typename builder_detail::MemberValue<M>::Type;
        return Define(std::move(name), [member, names = std::move(names)](
                                           T& self, const FormValue& value, FormReader& reader) {
            uint64_t mask = ReadSet(value, reader, names);
            if constexpr (builder_detail::MaskSet<V>)
                builder_detail::Store(self, member,
                                      V::FromMask(static_cast<decltype(V().Mask())>(mask)));
            else
                builder_detail::Store(self, member, static_cast<V>(mask));
        });
    }

    // A reference to another component by name (or nil), set once the whole
    // form is read; the component must be of the pointer's class.
    template <class M> ClassBuilder& Reference(std::string name, M member) {
        using P = typename builder_detail::MemberValue<M>::Type;
        static_assert(std::is_pointer_v<P>, "a reference property takes a component pointer");
        using C = std::remove_pointer_t<P>;
        return Define(std::move(name),
                      [member](T& self, const FormValue& value, FormReader& reader) {
                          if (value.Type != FormValue::Kind::Identifier)
                              WrongKind(value, reader, "component name");
                          if (text::SameText(value.Text, "nil")) {
                              builder_detail::Store(self, member, static_cast<P>(nullptr));
                              return;
                          }
                          T* target = &self;
                          reader.Defer([target, member, name = value.Text](FormReader& r) {
                              TComponent* found = r.FindReference(name);
                              if (!found)
                                  r.Fail("Component " + name + " not found");
                              auto* typed = dynamic_cast<P>(found);
                              if (!typed)
                                  r.Fail("Component " + name + " is a " + found->ClassName() +
                                         ", not a " + ClassNameOf<C>());
                              builder_detail::Store(*target, member, typed);
                          });
                      });
    }

    // An event: a std::function field bound to the root's handler method named in the form.
    template <class C, class Sig>
    ClassBuilder& Event(std::string name, std::function<Sig> C::*field) {
        static_assert(std::is_base_of_v<C, T>);
        return Define(std::move(name),
                      [field](T& self, const FormValue& value, FormReader& reader) {
                          self.*field = reader.template BindMethod<Sig>(value);
                      });
    }

    // An object-valued property whose own properties the form sets through
    // dotted names ("Font.Style"); `get` gives the object (T& -> X*).
    template <class Get> ClassBuilder& Object(std::string name, Get get) {
        FormPropertyInfo& info = Entry(name);
        info.Object = [get](TObject& target) -> TObject* {
            T* self = dynamic_cast<T*>(&target);
            return self ? static_cast<TObject*>(get(*self)) : nullptr;
        };
        return *this;
    }

    // A collection property (`< item ... end >`) read into the standard
    // collection that `get` gives (T& -> TCollection*), whose items' classes
    // must be registered.
    template <class Get> ClassBuilder& Collection(std::string name, Get get) {
        return Define(std::move(name), [get](T& self, const FormValue& value, FormReader& reader) {
            TCollection* collection = get(self);
            if (!collection)
                reader.Fail("The collection does not exist");
            reader.ReadCollection(*collection, value);
        });
    }

    // A property the class reads itself (the class library's DefineProperties):
    // `read(self, value, reader)` gets the raw value and the reader.
    template <class Read> ClassBuilder& Define(std::string name, Read read) {
        FormPropertyInfo& info = Entry(name);
        info.Set = [read](TObject& target, const FormValue& value, FormReader& reader) {
            read(reader.template Cast<T>(target), value, reader);
        };
        return *this;
    }

    // A handler method that events of forms rooted in this class may name.
    template <class C, class R, class... A>
    ClassBuilder& Method(std::string name, R (C::*method)(A...)) {
        static_assert(std::is_base_of_v<C, T>);
        std::string key = text::UpperCase(name);
        class_.methods_[key] = {std::move(name), [method](TObject& root) -> std::any {
                                    T* self = dynamic_cast<T*>(&root);
                                    if (!self)
                                        return {};
                                    C* object = self;
                                    return std::function<R(A...)>([object, method](A... args) -> R {
                                        return (object->*method)(std::forward<A>(args)...);
                                    });
                                }};
        return *this;
    }

    // The class's stored form (text in the form notation, kept by the table).
    ClassBuilder& StoredForm(std::string_view text) {
        class_.storedForm_ = std::make_unique<std::string>(text);
        return *this;
    }

    // Marks a base of stored-form classes (TDataModule, TForm): its
    // descendants must bring a stored form to be created through the table.
    ClassBuilder& FormBase() {
        class_.formBase_ = true;
        return *this;
    }

    // Replaces the virtual constructor (the default is `new T(owner)`).
    template <class Make> ClassBuilder& Creator(Make make) {
        class_.creator_ = [make](TComponent* owner) -> TComponent* { return make(owner); };
        return *this;
    }

private:
    FormPropertyInfo& Entry(const std::string& name) {
        FormPropertyInfo& info = class_.properties_[text::UpperCase(name)];
        info.Name = name;
        return info;
    }

    FormClass& class_;
};

template <class T, class Base> ClassBuilder<T> FormClassTable::Register() {
    std::string name = ClassNameOf<T>();
    FormClass* cls;
    if constexpr (std::is_void_v<Base>) {
        cls = &Add(name, nullptr);
    } else {
        static_assert(std::is_base_of_v<Base, T>, "the base must be a base class of T");
        std::string base = ClassNameOf<Base>();
        cls = &Add(name, &base);
    }
    if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*> &&
                  !std::is_abstract_v<T>)
        cls->creator_ = [](TComponent* owner) -> TComponent* { return new T(owner); };
    return ClassBuilder<T>(*cls);
}

template <class T> ClassBuilder<T> FormClassTable::Extend() {
    return ClassBuilder<T>(Existing(ClassNameOf<T>()));
}

} // namespace forms
