#pragma once

#include <windows.h>

#include <functional>

#include "forms/form.h"

namespace forms {

// A timer control: ticks are events of the form's window, on the user-interface thread, and a
// tick never starts while the previous one of the same timer is still running.
class Timer : private FormTimer {
  public:
    Timer(Form& form, UINT intervalMs, std::function<void()> onTimer);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    void SetInterval(UINT intervalMs);

  private:
    // FormTimer
    void Arm() override;
    void Disarm() override;
    void Tick() override;
    UINT_PTR Id() { return reinterpret_cast<UINT_PTR>(static_cast<FormTimer*>(this)); }

    Form& form_;
    UINT intervalMs_;
    std::function<void()> onTimer_;
    bool enabled_ = false;
    bool ticking_ = false;
};

}  // namespace forms
