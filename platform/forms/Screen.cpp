// The live forms and data modules of the process.
#include "platform/forms/Screen.h"

#include "platform/forms/DataModule.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/RtlConsts.h"

#include <algorithm>

namespace {

template <class T> T* At(const std::vector<T*>& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size()))
        throw EListError(RtlConsts::SListIndexError, {index});
    return list[static_cast<size_t>(index)];
}

template <class T> void Erase(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

} // namespace

TForm* TScreen::Forms(int index) const {
    return At(forms_, index);
}
TComponent* TScreen::FormComponents(int index) const {
    return At(formComponents_, index);
}
TDataModule* TScreen::DataModules(int index) const {
    return At(dataModules_, index);
}
void TScreen::AddForm(TForm* form, TComponent* asComponent) {
    forms_.push_back(form);
    formComponents_.push_back(asComponent);
}
void TScreen::RemoveForm(TForm* form) {
    auto at = std::find(forms_.begin(), forms_.end(), form);
    if (at == forms_.end())
        return;
    formComponents_.erase(formComponents_.begin() + (at - forms_.begin()));
    forms_.erase(at);
}
void TScreen::AddDataModule(TDataModule* module) {
    dataModules_.push_back(module);
}
void TScreen::RemoveDataModule(TDataModule* module) {
    Erase(dataModules_, module);
}

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

namespace forms {

namespace {

void VisitTree(TComponent& component, const std::function<void(TComponent&)>& visit) {
    visit(component);
    for (int i = 0; i < component.ComponentCount(); ++i)
        VisitTree(*component.Components(i), visit);
}

} // namespace

void ForEachOpenComponent(const std::function<void(TComponent&)>& visit) {
    TScreen& screen = Screen();
    for (int i = 0; i < screen.FormCount(); ++i)
        VisitTree(*screen.FormComponents(i), visit);
    for (int i = 0; i < screen.DataModuleCount(); ++i)
        VisitTree(*screen.DataModules(i), visit);
}

} // namespace forms
