// The sample's module file for the Office hosts: the handlers its stored
// form names for the hosts' event components and for its task pane. Each
// tells the debugger what came, so that a transcript shows the components
// and panes at work.
#include "tests/sample/SampleModules.h"

#include "framework/panes/CustomTaskPanes.h"
#include "platform/com/LateBound.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/win/DebugOutput.h"

namespace {

// The caption of a pane's window, or "" when it has none.
std::string CaptionOf(TadxCustomTaskPaneInstance* instance) {
    try {
        // A pane whose window closed is known by the window Word gave it.
        ComPtr<IDispatch> window = instance->GetWindow();
        if (!window)
            window = instance->Window;
        return window ? text::Narrow(dispGet(window, "Caption").AsWide()) : std::string();
    } catch (const Exception&) {
        return std::string();
    }
}

// " in "<caption>"" for a pane of a window; "" for the application's own pane.
std::string WhereIs(TadxCustomTaskPaneInstance* instance, const char* preposition) {
    std::string caption = CaptionOf(instance);
    return caption.empty() ? std::string() : preposition + ("\"" + caption + "\"");
}

// The document or window an event names first, by its name or caption.
std::string Subject(TadxEventArgs& args) {
    const auto& params = args.Method().Params;
    for (size_t i = 0; i < params.size(); ++i) {
        if (params[i].Kind != TadxEventParamKind::Object)
            continue;
        ComPtr<IDispatch> object = args.Object(i);
        if (!object)
            continue;
        for (const char* name : {"Name", "Caption"}) {
            try {
                return " \"" + text::Narrow(dispGet(object, name).AsWide()) + "\"";
            } catch (const Exception&) {
            }
        }
    }
    return std::string();
}

} // namespace

void TSampleModule::HostEvent(TObject* Sender, TadxEventArgs& Args) {
    OutputDebugString((AddInName() + ": " + Args.Method().Handler + Subject(Args)).c_str());
}

void TSampleModule::PaneCreated(TadxCustomTaskPane* Sender, TadxCustomTaskPaneInstance* Instance) {
    OutputDebugString((AddInName() + ": pane made" + WhereIs(Instance, " in ")).c_str());
}

void TSampleModule::PaneDestroyed(TadxCustomTaskPane* Sender,
                                  TadxCustomTaskPaneInstance* Instance) {
    OutputDebugString((AddInName() + ": pane removed" + WhereIs(Instance, " from ")).c_str());
}

void RegisterSampleHosts(forms::FormClassTable& table) {
    table.Extend<TSampleModule>()
        .Method("HostEvent", &TSampleModule::HostEvent)
        .Method("PaneCreated", &TSampleModule::PaneCreated)
        .Method("PaneDestroyed", &TSampleModule::PaneDestroyed);
}
