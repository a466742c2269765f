// TTimer: a window timer behind a hidden window.
#include "platform/forms/Timer.h"

#include "platform/forms/Application.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    window_ = AllocateHWnd([this](TMessage& message) { WndProc(message); });
    // OnTimer is a plain handler field here, so assigning it cannot start the
    // timer as the class library's setter does: the timer runs from the start
    // and a tick without handler does nothing.
    UpdateTimer();
}

TTimer::~TTimer() {
    enabled_ = false;
    UpdateTimer();
    DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
    if (value == interval_)
        return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    KillTimer(window_, kTimerId);
    if (interval_ != 0 && enabled_ && SetTimer(window_, kTimerId, interval_, nullptr) == 0)
        throw EOutOfResources("Not enough timers available");
}

void TTimer::WndProc(TMessage& message) {
    if (message.Msg != WM_TIMER) {
        message.Result = DefWindowProc(window_, message.Msg, message.WParam, message.LParam);
        return;
    }
    try {
        Timer();
    } catch (const Exception& e) {
        Application().ShowException(e);
    }
}

void TTimer::Timer() {
    // The handler may free the timer (its owner turned off): nothing of the
    // timer is touched after it.
    rtl::FireSurvives(liveness_, OnTimer, this);
}
