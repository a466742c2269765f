// The simulated Outlook's Application: members, focus order, item creation
// and the events raised at application level.
#include "platform/sim/outlook/SimApplication.h"

#include "platform/sim/outlook/ConversationIndex.h"
#include "platform/sim/outlook/SimMembers.h"
#include "platform/sim/outlook/SimNameSpace.h"
#include "platform/sim/outlook/SimReminders.h"
#include "platform/sim/outlook/SimWindows.h"
#include "platform/text/Text.h"
#include "platform/win/Clock.h"

#include <algorithm>
#include <cstdio>

namespace sim {

using namespace outlook;

namespace {

// The build that each version reports; other versions get "N.0.0.0".
std::u16string VersionTextOf(int major) {
    switch (major) {
    case 9:
        return u"9.0.0.2711";
    case 10:
        return u"10.0.0.2627";
    case 11:
        return u"11.0.0.8312";
    case 12:
        return u"12.0.0.6423";
    case 14:
        return u"14.0.0.7248";
    case 15:
        return u"15.0.0.5423";
    case 16:
        return u"16.0.0.5400";
    default:
        return text::Wide(std::to_string(major)) + u".0.0.0";
    }
}

} // namespace

ComPtr<SimApplication> SimApplication::Create(int majorVersion) {
    ComPtr<SimApplication> app = MakeComObject<SimApplication>(majorVersion);
    // The parts hold the application, so they are made once it has a reference.
    app->nameSpace_ = SimNameSpace::Create(app.Get());
    app->explorers_ = SimExplorers::Create(app.Get());
    app->inspectors_ = SimInspectors::Create(app.Get());
    app->reminders_ = SimReminders::Create(app.Get());
    return app;
}

SimApplication::SimApplication(int majorVersion) : OutlookObject("Application") {
    SetVersion(majorVersion);
    AnswerIid(IID__Application);
    Events.Add(DIID_ApplicationEvents);
    Events.Add(DIID_ApplicationEvents_10);
    Events.Add(DIID_ApplicationEvents_11);
    AddMembers();
}

void SimApplication::AddMembers() {
    Members.Get("Application", [this] { return Variant(Disp()); });
    Members.Get("Class", [] { return int(olApplication); });
    Members.Get("Session", [this] { return Variant(nameSpace_->Disp()); });
    Members.Get("Parent", [] { return Nothing(); }); // the application has none
    Members.Get("Name", [] { return Variant(u"Outlook"); });
    Members.Get("Version", [this] { return versionText_; });
    Members.Add("GetNamespace").Params({"Type"}).Call([this](DispCall& c) {
        if (!text::SameText(c.Wide(0), u"MAPI"))
            throw EOleSysError("The name space type is not supported.", E_INVALIDARG);
        return Variant(nameSpace_->Disp());
    });
    Members.Method("ActiveExplorer", [this] {
        SimExplorer* explorer = ActiveExplorer();
        return explorer ? Variant(explorer->Disp()) : Nothing();
    });
    Members.Method("ActiveInspector", [this] {
        SimInspector* inspector = ActiveInspector();
        return inspector ? Variant(inspector->Disp()) : Nothing();
    });
    Members.Method("ActiveWindow", [this] {
        SimWindow* window = ActiveWindow();
        return window ? Variant(window->WindowDisp()) : Nothing();
    });
    Members.Get("Explorers", [this] { return Variant(explorers_->Disp()); });
    Members.Get("Inspectors", [this] { return Variant(inspectors_->Disp()); });
    // Reminders came with Outlook 2002; older versions fail the read.
    Members.Get("Reminders", [this] {
        if (major_ < 10)
            throw EOleSysError("Reminders is not a member of this version.", DISP_E_MEMBERNOTFOUND);
        return Variant(reminders_->Disp());
    });
    Members.Add("CreateItem").Params({"ItemType"}).Call([this](DispCall& c) {
        return Variant(CreateItem(c.Integer(0))->Disp());
    });
    Members.Method("Quit", [this] { Quit(); });
}

void SimApplication::SetVersion(int major) {
    major_ = major;
    versionText_ = VersionTextOf(major);
}

void SimApplication::SetVersionText(std::u16string text) {
    versionText_ = std::move(text);
    // The major version is the number before the first ".", as hosts read it.
    size_t dot = versionText_.find(u'.');
    int major = 0;
    bool digits = dot != std::u16string::npos && dot > 0;
    for (size_t i = 0; digits && i < dot; ++i) {
        if (versionText_[i] < u'0' || versionText_[i] > u'9' || major > 1000)
            digits = false;
        else
            major = major * 10 + (versionText_[i] - u'0');
    }
    major_ = digits ? major : 9;
}

// ---- focus ----

void SimApplication::Activate(SimWindow& window) {
    if (!focus_.empty() && focus_.front() == &window)
        return;
    ComPtr<IDispatch> keep = ComPtr<IDispatch>::Share(window.WindowDisp());
    SimWindow* previous = focus_.empty() ? nullptr : focus_.front();
    ComPtr<IDispatch> keepPrevious =
        ComPtr<IDispatch>::Share(previous ? previous->WindowDisp() : nullptr);
    focus_.erase(std::remove(focus_.begin(), focus_.end(), &window), focus_.end());
    focus_.insert(focus_.begin(), &window);
    if (previous)
        previous->RaiseDeactivate();
    // A Deactivate handler may have moved the focus on or closed the window.
    if (!focus_.empty() && focus_.front() == &window)
        window.RaiseActivate();
}

void SimApplication::WindowClosed(SimWindow& window) {
    bool hadFocus = !focus_.empty() && focus_.front() == &window;
    focus_.erase(std::remove(focus_.begin(), focus_.end(), &window), focus_.end());
    if (hadFocus && !focus_.empty() && !quitting_) {
        ComPtr<IDispatch> keep = ComPtr<IDispatch>::Share(focus_.front()->WindowDisp());
        focus_.front()->RaiseActivate();
    }
}

SimWindow* SimApplication::ActiveWindow() const noexcept {
    return focus_.empty() ? nullptr : focus_.front();
}

SimExplorer* SimApplication::ActiveExplorer() const noexcept {
    for (SimWindow* window : focus_)
        if (window->IsExplorer())
            return static_cast<SimExplorer*>(window);
    return nullptr;
}

SimInspector* SimApplication::ActiveInspector() const noexcept {
    for (SimWindow* window : focus_)
        if (!window->IsExplorer())
            return static_cast<SimInspector*>(window);
    return nullptr;
}

// ---- services ----

ComPtr<SimItem> SimApplication::CreateItem(int itemType) {
    ItemKind kind;
    if (!ItemKindOfType(itemType, kind))
        throw EOleSysError("This item type cannot be created here.", E_INVALIDARG);
    ItemData data;
    if (kind == ItemKind::Mail && NewItemsGetConversationIndex())
        data.ConversationIndex = ConversationIndexText(NewConversationIndex(Now(), GUID::Create()));
    return SimItem::Create(this, kind, std::move(data));
}

std::u16string SimApplication::NewEntryId(const StoreInfo& store) {
    char id[80];
    std::snprintf(id, sizeof id, "00000000%08X5B2C1A9E3D4F11D2A6B400C04FB9E8F90700%016llX",
                  store.Number, static_cast<unsigned long long>(nextEntry_++));
    return text::Wide(id);
}

TDateTime SimApplication::Now() const {
    return ::Now();
}

uint8_t SimApplication::NextRandomNibble() {
    // xorshift: a fixed sequence, so that runs repeat.
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return static_cast<uint8_t>(random_ & 0x0F);
}

bool SimApplication::RaiseItemSend(SimItem& item) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(DISPID_ItemSend, {Variant(item.Disp()), Variant::ByRefBool(&cancel)});
    return cancel != VARIANT_FALSE;
}

void SimApplication::Quit() {
    if (quit_ || quitting_)
        return;
    ComPtr<SimApplication> self = ComPtr<SimApplication>::Share(this);
    quitting_ = true;
    while (inspectors_ && inspectors_->Count() > 0) {
        ComPtr<SimInspector> last =
            ComPtr<SimInspector>::Share(&inspectors_->At(inspectors_->Count() - 1));
        last->Close(olDiscard);
    }
    while (explorers_ && explorers_->Count() > 0)
        ComPtr<SimExplorer>::Share(&explorers_->At(explorers_->Count() - 1))->Close();
    Fire(DISPID_Quit);
    quit_ = true;
    if (OnQuit)
        OnQuit();
}

void SimApplication::TearDown() {
    focus_.clear();
    TearDownPart(nameSpace_);
    TearDownPart(explorers_);
    TearDownPart(inspectors_);
    TearDownPart(reminders_);
    CategoriesDialog = nullptr;
    OnQuit = nullptr;
    OnWindowShown = nullptr;
    OutlookObjectCore::TearDown();
}

} // namespace sim
