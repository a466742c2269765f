// The stored-form reader: builds a root component's content from a parsed
// form, as the class library's reader does. For the root and every nested
// object, in the order written: the component is created with the root as
// owner (the class from the library's FormClassTable), marked csLoading and
// csReading, named, told its enclosing component (SetParentComponent), and
// its properties are set through their setters; then its nested objects are
// read. References to components are resolved once the whole form is read, so
// a form may name a component before the object that declares it. Then every
// component read is Loaded, the root first.
//
// Property setters and a class's own defined properties get the reader, to
// convert values (FormConvert.h), to bind handlers by name, to defer work
// until all components exist and to read nested property lists (collection
// items). Every error names the form and the line; errors about a property
// also name the object and the property ("Error reading Timer1.Interval: ...").
// When reading fails, what was created so far stays owned by the root; the
// class library's constructors (FormClass::Create) then free the root.
#pragma once

#include "platform/forms/FormClass.h"
#include "platform/forms/FormValue.h"
#include "platform/rtl/Collection.h"

#include <any>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

class FormReader {
public:
    // A reader of one form of `table`'s classes; errors name `formName`.
    FormReader(const FormClassTable& table, std::string formName);

    // Reads `form` into `root`, whose class must be the form's root class.
    void ReadRoot(TComponent& root, const FormObject& form);
    // Reads into `root` only those of the form's root properties that `names`
    // names (letter case ignored), in the order written: the nested objects
    // are neither read nor created, and nothing is Loaded. For a root made
    // with its defaults only (FormClass::CreateNew) whose caller needs a few
    // of its settings, not the whole object.
    void ReadRootProperties(TComponent& root, const FormObject& form,
                            std::span<const std::string_view> names);

    // The component whose form is being read.
    TComponent& Root() const { return *root_; }
    // The class table in use.
    const FormClassTable& Table() const { return table_; }
    // The name of the form being read.
    const std::string& FormName() const { return formName_; }

    // Raises EFormReadError for the property being read: "Error reading
    // <object>.<property>: <reason> (form <form>, line <n>)".
    [[noreturn]] void Fail(const std::string& reason) const;
    // Runs `fixup` after the whole form is read, before Loaded; its errors are
    // reported at the property being read now.
    void Defer(std::function<void(FormReader&)> fixup);
    // The component that a reference names: a component of the root, the root
    // itself, "<root name>.<component>", or "<form or data module name>.<component>"
    // of a live form or data module (Screen.h); nullptr when none is found.
    TComponent* FindReference(std::string_view name) const;
    // The root's handler method that `value` names, as a function of the
    // event's signature; an empty function for nil. Raises when the value is
    // no identifier, the root class has no such method, or its signature
    // differs from the event's.
    template <class Sig> std::function<Sig> BindMethod(const FormValue& value) {
        std::any bound = BindAny(value);
        if (!bound.has_value())
            return {};
        auto* f = std::any_cast<std::function<Sig>>(&bound);
        if (!f)
            Fail("Method " + value.Text + " does not match the event's type");
        return std::move(*f);
    }
    // Reads a nested property list into `target` (of its registered class,
    // found by its class name), as the properties of an object; errors name
    // `displayName` as the object.
    void ReadProperties(TObject& target, const std::vector<FormProperty>& properties,
                        const std::string& displayName);
    // The display name of item `index` of the collection property being read
    // ("adxRibbonTab3.Controls_[0]"), for ReadProperties.
    std::string ItemName(int index) const;
    // Reads the items of a collection value (`< item ... end >`): for item i,
    // `make(i)` gives the object to read it into (a new item of the right
    // class), whose properties are then read as ReadProperties does. Raises
    // when the value is no collection.
    void ReadItems(const FormValue& value, const std::function<TObject&(int index)>& make);
    // Reads a collection value into a standard collection, as the class
    // library does: within BeginUpdate and EndUpdate, the collection is
    // cleared and each item made by Add, then read.
    void ReadCollection(TCollection& collection, const FormValue& value);
    // Casts the object a setter was given to its registered class; raises
    // when the registration does not match the object.
    template <class T> T& Cast(TObject& target) const {
        if (auto* t = dynamic_cast<T*>(&target))
            return *t;
        Fail("Object of class " + target.ClassName() + " is not a " + ClassNameOf<T>());
    }

private:
    // Where reading is: the object and property named in errors, and the line.
    struct Position {
        std::string Object;
        std::string Property;
        int Line = 0;
    };
    struct Fixup {
        std::function<void(FormReader&)> Run;
        Position At;
    };
    class PositionScope;

    std::any BindAny(const FormValue& value) const;
    // Takes up `root` as the root of `form`; raises when its class is not
    // registered or is not the form's.
    void BeginRoot(TComponent& root, const FormObject& form);
    void ReadBody(TComponent& component, const FormClass& cls, const FormObject& object);
    void ReadChild(TComponent& parent, const FormObject& object);
    void SetComponentName(TComponent& component, const std::string& name);
    void ApplyProperty(TObject& target, const FormClass& cls, const FormProperty& property,
                       const std::string& displayName);
    void RunFixups();
    template <class F> void Guarded(F&& step);
    std::string Positioned(const std::string& reason) const;

    const FormClassTable& table_;
    std::string formName_;
    TComponent* root_ = nullptr;
    const FormClass* rootClass_ = nullptr;
    Position position_;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
    // The exception whose message already names its position, so that outer
    // properties pass it on unchanged.
    const void* annotated_ = nullptr;
};

// Parses `text` and reads it into `root` (FormParser.h, FormReader). Errors
// name `formName`.
void ReadComponentForm(TComponent& root, std::string_view text, const FormClassTable& table,
                       const std::string& formName);

} // namespace forms
