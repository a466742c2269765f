// Typed wrappers of the Office hosts' application objects, as the add-in
// module holds them: one per host kind, created by host detection and
// connected to the application interface the host answered.
//
// Outlook's wrapper is the platform's TOutlookApplication. For the other
// hosts each wrapper here holds the host's interface and reads its
// "Version" late-bound; Word's, Excel's, InfoPath's and Visio's also carry
// the window events the add-in object relays (HostAppEvents.cpp), heard once
// ConnectEvents advised on the host's event interface.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "platform/rtl/Lifetime.h"
#include "platform/rtl/Object.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TadxHostEventLink;

// An event of a host wrapper with the host's document (workbook, sheet) or window.
using TadxHostObjectEvent = std::function<void(TObject* Sender, IDispatch* Object)>;
// An event with a document and its window.
using TadxHostWindowEvent =
    std::function<void(TObject* Sender, IDispatch* Document, IDispatch* Window)>;

// The part every host wrapper shares.
class TadxHostApplication : public TObject {
public:
    // Holds Server's dispatch interface (raises EOleSysError E_NOINTERFACE
    // when it has none); a wrapper connected before is disconnected first.
    void ConnectTo(IUnknown* Server);
    // Releases the interface.
    void Disconnect();
    // The interface held, or nullptr.
    IDispatch* DefaultInterface() const { return server_.Get(); }
    // The host's version text, through a property get of "Version".
    virtual std::u16string Version();
    TadxHostApplication();
    // Stops the events and releases the interface.
    ~TadxHostApplication() override;

    // Advises on the host's events for its major version (nothing for a
    // wrapper that carries none); raises when the host refuses.
    virtual void ConnectEvents(int32_t MajorVersion) {}
    // Unadvises; nothing when not advised.
    void DisconnectEvents() noexcept;

protected:
    // Advises on event interface iid of source (the held interface when null).
    void AdviseEvents(const GUID& iid, IUnknown* source = nullptr);
    // One event of the host: its DISPID and arguments in declaration order.
    virtual void InvokeEvent(DISPID id, const std::vector<Variant>& args) {}
    // Fires handler(this, args...) by the lifetime rule: false when the
    // handler freed the wrapper.
    template <class H, class... A> bool Fire(const H& handler, A&&... args) {
        return rtl::FireSurvives(Liveness, handler, this, std::forward<A>(args)...);
    }
    // The object argument i of args, or nil.
    static IDispatch* ObjectArg(const std::vector<Variant>& args, size_t i);

    ComPtr<IDispatch> server_;
    rtl::TLiveness Liveness;

private:
    friend class TadxHostEventLink;
    std::unique_ptr<TadxHostEventLink> events_;
};

class TWordApplication : public TadxHostApplication {
public:
    // "9": Word 2000's event interface, "10": 2002's, others: 2003's and later.
    void ConnectEvents(int32_t MajorVersion) override;
    TadxHostWindowEvent OnWindowActivate;
    TadxHostObjectEvent OnDocumentOpen;
    TadxHostObjectEvent OnNewDocument;
    TNotifyEvent OnDocumentChange;

protected:
    void InvokeEvent(DISPID id, const std::vector<Variant>& args) override;
};

class TExcelApplication : public TadxHostApplication {
public:
    void ConnectEvents(int32_t MajorVersion) override;
    TadxHostObjectEvent OnWorkbookActivate;
    TadxHostObjectEvent OnSheetActivate;
    // Excel's Version takes the locale of the call.
    std::u16string Version(LCID lcid);
    using TadxHostApplication::Version;

protected:
    void InvokeEvent(DISPID id, const std::vector<Variant>& args) override;
};

class TPowerPointApplication : public TadxHostApplication {};
class TAccessApplication : public TadxHostApplication {};
class TProjectApplication : public TadxHostApplication {};
class TFrontPageApplication : public TadxHostApplication {};
class TMapPointApplication : public TadxHostApplication {};
class TVisioApplication : public TadxHostApplication {
public:
    void ConnectEvents(int32_t MajorVersion) override;
    TadxHostObjectEvent OnWindowActivated;

protected:
    void InvokeEvent(DISPID id, const std::vector<Variant>& args) override;
};

namespace publisher {
// Publisher's application wrapper (its type library names it TApplication).
class TApplication : public TadxHostApplication {};
} // namespace publisher

namespace infopath {
// InfoPath's application wrapper (its type library names it TApplication).
class TApplication : public TadxHostApplication {
public:
    // Advises on the object the application hands out for its events.
    void ConnectEvents(int32_t MajorVersion) override;
    TadxHostWindowEvent OnWindowActivate;
    TadxHostObjectEvent OnNewXDocument;
    TadxHostObjectEvent OnXDocumentOpen;

protected:
    void InvokeEvent(DISPID id, const std::vector<Variant>& args) override;
};
} // namespace infopath
