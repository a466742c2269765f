// What a user's mouse and keyboard do to a form: dialog keys, key preview,
// disabled controls, tab order, mouse enter and leave, hints, anchors and
// alignment, a form freed from its own button, nested modal forms.
#include "platform/controls/Form.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"
#include "platform/sim/ModalScript.h"
#include "platform/win/Hook.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A dialog with an edit, a check box and OK (default) and Cancel buttons.
struct Dialog {
    TForm* form = new TForm(nullptr);
    TEdit* edit = new TEdit(form);
    TCheckBox* box = new TCheckBox(form);
    TButton* ok = new TButton(form);
    TButton* cancel = new TButton(form);

    Dialog() {
        form->SetName("Dialog");
        form->SetBounds(100, 50, 300, 200);
        int i = 0;
        for (TControl* c : std::initializer_list<TControl*>{edit, box, ok, cancel}) {
            c->SetParent(form);
            c->SetTop(8 + 30 * i++);
            c->SetLeft(8);
        }
        edit->SetName("Edit");
        box->SetName("Box");
        box->SetCaption("Check");
        ok->SetName("OK");
        ok->SetCaption("OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        cancel->SetName("Cancel");
        cancel->SetCaption("Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
    }
    ~Dialog() { delete form; }
};

// Shows the form modally with one scripted step and returns the result.
TModalResult Play(TForm& form, std::function<void(TForm&)> step) {
    sim::ModalScript user;
    user.OnForm([step](TForm& f) {
        step(f);
        return mrNone;
    });
    forms::ScopedModalDriver driver(user);
    return form.ShowModal();
}

} // namespace

TEST(ControlFlow, DialogKeysReachTheDefaultAndCancelButtons) {
    struct Case {
        WORD key;
        const char* focus;
        TModalResult expected;
    } cases[] = {
        {VK_ESCAPE, "Edit", mrCancel},
        {VK_RETURN, "Edit", mrOk},
        // A focused button answers Enter itself.
        {VK_RETURN, "Cancel", mrCancel},
    };
    for (const Case& c : cases) {
        Dialog d;
        TModalResult got = Play(*d.form, [&](TForm& f) {
            controls::FindControl(f, c.focus);
            static_cast<TWinControl&>(controls::FindControl(f, c.focus)).SetFocus();
            controls::PressKey(f, c.key);
        });
        EXPECT_EQ(got, c.expected) << c.key << " on " << c.focus;
    }
}

TEST(ControlFlow, EscapeInAKeyPreviewFormReachesItsOnKeyPress) {
    Dialog d;
    d.cancel->SetCancel(false);
    d.form->SetKeyPreview(true);
    std::vector<int> keys;
    d.form->OnKeyPress = [&](TObject*, char& key) {
        keys.push_back(key);
        if (key == 27)
            d.form->SetModalResult(mrAbort);
    };
    TModalResult got = Play(*d.form, [](TForm& f) { controls::PressKey(f, VK_ESCAPE); });
    EXPECT_EQ(keys, std::vector<int>{27});
    EXPECT_EQ(got, mrAbort);
}

TEST(ControlFlow, TypingReachesTheFocusedEditThroughAKeyPreviewForm) {
    Dialog d;
    d.form->Show();
    d.form->SetKeyPreview(true);
    std::string previewed;
    d.form->OnKeyPress = [&](TObject*, char& key) {
        previewed += key;
        if (key == '!')
            key = 0; // the form swallows it
    };
    int changes = 0;
    d.edit->OnChange = [&](TObject*) { ++changes; };
    d.edit->SetMaxLength(8);
    controls::TypeText(*d.edit, "Proj!ects");
    EXPECT_TRUE(d.edit->Focused());
    EXPECT_EQ(d.edit->Text(), "Projects");
    EXPECT_EQ(previewed, "Proj!ects");
    EXPECT_EQ(changes, 8);
    controls::TypeText(*d.edit, "XY");
    EXPECT_EQ(d.edit->Text(), "Projects");
    controls::PressKey(*d.form, VK_BACK);
    EXPECT_EQ(d.edit->Text(), "Project");
    d.edit->SetReadOnly(true);
    controls::TypeText(*d.edit, "s");
    EXPECT_EQ(d.edit->Text(), "Project");
}

TEST(ControlFlow, AMemoTakesEnterAsANewLine) {
    Dialog d;
    d.form->Show();
    auto* memo = new TMemo(d.form);
    memo->SetParent(d.form);
    controls::TypeText(*memo, "one");
    controls::PressKey(*d.form, VK_RETURN);
    controls::TypeText(*memo, "two");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ((*memo->Lines())[1], "two");
    EXPECT_EQ(d.form->ModalResult(), mrNone);
}

TEST(ControlFlow, ADisabledControlTakesNoClick) {
    Dialog d;
    d.form->Show();
    int clicks = 0;
    d.ok->OnClick = [&](TObject*) { ++clicks; };
    d.ok->SetEnabled(false);
    EXPECT_FALSE(controls::Click(*d.ok));
    d.ok->SetEnabled(true);
    d.form->SetEnabled(false);
    EXPECT_FALSE(controls::Click(*d.ok));
    EXPECT_EQ(clicks, 0);
    d.form->SetEnabled(true);
    EXPECT_TRUE(controls::Click(*d.ok));
    EXPECT_EQ(clicks, 1);
}

TEST(ControlFlow, TabMovesTheFocusInTabOrderSkippingWhatCannotTakeIt) {
    Dialog d;
    d.form->Show();
    d.cancel->SetTabOrder(0);
    d.box->SetEnabled(false);
    std::vector<std::string> entered;
    for (TWinControl* c : std::initializer_list<TWinControl*>{d.edit, d.box, d.ok, d.cancel})
        c->OnEnter = [&entered](TObject* s) {
            entered.push_back(static_cast<TControl*>(s)->Name());
        };
    for (int i = 0; i < 4; ++i)
        controls::PressKey(*d.form, VK_TAB);
    EXPECT_EQ(entered, (std::vector<std::string>{"Cancel", "Edit", "OK", "Cancel"}));
}

TEST(ControlFlow, TheMouseEnteringAndLeavingAControlFiresOnceEach) {
    Dialog d;
    d.form->Show();
    std::vector<std::string> events;
    d.ok->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    d.ok->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    d.ok->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
        events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    };
    controls::MoveMouse(*d.ok, POINT{2, 3});
    controls::MoveMouse(*d.ok, POINT{10, 12});
    controls::MoveMouse(*d.form, POINT{250, 150});
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "move 2,3", "move 10,12", "leave"}));
    POINT cursor;
    GetCursorPos(&cursor);
    POINT expected = d.form->ClientToScreen(POINT{250, 150});
    EXPECT_EQ(cursor.x, expected.x);
    EXPECT_EQ(cursor.y, expected.y);
}

TEST(ControlFlow, AHintShowsBelowTheCursorWithTheNearestHintText) {
    Dialog d;
    d.form->Show();
    d.form->SetHint("Click for further details");
    d.form->SetShowHint(true);
    d.ok->SetHint("Accept|Accepts the settings");
    controls::MoveMouse(*d.ok, POINT{5, 6});
    auto hint = controls::RestMouse();
    ASSERT_TRUE(hint);
    POINT at = d.ok->ClientToScreen(POINT{5, 6});
    EXPECT_EQ(hint->Text, "Accept");
    EXPECT_EQ(hint->Position.x, at.x);
    EXPECT_EQ(hint->Position.y, at.y + controls::kHintOffsetY);
    EXPECT_EQ(hint->Control, d.ok);
    // A control without a hint of its own shows its parent's.
    controls::MoveMouse(*d.edit);
    EXPECT_FALSE(controls::CurrentHint());
    EXPECT_EQ(controls::RestMouse()->Text, "Click for further details");
    controls::CancelHint();
    EXPECT_FALSE(controls::CurrentHint());
    // Without ShowHint anywhere, nothing shows.
    d.form->SetShowHint(false);
    EXPECT_FALSE(controls::RestMouse());
}

TEST(ControlFlow, ABottomAnchoredButtonKeepsItsDistanceToTheBottom) {
    Dialog d;
    d.form->SetClientHeight(200);
    d.form->SetClientWidth(300);
    d.ok->SetBounds(200, 160, 75, 25);
    d.ok->SetAnchors(TAnchors{akRight, akBottom});
    d.edit->SetBounds(8, 8, 100, 21);
    d.edit->SetAnchors(TAnchors{akLeft, akTop, akRight});
    d.form->SetClientHeight(260);
    d.form->SetClientWidth(340);
    EXPECT_EQ(d.ok->BoundsRect(), Rect(240, 220, 315, 245));
    EXPECT_EQ(d.edit->BoundsRect(), Rect(8, 8, 148, 29));
}

TEST(ControlFlow, AlignTopAndClientFillTheParent) {
    Dialog d;
    d.form->SetClientWidth(300);
    d.form->SetClientHeight(200);
    auto* top = new TGroupBox(d.form);
    top->SetParent(d.form);
    top->SetHeight(50);
    top->SetAlign(alTop);
    auto* rest = new TMemo(d.form);
    rest->SetParent(d.form);
    rest->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 50));
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 50, 300, 200));
    d.form->SetClientHeight(250);
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 50, 300, 250));
}

namespace {

// A control that moves and rewrites its hint, as a label with links does.
class THintedLabel : public TLabel {
public:
    using TLabel::TLabel;
    bool HintShow(THintInfo& info) override {
        info.HintStr = "link at " + std::to_string(info.CursorPos.x);
        info.HintPos = ClientToScreen(POINT{info.CursorPos.x + 10, info.CursorPos.y - 10});
        return true;
    }
};

// A form whose own handler (reading its own fields) runs when its tree lets
// its nodes go.
class TTreeForm : public TForm {
public:
    TTreeForm(TComponent* owner, std::vector<std::string>& sink) : TForm(owner), sink_(sink) {}
    void NodeDeleted(TObject*, TTreeNode* node) { sink_.push_back(prefix_ + node->Text()); }

private:
    std::vector<std::string>& sink_;
    // Long enough to live on the heap, so that reading it after it went is caught.
    std::string prefix_ = "released by the folder form: ";
};

} // namespace

TEST(ControlFlow, AControlMayRewriteItsHintAndMoveIt) {
    Dialog d;
    d.form->Show();
    auto* label = new THintedLabel(d.form);
    label->SetParent(d.form);
    label->SetBounds(200, 10, 60, 20);
    label->SetShowHint(true);
    label->SetHint("ignored");
    controls::MoveMouse(*label, POINT{7, 8});
    auto hint = controls::RestMouse();
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->Text, "link at 7");
    POINT expected = label->ClientToScreen(POINT{17, -2});
    EXPECT_EQ(hint->Position.x, expected.x);
    EXPECT_EQ(hint->Position.y, expected.y);
}

TEST(ControlFlow, AFormFreedLetsItsControlsGoWhileItIsWhole) {
    std::vector<std::string> released;
    auto* form = new TTreeForm(nullptr, released);
    auto* tree = new TTreeView(form);
    tree->SetParent(form);
    tree->OnDeletion = [form](TObject* s, TTreeNode* n) { form->NodeDeleted(s, n); };
    tree->Items()->AddChild(tree->Items()->Add(nullptr, "Store"), "Inbox");
    form->OnDestroy = [&](TObject*) { released.push_back("destroy"); };
    form->Free();
    EXPECT_EQ(released, (std::vector<std::string>{"destroy", "released by the folder form: Inbox",
                                                  "released by the folder form: Store"}));
}

TEST(ControlFlow, ConstraintsBoundTheSizeAlsoWhenAligned) {
    Dialog d;
    d.form->SetClientWidth(400);
    d.form->SetClientHeight(300);
    auto* tree = new TMemo(d.form);
    tree->SetParent(d.form);
    tree->Constraints()->SetMaxWidth(300);
    tree->Constraints()->SetMinHeight(50);
    tree->SetBounds(0, 0, 350, 10);
    EXPECT_EQ(tree->BoundsRect(), Rect(0, 0, 300, 50));
    tree->SetAlign(alLeft);
    tree->SetWidth(380);
    EXPECT_EQ(tree->BoundsRect(), Rect(0, 0, 300, 300));
}

TEST(ControlFlow, AButtonWhoseClickClosesAndFreesItsFormDoesNotCrash) {
    auto* form = new TForm(nullptr);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetModalResult(mrOk);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    button->OnClick = [form](TObject*) {
        form->Close();
        form->Free();
    };
    form->Show();
    rtl::TLifeWatch watch = form->Watch();
    controls::Click(*button);
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(watch.Alive());
    EXPECT_EQ(controls::ControlUnderMouse(), nullptr);
}

TEST(ControlFlow, AFormReleasedFromItsButtonGoesOnceTheQueueRuns) {
    auto* form = new TForm(nullptr);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->OnClick = [form](TObject*) { form->Release(); };
    form->Show();
    rtl::TLifeWatch watch = form->Watch();
    controls::Click(*button);
    EXPECT_TRUE(watch.Alive());
    platform::ProcessMessages();
    EXPECT_FALSE(watch.Alive());
}

TEST(ControlFlow, ThreeNestedModalFormsArePlayedInOrderByOneDriver) {
    Dialog outer, middle, inner;
    outer.form->SetCaption("Picker");
    middle.form->SetCaption("New folder");
    inner.form->SetCaption("Message");
    outer.box->OnClick = [&](TObject*) { middle.form->ShowModal(); };
    middle.box->OnClick = [&](TObject*) { inner.form->ShowModal(); };
    sim::ModalScript user;
    std::vector<std::string> played;
    user.OnForm([&](TForm& f) {
            played.push_back(f.Caption());
            controls::Check(controls::Find<TCheckBox>(f, "Box"));
            controls::Click(controls::Find<TButton>(f, "OK"));
            return mrNone;
        })
        .OnForm([&](TForm& f) {
            played.push_back(f.Caption());
            controls::Check(controls::Find<TCheckBox>(f, "Box"));
            controls::PressKey(f, VK_ESCAPE);
            return mrNone;
        })
        .OnForm([&](TForm& f) {
            played.push_back(f.Caption());
            controls::PressKey(f, VK_RETURN);
            return mrNone;
        });
    forms::ScopedModalDriver driver(user);
    EXPECT_EQ(outer.form->ShowModal(), mrOk);
    EXPECT_EQ(played, (std::vector<std::string>{"Picker", "New folder", "Message"}));
    ASSERT_EQ(user.Shown().size(), 3u);
    EXPECT_EQ(sim::ModalScript::Describe(user.Shown()[0]), "[Form TForm] Message -> OK");
    EXPECT_EQ(sim::ModalScript::Describe(user.Shown()[1]), "[Form TForm] New folder -> Cancel");
    EXPECT_EQ(sim::ModalScript::Describe(user.Shown()[2]), "[Form TForm] Picker -> OK");
    EXPECT_EQ(user.PendingSteps(), 0u);
}
