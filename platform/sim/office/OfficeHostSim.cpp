// A running simulated Office host and the user's actions in it.
#include "platform/sim/office/OfficeHostSim.h"

#include "platform/sim/HostInstall.h"

#include <algorithm>
#include <cstdio>

namespace sim {
namespace {

constexpr DISPID None = -1;

// The events a host fires for the user's actions (None: it has none).
struct UserEvents {
    DISPID Open, New;
    // The document's name travels with open and new (MapPoint's carry nothing).
    bool DocumentArgument;
    // Visio: a window opened.
    DISPID WindowOpened;
    // Excel: the workbook's activation before its window's.
    DISPID DocumentActivate;
    // The window's activation, and whether the document precedes the window.
    DISPID WindowActivate;
    bool DocumentWithWindow;
    // Word: the active document changed.
    DISPID DocumentChange;
    // Visio: before a window closes.
    DISPID BeforeWindowClosed;
    DISPID Quit;
};

UserEvents EventsOf(OfficeHostKind kind) {
    switch (kind) {
    case OfficeHostKind::Word:
        return {0x4, 0x9, true, None, None, 0xA, true, 0x3, None, 0x2};
    case OfficeHostKind::Excel:
        return {0x61F, 0x61D, true, None, 0x620, 0x614, true, None, None, None};
    case OfficeHostKind::PowerPoint:
        return {0x7D6, 0x7D7, true, None, None, 0x7D9, true, None, None, None};
    case OfficeHostKind::Project:
        return {None, 0x1, true, None, None, 0x13, false, None, None, None};
    case OfficeHostKind::FrontPage:
        return {0x2, 0x1, true, None, None, 0xB, false, None, None, None};
    case OfficeHostKind::MapPoint:
        return {0x6041502, 0x6041501, false, None, None, None, false, None, None, 0x6041503};
    case OfficeHostKind::Visio:
        return {0x2, 0x1, true, 0x8001, None, 0x1080, false, None, 0x4001, 0x1010};
    case OfficeHostKind::Publisher:
        return {0x7, 0x6, true, None, None, 0x1, false, None, None, 0x5};
    case OfficeHostKind::InfoPath:
        return {0x8, 0x7, true, None, None, 0x1, true, None, None, 0x9};
    }
    return {};
}

Variant Disp(IDispatch* object) {
    return Variant(ComPtr<IDispatch>::Share(object));
}

} // namespace

void InstallOfficeHost(OfficeHostKind kind, int majorVersion) {
    const OfficeHostProfile& profile = HostProfileOf(kind);
    InstallHostClass({profile.ProgId, profile.Clsid, std::string(profile.Name) + " Application",
                      majorVersion, ""});
}

void UninstallOfficeHost(OfficeHostKind kind) {
    const OfficeHostProfile& profile = HostProfileOf(kind);
    UninstallHostClass(profile.ProgId, profile.Clsid);
}

bool IsOfficeHostInstalled(OfficeHostKind kind) {
    const OfficeHostProfile& profile = HostProfileOf(kind);
    return IsHostClassInstalled(profile.ProgId, profile.Clsid);
}

OfficeHostSim::OfficeHostSim(OfficeHostKind kind, int majorVersion)
    : app_(MakeComObject<SimOfficeApplication>(HostProfileOf(kind), majorVersion)) {}

OfficeHostSim::~OfficeHostSim() = default;

std::string OfficeHostSim::AddInsKey() const {
    OfficeHostKind kind = Profile().Kind;
    if (kind == OfficeHostKind::Visio || kind == OfficeHostKind::MapPoint)
        return std::string("\\Software\\Microsoft\\") + Profile().Name + "\\AddIns";
    return HostSite::AddInsKey();
}

SimulatedCommandBars& OfficeHostSim::BarsInFront() const {
    SimOfficeWindow* window = app_->ActiveWindow();
    if (window && Profile().Kind == OfficeHostKind::InfoPath)
        return window->Bars();
    if (window && window->Document() && Profile().Kind == OfficeHostKind::Word)
        return window->Document()->Bars();
    return app_->Bars();
}

SimulatedCommandBars* OfficeHostSim::LastingBars() {
    if (Profile().Kind == OfficeHostKind::Word)
        return &app_->Bars();
    return &BarsInFront();
}

std::vector<HostWindow> OfficeHostSim::Windows() {
    std::vector<HostWindow> windows;
    if (Profile().RibbonId.empty())
        return windows;
    for (const auto& window : app_->Windows())
        windows.push_back(HostWindow{Profile().RibbonId, ComPtr<IDispatch>(window)});
    return windows;
}

void OfficeHostSim::Quit() {
    UserEvents events = EventsOf(Profile().Kind);
    if (events.Quit == None)
        return;
    if (Profile().Kind == OfficeHostKind::Visio)
        Fire(events.Quit, {Variant(ComPtr<IDispatch>(app_))});
    else
        Fire(events.Quit, {});
}

void OfficeHostSim::Fire(DISPID id, std::vector<Variant> args) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(id));
    events_.push_back(text);
    DispArgs call(std::move(args));
    app_->Fire(id, call);
}

ComPtr<SimOfficeDocument> OfficeHostSim::AddDocument(std::u16string name, DISPID event) {
    auto document = MakeComObject<SimOfficeDocument>(name);
    // Word keeps lasting bars in its normal template: every document shows them.
    if (Profile().Kind == OfficeHostKind::Word)
        document->Bars().CopyLasting(app_->Bars());
    app_->AddDocument(document);
    // The window exists when the host tells of the document; it is shown after.
    ComPtr<SimOfficeWindow> window = MakeWindow(*document);
    app_->SetActiveWindow(window.Get());
    UserEvents events = EventsOf(Profile().Kind);
    if (event != None)
        Fire(event, events.DocumentArgument ? std::vector<Variant>{Disp(document.Get())}
                                            : std::vector<Variant>{});
    ShowWindow(*window);
    return document;
}

ComPtr<SimOfficeDocument> OfficeHostSim::OpenDocument(std::u16string name) {
    return AddDocument(std::move(name), EventsOf(Profile().Kind).Open);
}

ComPtr<SimOfficeDocument> OfficeHostSim::NewDocument(std::u16string name) {
    return AddDocument(std::move(name), EventsOf(Profile().Kind).New);
}

ComPtr<SimOfficeWindow> OfficeHostSim::MakeWindow(SimOfficeDocument& document) {
    std::u16string caption = document.Name();
    if (!document.Windows().empty())
        caption += u":" + text::Utf8ToUtf16(std::to_string(document.Windows().size() + 1));
    auto window = MakeComObject<SimOfficeWindow>(caption, &document);
    // InfoPath gives a new window the lasting bars of the one in front; the
    // first window those it kept from the last session.
    if (Profile().Kind == OfficeHostKind::InfoPath)
        window->Bars().CopyLasting(app_->ActiveWindow() ? app_->ActiveWindow()->Bars()
                                                        : app_->Bars());
    document.AddWindow(window);
    app_->AddWindow(window);
    return window;
}

void OfficeHostSim::ShowWindow(SimOfficeWindow& window) {
    UserEvents events = EventsOf(Profile().Kind);
    if (events.WindowOpened != None)
        Fire(events.WindowOpened, {Disp(&window)});
    if (OnWindowOpened && !Profile().RibbonId.empty())
        OnWindowOpened(HostWindow{Profile().RibbonId, ComPtr<IDispatch>::Share(&window)});
    ActivateWindow(window);
}

ComPtr<SimOfficeWindow> OfficeHostSim::NewWindow(SimOfficeDocument& document) {
    ComPtr<SimOfficeWindow> window = MakeWindow(document);
    ShowWindow(*window);
    return window;
}

void OfficeHostSim::ActivateWindow(SimOfficeWindow& window) {
    auto& order = activationOrder_;
    order.erase(std::remove(order.begin(), order.end(), &window), order.end());
    order.push_back(&window);
    app_->SetActiveWindow(&window);
    if (window.Document())
        window.Document()->SetActiveWindow(&window);
    FireActivation(window);
}

void OfficeHostSim::FireActivation(SimOfficeWindow& window) {
    UserEvents events = EventsOf(Profile().Kind);
    Variant document = window.Document() ? Disp(window.Document()) : Variant(ComPtr<IDispatch>());
    if (events.DocumentActivate != None)
        Fire(events.DocumentActivate, {document});
    if (events.WindowActivate != None) {
        if (events.DocumentWithWindow)
            Fire(events.WindowActivate, {document, Disp(&window)});
        else
            Fire(events.WindowActivate, {Disp(&window)});
    }
    if (events.DocumentChange != None)
        Fire(events.DocumentChange, {});
}

void OfficeHostSim::CloseWindow(SimOfficeWindow& window) {
    ComPtr<SimOfficeWindow> keep = ComPtr<SimOfficeWindow>::Share(&window);
    UserEvents events = EventsOf(Profile().Kind);
    if (events.BeforeWindowClosed != None)
        Fire(events.BeforeWindowClosed, {Disp(&window)});
    auto& order = activationOrder_;
    order.erase(std::remove(order.begin(), order.end(), &window), order.end());
    app_->RemoveWindow(&window);
    if (SimOfficeDocument* document = window.Document()) {
        ComPtr<SimOfficeDocument> keepDocument = ComPtr<SimOfficeDocument>::Share(document);
        document->RemoveWindow(&window);
        window.Detach();
        if (document->Windows().empty())
            app_->RemoveDocument(document);
    }
    if (OnWindowClosed)
        OnWindowClosed(&window);
    if (!order.empty())
        ActivateWindow(*order.back());
}

} // namespace sim
