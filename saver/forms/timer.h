#pragma once

#include <windows.h>

#include <functional>

namespace forms {

class Form;

// A timer control: ticks are events of the form's window, on the user-interface thread, and a
// tick never starts while the previous one of the same timer is still running.
class Timer {
  public:
    Timer(Form& form, UINT intervalMs, std::function<void()> onTimer);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return intervalMs_; }
    void SetInterval(UINT intervalMs);

  private:
    friend class Form;
    void Arm();
    void Disarm();
    void Tick();

    Form& form_;
    UINT intervalMs_;
    std::function<void()> onTimer_;
    bool enabled_ = false;
    bool ticking_ = false;
};

}  // namespace forms
