// The roots of the class library's class tree: TObject, the base of every
// class the code names, and TPersistent, the base of what can be assigned
// from one object to another (collections, their items, string lists). Also
// the notification handler type that events of the whole system use.
#pragma once

#include <functional>
#include <string>
#include <typeinfo>

// The name of a C++ class as the class library names classes: without
// namespaces ("TStringList").
std::string ClassNameOf(const std::type_info& type);

// Base of the class library's classes.
class TObject {
public:
    virtual ~TObject() = default;
    // The class name of the object's most derived class ("TStringList").
    std::string ClassName() const { return ClassNameOf(typeid(*this)); }
};

// The class name of T, without an object ("TadxRibbonDialogBoxLauncher").
template <class T> std::string ClassNameOf() {
    return ClassNameOf(typeid(T));
}

// The class library's notification handler: empty means unassigned.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Base of objects whose content can be copied from another object by Assign.
class TPersistent : public TObject {
public:
    // Copies `source` into this object. The default asks the source to
    // AssignTo this object; when neither side knows the other it raises
    // EConvertError "Cannot assign a <source> to a <this>".
    virtual void Assign(TPersistent* source);

protected:
    // Copies this object into `dest`; the default raises the assign error.
    virtual void AssignTo(TPersistent* dest);
    // The object that owns this one, for names and notifications; none by default.
    virtual TPersistent* GetOwner() { return nullptr; }
    // Raises EConvertError "Cannot assign a <source or nil> to a <this class>".
    [[noreturn]] void AssignError(TPersistent* source);
};
