// The table of form classes.
#include "platform/forms/FormClass.h"

#include "platform/forms/FormConsts.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/FormReader.h"
#include "platform/text/Text.h"

namespace forms {

FormClass::FormClass(const FormClassTable& table, std::string name, const FormClass* parent)
    : table_(table), name_(std::move(name)), parent_(parent) {}

bool FormClass::InheritsFrom(const FormClass& other) const {
    for (const FormClass* c = this; c; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

// The entry of `name` in the map `member` of this class or the nearest ancestor.
template <class Entry>
const Entry* FormClass::Lookup(std::map<std::string, Entry> FormClass::*member,
                               std::string_view name) const {
    std::string key = text::UpperCase(name);
    for (const FormClass* c = this; c; c = c->parent_) {
        auto it = (c->*member).find(key);
        if (it != (c->*member).end())
            return &it->second;
    }
    return nullptr;
}

const FormPropertyInfo* FormClass::FindProperty(std::string_view name) const {
    return Lookup(&FormClass::properties_, name);
}

const FormMethodInfo* FormClass::FindMethod(std::string_view name) const {
    return Lookup(&FormClass::methods_, name);
}

std::pair<const std::string*, const FormClass*> FormClass::StoredForm() const {
    for (const FormClass* c = this; c; c = c->parent_) {
        if (c->storedForm_)
            return {c->storedForm_.get(), c};
        // The form bases themselves have none: a descendant must bring its own.
        if (c->formBase_)
            break;
    }
    return {nullptr, nullptr};
}

TComponent* FormClass::CreateNew(TComponent* owner) const {
    if (!creator_)
        throw EClassNotFound("Class " + name_ + " cannot be created", name_, 0);
    return creator_(owner);
}

TComponent* FormClass::Create(TComponent* owner) const {
    if (!creator_)
        throw EClassNotFound("Class " + name_ + " cannot be created", name_, 0);
    auto [form, formClass] = StoredForm();
    bool needsForm = false;
    for (const FormClass* c = parent_; c && !form; c = c->parent_)
        needsForm |= c->formBase_;
    if (needsForm)
        throw EFormReadError(Format(FormConsts::SResNotFound, {name_}), name_, 0);

    TComponent* instance = creator_(owner);
    try {
        if (form)
            ReadComponentForm(*instance, *form, table_, formClass->name_);
        instance->AfterConstruction();
    } catch (...) {
        // A constructor that failed ran no OnCreate, so it runs no OnDestroy either.
        instance->Destroying();
        delete instance;
        throw;
    }
    return instance;
}

FormClassTable::FormClassTable() {
    RegisterPlatformClasses(*this);
}

FormClassTable::~FormClassTable() = default;

const FormClass* FormClassTable::Find(std::string_view name) const {
    auto it = classes_.find(text::UpperCase(name));
    return it == classes_.end() ? nullptr : it->second.get();
}

const FormClass& FormClassTable::Get(std::string_view name) const {
    const FormClass* c = Find(name);
    if (!c) {
        std::string n(name);
        throw EClassNotFound(Format(FormConsts::SClassNotFound, {n}), n, 0);
    }
    return *c;
}

TComponent* FormClassTable::Create(std::string_view className, TComponent* owner) const {
    return Get(className).Create(owner);
}

FormClass& FormClassTable::Add(std::string name, const std::string* baseName) {
    std::string key = text::UpperCase(name);
    if (classes_.count(key))
        throw Exception("Class " + name + " is registered already");
    const FormClass* parent = nullptr;
    if (baseName) {
        parent = Find(*baseName);
        if (!parent)
            throw Exception("Class " + name + " derives from " + *baseName +
                            ", which is not registered");
    }
    auto* cls = new FormClass(*this, std::move(name), parent);
    classes_.emplace(std::move(key), std::unique_ptr<FormClass>(cls));
    return *cls;
}

FormClass& FormClassTable::Existing(const std::string& name) {
    auto it = classes_.find(text::UpperCase(name));
    if (it == classes_.end())
        throw Exception("Class " + name + " is not registered");
    return *it->second;
}

const FormClassTable& FormClassesOnDemand::Get() {
    std::call_once(whole_, [this] {
        FormClassTable& table = table_.emplace();
        registerModules_(table);
        registerOthers_(table);
    });
    return *table_;
}

const FormClassTable& FormClassesOnDemand::Modules() {
    std::call_once(modules_, [this] { registerModules_(modulesTable_.emplace()); });
    return *modulesTable_;
}

} // namespace forms
