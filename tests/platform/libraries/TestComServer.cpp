// A tiny in-process COM server for the platform tests: the class
// "PlatformTest.Widget", an automation object, behind the four exports; and
// "PlatformTest.Broken", whose objects fail to be made.
#include "platform/com/Com.h"
#include "platform/com/ComServer.h"

namespace {

constexpr GUID CLSID_Widget = MakeGuid("{5A1E0C3B-7D2F-4E21-9A4B-1C2D3E4F5A60}");
constexpr GUID CLSID_Broken = MakeGuid("{5A1E0C3B-7D2F-4E21-9A4B-1C2D3E4F5A61}");

class Widget : public DispatchObject<IDispatch> {
private:
    friend struct ::ComMaker;
    Widget() {
        Members.Get("Name", [] { return u"widget"; });
        // The live objects of this library, seen from inside it.
        Members.Get("LiveObjects",
                    [] { return static_cast<int32_t>(LibraryObjectCount().Objects()); });
        Members.Method("Fail", [] { throw Exception("widget failure"); });
    }
};

class TestServer : public ComServer {
public:
    TestServer() : ComServer("PlatformTest") {
        AddFactory<ComClassFactory>(CLSID_Widget, "Widget", "Platform test widget", "Apartment",
                                    [] { return ComPtr<IUnknown>(MakeComObject<Widget>()); });
        AddFactory<ComClassFactory>(
            CLSID_Broken, "Broken", "Platform test failure", "Apartment", [] {
                // A framework code is positive: it must not reach the caller as success.
                throw EOleSysError("The registration process has been canceled.", 31105);
                return ComPtr<IUnknown>();
            });
    }
};

ComServer& Server() {
    static TestServer server;
    return server;
}

} // namespace

COM_SERVER_ENTRY_POINTS(Server())
