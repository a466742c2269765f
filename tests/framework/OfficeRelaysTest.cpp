// The relays of Word, Excel, InfoPath and Visio, with the add-in started in
// each simulated host: their order with a handler assigned before start-up
// (chained), the command bars they point the module at and attach the
// add-in's bars to, a failing bar, the task panes they make, which previous
// handlers' exceptions reach DoError, Visio's delayed reconnection, and a
// previous handler that turns the add-in off.
#include "FrameworkTestSupport.h"

#include "framework/commandbars/CustomCommandBar.h"
#include "framework/events/OfficeHostEvents.h"
#include "framework/hosts/HostApplications.h"
#include "framework/panes/CustomTaskPanes.h"
#include "platform/forms/Application.h"
#include "platform/sim/SimCommandBars.h"
#include "platform/sim/SimTaskPanes.h"
#include "platform/sim/office/OfficeHostSim.h"
#include "platform/win/Clock.h"
#include "platform/win/Timer.h"

using namespace fwtest;
using sim::OfficeHostKind;
using sim::OfficeHostSim;

namespace {

class OfficeRelays : public AddInTest {
protected:
    OfficeRelays() {
        SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaExcel, ohaWord, ohaVisio, ohaInfoPath]
  TaskPanes = <
    item
      ControlProgID = 'Sample.Control'
      SupportedApps = [ohaExcel, ohaWord, ohaVisio, ohaInfoPath]
    end>
  OnAddInInitialize = ModuleInitialize
)" + Bar("First") + Bar("Second")));
    }
    // A bar of the add-in for the four hosts, shown in ribbon hosts too.
    static std::string Bar(const std::string& name) {
        return "  object " + name + ": TadxCustomCommandBar\n    CommandBarName = '" + name +
               " Bar'\n    ShowOnRibbonHosts = True\n    SupportedApps = [ohaExcel, ohaWord, " +
               "ohaVisio, ohaInfoPath]\n  end\n";
    }
    // The host's bar that the module's bar component is attached to now.
    IDispatch* AttachedBar(const char* component) const {
        auto* bar = dynamic_cast<TadxCustomCommandBar*>(module->FindComponent(component));
        return bar ? bar->CommandBar.Get() : nullptr;
    }
    ~OfficeRelays() override {
        if (module)
            addIn->OnDisconnection(ext_dm_HostShutdown, nullptr);
    }
    // Starts the add-in in host; before the relays are hooked, assign runs
    // with the module (to give the wrapper handlers of its own).
    void Start(OfficeHostSim& host, std::function<void(TadxCOMAddInModule&)> assign) {
        probe = [assign](TTestModule& m, const std::string& entry) {
            if (entry == "OnAddInInitialize") {
                m.OnError = [](const Exception& e, bool& handled) {
                    journal.push_back("DoError " + e.Message);
                    handled = true;
                };
                m.OnTaskPaneAfterCreate = [](TadxCustomTaskPane*, TadxCustomTaskPaneInstance*) {
                    journal.push_back("pane");
                };
                assign(m);
            }
        };
        ctp = sim::SimulatedCTPFactory::Create(host.Application());
        ASSERT_EQ(addIn->OnConnection(host.Application().Get(), ext_cm_Startup, nullptr, nullptr),
                  S_OK);
        auto consumer = addIn.Query<ICustomTaskPaneConsumer>();
        ASSERT_EQ(consumer->CTPFactoryAvailable(ctp.Get()), S_OK);
        ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
        module = static_cast<TadxAddin*>(addIn.Get())->Module();
        journal.clear();
    }
    static std::function<void(TObject*, IDispatch*)> Record(std::string name) {
        return [name](TObject*, IDispatch*) { journal.push_back(name); };
    }

    ComPtr<IDTExtensibility2> addIn = NewAddIn();
    ComPtr<sim::SimulatedCTPFactory> ctp;
    TadxCOMAddInModule* module = nullptr;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(OfficeRelays, WordRelaysMakePanesPointTheBarsAndChainToThePreviousHandlers) {
    OfficeHostSim word(OfficeHostKind::Word);
    Start(word, [](TadxCOMAddInModule& m) {
        m.WordApplication->OnDocumentOpen = Record("previous DocumentOpen");
        m.WordApplication->OnWindowActivate = [](TObject*, IDispatch*, IDispatch*) {
            journal.push_back("previous WindowActivate");
        };
        m.WordApplication->OnDocumentChange = [](TObject*) {
            journal.push_back("previous DocumentChange");
        };
    });
    auto document = word.OpenDocument(u"Report");
    EXPECT_EQ(journal, (Lines{"pane", "previous DocumentOpen", "previous WindowActivate",
                              "previous DocumentChange"}));
    EXPECT_EQ(ctp->PanesOf(document->Windows()[0].Get()).size(), 1u);
    EXPECT_EQ(module->CommandBars.Get(), static_cast<CommandBars*>(&document->Bars()));
    // The add-in's bars were made among the document's.
    for (const char* name : {"First", "Second"}) {
        sim::SimCommandBar* made = document->Bars().Bar(text::Utf8ToUtf16(name) + u" Bar");
        ASSERT_TRUE(made) << name;
        EXPECT_EQ(AttachedBar(name), static_cast<IDispatch*>(made)) << name;
    }

    // A window activation without a document shows the application's bars,
    // where the add-in's bars were installed at start-up.
    DispArgs args{Variant(ComPtr<IDispatch>()), Variant(ComPtr<IDispatch>(document->Windows()[0]))};
    word.FireEvent(0xA, args);
    EXPECT_EQ(module->CommandBars.Get(), static_cast<CommandBars*>(&word.App().Bars()));
    EXPECT_EQ(AttachedBar("Second"), static_cast<IDispatch*>(word.App().Bars().Bar(u"Second Bar")));
}

// One bar that the host refuses is reported through DoError; the next bar
// is still attached and the handler assigned before start-up still runs:
// Word's activation (with and without a document) and document change,
// InfoPath's activation and Visio's delayed reconnection.
TEST_F(OfficeRelays, AFailingBarIsReportedWhileTheOtherBarsAndThePreviousHandlerRun) {
    platform::ManualClockScope clock{TDateTime(45000.0)};
    enum Trigger { WordActivate, WordActivateWithoutDocument, WordChange, InfoPathActivate, Visio };
    for (Trigger trigger :
         {WordActivate, WordActivateWithoutDocument, WordChange, InfoPathActivate, Visio}) {
        const OfficeHostKind kind = trigger == InfoPathActivate ? OfficeHostKind::InfoPath
                                    : trigger == Visio          ? OfficeHostKind::Visio
                                                                : OfficeHostKind::Word;
        OfficeHostSim host(kind);
        addIn = NewAddIn();
        Start(host, [](TadxCOMAddInModule& m) {
            auto previous = [](TObject*, IDispatch*, IDispatch*) { journal.push_back("previous"); };
            if (m.WordApplication) {
                m.WordApplication->OnWindowActivate = previous;
                m.WordApplication->OnDocumentChange = [](TObject*) {
                    journal.push_back("previous");
                };
            }
            if (m.InfoPathApplication)
                m.InfoPathApplication->OnWindowActivate = previous;
            if (m.VisioApplication)
                m.VisioApplication->OnWindowActivated = Record("previous");
        });
        auto document = host.OpenDocument(u"Doc");
        platform::AdvanceAndProcess(200);
        journal.clear();
        sim::SimOfficeWindow& window = *document->Windows()[0];
        sim::SimulatedCommandBars& bars = trigger == WordActivateWithoutDocument ? host.App().Bars()
                                          : trigger == InfoPathActivate          ? window.Bars()
                                          : trigger == Visio                     ? host.App().Bars()
                                                                                 : document->Bars();
        bars.FailNext("Count");
        Variant doc(ComPtr<IDispatch>(trigger == WordActivateWithoutDocument ? nullptr : document));
        DispArgs activation{doc, Variant(ComPtr<IDispatch>::Share(&window))};
        DispArgs none;
        if (trigger == WordChange)
            host.FireEvent(0x3, none);
        else if (trigger == Visio)
            host.ActivateWindow(window);
        else
            host.FireEvent(trigger == InfoPathActivate ? 0x1 : 0xA, activation);
        platform::AdvanceAndProcess(200);
        const Lines reported{"DoError Unspecified error (Count)", "previous"};
        EXPECT_EQ(journal, trigger == Visio ? Lines(reported.rbegin(), reported.rend()) : reported)
            << trigger;
        EXPECT_EQ(AttachedBar("Second"), static_cast<IDispatch*>(bars.Bar(u"Second Bar")))
            << trigger;
        EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
        module = nullptr;
    }
}

TEST_F(OfficeRelays, OnlyThePreviousWordWindowActivationMayFailUnreported) {
    OfficeHostSim word(OfficeHostKind::Word);
    Start(word, [](TadxCOMAddInModule& m) {
        m.WordApplication->OnWindowActivate = [](TObject*, IDispatch*, IDispatch*) {
            throw Exception("activation");
        };
        m.WordApplication->OnNewDocument = [](TObject*, IDispatch*) { throw Exception("new"); };
    });
    word.NewDocument(u"Draft");
    EXPECT_EQ(journal, (Lines{"pane", "DoError new"}));
}

TEST_F(OfficeRelays, ExcelRelaysOnlyChain) {
    OfficeHostSim excel(OfficeHostKind::Excel);
    Start(excel, [](TadxCOMAddInModule& m) {
        m.ExcelApplication->OnWorkbookActivate = Record("previous WorkbookActivate");
        m.ExcelApplication->OnSheetActivate = [](TObject*, IDispatch*) {
            throw Exception("sheet");
        };
    });
    excel.OpenDocument(u"Book");
    DispArgs sheet{Variant(ComPtr<IDispatch>())};
    excel.FireEvent(0x619, sheet);
    EXPECT_EQ(journal, (Lines{"previous WorkbookActivate", "DoError sheet"}));
}

TEST_F(OfficeRelays, InfoPathChainsFirstThenMakesThePane) {
    OfficeHostSim infoPath(OfficeHostKind::InfoPath);
    Start(infoPath, [](TadxCOMAddInModule& m) {
        m.InfoPathApplication->OnXDocumentOpen = Record("previous XDocumentOpen");
        m.InfoPathApplication->OnWindowActivate = [](TObject*, IDispatch*, IDispatch*) {
            journal.push_back("previous WindowActivate");
        };
    });
    auto form = infoPath.OpenDocument(u"Form");
    EXPECT_EQ(journal, (Lines{"previous XDocumentOpen", "pane", "previous WindowActivate"}));
    EXPECT_EQ(module->CommandBars.Get(), static_cast<CommandBars*>(&form->Windows()[0]->Bars()));
    EXPECT_EQ(ctp->Panes().size(), 1u);
}

TEST_F(OfficeRelays, VisioReconnectsTwoHundredMillisecondsAfterTheLastActivation) {
    platform::ManualClockScope clock{TDateTime(45000.0)};
    OfficeHostSim visio(OfficeHostKind::Visio);
    Start(visio, [](TadxCOMAddInModule& m) {
        m.VisioApplication->OnWindowActivated = Record("previous WindowActivated");
    });
    module->CommandBars = nullptr;
    auto drawing = visio.OpenDocument(u"Drawing");
    EXPECT_EQ(journal, (Lines{"previous WindowActivated"}));
    platform::AdvanceAndProcess(150);
    visio.ActivateWindow(*drawing->Windows()[0]);
    platform::AdvanceAndProcess(150);
    EXPECT_EQ(module->CommandBars.Get(), nullptr);
    platform::AdvanceAndProcess(50);
    EXPECT_EQ(module->CommandBars.Get(), static_cast<CommandBars*>(&visio.App().Bars()));
    EXPECT_EQ(AttachedBar("First"), static_cast<IDispatch*>(visio.App().Bars().Bar(u"First Bar")));

    // An activation, then the user removes the add-in, and its bars, within
    // the 200 ms: no reconnection makes them again.
    visio.ActivateWindow(*drawing->Windows()[0]);
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
    module = nullptr;
    EXPECT_FALSE(visio.App().Bars().Bar(u"First Bar"));
    platform::AdvanceAndProcess(400);
    EXPECT_FALSE(visio.App().Bars().Bar(u"First Bar"));
}

// The error handler turns the add-in off when the first bar fails: the
// relay touches neither the second bar nor the previous handler (the
// sanitizer build checks).
TEST_F(OfficeRelays, AnErrorHandlerMayTurnTheAddInOffWhileTheBarsAreAttached) {
    OfficeHostSim word(OfficeHostKind::Word);
    Start(word, [](TadxCOMAddInModule& m) {
        m.WordApplication->OnWindowActivate = [](TObject*, IDispatch*, IDispatch*) {
            journal.push_back("previous");
        };
    });
    IDTExtensibility2* self = addIn.Get();
    module->OnError = [self](const Exception&, bool& handled) {
        journal.push_back("off");
        self->OnDisconnection(ext_dm_UserClosed, nullptr);
        handled = true;
    };
    word.App().Bars().FailNext("Count");
    DispArgs args{Variant(ComPtr<IDispatch>()), Variant(ComPtr<IDispatch>())};
    word.FireEvent(0xA, args);
    // Word's removal fetches its bars again; nothing runs afterwards.
    EXPECT_EQ(journal, (Lines{"off", "GetAppCommandBars"}));
    EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module(), nullptr);
    EXPECT_EQ(word.App().SinkCount(), 0u);
    module = nullptr;
}

// The same when the host refuses to make a bar the window lacks: nothing of
// the add-in is touched once the handler turned it off.
TEST_F(OfficeRelays, AnErrorHandlerMayTurnTheAddInOffWhileABarIsMade) {
    OfficeHostSim word(OfficeHostKind::Word);
    Start(word, [](TadxCOMAddInModule&) {});
    IDTExtensibility2* self = addIn.Get();
    module->OnError = [self](const Exception&, bool& handled) {
        journal.push_back("off");
        self->OnDisconnection(ext_dm_UserClosed, nullptr);
        handled = true;
    };
    // A document whose bars hold nothing of the add-in yet.
    auto document = MakeComObject<sim::SimOfficeDocument>(u"Loose");
    document->Bars().FailNext("Add");
    DispArgs args{Variant(ComPtr<IDispatch>(document)), Variant(ComPtr<IDispatch>())};
    word.FireEvent(0xA, args);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "off"), 1);
    EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module(), nullptr);
    module = nullptr;
}

// A previous handler that turns the add-in off, then raises: the relay
// touches nothing of the connection afterwards (the sanitizer build checks).
TEST_F(OfficeRelays, APreviousHandlerMayTurnTheAddInOff) {
    for (OfficeHostKind kind :
         {OfficeHostKind::Word, OfficeHostKind::InfoPath, OfficeHostKind::Visio}) {
        OfficeHostSim host(kind);
        addIn = NewAddIn();
        IDTExtensibility2* self = addIn.Get();
        auto off = [self](TObject*, IDispatch*) {
            self->OnDisconnection(ext_dm_UserClosed, nullptr);
            throw Exception("after");
        };
        Start(host, [off](TadxCOMAddInModule& m) {
            if (m.WordApplication)
                m.WordApplication->OnDocumentOpen = off;
            if (m.InfoPathApplication)
                m.InfoPathApplication->OnXDocumentOpen = off;
            if (m.VisioApplication)
                m.VisioApplication->OnWindowActivated = off;
        });
        host.OpenDocument(u"Doc");
        EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module(), nullptr);
        EXPECT_EQ(host.App().SinkCount(), 0u);
        module = nullptr;
    }
}

// A task-pane handler and a host component's handler that turn the add-in
// off, then raise: nothing of the connection is touched afterwards (the
// sanitizer build checks) and nothing is reported to a module that is gone.
TEST_F(OfficeRelays, PaneAndComponentHandlersMayTurnTheAddInOff) {
    SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaWord]
  TaskPanes = <
    item
      ControlProgID = 'Sample.Control'
      SupportedApps = [ohaWord]
    end>
  OnAddInInitialize = ModuleInitialize
  object WordEvents: TadxWordAppEvents
  end)"));
    for (int which = 0; which < 3; ++which) {
        OfficeHostSim word(OfficeHostKind::Word);
        addIn = NewAddIn();
        IDTExtensibility2* self = addIn.Get();
        auto off = [self] {
            self->OnDisconnection(ext_dm_UserClosed, nullptr);
            throw Exception("after");
        };
        Start(word, [off, which](TadxCOMAddInModule& m) {
            if (which == 0)
                m.OnTaskPaneAfterCreate = [off](TadxCustomTaskPane*, TadxCustomTaskPaneInstance*) {
                    off();
                };
            if (which == 1)
                m.OnTaskPaneBeforeShow = [off](TadxCustomTaskPane*, TadxCustomTaskPaneInstance*,
                                               bool&) { off(); };
            if (which == 2)
                m.FindHostEventsComponent<TadxWordAppEvents>()->Handler("OnDocumentOpen") =
                    [off](TObject*, TadxEventArgs&) { off(); };
        });
        word.OpenDocument(u"Doc");
        EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module(), nullptr) << which;
        EXPECT_EQ(word.App().SinkCount(), 0u) << which;
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "DoError after"), 0) << which;
        module = nullptr;
    }
}
