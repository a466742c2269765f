// ribbon ID: the document the add-in gives Outlook for the windows of ribbon
// identifier ID. The add-in is registered and loaded as the demo does, then
// asked through IRibbonExtensibility; its answer is printed exactly as
// GetCustomUI returned it (as UTF-8) and nothing else goes to standard
// output, so that the output can be compared with a file byte for byte.
#include "HostCommands.h"
#include "OutlookSession.h"

#include "platform/office/Ribbon.h"
#include "platform/text/Text.h"

#include <ostream>

int RunRibbon(HostContext& context) {
    std::u16string ribbonId = text::Wide(context.Arguments.at(0));
    context.Library.Register();
    OutlookSession session(context.Library.ProgId());
    session.Start();
    context.Library.LetGo();
    sim::HostedAddIn* addIn = session.AddIn();
    ComPtr<IRibbonExtensibility> ribbon =
        addIn && addIn->Connected ? ComQuery<IRibbonExtensibility>(addIn->Object.Get()) : nullptr;
    if (!ribbon) {
        context.Err << "lorvane-host: the add-in " << context.Library.ProgId()
                    << " did not connect or has no ribbon\n";
        return 1;
    }
    BSTR xml;
    HRESULT hr = ribbon->GetCustomUI(ribbonId, &xml);
    session.Quit();
    if (FAILED(hr)) {
        context.Err << "lorvane-host: GetCustomUI(" << context.Arguments[0]
                    << ") failed: " << SysErrorMessage(hr) << "\n";
        return 1;
    }
    context.Out << text::Narrow(xml);
    return 0;
}
