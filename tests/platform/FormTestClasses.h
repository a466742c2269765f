// Component classes for the form reader's tests: a data module with a
// property of every kind and handlers, components with references, an
// object-valued property, a collection and a container that defines its own
// properties (type codes, then the children they create), like a ribbon group.
#pragma once

#include "platform/forms/DataModule.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Set.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <string>
#include <vector>

namespace formtest {

// Counts live test objects so that tests can assert that nothing leaked.
inline int live = 0;
// What happened, in order.
inline std::vector<std::string> journal;

// An exception with a code, as the framework's setters raise.
class ECodedError : public Exception {
public:
    ECodedError(std::string message, int code) : Exception(std::move(message)), ErrorCode(code) {}
    int ErrorCode;
};

enum THost { hExcel, hWord, hOutlook };
using THosts = TSet<THost, uint16_t>;
enum TSize { szRegular, szLarge };

// An object-valued property (like a font): set through dotted names.
class TStyleBox : public TPersistent {
public:
    uint32_t Style = 0;
    int Height = 0;
};

// A collection item: its properties come from the `item ... end` block.
class TEntry : public TPersistent {
public:
    explicit TEntry(int code = 0) : Code(code) { ++live; }
    ~TEntry() override { --live; }
    int Code;
    std::string Caption;
    int Tag = 0;
    std::vector<std::unique_ptr<TEntry>> Children;
};
// Another item class, created from a type code.
class TOtherEntry : public TEntry {
public:
    using TEntry::TEntry;
    bool Enabled = true;
};

// An item of a standard collection.
class TPane : public TCollectionItem {
public:
    explicit TPane(TCollection* collection) : TCollectionItem(collection) { ++live; }
    ~TPane() override { --live; }
    std::string Caption;
    int Width = 0;
};

// A collection that counts its updates.
class TPanes : public TOwnedCollection {
public:
    explicit TPanes(TPersistent* owner) : TOwnedCollection(owner, ItemClassOf<TPane>()) {}
    int Updates = 0;

protected:
    void Update(TCollectionItem*) override { ++Updates; }
};

class TThing : public TComponent {
public:
    explicit TThing(TComponent* owner) : TComponent(owner) { ++live; }
    ~TThing() override { --live; }
    void SetImages(TThing* value) {
        Images = value;
        journal.push_back(Name() + ".Images");
    }
    void Loaded() override {
        TComponent::Loaded();
        journal.push_back("Loaded " + Name() + (Images ? " images=" + Images->Name() : ""));
    }
    void SetParentComponent(TComponent* parent) override { Parent = parent; }
    TStyleBox* Box() { return &box_; }

    TThing* Images = nullptr;
    TComponent* Partner = nullptr;
    TComponent* Parent = nullptr;
    std::vector<std::unique_ptr<TEntry>> Entries;
    std::vector<std::string> Lines;
    TStringList Items;
    TPanes Panes{this};
    TNotifyEvent OnClick;

private:
    TStyleBox box_;
};

// A container that reads its children itself: "Codes" (binary, 32-bit count
// then 32-bit codes) must come before "Children", whose items it creates from them.
class TContainer : public TComponent {
public:
    explicit TContainer(TComponent* owner) : TComponent(owner) { ++live; }
    ~TContainer() override { --live; }
    std::vector<int32_t> Codes;
    std::vector<std::unique_ptr<TEntry>> Children;
};

// A component class that no form may create: not registered with a creator.
class TAbstractThing : public TComponent {
public:
    using TComponent::TComponent;
    virtual void Must() = 0;
};

class TTestModule : public TDataModule {
public:
    explicit TTestModule(TComponent* owner) : TDataModule(owner) { ++live; }
    ~TTestModule() override { --live; }

    void SetAddInName(const std::string& value) {
        if (value.empty())
            throw ECodedError("The AddInName property cannot be empty.", 31101);
        AddInName = value;
        if (ComponentState() & csLoading)
            journal.push_back("AddInName while loading");
    }
    void SetHosts(THosts value) {
        if (value.Empty())
            throw ECodedError("The SupportedApps property cannot be empty.", 31101);
        Hosts = value;
    }
    void Loaded() override {
        TDataModule::Loaded();
        journal.push_back("Loaded module");
    }

    // Handlers the forms bind by name.
    void ModuleStart(TObject* sender) { journal.push_back("ModuleStart " + Name()); }
    void ThingClick(TObject* sender) {
        journal.push_back("ThingClick " + static_cast<TComponent*>(sender)->Name());
    }
    void ModuleCount(TObject* sender, int& count) { ++count; }
    void ModuleCreate(TObject* sender) { journal.push_back("OnCreate"); }
    void ModuleDestroy(TObject* sender) {
        journal.push_back("OnDestroy with " + std::to_string(ComponentCount()) + " components");
    }

    std::string AddInName = "unset";
    int Count = 0;
    int32_t Signed = 0;
    uint8_t Small = 0;
    double Ratio = 0;
    bool Enabled = true;
    TSize Size = szRegular;
    THosts Hosts{hExcel};
    uint32_t RibbonMask = 0;
    std::u16string Caption;
    std::vector<uint8_t> Data;
    std::vector<std::string> Lines;
    TNotifyEvent OnStart;
    std::function<void(TObject*, int&)> OnCount;
};

// A module class that derives from the test module and adds a handler.
class TDerivedModule : public TTestModule {
public:
    using TTestModule::TTestModule;
    void DerivedStart(TObject*) { journal.push_back("DerivedStart"); }
};

// A data module without a stored form.
class TFormlessModule : public TDataModule {
public:
    using TDataModule::TDataModule;
};

// Registers the classes above in `table`; the module's stored form is `form`.
void RegisterTestClasses(forms::FormClassTable& table, std::string_view form);

} // namespace formtest
