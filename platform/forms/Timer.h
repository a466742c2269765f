// TTimer: the class library's timer component. It runs a window timer of the
// UI thread (platform/win/Timer.h) through a hidden window of its own and
// calls OnTimer every Interval milliseconds while Enabled and Interval is not
// 0 (a tick without handler does nothing). An exception
// escaping OnTimer is shown by the application (Application.h) and the timer
// goes on, as in the class library.
#pragma once

#include "platform/forms/Component.h"
#include "platform/rtl/Lifetime.h"
#include "platform/win/WinTypes.h"

struct TMessage;

// The window timers are used up.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

class TTimer : public TComponent {
public:
    // An enabled timer of 1000 milliseconds without handler.
    explicit TTimer(TComponent* AOwner);
    // Stops the timer and frees its window.
    ~TTimer() override;

    // True while the timer may run.
    bool Enabled() const { return enabled_; }
    // Starts or stops the timer.
    void SetEnabled(bool value);
    // The period in milliseconds.
    unsigned Interval() const { return interval_; }
    // Changes the period (the timer starts counting again); 0 stops it.
    void SetInterval(unsigned value);
    // The handler of each period, called with the timer as Sender.
    TNotifyEvent OnTimer;

protected:
    // Calls OnTimer when it is assigned.
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& message);

    bool enabled_ = true;
    unsigned interval_ = 1000;
    HWND window_ = nullptr;
    rtl::TLiveness liveness_;
};
