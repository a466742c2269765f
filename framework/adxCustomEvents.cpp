// The base of the host event components.
#include "framework/adxCustomEvents.h"

TadxCustomEvents::TadxCustomEvents(TComponent* AOwner) : TComponent(AOwner) {}

void TadxCustomEvents::BeforeDestruction() {
    TComponent::BeforeDestruction();
    // A host that went away first cannot be told; the component goes all the same.
    try {
        Disconnect();
    } catch (...) {
    }
}
