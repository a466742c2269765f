// The stored-form reader.
#include "platform/forms/FormReader.h"

#include "platform/forms/DataModule.h"
#include "platform/forms/FormConsts.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/FormParser.h"
#include "platform/forms/Screen.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace forms {

// Sets the position for the duration of a step and restores it afterwards.
class FormReader::PositionScope {
public:
    PositionScope(FormReader& reader, Position position)
        : reader_(reader), saved_(std::move(reader.position_)) {
        reader_.position_ = std::move(position);
    }
    ~PositionScope() { reader_.position_ = std::move(saved_); }
    PositionScope(const PositionScope&) = delete;
    PositionScope& operator=(const PositionScope&) = delete;

private:
    FormReader& reader_;
    Position saved_;
};

namespace {

// How errors show an object: its name, or its class when it has none.
std::string DisplayName(const TComponent& c) {
    return c.Name().empty() ? c.ClassName() : c.Name();
}

} // namespace

FormReader::FormReader(const FormClassTable& table, std::string formName)
    : table_(table), formName_(std::move(formName)) {}

std::string FormReader::Positioned(const std::string& reason) const {
    std::string message = position_.Property.empty()
                              ? reason
                              : Format(FormConsts::SPropertyException,
                                       {position_.Object, position_.Property, reason});
    return message + FormPosition(formName_, position_.Line);
}

void FormReader::Fail(const std::string& reason) const {
    throw EFormReadError(Positioned(reason), formName_, position_.Line);
}

// Runs a step of reading; an exception from a setter or a constructor gains
// the position (once), anything that is not the system's exception becomes an EFormReadError.
template <class F> void FormReader::Guarded(F&& step) {
    try {
        step();
    } catch (const EFormReadError&) {
        throw;
    } catch (Exception& e) {
        if (annotated_ != &e) {
            e.Message = Positioned(e.Message);
            annotated_ = &e;
        }
        throw;
    } catch (const std::exception& e) {
        Fail(e.what());
    }
}

void FormReader::BeginRoot(TComponent& root, const FormObject& form) {
    root_ = &root;
    position_ = {DisplayName(root), "", form.Line};
    rootClass_ = table_.Find(root.ClassName());
    if (!rootClass_) {
        std::string name = root.ClassName();
        throw EClassNotFound(Format(FormConsts::SClassNotFound, {name}) +
                                 FormPosition(formName_, form.Line),
                             formName_, form.Line);
    }
    if (!text::SameText(form.ClassName, root.ClassName()))
        Fail("The form is one of " + form.ClassName + ", not of " + root.ClassName());
}

void FormReader::ReadRoot(TComponent& root, const FormObject& form) {
    BeginRoot(root, form);
    try {
        root.state_ |= csLoading | csReading;
        loaded_.push_back(&root);
        if (!form.Name.empty())
            SetComponentName(root, form.Name);
        ReadBody(root, *rootClass_, form);
        root.state_ &= ~csReading;
        RunFixups();
        for (TComponent* c : loaded_) {
            PositionScope scope(*this, {DisplayName(*c), "", form.Line});
            Guarded([c] { c->Loaded(); });
        }
    } catch (...) {
        for (TComponent* c : loaded_)
            c->state_ &= ~(csLoading | csReading);
        throw;
    }
    loaded_.clear();
}

void FormReader::ReadRootProperties(TComponent& root, const FormObject& form,
                                    std::span<const std::string_view> names) {
    BeginRoot(root, form);
    try {
        root.state_ |= csLoading | csReading;
        if (!form.Name.empty())
            SetComponentName(root, form.Name);
        std::string display = DisplayName(root);
        for (const FormProperty& p : form.Properties)
            if (std::any_of(names.begin(), names.end(),
                            [&](std::string_view name) { return text::SameText(p.Name, name); }))
                ApplyProperty(root, *rootClass_, p, display);
        RunFixups();
    } catch (...) {
        root.state_ &= ~(csLoading | csReading);
        throw;
    }
    root.state_ &= ~(csLoading | csReading);
}

void FormReader::ReadBody(TComponent& component, const FormClass& cls, const FormObject& object) {
    std::string display = DisplayName(component);
    for (const FormProperty& p : object.Properties)
        ApplyProperty(component, cls, p, display);
    for (const FormObject& child : object.Children)
        ReadChild(component, child);
}

void FormReader::ReadChild(TComponent& parent, const FormObject& object) {
    PositionScope scope(*this,
                        {object.Name.empty() ? object.ClassName : object.Name, "", object.Line});
    const FormClass* cls = table_.Find(object.ClassName);
    if (!cls)
        throw EClassNotFound(Positioned(Format(FormConsts::SClassNotFound, {object.ClassName})),
                             formName_, object.Line);
    if (!cls->CanCreate())
        Fail("Class " + cls->Name() + " is no component a form can create");
    TComponent* component = nullptr;
    Guarded([&] { component = cls->Create(root_); });
    component->state_ |= csLoading | csReading;
    loaded_.push_back(component);
    if (!object.Name.empty())
        SetComponentName(*component, object.Name);
    Guarded([&] { component->SetParentComponent(&parent); });
    ReadBody(*component, *cls, object);
    component->state_ &= ~csReading;
}

void FormReader::SetComponentName(TComponent& component, const std::string& name) {
    PositionScope scope(*this, {name, "Name", position_.Line});
    Guarded([&] { component.SetName(name); });
}

void FormReader::ApplyProperty(TObject& target, const FormClass& cls, const FormProperty& property,
                               const std::string& displayName) {
    PositionScope scope(*this, {displayName, property.Name, property.Line});
    Guarded([&] {
        TObject* object = &target;
        const FormClass* objectClass = &cls;
        std::string_view path = property.Name;
        for (;;) {
            size_t dot = path.find('.');
            std::string step(path.substr(0, dot));
            const FormPropertyInfo* info = objectClass->FindProperty(step);
            if (!info)
                Fail(Format(FormConsts::SUnknownProperty, {step}));
            if (dot == std::string_view::npos) {
                if (!info->Set)
                    Fail("Property " + step + " cannot be set from a form");
                info->Set(*object, property.Value, *this);
                return;
            }
            if (!info->Object)
                Fail("Property " + step + " has no properties of its own");
            object = info->Object(*object);
            if (!object)
                Fail("Property " + step + " is nil");
            objectClass = table_.Find(object->ClassName());
            if (!objectClass)
                Fail("Class " + object->ClassName() + " is not registered");
            path.remove_prefix(dot + 1);
        }
    });
}

void FormReader::ReadProperties(TObject& target, const std::vector<FormProperty>& properties,
                                const std::string& displayName) {
    const FormClass* cls = table_.Find(target.ClassName());
    if (!cls)
        Fail("Class " + target.ClassName() + " is not registered");
    for (const FormProperty& p : properties)
        ApplyProperty(target, *cls, p, displayName);
}

std::string FormReader::ItemName(int index) const {
    return position_.Object + "." + position_.Property + "[" + std::to_string(index) + "]";
}

void FormReader::ReadItems(const FormValue& value, const std::function<TObject&(int index)>& make) {
    if (value.Type != FormValue::Kind::Collection)
        Fail(std::string(FormConsts::SInvalidPropertyValue) + ": collection expected but " +
             FormValue::KindName(value.Type) + " found");
    for (size_t i = 0; i < value.CollectionItems.size(); ++i) {
        const FormCollectionItem& item = value.CollectionItems[i];
        int index = static_cast<int>(i);
        PositionScope scope(*this, {position_.Object, position_.Property, item.Line});
        TObject& target = make(index);
        ReadProperties(target, item.Properties, ItemName(index));
    }
}

void FormReader::ReadCollection(TCollection& collection, const FormValue& value) {
    collection.BeginUpdate();
    struct EndUpdate {
        TCollection& c;
        ~EndUpdate() { c.EndUpdate(); }
    } end{collection};
    collection.Clear();
    ReadItems(value, [&](int) -> TObject& { return *collection.Add(); });
}

void FormReader::Defer(std::function<void(FormReader&)> fixup) {
    fixups_.push_back({std::move(fixup), position_});
}

void FormReader::RunFixups() {
    // Fixups may add fixups of their own; those run too, in order.
    for (size_t i = 0; i < fixups_.size(); ++i) {
        Fixup fixup = fixups_[i];
        PositionScope scope(*this, fixup.At);
        Guarded([&] { fixup.Run(*this); });
    }
    fixups_.clear();
}

TComponent* FormReader::FindReference(std::string_view name) const {
    size_t dot = name.find('.');
    if (dot == std::string_view::npos) {
        if (text::SameText(name, root_->Name()))
            return root_;
        return root_->FindComponent(name);
    }
    std::string_view head = name.substr(0, dot);
    std::string_view rest = name.substr(dot + 1);
    TComponent* owner = nullptr;
    if (text::SameText(head, root_->Name())) {
        owner = root_;
    } else {
        TScreen& screen = Screen();
        for (int i = 0; i < screen.FormCount() && !owner; ++i)
            if (text::SameText(screen.FormComponents(i)->Name(), head))
                owner = screen.FormComponents(i);
        for (int i = 0; i < screen.DataModuleCount() && !owner; ++i)
            if (text::SameText(screen.DataModules(i)->Name(), head))
                owner = screen.DataModules(i);
    }
    // Further dots walk down through owned components.
    while (owner) {
        dot = rest.find('.');
        TComponent* next = owner->FindComponent(rest.substr(0, dot));
        if (dot == std::string_view::npos || !next)
            return next;
        owner = next;
        rest.remove_prefix(dot + 1);
    }
    return nullptr;
}

std::any FormReader::BindAny(const FormValue& value) const {
    if (value.Type != FormValue::Kind::Identifier)
        Fail(std::string(FormConsts::SInvalidPropertyValue) + ": method name expected but " +
             FormValue::KindName(value.Type) + " found");
    if (text::SameText(value.Text, "nil"))
        return {};
    const FormMethodInfo* method = rootClass_->FindMethod(value.Text);
    if (!method)
        Fail(Format(FormConsts::SMethodNotFound, {value.Text}) + " in " + rootClass_->Name());
    std::any bound = method->Bind(*root_);
    if (!bound.has_value())
        Fail("Method " + value.Text + " belongs to another class than " + root_->ClassName());
    return bound;
}

void ReadComponentForm(TComponent& root, std::string_view text, const FormClassTable& table,
                       const std::string& formName) {
    FormObject form = ParseForm(text, formName);
    FormReader(table, formName).ReadRoot(root, form);
}

} // namespace forms
