// What a form does around its controls: its frame and client area, where it
// is placed when shown, when it paints, a modal form without a driver, and
// the save-file dialog played through the modal driver.
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/UserInput.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/Screen.h"
#include "platform/sim/ModalScript.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct FormDeleter {
    void operator()(TForm* f) const { f->Free(); }
};
using FormPtr = std::unique_ptr<TForm, FormDeleter>;

FormPtr NewForm(TComponent* owner = nullptr) {
    return FormPtr(new TForm(owner));
}

} // namespace

TEST(FormFrame, TheClientAreaIsTheFormLessItsFrame) {
    struct Case {
        TFormBorderStyle style;
        bool menu;
        int border;
        int caption;
    } cases[] = {
        {bsSizeable, false, 4, 19},   {bsDialog, false, 3, 19}, {bsDialog, true, 3, 19 + 19},
        {bsToolWindow, false, 3, 16}, {bsNone, true, 0, 0},
    };
    for (const Case& c : cases) {
        FormPtr form = NewForm();
        auto* menu = new TMainMenu(form.get());
        auto* item = new TMenuItem(form.get());
        item->SetCaption("Save as ...");
        menu->Items()->Add(item);
        form->SetBorderStyle(c.style);
        if (c.menu)
            form->SetMenu(menu);
        form->SetBounds(10, 20, 200, 150);
        EXPECT_EQ(form->ClientWidth(), 200 - 2 * c.border) << c.style;
        EXPECT_EQ(form->ClientHeight(), 150 - 2 * c.border - c.caption) << c.style;
        POINT origin = form->ClientOrigin();
        EXPECT_EQ(origin.x, 10 + c.border);
        EXPECT_EQ(origin.y, 20 + c.border + c.caption);
        form->SetClientWidth(300);
        form->SetClientHeight(100);
        EXPECT_EQ(form->Width(), 300 + 2 * c.border);
        EXPECT_EQ(form->Height(), 100 + 2 * c.border + c.caption);
    }
}

TEST(FormFrame, ADialogFrameHasNoMinimiseOrMaximiseBox) {
    FormPtr form = NewForm();
    EXPECT_EQ(form->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize, biMaximize}));
    form->SetBorderStyle(bsDialog);
    EXPECT_EQ(form->BorderIcons(), TBorderIcons{biSystemMenu});
}

TEST(FormPosition, AShownFormIsPlacedAsItsPositionSays) {
    Screen().SetSize(1024, 768);
    FormPtr main = NewForm();
    main->SetBounds(100, 100, 400, 300);
    struct Case {
        TPosition position;
        int left;
        int top;
    } cases[] = {
        {poDesigned, 7, 9},
        {poScreenCenter, (1024 - 200) / 2, (768 - 100) / 2},
        {poDesktopCenter, (1024 - 200) / 2, (768 - 100) / 2},
        // An add-in has no main form: the screen's centre stands for it.
        {poMainFormCenter, (1024 - 200) / 2, (768 - 100) / 2},
        {poOwnerFormCenter, 100 + (400 - 200) / 2, 100 + (300 - 100) / 2},
    };
    for (const Case& c : cases) {
        FormPtr form = NewForm(main.get());
        form->SetBounds(7, 9, 200, 100);
        form->SetPosition(c.position);
        sim::ModalScript user;
        POINT seen{-1, -1};
        user.OnForm([&](TForm& f) {
            seen = POINT{f.Left(), f.Top()};
            return mrOk;
        });
        forms::ScopedModalDriver driver(user);
        EXPECT_EQ(form->ShowModal(), mrOk);
        EXPECT_EQ(seen.x, c.left) << c.position;
        EXPECT_EQ(seen.y, c.top) << c.position;
    }
}

TEST(FormPaint, AShownFormPaintsOnceBeforeItIsPlayedAndAfterEachActionThatChangedIt) {
    FormPtr form = NewForm();
    form->SetClientWidth(200);
    form->SetClientHeight(100);
    auto* box = new TCheckBox(form.get());
    box->SetParent(form.get());
    box->SetName("Box");
    int paints = 0;
    form->OnPaint = [&](TObject*) { ++paints; };
    std::vector<int> seen;
    sim::ModalScript user;
    user.OnForm([&](TForm& f) {
        seen.push_back(paints);
        controls::MoveMouse(f, POINT{150, 80}); // changes nothing
        seen.push_back(paints);
        controls::Check(controls::Find<TCheckBox>(f, "Box"));
        seen.push_back(paints);
        return mrOk;
    });
    forms::ScopedModalDriver driver(user);
    form->ShowModal();
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 2}));
}

TEST(FormPaint, PaintingSettlesWhatPaintingChanges) {
    FormPtr form = NewForm();
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetAutoSize(false);
    int paints = 0;
    // A control that sizes itself while painting (as an HTML label does)
    // gets another paint, and the form settles.
    form->OnPaint = [&](TObject*) {
        ++paints;
        label->SetHeight(40);
    };
    form->Show();
    form->InvalidateForm();
    form->PaintIfNeeded();
    EXPECT_EQ(paints, 2);
    EXPECT_FALSE(form->NeedsPaint());
}

TEST(FormModal, WithoutADriverAFormClosesAsCancelledAndSaysSo) {
    platform::TakeDebugOutput();
    FormPtr form = NewForm();
    form->SetCaption("Folders");
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(form->Visible());
    std::vector<std::string> lines = platform::TakeDebugOutput();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("\"Folders\" shown without a modal driver"), std::string::npos);
}

TEST(FormModal, OnCloseWithCaFreeReleasesTheForm) {
    TForm* form = new TForm(nullptr);
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    rtl::TLifeWatch watch = form->Watch();
    sim::ModalScript user;
    user.OnForm([](TForm&) { return mrOk; });
    forms::ScopedModalDriver driver(user);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(watch.Alive());
    platform::ProcessMessages();
    EXPECT_FALSE(watch.Alive());
}

TEST(FormModal, AMenuCommandOfAModalFormRunsTheSaveDialogThroughTheDriver) {
    FormPtr form = NewForm();
    form->SetCaption("Log");
    auto* menu = new TMainMenu(form.get());
    auto* save = new TMenuItem(form.get());
    save->SetCaption("Save &as ...");
    menu->Items()->Add(save);
    form->SetMenu(menu);
    auto* dialog = new TSaveDialog(form.get());
    dialog->Filter = "Text files (*.txt)|*.TXT";
    dialog->DefaultExt = "txt";
    std::vector<std::string> saved;
    save->OnClick = [&](TObject*) {
        if (dialog->Execute())
            saved.push_back(dialog->FileName);
    };
    sim::ModalScript user;
    user.OnForm([](TForm& f) {
            EXPECT_TRUE(controls::ChooseMenu(f, "Save as ..."));
            EXPECT_TRUE(controls::ChooseMenu(f, "Save as ..."));
            EXPECT_FALSE(controls::ChooseMenu(f, "Print"));
            return mrCancel;
        })
        .SaveAs("/tmp/log")
        .SaveAs("");
    forms::ScopedModalDriver driver(user);
    form->ShowModal();
    EXPECT_EQ(saved, std::vector<std::string>{"/tmp/log.txt"});
    std::vector<std::string> shown;
    for (const auto& d : user.Shown())
        shown.push_back(sim::ModalScript::Describe(d));
    EXPECT_EQ(shown,
              (std::vector<std::string>{"[Save] Save As -> /tmp/log.txt",
                                        "[Save] Save As -> Cancel", "[Form TForm] Log -> Cancel"}));
}
