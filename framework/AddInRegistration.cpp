// The registry work of registration and unregistration: the add-in keys
// with their values, the Excel automation entries, the start mode
// "UNINSTALL", the removal of the add-in's command bars and controls from
// each host, and the module's registration events.
#include "framework/AddInFactory.h"
#include "framework/AddInModule.h"
#include "framework/commandbars/CommandBarRelays.h"
#include "framework/support/ComRoutines.h"
#include "framework/support/FrameworkErrors.h"
#include "platform/com/LateBound.h"
#include "platform/rtl/Format.h"
#include "platform/text/Text.h"
#include "platform/win/Clock.h"
#include "platform/win/Registry.h"

#include <algorithm>
#include <climits>

namespace {

// The Excel versions whose options may hold automation add-in entries.
constexpr int kFirstExcelVersion = 10;
constexpr int kLastExcelVersion = 14;
// Command-bar control type of a pop-up, and the change counter that marks a
// control to be deleted whatever it holds.
constexpr int kPopupControlType = 10;
constexpr int kDeleteAlways = 255;
// How long Excel is given to settle before it is asked to quit.
constexpr DWORD kExcelSettleMs = 1000;

std::string ExcelOptionsKey(int version) {
    return Format("\\Software\\Microsoft\\Office\\%d.0\\Excel\\Options", {version});
}

// True for the value names of Excel's add-in entries ("OPEN", "OPEN1", ...).
bool IsOpenName(const std::string& name) {
    return text::UpperCase(name).rfind("OPEN", 0) == 0;
}

// The number of an entry: 0 for "OPEN", n for "OPENn", -1 when the rest is no number.
int OpenNumber(const std::string& name) {
    std::string rest = name.substr(4);
    if (rest.empty())
        return 0;
    if (rest.size() > 9 ||
        !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoi(rest);
}

std::string OpenName(int number) {
    return number == 0 ? "OPEN" : "OPEN" + std::to_string(number);
}

// The open key's value names, sorted without regard to letter case.
std::vector<std::string> SortedValueNames(TRegistry& registry) {
    std::vector<std::string> names = registry.GetValueNames();
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return text::CompareText(a, b) < 0;
    });
    return names;
}

// A string value, or "" when it is of another type.
std::string ReadText(TRegistry& registry, const std::string& name) {
    try {
        return registry.ReadString(name);
    } catch (const ERegistryException&) {
        return {};
    }
}

// Fires one of the module's registration events for host, with the module's
// registry object open at the add-in key.
void FireRegistrationEvent(TadxCOMAddInModule& module, TadxFactory& factory, TadxOfficeHostApp host,
                           const std::string& key, bool create, const TNotifyEvent& event) {
    module.HostType = host;
    module.Factory = &factory;
    module.Registry->OpenKey(key, create);
    if (module.Fire(event, &module))
        module.Registry->CloseKey();
}

// What the add-in recorded under its key of the command bars and controls
// it added to a host (a control's change counter is 0 when unreadable).
struct RecordedCommandBars {
    std::vector<std::string> Bars;
    std::vector<std::pair<std::string, int>> Controls;
};

RecordedCommandBars ReadRecordedCommandBars(TRegistry& registry, const std::string& key) {
    RecordedCommandBars recorded;
    if (registry.OpenKey(key + "\\CommandBars", false))
        recorded.Bars = registry.GetValueNames();
    if (registry.OpenKey(key + "\\Controls", false))
        for (const std::string& tag : registry.GetValueNames()) {
            int counter = 0;
            try {
                counter = registry.ReadInteger(tag);
            } catch (const ERegistryException&) {
            }
            recorded.Controls.emplace_back(tag, counter);
        }
    return recorded;
}

// Marks the add-in key as being uninstalled: the start mode "UNINSTALL" and,
// when registered for all users, LoadBehavior 0 in the machine's key.
void MarkUninstalling(TRegistry& registry, const std::string& key, bool allUsers) {
    if (registry.OpenKey(key, false))
        registry.WriteString(adxStartModeValueName, adxStartModeNames[adxStartModeUninstall]);
    if (allUsers) {
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        if (registry.OpenKey(key, false))
            registry.WriteInteger("LoadBehavior", 0);
    }
    registry.CloseKey();
}

// Deletes the controls and bars the add-in recorded in the host's command bars.
void DeleteRecordedControls(TadxCOMAddInModule& module,
                            const std::vector<std::pair<std::string, int>>& controls,
                            const std::vector<std::string>& bars) {
    for (bool always : {false, true}) {
        for (const auto& [tag, counter] : controls) {
            if ((counter == kDeleteAlways) != always)
                continue;
            ComPtr<IDispatch> control = module.FindControl(-1, text::Wide(tag));
            if (!control)
                continue;
            // A pop-up that still holds controls (the user's or another
            // add-in's) stays in the first pass.
            if (!always && dispGet(control, "Type").AsInteger() == kPopupControlType &&
                dispGet(dispGet(control, "Controls"), "Count").AsInteger() > 0)
                continue;
            dispCall(control, "Delete");
        }
    }
    for (const std::string& name : bars) {
        ComPtr<IDispatch> bar = module.FindCommandBar(text::Wide(name));
        if (bar && !dispGet(bar, "BuiltIn").AsBool() &&
            dispGet(dispGet(bar, "Controls"), "Count").AsInteger() == 0)
            dispCall(bar, "Delete");
    }
}

// Word keeps command bars in its templates: saves the ones changed.
void SaveWordTemplates(const Variant& word) {
    try {
        Variant templates = dispGet(word, "Templates");
        int count = dispGet(templates, "Count").AsInteger();
        for (int i = 1; i <= count; ++i) {
            Variant item = dispGet(templates, "Item", i);
            if (!dispGet(item, "Saved").AsBool())
                dispCall(item, "Save");
        }
    } catch (const Exception&) {
        // A template Word will not save keeps the add-in's bars; nothing more can be done.
    }
}

} // namespace

void TadxFactory::RegisterAddIn() {
    TRegistry registry;
    TadxModulePtr module(CreateSettingsModule());
    for (TadxOfficeHostApp host : SelectedHosts(module->SupportedApps())) {
        const std::string key = GetRegKey(host);
        if (key.empty())
            continue;
        if (module->RegisterForAllUsers)
            registry.SetRootKey(HKEY_LOCAL_MACHINE);
        if (registry.OpenKey(key, true)) {
            registry.WriteString("FriendlyName", module->AddInName());
            registry.WriteString("Description", module->Description);
            registry.WriteInteger("LoadBehavior", module->LoadBehavior);
            registry.WriteInteger("CommandLineSafe", 0);
            registry.CloseKey();
        }
        registry.SetRootKey(HKEY_CURRENT_USER);
        if (host == ohaExcel && module->XLAutomationAddIn)
            RegisterAutomationAddin(registry);
        if (module->OnAfterAddinRegister)
            FireRegistrationEvent(*module, *this, host, key, true, module->OnAfterAddinRegister);
    }
}

void TadxFactory::UnRegisterAddIn() {
    TRegistry registry;
    TadxModulePtr module(CreateModule());
    for (TadxOfficeHostApp host : SelectedHosts(module->SupportedApps())) {
        const std::string key = GetRegKey(host);
        if (key.empty())
            continue;
        if (module->OnBeforeAddinUnregister)
            FireRegistrationEvent(*module, *this, host, key, false,
                                  module->OnBeforeAddinUnregister);
        if (module->RegisterForAllUsers) {
            registry.SetRootKey(HKEY_LOCAL_MACHINE);
            if (registry.KeyExists(key))
                registry.DeleteKey(key);
        }
        registry.SetRootKey(HKEY_CURRENT_USER);
        if (registry.KeyExists(key))
            registry.DeleteKey(key);
        if (host == ohaExcel && module->XLAutomationAddIn)
            UnregisterAutomationAddin(registry);
    }
}

void TadxFactory::UnRegisterControls() {
    TadxModulePtr module(CreateModule());
    for (TadxOfficeHostApp host : SelectedHosts(module->SupportedApps())) {
        if (host == ohaMapPoint)
            continue;
        try {
            UnRegisterHostControls(*module, host);
        } catch (...) {
            adx::RaiseError(adx::ErrUnregisterControls, adx::SUnregisterControls);
        }
    }
}

void TadxFactory::UnRegisterHostControls(TadxCOMAddInModule& module, TadxOfficeHostApp host) {
    const std::string key = GetRegKey(host);
    if (key.empty())
        return;
    TRegistry registry;
    RecordedCommandBars recorded = ReadRecordedCommandBars(registry, key);
    MarkUninstalling(registry, key, module.RegisterForAllUsers);

    const char* progId = adxHostInfo(host).ProgID;
    ComPtr<IDispatch> app = adxGetActiveOleObject(progId);
    bool started = false;
    if (!app) {
        app = adxCreateOleObject(host == ohaVisio ? "Visio.InvisibleApp" : progId);
        started = bool(app);
    }
    if (!app)
        return;
    struct Release {
        TadxCOMAddInModule& module;
        TadxOfficeHostApp host;
        ComPtr<IDispatch>& app;
        bool started;
        ~Release() {
            module.CommandBars = nullptr;
            module.HostApplication = Variant();
            if (host == ohaExcel)
                Sleep(kExcelSettleMs);
            try {
                if (started)
                    dispCall(app, "Quit");
            } catch (...) {
                // A host that will not quit is left running.
            }
            app = nullptr;
        }
    } release{module, host, app, started};

    module.HostApplication = Variant(app);
    module.HostType = host;
    module.CommandBars = nullptr;
    ComPtr<::CommandBars> commandBars = module.GetAppCommandBars();
    if (commandBars) {
        module.CommandBars = commandBars;
        adxUninstallCommandBars(module, false, false);
        DeleteRecordedControls(module, recorded.Controls, recorded.Bars);
    }
    if (host == ohaWord)
        SaveWordTemplates(module.HostApplication);
}

void TadxFactory::RegisterAutomationAddin(TRegistry& registry) {
    const std::string entry = "/A \"" + GetProgID() + "\"";
    for (int version = kFirstExcelVersion; version <= kLastExcelVersion; ++version) {
        if (!registry.KeyExists(ExcelOptionsKey(version)) ||
            !registry.OpenKey(ExcelOptionsKey(version), false))
            continue;
        bool registered = false;
        int highest = -1; // the highest entry number in use; -1: no entry
        for (const std::string& name : SortedValueNames(registry)) {
            if (!IsOpenName(name))
                continue;
            if (ReadText(registry, name).find(GetProgID()) != std::string::npos) {
                registered = true;
                break;
            }
            highest = std::max(highest, std::max(OpenNumber(name), 0));
        }
        // Ten entries and more no longer sort by their numbers, so the new
        // entry takes the number after the highest one in use.
        if (!registered)
            registry.WriteString(highest < 0 ? "OPEN" : OpenName(highest + 1), entry);
        registry.CloseKey();
    }
}

void TadxFactory::UnregisterAutomationAddin(TRegistry& registry) {
    for (int version = kFirstExcelVersion; version <= kLastExcelVersion; ++version) {
        if (!registry.KeyExists(ExcelOptionsKey(version)) ||
            !registry.OpenKey(ExcelOptionsKey(version), false))
            continue;
        std::vector<std::string> names = SortedValueNames(registry);
        auto ours = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
            return IsOpenName(name) &&
                   ReadText(registry, name).find(GetProgID()) != std::string::npos;
        });
        if (ours == names.end()) {
            registry.CloseKey();
            continue;
        }
        registry.DeleteValue(*ours);
        names.erase(ours);
        // The other entries close ranks in the order Excel loads them, by number.
        std::vector<std::pair<int, std::pair<std::string, std::string>>> rest;
        for (const std::string& name : names)
            if (IsOpenName(name)) {
                int number = OpenNumber(name);
                rest.push_back({number < 0 ? INT_MAX : number, {name, ReadText(registry, name)}});
            }
        std::stable_sort(rest.begin(), rest.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& entry : rest)
            registry.DeleteValue(entry.second.first);
        for (size_t i = 0; i < rest.size(); ++i)
            registry.WriteString(OpenName(int(i)), rest[i].second.second);
        registry.CloseKey();
    }
}
