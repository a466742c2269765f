// The live forms and data modules of the process, as the class library's
// Screen object lists them, and the size of the screen. Every TForm
// (platform/controls) and TDataModule enters the list when it is constructed
// and leaves it when it is destroyed; whoever must reach all
// of them (the translation of forms after a language pack is loaded, the
// reader resolving "Module1.Timer1" references) walks these lists. They live
// in the one platform library, so every library of the process sees the same
// lists. Everything here runs on the UI thread.
#pragma once

#include "platform/win/Cursor.h"

#include <functional>
#include <vector>

class TComponent;
class TForm;
class TDataModule;

class TScreen {
public:
    // The cursor shown over every window of the application (crHourGlass
    // while it works, crDefault otherwise).
    TCursor Cursor = crDefault;

    // The screen's size in pixels (the desktop is the whole screen here).
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Sets the screen's size (tests and the demo host choose it).
    void SetSize(int width, int height) {
        width_ = width;
        height_ = height;
    }

    // Number of live forms.
    int FormCount() const { return static_cast<int>(forms_.size()); }
    // The live form at `index`, in creation order (EListError when outside).
    TForm* Forms(int index) const;
    // The same form seen as a component (TForm lives in platform/controls,
    // above this list, which cannot convert one to the other).
    TComponent* FormComponents(int index) const;
    // Number of live data modules.
    int DataModuleCount() const { return static_cast<int>(dataModules_.size()); }
    // The live data module at `index`, in creation order (EListError when outside).
    TDataModule* DataModules(int index) const;

    // Called by TForm's and TDataModule's constructors and destructors.
    void AddForm(TForm* form, TComponent* asComponent);
    void RemoveForm(TForm* form);
    void AddDataModule(TDataModule* module);
    void RemoveDataModule(TDataModule* module);

private:
    std::vector<TForm*> forms_;
    std::vector<TComponent*> formComponents_;
    int width_ = 1024;
    int height_ = 768;
    std::vector<TDataModule*> dataModules_;
};

// The process's screen.
TScreen& Screen();

namespace forms {

// Calls `visit` for every live form, then every live data module, each
// followed by the components it owns (depth first, in component order): what
// must reach everything open (translating the forms after a language pack is
// loaded) walks this. `visit` must not free components.
void ForEachOpenComponent(const std::function<void(TComponent&)>& visit);

} // namespace forms
