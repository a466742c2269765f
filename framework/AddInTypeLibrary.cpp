// The add-in's type library: its description, made from the server's and
// the class's names, and the add-in object's type information served from it.
#include "framework/AddInFactory.h"

void TadxFactory::SetTypeLibrary(const GUID& LibId, const GUID& DispatchIid) {
    TypeLibDescription d;
    d.LibId = LibId;
    d.Name = Server().ServerName();
    d.ClassId = ClassID();
    d.ClassName = ClassName();
    d.HelpString = ClassName() + " Object";
    d.InterfaceId = DispatchIid;
    d.InterfaceName = "I" + ClassName();
    typeLib_ = std::move(d);
    loadedTypeLib_ = nullptr;
}

ComPtr<ITypeLib> TadxFactory::LoadTypeLibrary() {
    if (!loadedTypeLib_ && typeLib_)
        loadedTypeLib_ = CreateTypeLib(*typeLib_);
    return loadedTypeLib_;
}
