// IRwTranslate: the interface of a form, data module or component whose texts
// come from the XML library's language pack. Loading a pack (RwMessages.h)
// tells every open one that offers it to translate itself, so that what is on
// screen follows the language at once. A form class implements it through
// TInterfacedComponent (platform/forms/InterfacedComponent.h):
//     class TMyForm : public TInterfacedComponent<TForm, IRwTranslate> { ... };
#pragma once

#include "platform/com/Unknown.h"

// {B8D78FC1-A3AC-4F0F-B54A-00A4CFAE31FE}
struct IRwTranslate : IUnknown {
    static constexpr GUID Iid = MakeGuid("{B8D78FC1-A3AC-4F0F-B54A-00A4CFAE31FE}");

    // Sets the component's texts anew from the language pack that is loaded now.
    virtual void Translate() = 0;
};
