// TadxInternalCustomTaskPane: the framework's hold on one live Office task
// pane. It keeps the host's _CustomTaskPane, listens to the pane's two
// events (VisibleStateChange, DockPositionStateChange) through a sink of its
// own, and forwards the framework's property changes to the pane. Every
// call does nothing while the wrapper is not connected, that is once the
// host deleted the pane (its window closed) and the pane refuses every call.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/office/TaskPanes.h"

#include <functional>

class TadxTaskPaneSink;

class TadxInternalCustomTaskPane {
public:
    // A wrapper whose pane events go to onEvent (the event's DISPID); nothing held yet.
    explicit TadxInternalCustomTaskPane(std::function<void(DISPID)> onEvent);
    // Unadvises and lets go of the pane (the pane itself stays).
    ~TadxInternalCustomTaskPane();
    TadxInternalCustomTaskPane(const TadxInternalCustomTaskPane&) = delete;
    TadxInternalCustomTaskPane& operator=(const TadxInternalCustomTaskPane&) = delete;

    // Holds pane and advises on its events (a pane without them stays unadvised).
    void ConnectTo(ComPtr<_CustomTaskPane> pane);
    // Unadvises and releases the pane; nothing when none is held.
    void Disconnect() noexcept;
    // Unadvises first, then deletes the pane when it is still there, and
    // lets go of it: no event of the pane comes back. Failures are silent.
    void Close() noexcept;
    // True when a pane is held and reading its DockPositionRestrict and
    // writing the same value back both succeed.
    bool IsConnected() const noexcept;
    // The pane held, or null.
    _CustomTaskPane* Pane() const noexcept { return pane_.Get(); }

    // The forwarding calls: each reaches the pane only while connected, and
    // a failure the pane reports raises EOleSysError.
    void Delete();
    ComPtr<IDispatch> Get_Window();
    bool Get_Visible();
    void Set_Visible(bool value);
    void Set_Height(int32_t value);
    void Set_Width(int32_t value);
    MsoCTPDockPosition Get_DockPosition();
    void Set_DockPosition(MsoCTPDockPosition value);
    void Set_DockPositionRestrict(MsoCTPDockPositionRestrict value);

private:
    std::function<void(DISPID)> onEvent_;
    ComPtr<_CustomTaskPane> pane_;
    ComPtr<TadxTaskPaneSink> sink_;
    ComPtr<IConnectionPoint> point_;
    uint32_t cookie_ = 0;
};
