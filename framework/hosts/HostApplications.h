// Typed wrappers of the Office hosts' application objects, as the add-in
// module holds them: one per host kind, created by host detection and
// connected to the application interface the host answered.
//
// Outlook's wrapper is the platform's TOutlookApplication. For the other
// hosts the framework needs no more than the connection and the version, so
// each wrapper here holds the host's interface and reads its "Version"
// late-bound; further members come with the code that calls them.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/rtl/Object.h"

#include <string>

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

protected:
    ComPtr<IDispatch> server_;
};

class TWordApplication : public TadxHostApplication {};

class TExcelApplication : public TadxHostApplication {
public:
    // Excel's Version takes the locale of the call.
    std::u16string Version(LCID lcid);
    using TadxHostApplication::Version;
};

class TPowerPointApplication : public TadxHostApplication {};
class TAccessApplication : public TadxHostApplication {};
class TProjectApplication : public TadxHostApplication {};
class TFrontPageApplication : public TadxHostApplication {};
class TMapPointApplication : public TadxHostApplication {};
class TVisioApplication : public TadxHostApplication {};

namespace publisher {
// Publisher's application wrapper (its type library names it TApplication).
class TApplication : public TadxHostApplication {};
} // namespace publisher

namespace infopath {
// InfoPath's application wrapper (its type library names it TApplication).
class TApplication : public TadxHostApplication {};
} // namespace infopath
