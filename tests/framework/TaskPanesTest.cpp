// Custom task panes: declarations and their defaults, the panes MakeCTP
// makes in each kind of host window and how they are docked and sized, the
// module's hooks (cancelling, failing, removing the pane they are told
// about), the host's notifications, the setters reaching live panes and
// doing nothing once the host deleted a pane, and the Word and InfoPath
// clean-ups.
#include "FrameworkTestSupport.h"

#include "framework/panes/CustomTaskPanes.h"
#include "platform/sim/SimTaskPanes.h"
#include "platform/sim/office/OfficeHostSim.h"

using namespace fwtest;
using sim::OfficeHostKind;
using sim::OfficeHostSim;
using sim::SimulatedCTPFactory;

namespace {

// A stand-in window of a host without a simulation of its own (Outlook's
// explorers and inspectors here).
class Named final : public DispatchObject<IDispatch> {
    friend struct ::ComMaker;
    Named() = default;
};

// A factory that fails for one ProgID and passes every other call on.
class FailingFactory final : public DispatchObject<ICTPFactory> {
public:
    HRESULT CreateCTP(const BSTR& axId, const BSTR& title, const Variant& parent,
                      _CustomTaskPane** pane) override {
        if (axId == u"Failing.Control")
            return E_FAIL;
        return inner_->CreateCTP(axId, title, parent, pane);
    }

private:
    friend struct ::ComMaker;
    explicit FailingFactory(ComPtr<ICTPFactory> inner) : inner_(std::move(inner)) {}
    ComPtr<ICTPFactory> inner_;
};

class TaskPanes : public AddInTest {
protected:
    // A module in host kind (its application app), with the simulated factory.
    void Host(TadxOfficeHostApp kind, ComPtr<IDispatch> app) {
        module->HostType = kind;
        module->HostApplication = Variant(app);
        ctp = SimulatedCTPFactory::Create(app);
        module->CTPFactory = ComPtr<ICTPFactory>(ctp);
        module->OnError = [this](const Exception& e, bool& handled) {
            errors.push_back(e.Message);
            handled = true;
        };
    }
    // A declaration for every host, of control ProgID "Sample.Control".
    TadxCustomTaskPane& Declare(std::string progId = "Sample.Control") {
        auto* pane = static_cast<TadxCustomTaskPane*>(module->TaskPanes->Add());
        pane->ControlProgID = std::move(progId);
        pane->SupportedApps = TadxHostAppSet::FromMask(0x7FF);
        return *pane;
    }
    // Live (not deleted) panes in window.
    size_t PanesIn(IDispatch* window) const { return ctp->PanesOf(window).size(); }

    TadxModulePtr module{new TadxCOMAddInModule(nullptr)};
    ComPtr<SimulatedCTPFactory> ctp;
    std::vector<std::string> errors;
};

ComPtr<IDispatch> NewWindow() {
    return MakeComObject<Named>();
}

// Another interface pointer of the same COM object, as a host hands out a
// window through an event argument and through a collection.
class OtherFace final : public DispatchObject<IDispatch> {
public:
    HRESULT QueryInterface(const GUID& iid, void** ppv) override {
        if (iid == IID_IUnknown)
            return target_->QueryInterface(iid, ppv);
        return DispatchObject<IDispatch>::QueryInterface(iid, ppv);
    }

private:
    friend struct ::ComMaker;
    explicit OtherFace(IDispatch* target) : target_(ComPtr<IDispatch>::Share(target)) {}
    ComPtr<IDispatch> target_;
};

ComPtr<IDispatch> FaceOf(IDispatch* window) {
    return MakeComObject<OtherFace>(window);
}

} // namespace

TEST_F(TaskPanes, DeclarationsAreTitledFromOneAndHaveTheDefaults) {
    module->SetSupportedApps({ohaWord, ohaOutlook});
    auto& first = Declare();
    auto& second = Declare();
    EXPECT_EQ(first.Title, u"My Custom Pane 1");
    EXPECT_EQ(second.Title, u"My Custom Pane 2");
    auto* fresh = static_cast<TadxCustomTaskPane*>(module->TaskPanes->Add());
    EXPECT_EQ(fresh->SupportedApps, (TadxHostAppSet{ohaWord, ohaOutlook}));
    EXPECT_EQ(fresh->DockPosition(), adxCTPDockPositionRight);
    EXPECT_EQ(fresh->DockPositionRestrict(), adxCTPDockPositionRestrictNone);
    EXPECT_EQ(fresh->Height(), -1);
    EXPECT_EQ(fresh->Width(), -1);
    EXPECT_TRUE(fresh->Visible());
    EXPECT_EQ(fresh->OutlookWindows, (TadxCTPOutlookWindows{olExplorers, olInspectors}));
}

TEST_F(TaskPanes, TheStoredFormSetsEveryProperty) {
    SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  TaskPanes = <
    item
      ControlProgID = 'Sample.Control'
      DockPosition = adxCTPDockPositionFloating
      DockPositionRestrict = adxCTPDockPositionRestrictNoChange
      Height = 120
      OutlookWindows = [olInspectors]
      SupportedApps = [ohaWord]
      Title = 'Notes'
      Visible = False
      Width = 240
    end>)"));
    TadxModulePtr loaded(factory.CreateModule());
    ASSERT_EQ(loaded->TaskPanes->Count(), 1);
    TadxCustomTaskPane& pane = *loaded->TaskPanes->GetItem(0);
    EXPECT_EQ(pane.ControlProgID, "Sample.Control");
    EXPECT_EQ(pane.DockPosition(), adxCTPDockPositionFloating);
    EXPECT_EQ(pane.DockPositionRestrict(), adxCTPDockPositionRestrictNoChange);
    EXPECT_EQ(pane.Height(), 120);
    EXPECT_EQ(pane.Width(), 240);
    EXPECT_EQ(pane.OutlookWindows, TadxCTPOutlookWindows{olInspectors});
    EXPECT_EQ(pane.SupportedApps, TadxHostAppSet{ohaWord});
    EXPECT_EQ(pane.Title, u"Notes");
    EXPECT_FALSE(pane.Visible());
}

TEST_F(TaskPanes, DockingDecidesWhetherHeightAndWidthAreSet) {
    struct Case {
        TadxCTPDockPosition dock;
        int32_t height, width;
    };
    // The simulated pane starts 200 by 200.
    const Case cases[] = {
        {adxCTPDockPositionRight, 200, 250},    {adxCTPDockPositionBottom, 150, 200},
        {adxCTPDockPositionFloating, 150, 250}, {adxCTPDockPositionLeft, 200, 250},
        {adxCTPDockPositionTop, 150, 200},
    };
    auto excel = std::make_unique<OfficeHostSim>(OfficeHostKind::Excel);
    Host(ohaExcel, excel->Application());
    for (const Case& c : cases) {
        module->TaskPanes->Clear();
        auto& pane = Declare();
        pane.SetDockPosition(c.dock);
        pane.DockPositionRestrict();
        pane.SetHeight(150);
        pane.SetWidth(250);
        module->TaskPanes->MakeCTP(nullptr, adxCTPWindowOther);
        auto made = ctp->Panes().back();
        EXPECT_EQ(made->DockPosition(), static_cast<MsoCTPDockPosition>(c.dock));
        EXPECT_EQ(made->Height(), c.height) << int(c.dock);
        EXPECT_EQ(made->Width(), c.width) << int(c.dock);
        EXPECT_TRUE(made->Visible());
        EXPECT_EQ(made->Title(), u"My Custom Pane 1");
        EXPECT_EQ(made->ControlProgId(), u"Sample.Control");
    }
}

TEST_F(TaskPanes, OnePanePerOutlookWindowOfTheKindsDeclared) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    auto& both = Declare();
    auto& inspectorsOnly = Declare();
    inspectorsOnly.OutlookWindows = {olInspectors};
    auto explorer = NewWindow(), inspector = NewWindow();
    module->TaskPanes->MakeCTP(explorer.Get(), adxCTPWindowExplorer);
    module->TaskPanes->MakeCTP(explorer.Get(), adxCTPWindowExplorer);
    module->TaskPanes->MakeCTP(inspector.Get(), adxCTPWindowInspector);
    EXPECT_EQ(PanesIn(explorer.Get()), 1u);
    EXPECT_EQ(PanesIn(inspector.Get()), 2u);
    EXPECT_EQ(both.Instances().Count(), 2);
    EXPECT_EQ(inspectorsOnly.Instances().Count(), 1);
    module->TaskPanes->RemoveCTP(inspector.Get());
    EXPECT_EQ(PanesIn(inspector.Get()), 0u);
    EXPECT_EQ(both.Instances().Count(), 1);
    EXPECT_EQ(inspectorsOnly.Instances().Count(), 0);
}

TEST_F(TaskPanes, ExcelGetsOneInstanceWhateverTheWindow) {
    OfficeHostSim excel(OfficeHostKind::Excel);
    Host(ohaExcel, excel.Application());
    auto& pane = Declare();
    module->TaskPanes->MakeCTP(nullptr, adxCTPWindowOther);
    module->TaskPanes->MakeCTP(NewWindow().Get(), adxCTPWindowOther);
    EXPECT_EQ(pane.Instances().Count(), 1);
    EXPECT_EQ(ctp->Panes().size(), 1u);
}

TEST_F(TaskPanes, NothingHappensWithoutAFactoryOrForAnUnfitDeclaration) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    Declare("");
    auto& untitled = Declare();
    untitled.Title.clear();
    auto& wordOnly = Declare();
    wordOnly.SupportedApps = {ohaWord};
    auto window = NewWindow();
    module->TaskPanes->MakeCTP(window.Get(), adxCTPWindowExplorer);
    EXPECT_EQ(ctp->Panes().size(), 0u);
    auto& fit = Declare();
    module->CTPFactory = nullptr;
    module->TaskPanes->MakeCTP(window.Get(), adxCTPWindowExplorer);
    EXPECT_EQ(ctp->Panes().size(), 0u);
    module->CTPFactory = ComPtr<ICTPFactory>(ctp);
    module->TaskPanes->MakeCTP(window.Get(), adxCTPWindowExplorer);
    module->CTPFactory = nullptr;
    module->TaskPanes->RemoveCTP(window.Get());
    EXPECT_EQ(fit.Instances().Count(), 1);
}

TEST_F(TaskPanes, CancellingBeforeCreateMakesNothingAndBeforeShowLeavesThePaneHidden) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    auto& refused = Declare();
    auto& hidden = Declare();
    std::vector<std::string> calls;
    module->OnTaskPaneBeforeCreate = [&](TadxCustomTaskPane* sender, IDispatch*, bool& cancel) {
        calls.push_back("BeforeCreate " + std::to_string(sender->Index()));
        cancel = sender == &refused;
    };
    module->OnTaskPaneAfterCreate = [&](TadxCustomTaskPane* sender, TadxCustomTaskPaneInstance*) {
        calls.push_back("AfterCreate " + std::to_string(sender->Index()));
    };
    module->OnTaskPaneBeforeShow = [&](TadxCustomTaskPane* sender, TadxCustomTaskPaneInstance*,
                                       bool& cancel) {
        calls.push_back("BeforeShow " + std::to_string(sender->Index()));
        cancel = true;
    };
    module->OnTaskPaneAfterShow = [&](TadxCustomTaskPane*, TadxCustomTaskPaneInstance*) {
        calls.push_back("AfterShow");
    };
    module->TaskPanes->MakeCTP(NewWindow().Get(), adxCTPWindowExplorer);
    EXPECT_EQ(calls, (std::vector<std::string>{"BeforeCreate 0", "BeforeCreate 1", "AfterCreate 1",
                                               "BeforeShow 1"}));
    EXPECT_EQ(refused.Instances().Count(), 0);
    ASSERT_EQ(hidden.Instances().Count(), 1);
    ASSERT_EQ(ctp->Panes().size(), 1u);
    EXPECT_FALSE(ctp->Panes()[0]->Visible());
}

TEST_F(TaskPanes, AFailingCreationIsReportedAndTheNextDeclarationStillMade) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    module->CTPFactory = MakeComObject<FailingFactory>(ComPtr<ICTPFactory>(ctp));
    auto& failing = Declare("Failing.Control");
    auto& raising = Declare();
    auto& made = Declare();
    module->OnTaskPaneBeforeCreate = [&](TadxCustomTaskPane* sender, IDispatch*, bool&) {
        if (sender == &raising)
            throw Exception(kHandlerFailure);
    };
    module->TaskPanes->MakeCTP(NewWindow().Get(), adxCTPWindowExplorer);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(failing.Instances().Count(), 0);
    EXPECT_EQ(raising.Instances().Count(), 1);
    EXPECT_EQ(made.Instances().Count(), 1);
}

TEST_F(TaskPanes, SettersReachLivePanesAndDoNothingOnceTheHostDeletedThem) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    auto& pane = Declare();
    auto window = NewWindow();
    module->TaskPanes->MakeCTP(window.Get(), adxCTPWindowExplorer);
    auto made = ctp->Panes().at(0);
    pane.SetDockPosition(adxCTPDockPositionBottom);
    pane.SetHeight(90);
    pane.SetWidth(70);
    pane.SetDockPositionRestrict(adxCTPDockPositionRestrictNoVertical);
    pane.SetVisible(false);
    EXPECT_EQ(made->DockPosition(), msoCTPDockPositionBottom);
    EXPECT_EQ(made->Height(), 90);
    EXPECT_EQ(made->Width(), 200);
    EXPECT_EQ(made->DockPositionRestrict(), msoCTPDockPositionRestrictNoVertical);
    EXPECT_FALSE(made->Visible());

    ctp->WindowClosed(window.Get());
    TadxCustomTaskPaneInstance& instance = *pane.Instances().ItemByIndex(0);
    EXPECT_FALSE(instance.Pane().IsConnected());
    EXPECT_NO_THROW(pane.SetVisible(true));
    EXPECT_NO_THROW(pane.SetHeight(10));
    EXPECT_NO_THROW(pane.SetDockPosition(adxCTPDockPositionLeft));
    EXPECT_TRUE(instance.Visible());
    EXPECT_EQ(instance.Height(), 10);
    EXPECT_EQ(instance.GetWindow(), nullptr);
    EXPECT_TRUE(errors.empty());
}

TEST_F(TaskPanes, TheHostsNotificationsReachTheDeclarationsEvents) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    auto& pane = Declare();
    std::vector<std::string> seen;
    pane.OnVisibleStateChange = [&](TObject* sender, TadxCustomTaskPaneInstance* instance) {
        EXPECT_EQ(sender, &pane);
        seen.push_back(std::string("visible ") + (instance->Shown ? "shown" : "hidden"));
    };
    pane.OnDockPositionStateChange = [&](TObject*, TadxCustomTaskPaneInstance*) {
        seen.push_back("dock");
    };
    module->TaskPanes->MakeCTP(NewWindow().Get(), adxCTPWindowExplorer);
    auto made = ctp->Panes().at(0);
    made->UserSetVisible(false);
    made->UserDock(msoCTPDockPositionLeft);
    EXPECT_EQ(seen, (std::vector<std::string>{"visible shown", "visible hidden", "dock"}));
}

TEST_F(TaskPanes, ClearingRemovesEveryPaneWithItsBeforeDestroy) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    Declare();
    Declare();
    int destroyed = 0;
    module->OnTaskPaneBeforeDestroy = [&](TadxCustomTaskPane*, TadxCustomTaskPaneInstance*) {
        ++destroyed;
    };
    module->TaskPanes->MakeCTP(NewWindow().Get(), adxCTPWindowExplorer);
    module->TaskPanes->MakeCTP(NewWindow().Get(), adxCTPWindowInspector);
    module->TaskPanes->Clear();
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(module->TaskPanes->Count(), 0);
    for (const auto& made : ctp->Panes())
        EXPECT_TRUE(made->Deleted());
}

// Handlers that remove the very pane they are told about, or every pane, or
// the declarations: the framework touches nothing freed (the sanitizer
// build checks) and goes on with what is left.
TEST_F(TaskPanes, HandlersMayRemoveTheirOwnPaneOrClearThePanes) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    enum What { AfterCreate, BeforeShow, AfterShow, Visible };
    for (What what : {AfterCreate, BeforeShow, AfterShow, Visible}) {
        for (bool clearAll : {false, true}) {
            module->TaskPanes->Clear();
            module->OnTaskPaneAfterCreate = nullptr;
            module->OnTaskPaneBeforeShow = nullptr;
            module->OnTaskPaneAfterShow = nullptr;
            auto& first = Declare();
            auto& second = Declare();
            auto window = NewWindow();
            auto remove = [&, w = window.Get()](TadxCustomTaskPane* sender) {
                if (clearAll)
                    module->TaskPanes->Clear();
                else if (sender == &first)
                    module->TaskPanes->RemoveCTP(w);
            };
            auto instanceHandler = [&](TadxCustomTaskPane* s, TadxCustomTaskPaneInstance*) {
                remove(s);
            };
            if (what == AfterCreate)
                module->OnTaskPaneAfterCreate = instanceHandler;
            if (what == BeforeShow)
                module->OnTaskPaneBeforeShow =
                    [&](TadxCustomTaskPane* s, TadxCustomTaskPaneInstance*, bool&) { remove(s); };
            if (what == AfterShow)
                module->OnTaskPaneAfterShow = instanceHandler;
            if (what == Visible) {
                first.OnVisibleStateChange = [&](TObject*, TadxCustomTaskPaneInstance*) {
                    remove(&first);
                };
            }
            module->TaskPanes->MakeCTP(window.Get(), adxCTPWindowExplorer);
            if (clearAll) {
                EXPECT_EQ(module->TaskPanes->Count(), 0) << what;
            } else {
                EXPECT_EQ(first.Instances().Count(), 0) << what;
                EXPECT_EQ(second.Instances().Count(), 1) << what;
            }
            EXPECT_TRUE(errors.empty());
        }
    }
}

TEST_F(TaskPanes, AWindowIsKnownByItsIdentityWhicheverInterfaceBringsIt) {
    Host(ohaOutlook, FakeHost::Create(GUID{}, u"12.0"));
    auto& pane = Declare();
    auto explorer = NewWindow();
    module->TaskPanes->MakeCTP(explorer.Get(), adxCTPWindowExplorer);
    module->TaskPanes->MakeCTP(FaceOf(explorer.Get()).Get(), adxCTPWindowExplorer);
    EXPECT_EQ(pane.Instances().Count(), 1);
    EXPECT_NE(pane.Instances().GetItemByWindow(FaceOf(explorer.Get()).Get()), nullptr);
    module->TaskPanes->RemoveCTP(FaceOf(explorer.Get()).Get());
    EXPECT_EQ(pane.Instances().Count(), 0);
}

TEST_F(TaskPanes, WordDropsPanesOfClosedWindowsAndFollowsItsTaskbarOption) {
    OfficeHostSim word(OfficeHostKind::Word);
    Host(ohaWord, word.Application());
    auto& pane = Declare();
    auto one = word.OpenDocument(u"One");
    auto a = ComPtr<IDispatch>(one->Windows()[0]);
    module->TaskPanes->MakeCTP(FaceOf(a.Get()).Get(), adxCTPWindowOther);
    auto two = word.OpenDocument(u"Two");
    auto b = ComPtr<IDispatch>(two->Windows()[0]);
    module->TaskPanes->MakeCTP(b.Get(), adxCTPWindowOther);
    ASSERT_EQ(pane.Instances().Count(), 2);
    auto paneA = ctp->Panes()[0], paneB = ctp->Panes()[1];

    // All documents in one window: only the active document's pane shows,
    // and a pane the user hid stays hidden.
    word.SetShowWindowsInTaskbar(false);
    module->TaskPanes->MakeCTP(b.Get(), adxCTPWindowOther);
    EXPECT_FALSE(module->TaskPanes->WordTaskbar);
    EXPECT_FALSE(paneA->Visible());
    EXPECT_TRUE(paneB->Visible());
    paneB->UserSetVisible(false);
    word.ActivateWindow(*one->Windows()[0]);
    module->TaskPanes->MakeCTP(a.Get(), adxCTPWindowOther);
    EXPECT_TRUE(paneA->Visible());
    word.ActivateWindow(*two->Windows()[0]);
    module->TaskPanes->MakeCTP(b.Get(), adxCTPWindowOther);
    EXPECT_FALSE(paneA->Visible());
    EXPECT_FALSE(paneB->Visible());

    // Back to one window per document: every pane shows again.
    word.SetShowWindowsInTaskbar(true);
    module->TaskPanes->MakeCTP(b.Get(), adxCTPWindowOther);
    EXPECT_TRUE(paneA->Visible());
    EXPECT_TRUE(paneB->Visible());
    EXPECT_EQ(pane.Instances().Count(), 2);

    // A window that closed loses its pane at the next creation.
    word.CloseWindow(*one->Windows()[0]);
    module->TaskPanes->MakeCTP(b.Get(), adxCTPWindowOther);
    EXPECT_EQ(pane.Instances().Count(), 1);
    EXPECT_TRUE(paneA->Deleted());
    EXPECT_TRUE(errors.empty());
}

TEST_F(TaskPanes, InfoPathDropsPanesOfClosedWindows) {
    OfficeHostSim infoPath(OfficeHostKind::InfoPath);
    Host(ohaInfoPath, infoPath.Application());
    auto& pane = Declare();
    auto one = infoPath.OpenDocument(u"One");
    module->TaskPanes->MakeCTP(ComPtr<IDispatch>(one->Windows()[0]).Get(), adxCTPWindowOther);
    auto two = infoPath.OpenDocument(u"Two");
    module->TaskPanes->MakeCTP(ComPtr<IDispatch>(two->Windows()[0]).Get(), adxCTPWindowOther);
    EXPECT_EQ(pane.Instances().Count(), 2);
    infoPath.CloseWindow(*one->Windows()[0]);
    module->TaskPanes->MakeCTP(ComPtr<IDispatch>(two->Windows()[0]).Get(), adxCTPWindowOther);
    EXPECT_EQ(pane.Instances().Count(), 1);
    EXPECT_TRUE(ctp->Panes()[0]->Deleted());
    EXPECT_FALSE(ctp->Panes()[1]->Deleted());
}

TEST_F(TaskPanes, ACollectionEditorSeesTypeTitleAndProgIDColumnsOnlyWhileDesigning) {
    auto& first = Declare();
    first.Title = u"Notes";
    Declare();
    EXPECT_EQ(module->TaskPanes->GetAttrCount(), 0);
    EXPECT_EQ(module->TaskPanes->GetItemAttr(0, 0), "");

    module->SetDesigning(true);
    ASSERT_EQ(module->TaskPanes->GetAttrCount(), 3);
    EXPECT_EQ(module->TaskPanes->GetAttr(0), "Type");
    EXPECT_EQ(module->TaskPanes->GetAttr(1), "Title");
    EXPECT_EQ(module->TaskPanes->GetAttr(2), "ControlProgID");
    EXPECT_EQ(module->TaskPanes->GetAttr(3), "");
    EXPECT_EQ(module->TaskPanes->GetItemAttr(0, 0), "0 - TadxCustomTaskPane");
    EXPECT_EQ(module->TaskPanes->GetItemAttr(0, 1), "1 - TadxCustomTaskPane");
    EXPECT_EQ(module->TaskPanes->GetItemAttr(1, 0), "Notes");
    EXPECT_EQ(module->TaskPanes->GetItemAttr(1, 1), "My Custom Pane 2");
    EXPECT_EQ(module->TaskPanes->GetItemAttr(2, 0), "Sample.Control");
    EXPECT_EQ(module->TaskPanes->GetItemAttr(2, 2), "");
}
