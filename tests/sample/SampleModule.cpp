// The sample's add-in module and its stored form: the registration
// settings, for Outlook and the other Office hosts, for the current user;
// the command bars (SampleCommandBars.cpp) and the keyboard bar
// (SampleShortcuts.cpp), whose shortcuts the module handles; one task pane,
// and one event component per host other than Outlook (their handlers are
// in SampleHosts.cpp).
#include "tests/sample/SampleModules.h"

#include "platform/forms/FormClassBuilder.h"

namespace {

const char* const SampleModuleForm = R"(object SampleModule: TSampleModule
  AddInName = 'LorvaneSample'
  Description = 'The add-in framework''s sample'
  SupportedApps = [ohaExcel, ohaWord, ohaOutlook, ohaPowerPoint, ohaProject, ohaFrontPage, ohaMapPoint, ohaVisio, ohaPublisher, ohaInfoPath]
  HandleShortcuts = True
  TaskPanes = <
    item
      ControlProgID = 'LorvaneSample.Pane'
      Title = 'Sample pane'
      SupportedApps = [ohaExcel, ohaWord, ohaOutlook, ohaPowerPoint, ohaInfoPath]
    end>
  OnTaskPaneAfterCreate = PaneCreated
  OnTaskPaneBeforeDestroy = PaneDestroyed
  object WordEvents: TadxWordAppEvents
    OnDocumentOpen = HostEvent
    OnNewDocument = HostEvent
    OnWindowActivate = HostEvent
    OnQuit = HostEvent
  end
  object ExcelEvents: TadxExcelAppEvents
    OnWorkbookOpen = HostEvent
    OnNewWorkbook = HostEvent
    OnWindowActivate = HostEvent
  end
  object PowerPointEvents: TadxPowerPointAppEvents
    OnPresentationOpen = HostEvent
    OnNewPresentation = HostEvent
    OnWindowActivate = HostEvent
  end
  object ProjectEvents: TadxProjectAppEvents
    OnNewProject = HostEvent
    OnWindowActivate = HostEvent
  end
  object FrontPageEvents: TadxFrontPageAppEvents
    OnWebNew = HostEvent
    OnWebOpen = HostEvent
    OnWindowActivate = HostEvent
  end
  object MapPointEvents: TadxMapPointAppEvents
    OnNew = HostEvent
    OnOpen = HostEvent
    OnQuit = HostEvent
  end
  object VisioEvents: TadxVisioAppEvents
    OnDocumentOpened = HostEvent
    OnDocumentCreated = HostEvent
    OnWindowActivated = HostEvent
    OnBeforeQuit = HostEvent
  end
  object PublisherEvents: TadxPublisherAppEvents
    OnDocumentOpen = HostEvent
    OnNewDocument = HostEvent
    OnWindowActivate = HostEvent
    OnQuit = HostEvent
  end
  object InfoPathEvents: TadxInfoPathAppEvents
    OnXDocumentOpen = HostEvent
    OnNewXDocument = HostEvent
    OnWindowActivate = HostEvent
    OnQuit = HostEvent
  end
)";

} // namespace

void RegisterSampleModule(forms::FormClassTable& table) {
    table.Register<TSampleModule, TadxCOMAddInModule>().StoredForm(
        std::string(SampleModuleForm) + SampleCommandBarsForm() + SampleShortcutsForm() + "end\n");
}
