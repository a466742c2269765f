// The module's Outlook window events, as a transcript of one session per
// Outlook version, compared with the golden files window-events-<version>.txt:
// a simulated user opens explorers and inspectors, switches folders, changes
// the selection and closes windows, and every module event the framework
// fires is written down with the window it is about. Among them: a new
// explorer activated at once on Outlook 2007 and at its first folder switch
// otherwise, a note reported but not followed, an activation fired from an
// activation handler dropped, and the last explorer taking the inspector
// wrappers with it. Set LORVANE_UPDATE_GOLDEN to write the files anew.
#include "FrameworkTestSupport.h"

#include "platform/com/LateBound.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/outlook/OutlookWindows.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/text/Text.h"

using namespace fwtest;

namespace {

class WindowEvents : public AddInTest {
protected:
    WindowEvents() {
        SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaOutlook])"));
    }
    ~WindowEvents() override { known_.clear(); }

    // Writes a user's action.
    void User(const std::string& action) { lines_.push_back("> " + action); }
    // Writes a module event about a window (a window wrapper or an Outlook window).
    void Event(const std::string& name, TObject* sender, const std::string& more = "") {
        auto* wrapper = dynamic_cast<TOleServer*>(sender);
        std::string about = wrapper ? Name(wrapper->DefaultInterface().Get()) : "(no window)";
        lines_.push_back("  " + name + " " + about + more);
    }
    // A window's name: its kind and number in the order first seen, and its caption.
    std::string Name(IUnknown* window) {
        if (!window)
            return "(disconnected window)";
        ComPtr<IDispatch> disp = ComQuery<IDispatch>(window);
        std::string caption = text::Narrow(dispGet(disp, "Caption").AsWide());
        int cls = dispGet(disp, "Class").AsInteger();
        for (const auto& [object, label] : known_)
            if (IsSameObject(object.Get(), window))
                return label + " [" + caption + "]";
        int number = 1;
        for (const auto& [object, label] : known_)
            number += dispGet(ComQuery<IDispatch>(object.Get()), "Class").AsInteger() == cls;
        std::string label =
            (cls == outlook::olExplorer ? "explorer " : "inspector ") + std::to_string(number);
        known_.emplace_back(ComPtr<IUnknown>::Share(window), label);
        return label + " [" + caption + "]";
    }
    // Records every window event of the module.
    void Listen(TadxCOMAddInModule& m) {
        auto from = [](TObject* sender) {
            return std::string(sender ? " from " + sender->ClassName() : " at start-up");
        };
        m.OnOLNewExplorer = [this, from](TObject* sender, IDispatch* explorer) {
            lines_.push_back("  OnOLNewExplorer " + Name(explorer) + from(sender));
        };
        m.OnOLNewInspector = [this, from](TObject* sender, IDispatch* inspector) {
            lines_.push_back("  OnOLNewInspector " + Name(inspector) + from(sender));
        };
        m.OnOLExplorerActivate = [this](TObject* s) {
            Event("OnOLExplorerActivate", s);
            if (onActivate_)
                std::exchange(onActivate_, nullptr)();
        };
        m.OnOLExplorerFolderSwitch = [this](TObject* s) { Event("OnOLExplorerFolderSwitch", s); };
        m.OnOLExplorerBeforeFolderSwitch = [this](TObject* s, IDispatch* folder, WordBool&) {
            Event("OnOLExplorerBeforeFolderSwitch", s,
                  " to " + text::Narrow(dispGet(folder, "Name").AsWide()));
        };
        m.OnOLExplorerViewSwitch = [this](TObject* s) { Event("OnOLExplorerViewSwitch", s); };
        m.OnOLExplorerBeforeViewSwitch = [this](TObject* s, const Variant& view, WordBool&) {
            Event("OnOLExplorerBeforeViewSwitch", s, " to " + view.AsString());
        };
        m.OnOLExplorerDeactivate = [this](TObject* s) { Event("OnOLExplorerDeactivate", s); };
        m.OnOLExplorerSelectionChange = [this](TObject* s) {
            Event("OnOLExplorerSelectionChange", s);
        };
        m.OnOLExplorerClose = [this](TObject* s) { Event("OnOLExplorerClose", s); };
        m.OnOLInspectorActivate = [this](TObject* s) { Event("OnOLInspectorActivate", s); };
        m.OnOLInspectorDeactivate = [this](TObject* s) { Event("OnOLInspectorDeactivate", s); };
        m.OnOLInspectorClose = [this](TObject* s) { Event("OnOLInspectorClose", s); };
    }
    // Command-bar layout notices that reached the module.
    void NoteCommandBarUpdates() {
        for (const std::string& entry : journal)
            if (entry == "DoCommandBarsUpdate")
                lines_.push_back("  DoCommandBarsUpdate");
        journal.clear();
    }

    // One session of a simulated user in Outlook of that version.
    std::string Session(int version) {
        lines_.clear();
        known_.clear();
        sim::OutlookSim outlook(version);
        auto inbox = outlook.DefaultFolder(outlook::olFolderInbox);
        auto sent = outlook.DefaultFolder(outlook::olFolderSentMail);
        auto calendar = outlook.DefaultFolder(outlook::olFolderCalendar);
        sim::ItemData first, second;
        first.Subject = u"Quarterly figures";
        second.Subject = u"Lunch";
        auto mail1 = outlook.PutItem(*inbox, sim::ItemKind::Mail, first);
        auto mail2 = outlook.PutItem(*inbox, sim::ItemKind::Mail, second);
        lines_.push_back("Outlook " + text::Narrow(outlook.App().VersionText()));
        {
            User("Outlook starts with an explorer on the Inbox and loads the add-in");
            auto explorer1 = outlook.OpenExplorer();
            auto addIn = NewAddIn();
            EXPECT_EQ(
                addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
                S_OK);
            auto& object = *static_cast<TadxAddin*>(addIn.Get());
            TadxCOMAddInModule& module = *object.Module();
            Listen(module);
            journal.clear();
            EXPECT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
            journal.clear();

            User("Outlook lays out the explorer's command bars");
            explorer1->CommandBars().FireOnUpdate();
            NoteCommandBarUpdates();

            User("the user selects both mails");
            outlook.SelectItems(*explorer1, {mail1, mail2});
            User("the user switches the explorer to Sent Items");
            outlook.SwitchFolder(*explorer1, sent);
            User("the user switches the explorer's view");
            explorer1->SwitchView(u"Conversations");

            User("the user opens a second explorer on the Calendar");
            auto explorer2 = outlook.OpenExplorer(calendar.Get());
            User("the user switches the second explorer to the Inbox");
            outlook.SwitchFolder(*explorer2, inbox);

            User("the user opens the first mail");
            auto inspector1 = outlook.OpenInspector(mail1);
            User("the user opens a note");
            auto note = outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Note));

            User("the user brings the first explorer to the front; its activation handler "
                 "brings the mail to the front");
            onActivate_ = [&] {
                lines_.push_back("  (the handler activates the mail)");
                outlook.Activate(*inspector1);
            };
            outlook.Activate(*explorer1);
            EXPECT_FALSE(onActivate_);

            User("the user closes the note");
            outlook.Close(*note);
            User("the user closes the second explorer");
            outlook.Close(*explorer2);
            User("the user closes the first explorer, the last one, while the mail is open");
            outlook.Close(*explorer1);
            EXPECT_TRUE(object.Inspectors().empty());
            User("the user closes the mail");
            outlook.Close(*inspector1);

            User("the user opens an explorer on the Inbox");
            auto explorer3 = outlook.OpenExplorer();
            User("the user quits Outlook");
            outlook.Quit();
            EXPECT_EQ(addIn->OnBeginShutdown(nullptr), S_OK);
            EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
            NoteCommandBarUpdates();
            for (auto* window : {static_cast<sim::SimWindowBase*>(explorer1.Get()),
                                 static_cast<sim::SimWindowBase*>(explorer2.Get()),
                                 static_cast<sim::SimWindowBase*>(explorer3.Get()),
                                 static_cast<sim::SimWindowBase*>(inspector1.Get()),
                                 static_cast<sim::SimWindowBase*>(note.Get())})
                EXPECT_EQ(window->SinkCount(), 0u) << text::Narrow(window->Caption());
            EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
            known_.clear();
        }
        std::string text;
        for (const std::string& line : lines_)
            text += line + "\n";
        return text;
    }

    std::vector<std::string> lines_;
    std::vector<std::pair<ComPtr<IUnknown>, std::string>> known_;
    std::function<void()> onActivate_;
};

TEST_F(WindowEvents, Version11SessionMatchesItsTranscript) {
    ExpectGolden("window-events-11.txt", Session(11));
}
TEST_F(WindowEvents, Version12SessionMatchesItsTranscript) {
    ExpectGolden("window-events-12.txt", Session(12));
}
TEST_F(WindowEvents, Version14SessionMatchesItsTranscript) {
    ExpectGolden("window-events-14.txt", Session(14));
}
TEST_F(WindowEvents, Version16SessionMatchesItsTranscript) {
    ExpectGolden("window-events-16.txt", Session(16));
}

} // namespace
