// What every object of the simulated Outlook shares.
//
// Each object is an IDispatch built on a DispatchTable that also answers
// QueryInterface for its Outlook interface IID, and an event source whose
// connection points record every event IID a sink advised on. Tests reach two
// more things through this base: a member can be made to fail (a late-bound
// read that Outlook refuses, as it does for one odd window or item), and every
// live object and every advised sink is counted, so that a test can show that
// a scenario left nothing behind.
//
// Lifetime: objects hold their parents and children with counted references,
// as Outlook's objects do; the cycles this makes are broken by TearDown, which
// the simulation runs over its whole tree when it ends. An object torn down
// while a client still holds it answers every call with an error.
#pragma once

#include "platform/com/Com.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Objects of the simulated Outlook alive now (every kind of object counts).
ComObjectCount& OutlookObjectCount();
// Sinks advised now on every live object of the simulated Outlook.
size_t OutlookSinkCount();
// One line per live object that still has sinks ("Explorer: 2"), for a
// failing test's message.
std::string OutlookSinkReport();

// The error text and code Outlook answers for an object it no longer has.
inline constexpr HRESULT OutlookObjectGone = MakeHResult(0x8004010A);
// "An object could not be found."
inline constexpr HRESULT OutlookNotFound = MakeHResult(0x8004010F);
// A member made to fail by a test.
inline constexpr HRESULT OutlookOperationFailed = MakeHResult(0x80004005);

// The part of the base that does not depend on the object's interfaces.
class OutlookObjectCore {
public:
    OutlookObjectCore(const OutlookObjectCore&) = delete;
    OutlookObjectCore& operator=(const OutlookObjectCore&) = delete;

    // Makes every later call of member name (any kind of call) fail with
    // code, as Outlook fails a read it cannot answer.
    void FailMember(std::string_view name, HRESULT code = OutlookOperationFailed);
    // Lets member name answer again.
    void RestoreMember(std::string_view name);
    // Every event IID a sink was advised on, in order (unadvised ones too).
    std::vector<GUID> AdvisedIids() const { return Events.AdvisedIids(); }
    // Sinks advised on this object now (and on the parts it owns that are
    // event sources of their own).
    virtual size_t SinkCount() const noexcept { return Events.SinkCount(); }
    // True once the simulation ended (see TearDown).
    bool IsTornDown() const noexcept { return tornDown_; }
    // What kind of object this is ("MailItem"), for reports.
    const char* KindName() const noexcept { return kind_; }
    // Raises event id with args (declaration order) on every event
    // interface of this object, as the object itself would; returns the
    // number of sinks called. Tests raise the events that no user action of
    // the simulation raises (BeforeMaximize, ContextMenuClose, ...) with it.
    size_t RaiseEvent(DISPID id, std::vector<Variant> args = {}) {
        return Fire(id, std::move(args));
    }
    // True when object is this object (COM identity).
    bool IsObject(IUnknown* object) const noexcept;

protected:
    OutlookObjectCore(IConnectionPointContainer* self, const char* kind);
    virtual ~OutlookObjectCore();

    // Drops every reference this object holds to others and refuses calls
    // from now on; overrides release their fields, then call this.
    virtual void TearDown();
    // Raises the error of a member made to fail, or of a torn-down object.
    void CheckCall(const std::u16string& member) const;
    // Fires event id with args (declaration order) on every event interface
    // of this object; returns the number of sinks called.
    size_t Fire(DISPID id, std::vector<Variant> args = {});

    // The object's connection points.
    ConnectionPoints Events;

private:
    IConnectionPointContainer* self_;
    const char* kind_;
    std::map<std::u16string, HRESULT> failing_; // upper-cased member name -> code
    bool tornDown_ = false;
};

// An object of the simulated Outlook with interfaces IDispatch,
// IConnectionPointContainer and Extra...; it answers QueryInterface for the
// Outlook IIDs given to AnswerIid.
template <class... Extra>
class OutlookObject
    : public DispatchImpl<ComObject<IDispatch, IConnectionPointContainer, Extra...>>,
      public OutlookObjectCore {
    using Base = DispatchImpl<ComObject<IDispatch, IConnectionPointContainer, Extra...>>;

public:
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override {
        if (IsTornDown())
            return CONNECT_E_NOCONNECTION;
        return Events.FindConnectionPoint(iid, cp);
    }
    HRESULT Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) override {
        const DispatchMember* member = this->Members.Find(dispId);
        HRESULT refused = DispatchGuard(excepInfo, argErr, u"Outlook", [&] {
            CheckCall(member ? member->Name() : std::u16string());
            return S_OK;
        });
        if (FAILED(refused))
            return refused;
        return Base::Invoke(dispId, riid, lcid, flags, params, result, excepInfo, argErr);
    }

    // This object's IDispatch (the interface Outlook hands out).
    IDispatch* Disp() noexcept { return static_cast<IDispatch*>(this); }
    // A counted reference to this object's IDispatch.
    ComPtr<IDispatch> DispRef() noexcept { return ComPtr<IDispatch>::Share(Disp()); }

protected:
    explicit OutlookObject(const char* kind)
        : Base(OutlookObjectCount()), OutlookObjectCore(this, kind) {
        this->Members.SetSource(u"Outlook");
    }

    // Answers QueryInterface for iid (an Outlook interface, reached here through IDispatch).
    void AnswerIid(const GUID& iid) { this->template AddInterfaceAlias<IDispatch>(iid); }
};

// The live simulated object that object is, or null (for a client's object,
// or one of another type than T). Clients hand objects back as IDispatch; this
// finds the simulation's own object behind it.
OutlookObjectCore* FindOutlookObject(IUnknown* object) noexcept;
template <class T> ComPtr<T> SimObjectOf(IUnknown* object) noexcept {
    return ComPtr<T>::Share(dynamic_cast<T*>(FindOutlookObject(object)));
}

} // namespace sim
