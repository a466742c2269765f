// Custom task panes of the simulated hosts: the factory a host hands to an
// add-in (ICustomTaskPaneConsumer::CTPFactoryAvailable) and the panes it
// makes. A pane keeps what the add-in sets (title, window, visibility, size,
// docking) and raises its two events when the user changes it; once deleted,
// by the add-in or because its window closed, every call on it fails, as on
// a pane whose window is gone.
//
// The hosted control is made from its ProgID when that names a registered
// class; otherwise the pane stands without one (ContentControl is Nothing),
// since no control of our own is ever hosted.
#pragma once

#include "platform/com/Com.h"
#include "platform/office/TaskPanes.h"

#include <vector>

namespace sim {

class SimulatedCTPFactory;

class SimulatedCustomTaskPane final
    : public DispatchObject<_CustomTaskPane, IConnectionPointContainer> {
public:
    HRESULT get_Title(BSTR* title) override;
    HRESULT get_Application(IDispatch** application) override;
    HRESULT get_Window(IDispatch** window) override;
    HRESULT get_Visible(VARIANT_BOOL* visible) override;
    HRESULT put_Visible(VARIANT_BOOL visible) override;
    HRESULT get_ContentControl(IDispatch** control) override;
    HRESULT get_Height(int32_t* height) override;
    HRESULT put_Height(int32_t height) override;
    HRESULT get_Width(int32_t* width) override;
    HRESULT put_Width(int32_t width) override;
    HRESULT get_DockPosition(MsoCTPDockPosition* position) override;
    HRESULT put_DockPosition(MsoCTPDockPosition position) override;
    HRESULT get_DockPositionRestrict(MsoCTPDockPositionRestrict* restriction) override;
    HRESULT put_DockPositionRestrict(MsoCTPDockPositionRestrict restriction) override;
    HRESULT Delete() override;
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override;

    // What the pane shows now.
    const std::u16string& ControlProgId() const noexcept { return progId_; }
    const std::u16string& Title() const noexcept { return title_; }
    IDispatch* Window() const noexcept { return window_.Get(); }
    bool Visible() const noexcept { return visible_; }
    int32_t Height() const noexcept { return height_; }
    int32_t Width() const noexcept { return width_; }
    MsoCTPDockPosition DockPosition() const noexcept { return dock_; }
    MsoCTPDockPositionRestrict DockPositionRestrict() const noexcept { return restrict_; }
    bool Deleted() const noexcept { return deleted_; }
    // The user shows or hides the pane (VisibleStateChange).
    void UserSetVisible(bool visible);
    // The user docks the pane elsewhere (DockPositionStateChange).
    void UserDock(MsoCTPDockPosition position);
    // Every event IID a sink was advised on; sinks advised now.
    std::vector<GUID> AdvisedIids() const { return points_.AdvisedIids(); }
    size_t SinkCount() const noexcept { return points_.SinkCount(); }

private:
    friend struct ::ComMaker;
    friend class SimulatedCTPFactory;
    SimulatedCustomTaskPane(ComPtr<IDispatch> application, std::u16string progId,
                            std::u16string title, ComPtr<IDispatch> window,
                            ComPtr<IDispatch> control);
    void Expect() const;
    void Raise(DISPID event);
    void Close();

    ComPtr<IDispatch> application_;
    std::u16string progId_;
    std::u16string title_;
    ComPtr<IDispatch> window_;
    ComPtr<IDispatch> control_;
    bool visible_ = false;
    int32_t height_ = 200;
    int32_t width_ = 200;
    MsoCTPDockPosition dock_ = msoCTPDockPositionRight;
    MsoCTPDockPositionRestrict restrict_ = msoCTPDockPositionRestrictNone;
    bool deleted_ = false;
    ConnectionPoints points_{this};
};

class SimulatedCTPFactory final : public DispatchObject<ICTPFactory> {
public:
    // The factory of a host whose application object is application.
    static ComPtr<SimulatedCTPFactory> Create(ComPtr<IDispatch> application);

    HRESULT CreateCTP(const BSTR& axId, const BSTR& title, const Variant& parentWindow,
                      _CustomTaskPane** pane) override;

    // Every pane made so far, deleted ones included, oldest first.
    const std::vector<ComPtr<SimulatedCustomTaskPane>>& Panes() const noexcept { return panes_; }
    // The panes that are not deleted and belong to window (nil: the
    // host's main window).
    std::vector<ComPtr<SimulatedCustomTaskPane>> PanesOf(IDispatch* window) const;
    // A host window closes: its panes go with it.
    void WindowClosed(IDispatch* window);
    // The host shuts down: every pane goes, and the factory lets go of them.
    void Clear();

private:
    friend struct ::ComMaker;
    explicit SimulatedCTPFactory(ComPtr<IDispatch> application);

    ComPtr<IDispatch> application_;
    std::vector<ComPtr<SimulatedCustomTaskPane>> panes_;
};

} // namespace sim
