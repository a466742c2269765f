// The framework's hold on one live Office task pane, and its event sink.
#include "framework/panes/TaskPaneWrapper.h"

#include "platform/com/Com.h"

// The sink advised on the pane's events: it hands each event to its wrapper
// until the wrapper lets go of it.
class TadxTaskPaneSink final : public DispatchObject<IDispatch> {
public:
    void Forget() noexcept { onEvent_ = nullptr; }
    HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams*, Variant*, ExcepInfo*,
                   uint32_t*) override {
        // The handler may free the wrapper (and forget this sink): it runs on a copy.
        if (std::function<void(DISPID)> call = onEvent_)
            call(id);
        return S_OK;
    }

private:
    friend struct ::ComMaker;
    explicit TadxTaskPaneSink(std::function<void(DISPID)> onEvent) : onEvent_(std::move(onEvent)) {
        AddInterfaceAlias<IDispatch>(DIID__CustomTaskPaneEvents);
    }
    std::function<void(DISPID)> onEvent_;
};

namespace {

void Check(HRESULT hr) {
    if (FAILED(hr))
        throw EOleSysError("The task pane refused the call.", hr);
}

} // namespace

TadxInternalCustomTaskPane::TadxInternalCustomTaskPane(std::function<void(DISPID)> onEvent)
    : onEvent_(std::move(onEvent)) {}

TadxInternalCustomTaskPane::~TadxInternalCustomTaskPane() {
    Disconnect();
}

void TadxInternalCustomTaskPane::ConnectTo(ComPtr<_CustomTaskPane> pane) {
    Disconnect();
    pane_ = std::move(pane);
    if (!pane_)
        return;
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(pane_->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid())) ||
        FAILED(container->FindConnectionPoint(DIID__CustomTaskPaneEvents, point_.Receive())))
        return;
    sink_ = MakeComObject<TadxTaskPaneSink>(onEvent_);
    if (FAILED(point_->Advise(sink_.Get(), &cookie_)))
        cookie_ = 0;
}

void TadxInternalCustomTaskPane::Disconnect() noexcept {
    if (point_ && cookie_)
        point_->Unadvise(cookie_);
    if (sink_)
        sink_->Forget();
    cookie_ = 0;
    point_ = nullptr;
    sink_ = nullptr;
    pane_ = nullptr;
}

void TadxInternalCustomTaskPane::Close() noexcept {
    ComPtr<_CustomTaskPane> pane = pane_;
    bool connected = IsConnected();
    Disconnect();
    if (connected)
        pane->Delete();
}

bool TadxInternalCustomTaskPane::IsConnected() const noexcept {
    if (!pane_)
        return false;
    MsoCTPDockPositionRestrict restriction{};
    return SUCCEEDED(pane_->get_DockPositionRestrict(&restriction)) &&
           SUCCEEDED(pane_->put_DockPositionRestrict(restriction));
}

void TadxInternalCustomTaskPane::Delete() {
    if (IsConnected())
        Check(pane_->Delete());
}

ComPtr<IDispatch> TadxInternalCustomTaskPane::Get_Window() {
    ComPtr<IDispatch> window;
    if (IsConnected())
        Check(pane_->get_Window(window.Receive()));
    return window;
}

bool TadxInternalCustomTaskPane::Get_Visible() {
    VARIANT_BOOL visible = VARIANT_FALSE;
    if (IsConnected())
        Check(pane_->get_Visible(&visible));
    return visible != VARIANT_FALSE;
}

void TadxInternalCustomTaskPane::Set_Visible(bool value) {
    if (IsConnected())
        Check(pane_->put_Visible(value ? VARIANT_TRUE : VARIANT_FALSE));
}

void TadxInternalCustomTaskPane::Set_Height(int32_t value) {
    if (IsConnected())
        Check(pane_->put_Height(value));
}

void TadxInternalCustomTaskPane::Set_Width(int32_t value) {
    if (IsConnected())
        Check(pane_->put_Width(value));
}

MsoCTPDockPosition TadxInternalCustomTaskPane::Get_DockPosition() {
    MsoCTPDockPosition position = msoCTPDockPositionRight;
    if (IsConnected())
        Check(pane_->get_DockPosition(&position));
    return position;
}

void TadxInternalCustomTaskPane::Set_DockPosition(MsoCTPDockPosition value) {
    if (IsConnected())
        Check(pane_->put_DockPosition(value));
}

void TadxInternalCustomTaskPane::Set_DockPositionRestrict(MsoCTPDockPositionRestrict value) {
    if (IsConnected())
        Check(pane_->put_DockPositionRestrict(value));
}
