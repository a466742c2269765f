// How each control paints, on the recording canvas: a label and a button
// worked out by hand, and every control in its states against a golden file.
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TreeView.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/RecordingCanvas.h"
#include "tests/support/Golden.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A shown form at the screen's top-left holding the controls under test.
struct Host {
    TForm* form = new TForm(nullptr);
    Host() {
        form->SetBorderStyle(bsDialog);
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        form->Show();
    }
    ~Host() { delete form; }
    template <class T> T* Add(int left, int top, int width = -1, int height = -1) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width < 0 ? c->Width() : width, height < 0 ? c->Height() : height);
        return c;
    }
};

// The control painted alone at (0, 0) of a fresh recording.
std::string Recording(TControl& control) {
    TRecordingCanvas canvas(400, 300);
    control.PaintTo(canvas, 0, 0);
    return canvas.Text();
}

} // namespace

TEST(ControlPaint, ALabelFillsItsBoxAndWritesItsCaption) {
    Host host;
    auto* label = host.Add<TLabel>(10, 20);
    label->SetCaption("Hello");
    // Auto-sized to five characters of 6 x 11 on the fixed grid.
    EXPECT_EQ(label->BoundsRect(), Rect(10, 20, 40, 31));
    TRecordingCanvas canvas(400, 300);
    host.form->PaintTo(canvas, 0, 0);
    std::vector<std::string> lines = canvas.Lines();
    std::vector<std::string> expected = {
        "Clip (10,20)-(40,31)",
        "FillRect (10,20)-(40,31) brush=clBtnFace/bsSolid",
        "Text (10,20) \"Hello\" font=\"Tahoma\"/8/clWindowText clip=(10,20)-(40,31)",
    };
    auto at = std::search(lines.begin(), lines.end(), expected.begin(), expected.end());
    EXPECT_NE(at, lines.end()) << canvas.Text();
}

TEST(ControlPaint, ADisabledLabelIsEmbossed) {
    Host host;
    auto* label = host.Add<TLabel>(0, 0);
    label->SetCaption("Off");
    label->SetEnabled(false);
    TRecordingCanvas canvas;
    label->PaintTo(canvas, 0, 0);
    std::vector<std::string> lines = canvas.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Text (1,1) \"Off\" font=\"Tahoma\"/8/clBtnHighlight clip=(1,1)-(19,12)"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Text (0,0) \"Off\" font=\"Tahoma\"/8/clBtnShadow clip=(0,0)-(18,11)"),
              lines.end());
}

TEST(ControlPaint, TheDefaultButtonHasABlackFrameAndACentredCaption) {
    Host host;
    auto* button = host.Add<TButton>(0, 0);
    button->SetCaption("OK");
    button->SetDefault(true);
    std::vector<std::string> lines;
    TRecordingCanvas canvas;
    button->PaintTo(canvas, 0, 0);
    lines = canvas.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "FrameRect (0,0)-(75,25) brush=cl3DDkShadow/bsSolid");
    // 75 x 25 less the frame and the edges; "OK" is 12 x 11, centred.
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Text (31,7) \"OK\" font=\"Tahoma\"/8/clWindowText clip=(0,0)-(75,25)"),
              lines.end())
        << canvas.Text();
}

TEST(ControlPaint, EveryControlPaintsAsTheGoldenFileShows) {
    Host host;
    std::string out;
    auto add = [&out](const std::string& title, TControl& c) {
        out += "== " + title + "\n" + Recording(c);
    };
    auto* label = host.Add<TLabel>(0, 0);
    label->SetCaption("A &label");
    add("label", *label);
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetBounds(0, 0, 40, 40);
    label->SetCaption("wrapped words here");
    label->SetAlignment(taCenter);
    label->SetTransparent(true);
    add("label wrapped centred transparent", *label);

    auto* button = host.Add<TButton>(0, 0);
    button->SetCaption("Cancel");
    add("button", *button);
    button->SetFocus();
    add("button focused", *button);
    button->SetEnabled(false);
    add("button disabled", *button);

    auto* box = host.Add<TCheckBox>(0, 0);
    box->SetCaption("Ask");
    add("check box", *box);
    box->SetChecked(true);
    box->SetFocus();
    add("check box checked focused", *box);

    auto* edit = host.Add<TEdit>(0, 0);
    edit->SetText("C:\\Mail");
    add("edit", *edit);
    edit->SetEnabled(false);
    add("edit disabled", *edit);

    auto* memo = host.Add<TMemo>(0, 0, 120, 60);
    memo->Lines()->Add("first line");
    memo->Lines()->Add("second line");
    memo->SetScrollBars(ssBoth);
    add("memo with both scroll bars", *memo);

    auto* group = host.Add<TGroupBox>(0, 0, 100, 50);
    group->SetCaption("Actions");
    add("group box", *group);

    auto* panel = host.Add<TPanel>(0, 0, 80, 30);
    panel->SetCaption("Panel");
    panel->SetBevelInner(bvLowered);
    add("panel raised and lowered", *panel);

    auto* bevel = host.Add<TBevel>(0, 0, 30, 20);
    add("bevel box", *bevel);
    bevel->SetShape(bsTopLine);
    add("bevel top line", *bevel);

    auto* image = host.Add<TImage>(0, 0, 40, 40);
    auto bitmap = std::make_unique<TBitmap>(16, 16);
    image->Picture()->SetGraphic(std::move(bitmap));
    image->SetCenter(true);
    add("image centred", *image);
    image->SetStretch(true);
    add("image stretched", *image);

    auto* tree = host.Add<TTreeView>(0, 0, 150, 80);
    TTreeNode* store = tree->Items()->Add(nullptr, "Mailbox");
    tree->Items()->AddChild(store, "Inbox");
    TTreeNode* sent = tree->Items()->AddChild(store, "Sent Items");
    tree->Items()->AddChild(sent, "2024");
    tree->Items()->Add(nullptr, "Archive")->SetHasChildren(true);
    store->Expand(false);
    tree->SetSelected(sent);
    tree->SetFocus();
    add("tree view", *tree);
    tree->SetRowSelect(true);
    add("tree view row select", *tree);

    auto* list = host.Add<TListView>(0, 0, 200, 70);
    list->Columns()->Add()->SetCaption("Folder");
    list->Columns()->Items(0)->SetWidth(80);
    list->Columns()->Add()->SetCaption("Path");
    list->Columns()->Items(1)->SetWidth(100);
    for (const char* path : {"Mailbox\\Inbox", "Archive\\2023"}) {
        TListItem* item = list->Items()->Add();
        std::string p = path;
        item->SetCaption(p.substr(p.find('\\') + 1));
        item->SubItems()->Add(p);
    }
    list->SetItemIndex(1);
    list->SetFocus();
    add("list view", *list);

    testsupport::ExpectGolden("controls-paint.txt", out);
}
