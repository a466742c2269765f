// The automation objects of the simulated Office hosts.
#include "platform/sim/office/SimOfficeObjects.h"

#include "platform/win/Registry.h"

#include <algorithm>

namespace sim {
namespace {

template <class T> void Erase(std::vector<ComPtr<T>>& list, T* item) {
    list.erase(std::remove_if(list.begin(), list.end(),
                              [item](const ComPtr<T>& p) { return p.Get() == item; }),
               list.end());
}

Variant Object(IDispatch* object) {
    return object ? Variant(ComPtr<IDispatch>::Share(object)) : Variant(ComPtr<IDispatch>());
}

// Whether a test told MapPoint to refuse RemoveCommands (read at each call).
bool RefusesRemoveCommands() {
    TRegistry reg;
    return reg.OpenKeyReadOnly(MapPointSwitchesKey) &&
           reg.ValueExists(MapPointRefuseRemoveCommands) &&
           reg.ReadString(MapPointRefuseRemoveCommands) == "1";
}

} // namespace

SimOfficeCollection::SimOfficeCollection(int firstIndex) : firstIndex_(firstIndex) {
    Members.Get("Count", [this] { return static_cast<int32_t>(Items.size()); });
    Members.Add("Item", DISPID_VALUE).Params({"Index"}).Call([this](DispCall& c) {
        int index = c.Integer(0) - firstIndex_;
        if (index < 0 || index >= static_cast<int>(Items.size()))
            throw EOleSysError("The index is out of range.", DISP_E_BADINDEX);
        return Variant(Items[index]);
    });
}

SimOfficeWindow::SimOfficeWindow(std::u16string caption, SimOfficeDocument* document)
    : caption_(std::move(caption)), document_(document) {
    Members.Get("Caption", [this] { return caption_; });
    Members.Get("Document", [this] { return Object(document_); });
    Members.Get("CommandBars", [this] { return Variant(ComPtr<IDispatch>(bars_)); });
}

SimOfficeDocument::SimOfficeDocument(std::u16string name) : name_(std::move(name)) {
    Members.Get("Name", [this] { return name_; });
    Members.Get("ActiveWindow", [this] { return Object(active_); });
    Members.Get("CommandBars", [this] { return Variant(ComPtr<IDispatch>(bars_)); });
}

void SimOfficeDocument::AddWindow(ComPtr<SimOfficeWindow> window) {
    active_ = window.Get();
    windows_.push_back(std::move(window));
}

void SimOfficeDocument::RemoveWindow(SimOfficeWindow* window) {
    if (active_ == window)
        active_ = nullptr;
    Erase(windows_, window);
    if (!active_ && !windows_.empty())
        active_ = windows_.back().Get();
}

SimOfficeTemplate::SimOfficeTemplate(std::u16string fullName) : fullName_(std::move(fullName)) {
    Members.Get("FullName", [this] { return fullName_; });
    Members.Get("Name", [this] { return fullName_.substr(fullName_.find_last_of(u'\\') + 1); });
}

SimOfficeApplication::SimOfficeApplication(const OfficeHostProfile& profile, int majorVersion)
    : profile_(profile), normal_(MakeComObject<SimOfficeTemplate>(u"C:\\Templates\\Normal.dotm")) {
    AddInterfaceAlias<IDispatch>(profile.ApplicationIid);
    SetMajorVersion(majorVersion);
    if (profile.SeparateEventSource)
        eventSource_ = MakeComObject<SimOfficeEventSource>();
    for (const GUID& iid : profile.EventIids)
        (eventSource_ ? eventSource_->Points : points_).Add(iid);
    AddMembers();
}

void SimOfficeApplication::AddMembers() {
    Members.SetSource(text::Utf8ToUtf16(profile_.Name));
    Members.Get("Name", [this] { return text::Utf8ToUtf16(profile_.Name); });
    // Project's Version is asked for by its DISPID.
    Members.Get(
        "Version", [this] { return version_; },
        profile_.Kind == OfficeHostKind::Project ? 5020 : DispatchTable::AutoId);
    Members.Get("Windows", [this] { return Collection(false); });
    Members.Get("Documents", [this] { return Collection(true); });
    Members.Get("Workbooks", [this] { return Collection(true); });
    Members.Get("Presentations", [this] { return Collection(true); });
    Members.Get("XDocuments", [this] { return Collection(true); });
    Members.Get("ActiveWindow", [this] { return Object(activeWindow_); });
    Members.Get("CommandBars", [this] { return Variant(ComPtr<IDispatch>(bars_)); });
    Members.Get("ActiveDocument", [this] { return Object(ActiveDocument()); });
    Members.Get("ActiveWorkbook", [this] { return Object(ActiveDocument()); });
    Members.Property(
        "ShowWindowsInTaskbar", [this] { return taskbar_; },
        [this](const Variant& v) { taskbar_ = v.AsBool(); });
    if (profile_.Kind == OfficeHostKind::Word)
        AddTemplateMembers();
    // MapPoint lists the commands an add-in added under Tools; an add-in
    // takes them away again when it shuts down.
    if (profile_.Kind == OfficeHostKind::MapPoint)
        Members.Method("RemoveCommands", [](DispCall&) {
            if (RefusesRemoveCommands())
                throw EOleSysError("MapPoint cannot remove the add-in's commands", E_FAIL);
        });
    // InfoPath hands its events out on an object of their own.
    if (eventSource_)
        Members.Get("EventSource", [this] { return Variant(ComPtr<IDispatch>(eventSource_)); });
}

void SimOfficeApplication::AddTemplateMembers() {
    Members.Get("NormalTemplate", [this] { return Variant(ComPtr<IDispatch>(normal_)); });
    Members.Get("Templates", [this] {
        auto templates = MakeComObject<SimOfficeCollection>(1);
        templates->Items.push_back(ComPtr<IDispatch>(normal_));
        return Variant(ComPtr<IDispatch>(templates));
    });
    Members.Add("OrganizerDelete")
        .Params({"Source", "Name", "Object"})
        .Call([this](DispCall& call) {
            normal_->Deletions.push_back(call.String(0) + "|" + call.String(1) + "|" +
                                         std::to_string(call.Integer(2)));
        });
}

Variant SimOfficeApplication::Collection(bool documents) const {
    auto collection = MakeComObject<SimOfficeCollection>(profile_.FirstIndex);
    if (documents)
        for (const auto& d : documents_)
            collection->Items.push_back(ComPtr<IDispatch>(d));
    else
        for (const auto& w : windows_)
            collection->Items.push_back(ComPtr<IDispatch>(w));
    return Variant(ComPtr<IDispatch>(collection));
}

void SimOfficeApplication::AddDocument(ComPtr<SimOfficeDocument> document) {
    documents_.push_back(std::move(document));
}

void SimOfficeApplication::RemoveDocument(SimOfficeDocument* document) {
    Erase(documents_, document);
}

void SimOfficeApplication::AddWindow(ComPtr<SimOfficeWindow> window) {
    windows_.push_back(std::move(window));
}

void SimOfficeApplication::RemoveWindow(SimOfficeWindow* window) {
    if (activeWindow_ == window)
        activeWindow_ = nullptr;
    Erase(windows_, window);
}

size_t SimOfficeApplication::Fire(DISPID id, DispArgs& args, Variant* result) {
    ConnectionPoints& points = eventSource_ ? eventSource_->Points : points_;
    size_t called = 0;
    for (const GUID& iid : profile_.EventIids)
        called += points.Fire(iid, id, args.Params(), result);
    return called;
}

size_t SimOfficeApplication::SinkCount() const noexcept {
    return eventSource_ ? eventSource_->Points.SinkCount() : points_.SinkCount();
}

std::vector<GUID> SimOfficeApplication::AdvisedIids() const {
    return eventSource_ ? eventSource_->Points.AdvisedIids() : points_.AdvisedIids();
}

} // namespace sim
