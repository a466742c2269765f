// A connection point: its sinks, advised and unadvised by cookie.
#include "platform/com/ConnectionPoint.h"

#include "platform/com/OutParam.h"

ComPtr<ConnectionPoint> ConnectionPoint::Create(IConnectionPointContainer* container,
                                                const GUID& iid,
                                                std::shared_ptr<std::vector<GUID>> history) {
    return MakeComObject<ConnectionPoint>(container, iid, std::move(history));
}

ConnectionPoint::ConnectionPoint(IConnectionPointContainer* container, const GUID& iid,
                                 std::shared_ptr<std::vector<GUID>> history)
    : ComObject(LibraryObjectCount()), container_(container), iid_(iid),
      history_(std::move(history)) {}

HRESULT ConnectionPoint::GetConnectionInterface(GUID* iid) {
    return OutValue(iid, iid_);
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container)
        return E_POINTER;
    *container = container_;
    if (!container_)
        return E_UNEXPECTED;
    container_->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, uint32_t* cookie) {
    if (cookie)
        *cookie = 0;
    if (!sink || !cookie)
        return E_POINTER;
    ComPtr<IUnknown> events;
    if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(events.Receive()))) || !events)
        return CONNECT_E_CANNOTCONNECT;
    return ComGuard([&] {
        uint32_t c = nextCookie_++;
        if (nextCookie_ == 0)
            nextCookie_ = 1; // cookies are never 0
        sinks_.emplace(c, std::move(events));
        if (history_)
            history_->push_back(iid_);
        *cookie = c;
    });
}

HRESULT ConnectionPoint::Unadvise(uint32_t cookie) {
    auto it = sinks_.find(cookie);
    if (it == sinks_.end())
        return CONNECT_E_NOCONNECTION;
    // Release after the map no longer holds it: the sink's destructor may
    // call back into this point.
    ComPtr<IUnknown> sink = std::move(it->second);
    sinks_.erase(it);
    sink.Reset();
    return S_OK;
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::Sinks() const {
    std::vector<ComPtr<IUnknown>> out;
    for (const auto& [cookie, sink] : sinks_)
        out.push_back(sink);
    return out;
}

size_t ConnectionPoint::Fire(DISPID id, DispParams& params, Variant* result) {
    ComPtr<ConnectionPoint> self = ComPtr<ConnectionPoint>::Share(this);
    std::vector<std::pair<uint32_t, ComPtr<IUnknown>>> snapshot(sinks_.begin(), sinks_.end());
    size_t called = 0;
    for (auto& [cookie, sink] : snapshot) {
        if (!sinks_.count(cookie))
            continue; // unadvised by an earlier sink
        // The sink was advised through the event interface, a dispinterface.
        auto* events = reinterpret_cast<IDispatch*>(sink.Get());
        events->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
                       nullptr, nullptr);
        ++called;
    }
    return called;
}

ConnectionPoints::~ConnectionPoints() {
    for (auto& point : points_)
        point->ContainerGone();
}

ConnectionPoint& ConnectionPoints::Add(const GUID& iid) {
    if (ConnectionPoint* existing = Find(iid))
        return *existing;
    points_.push_back(ConnectionPoint::Create(container_, iid, history_));
    return *points_.back();
}

ConnectionPoint* ConnectionPoints::Find(const GUID& iid) const noexcept {
    for (const auto& point : points_)
        if (point->Iid() == iid)
            return point.Get();
    return nullptr;
}

HRESULT ConnectionPoints::FindConnectionPoint(const GUID& iid,
                                              IConnectionPoint** cp) const noexcept {
    if (!cp)
        return E_POINTER;
    *cp = Find(iid);
    if (!*cp)
        return CONNECT_E_NOCONNECTION;
    (*cp)->AddRef();
    return S_OK;
}

size_t ConnectionPoints::Fire(const GUID& iid, DISPID id, DispParams& params, Variant* result) {
    ConnectionPoint* point = Find(iid);
    if (!point)
        return 0;
    return point->Fire(id, params, result);
}

size_t ConnectionPoints::FireAll(DISPID id, DispParams& params) {
    std::vector<ComPtr<ConnectionPoint>> points = points_; // a sink may end the source
    size_t called = 0;
    for (auto& point : points)
        called += point->Fire(id, params);
    return called;
}

size_t ConnectionPoints::SinkCount() const noexcept {
    size_t n = 0;
    for (const auto& point : points_)
        n += point->SinkCount();
    return n;
}

namespace {

// The connection point for iid of source.
HRESULT FindPoint(IUnknown* source, const GUID& iid, ComPtr<IConnectionPoint>& point) noexcept {
    if (!source)
        return E_POINTER;
    ComPtr<IConnectionPointContainer> container = ComQuery<IConnectionPointContainer>(source);
    if (!container)
        return E_NOINTERFACE;
    HRESULT hr = container->FindConnectionPoint(iid, point.Receive());
    if (SUCCEEDED(hr) && !point)
        hr = E_POINTER;
    return hr;
}

} // namespace

HRESULT InterfaceConnect(IUnknown* source, const GUID& iid, IUnknown* sink,
                         uint32_t& cookie) noexcept {
    cookie = 0;
    if (!sink)
        return E_POINTER;
    ComPtr<IConnectionPoint> point;
    HRESULT hr = FindPoint(source, iid, point);
    return FAILED(hr) ? hr : point->Advise(sink, &cookie);
}

HRESULT InterfaceDisconnect(IUnknown* source, const GUID& iid, uint32_t& cookie) noexcept {
    if (cookie == 0)
        return S_FALSE;
    ComPtr<IConnectionPoint> point;
    HRESULT hr = FindPoint(source, iid, point);
    if (SUCCEEDED(hr))
        hr = point->Unadvise(cookie);
    if (SUCCEEDED(hr))
        cookie = 0;
    return hr;
}
