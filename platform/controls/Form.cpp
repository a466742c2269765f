// TForm: the frame, modal showing, closing, focus and dialog keys, painting.
#include "platform/controls/Form.h"

#include "platform/controls/Menus.h"
#include "platform/forms/ModalDriver.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/RecordingCanvas.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Hook.h"
#include "platform/win/Window.h"

#include <algorithm>

namespace {

// The message a released form frees itself at.
constexpr UINT CM_RELEASE = 0xB000 + 33;
// Paints in a row before the form is taken as settled.
constexpr int kMaxPaintPasses = 4;

} // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    Screen().AddForm(this, this);
    SetVisible(false);
    StoreBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    liveness_.End();
    if (releaseWindow_)
        DeallocateHWnd(releaseWindow_);
    Screen().RemoveForm(this);
    // The components (and with them the controls) go while the form is
    // still a form, so that their parent can still be told.
    DestroyComponents();
}

void TForm::AfterConstruction() {
    DoCreate();
}

void TForm::BeforeDestruction() {
    TComponent::BeforeDestruction();
    DoDestroy();
    // The controls go while the form is still whole: their last events
    // (a tree releasing its nodes' data) may call the form's own handlers.
    DestroyComponents();
}

void TForm::DoCreate() {
    rtl::FireSurvives(liveness_, OnCreate, this);
}

void TForm::DoDestroy() {
    rtl::FireSurvives(liveness_, OnDestroy, this);
}

void TForm::Loaded() {
    // The frame is known now (the menu is set): the stored client size
    // applies while loading, so the controls stay where the text put them.
    int width = loadClientWidth_;
    int height = loadClientHeight_;
    if (width >= 0)
        SetClientWidth(width);
    if (height >= 0)
        SetClientHeight(height);
    loadClientWidth_ = loadClientHeight_ = -1;
    TWinControl::Loaded();
}

void TForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == menu_)
        menu_ = nullptr;
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    borderStyle_ = value;
    // A dialog frame has no minimise or maximise boxes.
    if (value == bsDialog || value == bsToolWindow || value == bsSizeToolWin)
        borderIcons_ -= TBorderIcons{biMinimize, biMaximize};
    AlignControls();
}

void TForm::SetMenu(TMainMenu* value) {
    menu_ = value;
    if (value)
        FreeNotification(value);
    AlignControls();
}

int TForm::BorderWidth() const {
    switch (borderStyle_) {
    case bsNone:
        return 0;
    case bsSizeable:
    case bsSizeToolWin:
        return 4;
    default:
        return 3;
    }
}

int TForm::CaptionHeight() const {
    switch (borderStyle_) {
    case bsNone:
        return 0;
    case bsToolWindow:
    case bsSizeToolWin:
        return 16;
    default:
        return 19;
    }
}

int TForm::MenuHeight() const {
    return menu_ && menu_->Items()->Count() > 0 && borderStyle_ != bsNone ? 19 : 0;
}

int TForm::ClientWidth() const {
    return std::max(0, Width() - 2 * BorderWidth());
}

int TForm::ClientHeight() const {
    return std::max(0, Height() - 2 * BorderWidth() - CaptionHeight() - MenuHeight());
}

void TForm::SetClientWidth(int value) {
    // While the stored form is read the frame is not known yet (the menu
    // comes later): the size is applied once it is read.
    if (Loading())
        loadClientWidth_ = value;
    SetWidth(value + 2 * BorderWidth());
}

void TForm::SetClientHeight(int value) {
    if (Loading())
        loadClientHeight_ = value;
    SetHeight(value + 2 * BorderWidth() + CaptionHeight() + MenuHeight());
}

POINT TForm::ClientOrigin() const {
    return POINT{Left() + BorderWidth(), Top() + BorderWidth() + CaptionHeight() + MenuHeight()};
}

void TForm::ApplyPosition() {
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
    case poMainFormCenter:
    case poOwnerFormCenter: {
        // The owner's form when it has one; an add-in has no main form of
        // its own, so the main-form centre is the screen's.
        RECT around = Rect(0, 0, Screen().Width(), Screen().Height());
        if (position_ == poOwnerFormCenter)
            if (auto* owner = dynamic_cast<TForm*>(Owner()))
                around = Rect(owner->Left(), owner->Top(), owner->Left() + owner->Width(),
                              owner->Top() + owner->Height());
        SetBounds(around.left + (around.right - around.left - Width()) / 2,
                  around.top + (around.bottom - around.top - Height()) / 2, Width(), Height());
        break;
    }
    default:
        break;
    }
}

bool TForm::CloseQuery(TCloseAction& action) {
    action = caHide;
    rtl::FireSurvives(liveness_, OnClose, this, action);
    return action != caNone;
}

TModalResult TForm::RunModal() {
    forms::ModalDriver* driver = forms::InstalledModalDriver();
    if (!driver)
        OutputDebugString(("Modal form " + ClassName() + " \"" + Caption() +
                           "\" shown without a modal driver: closed as cancelled")
                              .c_str());
    rtl::TLifeWatch watch = Watch();
    TModalResult result = driver ? driver->PlayForm(*this) : mrCancel;
    if (!watch)
        return result == mrNone ? mrCancel : result;
    if (result == mrNone)
        result = modalResult_;
    if (result == mrNone)
        result = mrCancel;
    if (driver) {
        forms::ShownDialog shown;
        shown.What = forms::ShownDialog::Kind::Form;
        shown.Caption = Caption();
        shown.Text = ClassName();
        shown.Result = result;
        driver->DialogShown(shown);
    }
    return result;
}

TModalResult TForm::ShowModal() {
    rtl::TLifeWatch watch = Watch();
    modalResult_ = mrNone;
    modal_ = true;
    SetVisible(true);
    if (!watch)
        return mrCancel;
    rtl::FireSurvives(liveness_, OnShow, this);
    if (!watch)
        return mrCancel;
    ApplyPosition();
    if (!activeControl_)
        SelectNext(true);
    invalid_ = true;
    PaintIfNeeded();
    // An OnClose that keeps the form open sends the user back to it; a
    // scripted user who never gets past it ends the showing as cancelled.
    TModalResult result = mrCancel;
    for (int round = 0; watch; ++round) {
        result = RunModal();
        if (!watch)
            break;
        modalResult_ = result;
        TCloseAction action;
        if (CloseQuery(action) || round + 1 >= forms::kMaxModalRounds) {
            if (watch && action == caFree)
                Release();
            break;
        }
        modalResult_ = mrNone;
    }
    if (!watch)
        return result;
    modal_ = false;
    SetVisible(false);
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
    return modalResult_;
}

void TForm::Close() {
    // A modal form closes when its showing ends, which runs OnClose then.
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    TCloseAction action;
    rtl::TLifeWatch watch = Watch();
    if (!CloseQuery(action) || !watch)
        return;
    SetVisible(false);
    if (action == caFree)
        Release();
}

void TForm::Release() {
    if (!releaseWindow_)
        releaseWindow_ = AllocateHWnd([this](TMessage& message) {
            if (message.Msg == CM_RELEASE)
                Free();
        });
    PostMessage(releaseWindow_, CM_RELEASE, 0, 0);
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_)
        return;
    rtl::TLifeWatch watch = Watch();
    TWinControl* old = activeControl_;
    activeControl_ = control;
    if (old) {
        old->Invalidate();
        old->DoExit();
        if (!watch)
            return;
    }
    if (control && activeControl_ == control) {
        control->Invalidate();
        control->DoEnter();
    }
}

void TForm::SelectNext(bool forward) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return;
    auto at = std::find(list.begin(), list.end(), activeControl_);
    size_t start =
        at == list.end() ? (forward ? list.size() - 1 : 0) : static_cast<size_t>(at - list.begin());
    for (size_t step = 1; step <= list.size(); ++step) {
        size_t i = forward ? (start + step) % list.size()
                           : (start + list.size() - step % list.size()) % list.size();
        TWinControl* candidate = list[i];
        if (candidate->TabStop() && candidate->CanFocus()) {
            SetActiveControl(candidate);
            return;
        }
    }
}

namespace {

// Offers a dialog key to every control on `parent`, depth first, until one takes it.
bool BroadcastDialogKey(TWinControl& parent, WORD key) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        if (c->Visible() && c->Enabled() && c->DialogKey(key))
            return true;
        if (auto* windowed = dynamic_cast<TWinControl*>(c))
            if (c->Visible() && c->Enabled() && BroadcastDialogKey(*windowed, key))
                return true;
    }
    return false;
}

} // namespace

bool TForm::DialogKey(WORD Key) {
    switch (Key) {
    case VK_TAB:
        SelectNext(true);
        return true;
    case VK_RETURN:
    case VK_ESCAPE:
        return BroadcastDialogKey(*this, Key);
    default:
        return false;
    }
}

void TForm::Paint() {
    TWinControl::Paint();
    rtl::FireSurvives(liveness_, OnPaint, this);
}

void TForm::PaintIfNeeded() {
    if (painting_)
        return;
    rtl::TLifeWatch watch = Watch();
    painting_ = true;
    for (int pass = 0; pass < kMaxPaintPasses && invalid_ && watch; ++pass) {
        invalid_ = false;
        TRecordingCanvas screen(ClientWidth(), ClientHeight());
        PaintTo(screen, 0, 0);
    }
    if (watch)
        painting_ = false;
}

void TForm::ControlRemoved(TControl* control) {
    if (!activeControl_)
        return;
    for (const TControl* c = activeControl_; c; c = c->Parent())
        if (c == control) {
            activeControl_ = nullptr;
            return;
        }
}
