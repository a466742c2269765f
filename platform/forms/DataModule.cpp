// TDataModule: construction from the stored form and the live list.
#include "platform/forms/DataModule.h"

#include "platform/forms/Screen.h"

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
    Screen().AddDataModule(this);
}

TDataModule::~TDataModule() {
    Screen().RemoveDataModule(this);
}

void TDataModule::AfterConstruction() {
    DoCreate();
}

void TDataModule::BeforeDestruction() {
    TComponent::BeforeDestruction();
    DoDestroy();
}

void TDataModule::DoCreate() {
    if (OnCreate)
        OnCreate(this);
}

void TDataModule::DoDestroy() {
    if (OnDestroy)
        OnDestroy(this);
}
