// IadxRibbonComponent: how the framework reaches a ribbon tab or control
// without knowing its class. The module keeps every tab and control in its
// key list under its IdMso (or its Id when it has none); the ribbon document
// and the ribbon callbacks find them there and talk to them through this
// interface. The ribbon classes implement it; the module itself only needs
// a component's own id.
#pragma once

#include <string>

class IadxRibbonComponent {
public:
    // The component's own id (its "id" in the ribbon document).
    virtual std::u16string GetID() = 0;

protected:
    // Components are owned by their tab or collection, never freed through here.
    ~IadxRibbonComponent() = default;
};
