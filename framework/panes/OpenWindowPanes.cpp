// Task panes for the host windows open at start-up or when the factory arrives.
#include "framework/panes/OpenWindowPanes.h"

#include "framework/panes/CustomTaskPanes.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"

namespace {

IDispatch* WindowOf(const Variant& window) {
    return window.IsEmptyOrNothing() ? nullptr : window.AsDispatch().Get();
}

// Panes for the application's active window.
void MakeActiveWindowPanes(TadxCustomTaskPanes& panes, const Variant& app) {
    panes.MakeCTP(WindowOf(dispGet(app, "ActiveWindow")), adxCTPWindowOther);
}

// PowerPoint: the active window when there is a window, else the application.
void MakePowerPointPanes(TadxCustomTaskPanes& panes, const Variant& app) {
    if (dispGet(dispGet(app, "Windows"), "Count").AsInteger() > 0)
        MakeActiveWindowPanes(panes, app);
    else
        panes.MakeCTP(nullptr, adxCTPWindowOther);
}

// Panes for each window of a host collection, items first to first + Count - 1.
void MakePanesForEach(TadxCustomTaskPanes& panes, const Variant& collection, int first, int kind) {
    int count = dispGet(collection, "Count").AsInteger();
    for (int i = first; i < first + count; ++i)
        panes.MakeCTP(WindowOf(dispGet(collection, "Item", i)), kind);
}

// Word: the taskbar setting, then panes for each document's active window.
void MakeWordPanes(TadxCustomTaskPanes& panes, const Variant& app) {
    panes.WordTaskbar = dispGet(app, "ShowWindowsInTaskbar").AsBool();
    Variant documents = dispGet(app, "Documents");
    int count = dispGet(documents, "Count").AsInteger();
    for (int i = 1; i <= count; ++i)
        panes.MakeCTP(WindowOf(dispGet(dispGet(documents, "Item", i), "ActiveWindow")),
                      adxCTPWindowOther);
}

} // namespace

void adxMakeStartupPanes(TadxModuleServices& module) {
    TadxCustomTaskPanes& panes = *module.TaskPanes;
    const Variant& app = module.HostApplication;
    switch (module.HostType) {
    case ohaExcel:
        MakeActiveWindowPanes(panes, app);
        break;
    case ohaWord:
        try {
            if (!dispGet(app, "ActiveDocument").IsEmptyOrNothing() &&
                !dispGet(app, "ActiveWindow").IsEmptyOrNothing())
                MakeWordPanes(panes, app);
        } catch (const Exception&) {
            // Word may refuse any of these while it opens a document; the
            // panes come with the next window activation.
        }
        break;
    case ohaPowerPoint:
        MakePowerPointPanes(panes, app);
        break;
    case ohaAccess:
        panes.MakeCTP(nullptr, adxCTPWindowOther);
        break;
    case ohaInfoPath: {
        Variant windows = dispGet(app, "Windows");
        if (dispGet(windows, "Count").AsInteger() > 0)
            panes.MakeCTP(WindowOf(dispGet(windows, "Item", 0)), adxCTPWindowOther);
        break;
    }
    default:
        // Outlook's panes are made when its windows are activated.
        break;
    }
}

void adxMakeFactoryPanes(TadxModuleServices& module) {
    TadxCustomTaskPanes& panes = *module.TaskPanes;
    const Variant& app = module.HostApplication;
    switch (module.HostType) {
    case ohaExcel:
        MakeActiveWindowPanes(panes, app);
        break;
    case ohaAccess:
        panes.MakeCTP(nullptr, adxCTPWindowOther);
        break;
    case ohaPowerPoint:
        MakePowerPointPanes(panes, app);
        break;
    case ohaWord:
        MakeWordPanes(panes, app);
        break;
    case ohaInfoPath:
        MakePanesForEach(panes, dispGet(app, "Windows"), 0, adxCTPWindowOther);
        break;
    case ohaOutlook:
        MakePanesForEach(panes, dispGet(app, "Explorers"), 1, adxCTPWindowExplorer);
        MakePanesForEach(panes, dispGet(app, "Inspectors"), 1, adxCTPWindowInspector);
        break;
    default:
        break;
    }
}
