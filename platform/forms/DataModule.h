// TDataModule: the class library's data module, a component that owns other
// components and is built from its stored form. Constructing one directly
// (`new TMyModule(owner)`) is the class library's CreateNew: defaults only,
// no stored form. Creating it through its class in the library's
// FormClassTable (`table.Create<TMyModule>(owner)`) is Create: CreateNew,
// then the stored form is read (properties through their setters, components
// created, references resolved, Loaded), then OnCreate fires. Free() fires
// OnDestroy before anything is destroyed. Every live data module is listed in
// Screen().
#pragma once

#include "platform/forms/Component.h"

class TDataModule : public TComponent {
public:
    // CreateNew: a data module owned by `AOwner`, without its stored form.
    explicit TDataModule(TComponent* AOwner);
    // Leaves the live list; the components go with TComponent's destructor.
    ~TDataModule() override;

    // Fires OnCreate (DoCreate) once construction is complete.
    void AfterConstruction() override;
    // Marks the module as being destroyed and fires OnDestroy (DoDestroy).
    void BeforeDestruction() override;

    // Fired when the module has been created and read from its stored form.
    TNotifyEvent OnCreate;
    // Fired when the module is about to be destroyed.
    TNotifyEvent OnDestroy;

protected:
    // Calls OnCreate when assigned.
    virtual void DoCreate();
    // Calls OnDestroy when assigned.
    virtual void DoDestroy();
};
