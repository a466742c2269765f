// The Access timer. Access keeps command bars per database: while the add-in
// runs in Access, the module looks every 250 ms at the database that is open
// and, when it changed, lets its command bars be found or created again.
#include "framework/AddInModule.h"
#include "framework/commandbars/CommandBarRelays.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/commandbars/ModuleCommandBars.h"
#include "framework/hosts/HostApplications.h"
#include "platform/com/LateBound.h"

namespace {

// The open database as the timer sees it: whether one is open and connected,
// and its full name, which tells one database from another.
struct AccessProject {
    bool Connected = false;
    std::string Name;
};

AccessProject ReadProject(const Variant& project) {
    AccessProject result;
    try {
        result.Connected = dispGet(project, "IsConnected").AsBool();
    } catch (const Exception&) {
    }
    try {
        result.Name = dispGet(project, "FullName").AsString();
    } catch (const Exception&) {
    }
    return result;
}

// The current project of Access, or an empty variant when there is none.
Variant CurrentProject(TAccessApplication* access) {
    if (!access || !access->DefaultInterface())
        return {};
    try {
        Variant project = dispGet(access->DefaultInterface(), "CurrentProject");
        return project.IsEmptyOrNothing() ? Variant() : project;
    } catch (const Exception&) {
        // Access answers nothing while it opens or closes a database.
        return {};
    }
}

} // namespace

void TadxCOMAddInModule::DoAccessTick(TObject* Sender) {
    if (AccessBusy)
        return;
    AccessBusy = true;
    struct BusyReset {
        bool& Flag;
        ~BusyReset() { Flag = false; }
    } busyReset{AccessBusy};

    Variant project = CurrentProject(AccessApplication.get());
    if (project.IsEmpty())
        return;
    AccessProject open = ReadProject(project);
    if (open.Connected) {
        bool changed = open.Name != AccessProjectName;
        if (AccessInstalled && changed)
            ClearAccessCommandBarsInterfaces();
        if (!AccessInstalled || changed) {
            AccessInstalled = true;
            AccessProjectName = open.Name;
            try {
                Install();
            } catch (...) {
                // The next tick tries again only after the database changes.
            }
        }
    } else if (AccessInstalled) {
        AccessInstalled = false;
        AccessProjectName = open.Name;
        ClearAccessCommandBarsInterfaces();
    }
}

void TadxCOMAddInModule::ClearAccessCommandBarsInterfaces() {
    adxForEachCommandBar(*this, [&](TadxCustomCommandBar& bar) {
        if (bar.ForHost() &&
            !(HostType == ohaOutlook && dynamic_cast<TadxOlExplorerCustomCommandBar*>(&bar)))
            adxClearCommandBarLinks(bar, true);
    });
    CommandBars = nullptr;
}
