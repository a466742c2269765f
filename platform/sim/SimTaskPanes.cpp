// The simulated task-pane factory and its panes.
#include "platform/sim/SimTaskPanes.h"

#include "platform/com/ComClasses.h"
#include "platform/com/OutParam.h"
#include "platform/office/OfficeConstants.h"

namespace sim {

SimulatedCustomTaskPane::SimulatedCustomTaskPane(ComPtr<IDispatch> application,
                                                 std::u16string progId, std::u16string title,
                                                 ComPtr<IDispatch> window,
                                                 ComPtr<IDispatch> control)
    : application_(std::move(application)), progId_(std::move(progId)), title_(std::move(title)),
      window_(std::move(window)), control_(std::move(control)) {
    Members.SetSource(u"Office");
    points_.Add(DIID__CustomTaskPaneEvents);
    Members.Get("Title", [this] {
        Expect();
        return title_;
    });
    Members.Get("Application", [this] {
        Expect();
        return Variant(application_);
    });
    Members.Get("Window", [this] {
        Expect();
        return Variant(window_);
    });
    Members.Get("ContentControl", [this] {
        Expect();
        return Variant(control_);
    });
    Members.Property(
        "Visible",
        [this] {
            Expect();
            return visible_;
        },
        [this](const Variant& v) { OleCheck(put_Visible(v.AsWordBool())); });
    Members.Property(
        "Height",
        [this] {
            Expect();
            return height_;
        },
        [this](const Variant& v) { OleCheck(put_Height(v.AsInteger())); });
    Members.Property(
        "Width",
        [this] {
            Expect();
            return width_;
        },
        [this](const Variant& v) { OleCheck(put_Width(v.AsInteger())); });
    Members.Property(
        "DockPosition",
        [this] {
            Expect();
            return dock_;
        },
        [this](const Variant& v) {
            OleCheck(put_DockPosition(static_cast<MsoCTPDockPosition>(v.AsInteger())));
        });
    Members.Property(
        "DockPositionRestrict",
        [this] {
            Expect();
            return restrict_;
        },
        [this](const Variant& v) {
            OleCheck(
                put_DockPositionRestrict(static_cast<MsoCTPDockPositionRestrict>(v.AsInteger())));
        });
    Members.Method("Delete", [this] { OleCheck(Delete()); });
}

// A deleted pane, like one whose window closed, refuses every call.
void SimulatedCustomTaskPane::Expect() const {
    if (deleted_)
        throw EOleSysError("The custom task pane has been deleted", E_FAIL);
}

HRESULT SimulatedCustomTaskPane::get_Title(BSTR* title) {
    return ComGuard([&] {
        Expect();
        return OutValue(title, title_);
    });
}

HRESULT SimulatedCustomTaskPane::get_Application(IDispatch** application) {
    return ComGuard([&] {
        Expect();
        return OutInterface(application, application_);
    });
}

HRESULT SimulatedCustomTaskPane::get_Window(IDispatch** window) {
    return ComGuard([&] {
        Expect();
        return OutInterface(window, window_);
    });
}

HRESULT SimulatedCustomTaskPane::get_Visible(VARIANT_BOOL* visible) {
    return ComGuard([&] {
        Expect();
        return OutValue(visible, visible_ ? VARIANT_TRUE : VARIANT_FALSE);
    });
}

HRESULT SimulatedCustomTaskPane::put_Visible(VARIANT_BOOL visible) {
    return ComGuard([&] {
        Expect();
        bool show = visible != VARIANT_FALSE;
        if (show == visible_)
            return;
        visible_ = show;
        // Office tells the pane's sinks about every change of visibility.
        Raise(DISPID_CTPVisibleStateChange);
    });
}

HRESULT SimulatedCustomTaskPane::get_ContentControl(IDispatch** control) {
    return ComGuard([&] {
        Expect();
        return OutInterface(control, control_);
    });
}

HRESULT SimulatedCustomTaskPane::get_Height(int32_t* height) {
    return ComGuard([&] {
        Expect();
        return OutValue(height, height_);
    });
}

HRESULT SimulatedCustomTaskPane::put_Height(int32_t height) {
    return ComGuard([&] {
        Expect();
        if (height < 0)
            throw EOleSysError("A task pane's height cannot be negative", E_INVALIDARG);
        height_ = height;
    });
}

HRESULT SimulatedCustomTaskPane::get_Width(int32_t* width) {
    return ComGuard([&] {
        Expect();
        return OutValue(width, width_);
    });
}

HRESULT SimulatedCustomTaskPane::put_Width(int32_t width) {
    return ComGuard([&] {
        Expect();
        if (width < 0)
            throw EOleSysError("A task pane's width cannot be negative", E_INVALIDARG);
        width_ = width;
    });
}

HRESULT SimulatedCustomTaskPane::get_DockPosition(MsoCTPDockPosition* position) {
    return ComGuard([&] {
        Expect();
        return OutValue(position, dock_);
    });
}

HRESULT SimulatedCustomTaskPane::put_DockPosition(MsoCTPDockPosition position) {
    return ComGuard([&] {
        Expect();
        if (position < msoCTPDockPositionLeft || position > msoCTPDockPositionFloating)
            throw EOleSysError("No such dock position", E_INVALIDARG);
        dock_ = position;
    });
}

HRESULT SimulatedCustomTaskPane::get_DockPositionRestrict(MsoCTPDockPositionRestrict* restriction) {
    return ComGuard([&] {
        Expect();
        return OutValue(restriction, restrict_);
    });
}

HRESULT SimulatedCustomTaskPane::put_DockPositionRestrict(MsoCTPDockPositionRestrict restriction) {
    return ComGuard([&] {
        Expect();
        if (restriction < msoCTPDockPositionRestrictNone ||
            restriction > msoCTPDockPositionRestrictNoVertical)
            throw EOleSysError("No such docking restriction", E_INVALIDARG);
        restrict_ = restriction;
    });
}

HRESULT SimulatedCustomTaskPane::Delete() {
    return ComGuard([&] {
        Expect();
        Close();
    });
}

HRESULT SimulatedCustomTaskPane::FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) {
    return points_.FindConnectionPoint(iid, cp);
}

void SimulatedCustomTaskPane::UserSetVisible(bool visible) {
    Expect();
    if (visible == visible_)
        return;
    visible_ = visible;
    Raise(DISPID_CTPVisibleStateChange);
}

void SimulatedCustomTaskPane::UserDock(MsoCTPDockPosition position) {
    Expect();
    dock_ = position;
    Raise(DISPID_CTPDockPositionStateChange);
}

void SimulatedCustomTaskPane::Raise(DISPID event) {
    DispArgs args{Variant(static_cast<_CustomTaskPane*>(this))};
    points_.Fire(DIID__CustomTaskPaneEvents, event, args.Params());
}

// The pane goes: it lets go of its window, control and host.
void SimulatedCustomTaskPane::Close() {
    deleted_ = true;
    visible_ = false;
    window_ = nullptr;
    control_ = nullptr;
    application_ = nullptr;
}

ComPtr<SimulatedCTPFactory> SimulatedCTPFactory::Create(ComPtr<IDispatch> application) {
    return MakeComObject<SimulatedCTPFactory>(std::move(application));
}

SimulatedCTPFactory::SimulatedCTPFactory(ComPtr<IDispatch> application)
    : application_(std::move(application)) {
    Members.SetSource(u"Office");
    Members.Add("CreateCTP")
        .Params({"CTPAxID", "CTPTitle", "CTPParentWindow"})
        .Call([this](DispCall& call) {
            call.ExpectCount(2, 3);
            ComPtr<_CustomTaskPane> pane;
            OleCheck(CreateCTP(call.Wide(0), call.Wide(1), call.Optional(2, Variant::Missing()),
                               pane.Receive()));
            return Variant(pane);
        });
}

HRESULT SimulatedCTPFactory::CreateCTP(const BSTR& axId, const BSTR& title,
                                       const Variant& parentWindow, _CustomTaskPane** pane) {
    return ComGuard([&]() -> HRESULT {
        if (!pane)
            return E_POINTER;
        *pane = nullptr;
        if (axId.empty())
            throw EOleSysError("A task pane needs the ProgID of its control", E_INVALIDARG);
        ComPtr<IDispatch> window;
        if (!parentWindow.IsMissing() && !parentWindow.IsEmpty())
            window = parentWindow.AsDispatch();
        ComPtr<IDispatch> control;
        GUID clsid;
        if (SUCCEEDED(CLSIDFromProgID(axId, &clsid)))
            OleCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                      control.ReceiveVoid()));
        ComPtr<SimulatedCustomTaskPane> made = MakeComObject<SimulatedCustomTaskPane>(
            application_, axId, title, std::move(window), std::move(control));
        panes_.push_back(made);
        *pane = ComPtr<_CustomTaskPane>(made).Detach();
        return S_OK;
    });
}

std::vector<ComPtr<SimulatedCustomTaskPane>> SimulatedCTPFactory::PanesOf(IDispatch* window) const {
    std::vector<ComPtr<SimulatedCustomTaskPane>> found;
    for (const auto& pane : panes_) {
        if (!pane->Deleted() && pane->Window() == window)
            found.push_back(pane);
    }
    return found;
}

void SimulatedCTPFactory::WindowClosed(IDispatch* window) {
    for (const auto& pane : PanesOf(window))
        pane->Close();
}

void SimulatedCTPFactory::Clear() {
    for (const auto& pane : panes_) {
        if (!pane->Deleted())
            pane->Close();
    }
    panes_.clear();
}

} // namespace sim
