#include "forms/timer.h"

#include <utility>

#include "forms/runtime.h"

namespace forms {

Timer::Timer(Form& form, UINT intervalMs, std::function<void()> onTimer)
    : form_(form), intervalMs_(intervalMs), onTimer_(std::move(onTimer)) {
    form_.AddTimer(*this);
}

Timer::~Timer() {
    Disarm();
    form_.RemoveTimer(*this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        Arm();
    } else {
        Disarm();
    }
}

void Timer::SetInterval(UINT intervalMs) {
    intervalMs_ = intervalMs;
    if (enabled_) {
        Arm();  // restarts the count, as a new interval does
    }
}

// The platform timer lives on the form's window; a timer enabled before its form is loaded
// starts when the form's window comes.
void Timer::Arm() {
    if (enabled_ && intervalMs_ > 0 && form_.WindowHandle() != nullptr) {
        SetTimer(form_.WindowHandle(), Id(), intervalMs_, nullptr);
    }
}

void Timer::Disarm() {
    if (form_.WindowHandle() != nullptr) {
        KillTimer(form_.WindowHandle(), Id());
    }
}

void Timer::Tick() {
    // A handler that runs a nested event loop would otherwise see its own timer again.
    if (!enabled_ || ticking_ || Runtime::Ended()) {
        return;
    }
    ticking_ = true;
    onTimer_();
    ticking_ = false;
}

}  // namespace forms
