// The automation objects of a simulated Office host: its application (which
// answers the host's application interface and fires the host's events
// through connection points), its document windows, its documents and the
// collections that list them. What they answer is what add-ins read from a
// host: Windows and Documents with Count and Item, ActiveWindow,
// ActiveDocument, Word's ShowWindowsInTaskbar, NormalTemplate, Templates and
// OrganizerDelete, the command bars of the application, each document and
// each window, a window's Document and Caption. The user's actions that change them live in
// OfficeHostSim.
#pragma once

#include "platform/com/Com.h"
#include "platform/sim/SimCommandBars.h"
#include "platform/sim/office/OfficeHostKinds.h"
#include "platform/text/Text.h"

#include <string>
#include <vector>

namespace sim {

class SimOfficeDocument;

// A test makes the simulated MapPoint refuse to take an add-in's commands
// away (its RemoveCommands fails) with the string value
// MapPointRefuseRemoveCommands = "1" under this key of HKEY_CURRENT_USER;
// through the machine's registry it reaches a host run in another process.
inline constexpr const char* MapPointSwitchesKey = "\\Software\\LorvaneTests\\MapPoint";
inline constexpr const char* MapPointRefuseRemoveCommands = "RefuseRemoveCommands";

// A collection as hosts hand them out: Count and Item(i), i counted from
// the host's first index; an index out of range raises DISP_E_BADINDEX.
class SimOfficeCollection final : public DispatchObject<IDispatch> {
public:
    // The items now, first first.
    std::vector<ComPtr<IDispatch>> Items;

private:
    friend struct ::ComMaker;
    explicit SimOfficeCollection(int firstIndex);
    int firstIndex_;
};

// One document window.
class SimOfficeWindow final : public DispatchObject<IDispatch> {
public:
    const std::u16string& Caption() const noexcept { return caption_; }
    SimOfficeDocument* Document() const noexcept { return document_; }
    // Forgets the document (it closed).
    void Detach() noexcept { document_ = nullptr; }
    // The window's own command bars (InfoPath shows them per window).
    SimulatedCommandBars& Bars() const noexcept { return *bars_; }

private:
    friend struct ::ComMaker;
    SimOfficeWindow(std::u16string caption, SimOfficeDocument* document);
    std::u16string caption_;
    SimOfficeDocument* document_;
    ComPtr<SimulatedCommandBars> bars_ = SimulatedCommandBars::Create();
};

// One document (workbook, presentation, form, drawing) and its windows.
class SimOfficeDocument final : public DispatchObject<IDispatch> {
public:
    const std::u16string& Name() const noexcept { return name_; }
    // Its windows, first first; the active one of them.
    const std::vector<ComPtr<SimOfficeWindow>>& Windows() const noexcept { return windows_; }
    SimOfficeWindow* ActiveWindow() const noexcept { return active_; }
    void AddWindow(ComPtr<SimOfficeWindow> window);
    void RemoveWindow(SimOfficeWindow* window);
    void SetActiveWindow(SimOfficeWindow* window) noexcept { active_ = window; }
    // The document's command bars (Word shows them per document).
    SimulatedCommandBars& Bars() const noexcept { return *bars_; }

private:
    friend struct ::ComMaker;
    explicit SimOfficeDocument(std::u16string name);
    ComPtr<SimulatedCommandBars> bars_ = SimulatedCommandBars::Create();
    std::u16string name_;
    std::vector<ComPtr<SimOfficeWindow>> windows_;
    SimOfficeWindow* active_ = nullptr;
};

// Word's normal template: its full name, and the organizer's deletions from
// it (the source, the name and the object type of each call, in order).
class SimOfficeTemplate final : public DispatchObject<IDispatch> {
public:
    const std::u16string& FullName() const noexcept { return fullName_; }
    // "<source>|<name>|<object type>" per OrganizerDelete call.
    std::vector<std::string> Deletions;

private:
    friend struct ::ComMaker;
    explicit SimOfficeTemplate(std::u16string fullName);
    std::u16string fullName_;
};

// The object InfoPath hands out for its application events.
class SimOfficeEventSource final : public DispatchObject<IDispatch, IConnectionPointContainer> {
public:
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override {
        return Points.FindConnectionPoint(iid, cp);
    }
    ConnectionPoints Points{this};

private:
    friend struct ::ComMaker;
    SimOfficeEventSource() = default;
};

// The application object.
class SimOfficeApplication final : public DispatchObject<IDispatch, IConnectionPointContainer> {
public:
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override {
        return points_.FindConnectionPoint(iid, cp);
    }

    const OfficeHostProfile& Profile() const noexcept { return profile_; }
    // The open documents and windows, oldest first, and the active ones.
    const std::vector<ComPtr<SimOfficeDocument>>& Documents() const noexcept { return documents_; }
    const std::vector<ComPtr<SimOfficeWindow>>& Windows() const noexcept { return windows_; }
    SimOfficeWindow* ActiveWindow() const noexcept { return activeWindow_; }
    SimOfficeDocument* ActiveDocument() const noexcept {
        return activeWindow_ ? activeWindow_->Document() : nullptr;
    }
    bool ShowWindowsInTaskbar() const noexcept { return taskbar_; }
    void SetShowWindowsInTaskbar(bool value) noexcept { taskbar_ = value; }

    void AddDocument(ComPtr<SimOfficeDocument> document);
    void RemoveDocument(SimOfficeDocument* document);
    void AddWindow(ComPtr<SimOfficeWindow> window);
    void RemoveWindow(SimOfficeWindow* window);
    void SetActiveWindow(SimOfficeWindow* window) noexcept { activeWindow_ = window; }
    // Fires event id with args on every event interface of the host (by-
    // reference arguments come back written, and an event's return value
    // in result when given); the number of sinks called.
    size_t Fire(DISPID id, DispArgs& args, Variant* result = nullptr);
    // Sinks advised now, on the application or its event source.
    size_t SinkCount() const noexcept;
    // Every event interface a sink was advised on, in order.
    std::vector<GUID> AdvisedIids() const;
    // The event source InfoPath hands out (null for the other hosts).
    SimOfficeEventSource* EventSource() const noexcept { return eventSource_.Get(); }
    // The application's own command bars.
    SimulatedCommandBars& Bars() const noexcept { return *bars_; }
    // Word's normal template (the first of its Templates); what the
    // application's OrganizerDelete removed is recorded there.
    SimOfficeTemplate& NormalTemplate() const noexcept { return *normal_; }
    // Sets what Version answers ("<major>.0").
    void SetMajorVersion(int major) { version_ = text::Utf8ToUtf16(std::to_string(major) + ".0"); }

private:
    friend struct ::ComMaker;
    SimOfficeApplication(const OfficeHostProfile& profile, int majorVersion);
    void AddMembers();
    void AddTemplateMembers();
    Variant Collection(bool documents) const;

    const OfficeHostProfile& profile_;
    std::u16string version_;
    std::vector<ComPtr<SimOfficeDocument>> documents_;
    std::vector<ComPtr<SimOfficeWindow>> windows_;
    SimOfficeWindow* activeWindow_ = nullptr;
    bool taskbar_ = true;
    ConnectionPoints points_{this};
    ComPtr<SimOfficeEventSource> eventSource_;
    ComPtr<SimulatedCommandBars> bars_ = SimulatedCommandBars::Create();
    ComPtr<SimOfficeTemplate> normal_;
};

} // namespace sim
