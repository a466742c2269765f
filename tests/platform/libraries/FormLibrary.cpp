// A library with its own table of form classes, built with hidden visibility
// like the add-in library: its module's stored form holds the platform's
// TTimer and a component of its own, with events bound to the module's
// handlers. The forms tests load it and run it through one export.
#include "platform/forms/DataModule.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/forms/Timer.h"

#include <string>

namespace {

class TLibButton : public TComponent {
public:
    using TComponent::TComponent;
    TNotifyEvent OnClick;
};

class TLibModule : public TDataModule {
public:
    using TDataModule::TDataModule;
    void Timer1Timer(TObject* sender) {
        log += "tick " + static_cast<TComponent*>(sender)->Name() + ";";
    }
    void ButtonClick(TObject* sender) { log += "click;"; }
    std::string log;
};

void Register(forms::FormClassTable& table) {
    table.Register<TLibButton, TComponent>().Event("OnClick", &TLibButton::OnClick);
    table.Register<TLibModule, TDataModule>()
        .StoredForm(R"(object LibModule: TLibModule
  object Timer1: TTimer
    Enabled = False
    OnTimer = Timer1Timer
  end
  object Button1: TLibButton
    OnClick = ButtonClick
  end
end)")
        .Method("Timer1Timer", &TLibModule::Timer1Timer)
        .Method("ButtonClick", &TLibModule::ButtonClick);
}

// The library's own table, filled on first use.
forms::FormClassTable& Table() {
    static forms::FormClassTable table;
    static bool registered = (Register(table), true);
    (void)registered;
    return table;
}

} // namespace

// Creates the library's module from its stored form, fires both events and
// returns what the handlers saw, or the error.
extern "C" __attribute__((visibility("default"))) const char* FormLibraryRun() {
    static std::string result;
    forms::FormClassTable& table = Table();
    try {
        auto* module = table.Create<TLibModule>(nullptr);
        auto* timer = dynamic_cast<TTimer*>(module->FindComponent("Timer1"));
        auto* button = dynamic_cast<TLibButton*>(module->FindComponent("Button1"));
        if (timer && timer->OnTimer)
            timer->OnTimer(timer);
        if (button && button->OnClick)
            button->OnClick(button);
        result = module->log;
        module->Free();
    } catch (const Exception& e) {
        result = "error: " + e.Message;
    }
    return result.c_str();
}
