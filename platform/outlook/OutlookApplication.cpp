// The application and name space wrappers' events.
#include "platform/outlook/OutlookApplication.h"

using namespace outlook;

TOutlookApplication::TOutlookApplication(TComponent* AOwner) : TOleServer(AOwner) {
    SetDefaultEventIID(DIID_ApplicationEvents_11);
}

GUID TOutlookApplication::ChooseEventIID(IDispatch* server) const {
    int major = 0;
    try {
        major = MajorVersionOf(dispGet(server, "Version").AsWide());
    } catch (const Exception&) {
        major = 0; // unknown: the newest interface
    }
    if (major == 9)
        return DIID_ApplicationEvents;
    if (major == 10)
        return DIID_ApplicationEvents_10;
    return DIID_ApplicationEvents_11;
}

void TOutlookApplication::InvokeEvent(DISPID id, TEventArgs& args) {
    FireApplicationEvent(this, id, args);
}

TNameSpace::TNameSpace(TComponent* AOwner) : TOleServer(AOwner) {
    SetDefaultEventIID(DIID_NameSpaceEvents);
}

void TNameSpace::InvokeEvent(DISPID id, TEventArgs& args) {
    // Copied before they run: a handler may free this wrapper.
    if (id == DISPID_OptionsPagesAdd) {
        if (auto handler = OnOptionsPagesAdd)
            handler(this, args.Object(0), args.Object(1));
    } else if (id == DISPID_AutoDiscoverComplete) {
        if (auto handler = OnAutoDiscoverComplete)
            handler(this);
    }
}
