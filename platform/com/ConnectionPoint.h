// Connection points: how an event source (a host object) calls the sinks that
// clients advise on it. A sink is advised on one event interface (a
// dispinterface here) and receives each event as IDispatch::Invoke with the
// event's DISPID and its arguments in COM's reversed order.
//
// Event sources embed a ConnectionPoints and forward FindConnectionPoint to it:
//
//   class Items : public DispatchObject<IDispatch, IConnectionPointContainer> {
//       ConnectionPoints points_{this};
//       Items() { points_.Add(DIID_ItemsEvents); }
//       HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override {
//           return points_.FindConnectionPoint(iid, cp);
//       }
//       void ItemAdded(IDispatch* item) {
//           DispArgs args{Variant(item)};
//           points_.Fire(DIID_ItemsEvents, 0xF001, args.Params());
//       }
//   };
//
// Firing walks a copy of the sinks and holds a reference to each while it is
// called, so a sink may unadvise itself (or others) or drop its last
// reference during the call; a sink unadvised before its turn is skipped.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/com/DispParams.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// {B196B284-BAB4-101A-B69C-00AA00341D07}
constexpr GUID IID_IConnectionPointContainer = MakeGuid("{B196B284-BAB4-101A-B69C-00AA00341D07}");
// {B196B286-BAB4-101A-B69C-00AA00341D07}
constexpr GUID IID_IConnectionPoint = MakeGuid("{B196B286-BAB4-101A-B69C-00AA00341D07}");

struct IConnectionPoint;

struct IConnectionPointContainer : IUnknown {
    static constexpr GUID Iid = IID_IConnectionPointContainer;
    // The connection point for event interface iid; CONNECT_E_NOCONNECTION
    // when the object has none.
    virtual HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) = 0;
};

struct IConnectionPoint : IUnknown {
    static constexpr GUID Iid = IID_IConnectionPoint;
    // The event interface of this point.
    virtual HRESULT GetConnectionInterface(GUID* iid) = 0;
    // The object this point belongs to (E_UNEXPECTED once it is gone).
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
    // Connects sink (queried for the event interface; CONNECT_E_CANNOTCONNECT
    // when it lacks it) and returns a non-zero cookie.
    virtual HRESULT Advise(IUnknown* sink, uint32_t* cookie) = 0;
    // Disconnects the sink of cookie (CONNECT_E_NOCONNECTION for an unknown one).
    virtual HRESULT Unadvise(uint32_t cookie) = 0;
};

// A reusable connection point (self-deleting; its container holds it).
class ConnectionPoint final : public ComObject<IConnectionPoint> {
public:
    // A point for event interface iid of container; history (may be null)
    // records each IID advised, for the simulated hosts' checks.
    static ComPtr<ConnectionPoint> Create(IConnectionPointContainer* container, const GUID& iid,
                                          std::shared_ptr<std::vector<GUID>> history = nullptr);

    HRESULT GetConnectionInterface(GUID* iid) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT Advise(IUnknown* sink, uint32_t* cookie) override;
    HRESULT Unadvise(uint32_t cookie) override;

    // Calls Invoke(id, DISPATCH_METHOD, params) on every sink advised now;
    // returns how many were called. Sinks' failures are not the source's
    // concern. A method that returns a value leaves the last sink's answer
    // in result (when given).
    size_t Fire(DISPID id, DispParams& params, Variant* result = nullptr);
    // The event interface.
    const GUID& Iid() const noexcept { return iid_; }
    // Number of sinks advised now.
    size_t SinkCount() const noexcept { return sinks_.size(); }
    // The sinks advised now (their event interface, as IUnknown).
    std::vector<ComPtr<IUnknown>> Sinks() const;
    // Called by the container when it goes away.
    void ContainerGone() noexcept { container_ = nullptr; }

private:
    friend struct ::ComMaker;
    ConnectionPoint(IConnectionPointContainer* container, const GUID& iid,
                    std::shared_ptr<std::vector<GUID>> history);

    IConnectionPointContainer* container_;
    GUID iid_;
    std::shared_ptr<std::vector<GUID>> history_;
    std::map<uint32_t, ComPtr<IUnknown>> sinks_; // cookie order is advise order
    uint32_t nextCookie_ = 1;
};

// The connection points of one event source; see the top of the file.
class ConnectionPoints {
public:
    // container is the owning object's IConnectionPointContainer (its `this`).
    explicit ConnectionPoints(IConnectionPointContainer* container) : container_(container) {}
    ~ConnectionPoints();
    ConnectionPoints(const ConnectionPoints&) = delete;
    ConnectionPoints& operator=(const ConnectionPoints&) = delete;

    // Adds a point for event interface iid (once per IID).
    ConnectionPoint& Add(const GUID& iid);
    // IConnectionPointContainer::FindConnectionPoint over the points.
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) const noexcept;
    // The point for iid, or nullptr.
    ConnectionPoint* Find(const GUID& iid) const noexcept;
    // Fires an event on the point for iid (nothing when there is none);
    // returns the number of sinks called; result as for ConnectionPoint::Fire.
    size_t Fire(const GUID& iid, DISPID id, DispParams& params, Variant* result = nullptr);
    // Fires an event on every point, in the order they were added (for a
    // source whose several event interfaces share their DISPIDs).
    size_t FireAll(DISPID id, DispParams& params);
    // Every IID that a sink was advised on, in order, including sinks that
    // have unadvised since.
    std::vector<GUID> AdvisedIids() const { return *history_; }
    // Sinks advised now, over all points.
    size_t SinkCount() const noexcept;

private:
    IConnectionPointContainer* container_;
    std::vector<ComPtr<ConnectionPoint>> points_;
    std::shared_ptr<std::vector<GUID>> history_ = std::make_shared<std::vector<GUID>>();
};

// Client side: advises sink on source's connection point for iid and stores
// the cookie (0 on failure, with the failure code returned).
HRESULT InterfaceConnect(IUnknown* source, const GUID& iid, IUnknown* sink,
                         uint32_t& cookie) noexcept;
// Client side: unadvises cookie from source's point for iid; cookie becomes 0
// on success. Does nothing for cookie 0.
HRESULT InterfaceDisconnect(IUnknown* source, const GUID& iid, uint32_t& cookie) noexcept;
