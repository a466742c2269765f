// The reflection that stored forms need, which C++ does not have: a table of
// the classes a form may name, each with its published properties (name to
// setter), the handler methods a form may bind events to (name to method),
// its virtual constructor and, for modules and forms, its stored form text.
//
// Every library that reads forms owns one FormClassTable and registers the
// classes it uses (the platform's own, TComponent, TDataModule, TTimer and
// TSaveDialog, are registered by the table's constructor; the drawing
// layer's and the controls' classes, TForm among them, by
// controls::RegisterControlClasses); nothing is global, so two
// libraries in one process never see each other's classes or handlers. A class
// sees the properties and methods of the classes it derives from.
//
//   FormClassTable& table = ...;   // the library's own
//   table.Register<TAddInModule, TadxCOMAddInModule>()
//       .StoredForm(kAddInModuleForm)
//       .Method("Timer1Timer", &TAddInModule::Timer1Timer);
//   TAddInModule* m = table.Create<TAddInModule>(nullptr);
//
// Registration itself lives in FormClassBuilder.h.
#pragma once

#include "platform/forms/Component.h"
#include "platform/forms/FormValue.h"

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace forms {

class FormReader;
class FormClassTable;
template <class T> class ClassBuilder;

// Sets a property of `target` from its value in the form.
using PropertySetter =
    std::function<void(TObject& target, const FormValue& value, FormReader& reader)>;
// The object behind an object-valued property (Font, Glyph): the step of a dotted name.
using PropertyObject = std::function<TObject*(TObject& target)>;
// A handler method bound to a form's root object: a std::function of the
// method's own signature inside a std::any, empty when `root` is of another class.
using MethodBinder = std::function<std::any(TObject& root)>;
// The class's virtual constructor: a new instance owned by `owner`.
using ComponentCreator = std::function<TComponent*(TComponent* owner)>;

// A published property: set from a value, or an object whose own properties
// are set through dotted names, or both.
struct FormPropertyInfo {
    // The name as registered.
    std::string Name;
    // Sets the property from a value; empty for a property only reached through dots.
    PropertySetter Set;
    // The object behind the property, for dotted names; empty for a plain property.
    PropertyObject Object;
};

// A handler method that the form's events may name.
struct FormMethodInfo {
    // The name as registered.
    std::string Name;
    // Binds the method to a root object.
    MethodBinder Bind;
};

// One registered class.
class FormClass {
public:
    FormClass(const FormClass&) = delete;
    FormClass& operator=(const FormClass&) = delete;

    // The class name ("TTimer").
    const std::string& Name() const { return name_; }
    // The registered class it derives from, or nullptr.
    const FormClass* Parent() const { return parent_; }
    // The table the class belongs to.
    const FormClassTable& Table() const { return table_; }
    // True when this class is `other` or derives from it.
    bool InheritsFrom(const FormClass& other) const;

    // The property of this class or an ancestor with this name (letter case ignored), or nullptr.
    const FormPropertyInfo* FindProperty(std::string_view name) const;
    // The handler method of this class or an ancestor, or nullptr.
    const FormMethodInfo* FindMethod(std::string_view name) const;

    // True when a form may create instances of the class (a component class with a constructor).
    bool CanCreate() const { return static_cast<bool>(creator_); }
    // The class library's virtual constructor Create(AOwner): a new instance
    // owned by `owner`; a class with a stored form (its own or an ancestor's)
    // is then read from it, its components Loaded, and AfterConstruction runs
    // (a data module's OnCreate). On failure the half-built instance is freed
    // and the exception passes on. EClassNotFound when the class cannot be created.
    TComponent* Create(TComponent* owner) const;
    // The class library's CreateNew: a new instance owned by `owner` with its
    // defaults only; no stored form is read and AfterConstruction does not
    // run (so neither does OnCreate). EClassNotFound when the class cannot be created.
    TComponent* CreateNew(TComponent* owner) const;
    // The stored form of this class or its nearest ancestor that has one, and
    // the class it belongs to; {nullptr, nullptr} when none has.
    std::pair<const std::string*, const FormClass*> StoredForm() const;

private:
    friend class FormClassTable;
    template <class T> friend class ClassBuilder;

    FormClass(const FormClassTable& table, std::string name, const FormClass* parent);
    template <class Entry>
    const Entry* Lookup(std::map<std::string, Entry> FormClass::*member,
                        std::string_view name) const;

    const FormClassTable& table_;
    std::string name_;
    const FormClass* parent_;
    ComponentCreator creator_;
    std::unique_ptr<std::string> storedForm_;
    // A class whose descendants must bring a stored form (TDataModule, TForm).
    bool formBase_ = false;
    // Keyed by the upper-case name.
    std::map<std::string, FormPropertyInfo> properties_;
    std::map<std::string, FormMethodInfo> methods_;
};

// A library's table of form classes.
class FormClassTable {
public:
    // A table holding the platform's classes (TComponent, TDataModule, TTimer, TSaveDialog).
    FormClassTable();
    // Frees the registrations (components already made live on).
    ~FormClassTable();
    FormClassTable(const FormClassTable&) = delete;
    FormClassTable& operator=(const FormClassTable&) = delete;

    // Registers T (named as ClassName() names it) deriving from the registered
    // class Base, or from nothing when Base is void; gives the builder that
    // adds its properties and methods. Raises Exception when T is registered
    // already or Base is not.
    template <class T, class Base = void> ClassBuilder<T> Register();
    // The builder of the registered class T, to add to its registration
    // (Exception when T is not registered).
    template <class T> ClassBuilder<T> Extend();

    // The class of that name (letter case ignored), or nullptr.
    const FormClass* Find(std::string_view name) const;
    // The class of that name; EClassNotFound "Class %s not found" when absent.
    const FormClass& Get(std::string_view name) const;
    // Creates an instance of the named class as FormClass::Create does.
    TComponent* Create(std::string_view className, TComponent* owner) const;
    // Creates a T (registered under its class name) as FormClass::Create does.
    template <class T> T* Create(TComponent* owner) const;

private:
    FormClass& Add(std::string name, const std::string* baseName);
    FormClass& Existing(const std::string& name);

    std::map<std::string, std::unique_ptr<FormClass>> classes_;
};

template <class T> T* FormClassTable::Create(TComponent* owner) const {
    TComponent* instance = Create(ClassNameOf<T>(), owner);
    if (auto* typed = dynamic_cast<T*>(instance))
        return typed;
    instance->Free();
    throw Exception("Class " + ClassNameOf<T>() + " is registered with another class");
}

// A library's form class tables, filled on first use: the whole table, and
// a small one with only its module classes (a data module class and the
// classes it derives from), in which a module can be made with its defaults
// and read for its own settings without registering every class. Making the
// holder costs nothing, so a library makes it before the objects that will
// refer to its classes (its class factory), which it then outlives, without
// registering any as it loads:
//
//   FormClassesOnDemand& Classes() {
//       static FormClassesOnDemand c(&RegisterModules, &RegisterOthers);
//       return c;
//   }
class FormClassesOnDemand {
public:
    // The whole table holds what registerModules and then registerOthers
    // register; the small one what registerModules registers.
    FormClassesOnDemand(void (*registerModules)(FormClassTable&),
                        void (*registerOthers)(FormClassTable&)) noexcept
        : registerModules_(registerModules), registerOthers_(registerOthers) {}
    FormClassesOnDemand(const FormClassesOnDemand&) = delete;
    FormClassesOnDemand& operator=(const FormClassesOnDemand&) = delete;

    // The whole table, made and filled the first time.
    const FormClassTable& Get();
    // The table of the module classes alone, made and filled the first time.
    const FormClassTable& Modules();

private:
    void (*registerModules_)(FormClassTable&);
    void (*registerOthers_)(FormClassTable&);
    std::once_flag whole_;
    std::once_flag modules_;
    std::optional<FormClassTable> table_;
    std::optional<FormClassTable> modulesTable_;
};

// Registers the platform's own form classes in `table` (the table's constructor does).
void RegisterPlatformClasses(FormClassTable& table);

} // namespace forms
