// The module's side of the host's command bars: the host's collection of
// bars for the current window and looking bars up by name. All host calls
// are late-bound. Looking controls up and installing the module's bars are
// in ModuleInstall.cpp, the explorer bars' positions and the shortcut list
// in ModuleExplorerBars.cpp.
#include "framework/commandbars/ModuleCommandBars.h"

#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"
#include "platform/text/Text.h"

namespace {

// The host's CommandBars of obj (a variant holding a host object), or an empty variant.
Variant CommandBarsOf(const Variant& obj) {
    if (obj.IsEmptyOrNothing())
        return {};
    return dispGet(obj, "CommandBars");
}

Variant AppCommandBarsVariant(TadxOfficeHostApp host, const Variant& app) {
    switch (host) {
    case ohaMapPoint:
        return {};
    case ohaOutlook:
        if (dispGet(dispGet(app, "Inspectors"), "Count").AsInteger() > 0 ||
            dispGet(dispGet(app, "Explorers"), "Count").AsInteger() > 0)
            return CommandBarsOf(dispGet(app, "ActiveWindow"));
        return {};
    case ohaInfoPath: {
        Variant window = dispGet(app, "ActiveWindow");
        if (!window.IsEmptyOrNothing())
            return CommandBarsOf(window);
        Variant windows = dispGet(app, "Windows");
        if (dispGet(windows, "Count").AsInteger() > 0)
            return CommandBarsOf(dispGet(windows, "Item", 0));
        return {};
    }
    default:
        return CommandBarsOf(app);
    }
}

} // namespace

ComPtr<::CommandBars> adxGetAppCommandBars(TadxModuleServices& Module) {
    if (Module.HostApplication.IsEmptyOrNothing())
        return nullptr;
    try {
        Variant bars = AppCommandBarsVariant(Module.HostType, Module.HostApplication);
        if (bars.IsEmptyOrNothing())
            return nullptr;
        return ComQuery<::CommandBars>(bars.AsUnknown().Get());
    } catch (const Exception&) {
        return nullptr;
    }
}

ComPtr<IDispatch> adxFindCommandBar(TadxModuleServices& Module, const std::u16string& Name) {
    ComPtr<::CommandBars>& bars = Module.CommandBars;
    if (!bars)
        bars = Module.GetAppCommandBars();
    if (!bars)
        return nullptr;
    const std::string asciiName = text::AsciiUpperCase(text::Narrow(Name));
    const std::u16string upperName = text::UpperCase(Name);
    int count = dispGet(bars, "Count").AsInteger();
    for (int i = 1; i <= count; ++i) {
        ComPtr<IDispatch> bar = dispGet(bars, "Item", i).AsDispatch();
        if (!bar)
            continue;
        if (text::AsciiUpperCase(text::Narrow(dispGet(bar, "Name").AsWide())) == asciiName)
            return bar;
        if (text::UpperCase(dispGet(bar, "NameLocal").AsWide()) == upperName)
            return bar;
    }
    return nullptr;
}
