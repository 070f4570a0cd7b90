#pragma once

namespace forms {

class Form;

// The program's life as the forms see it: it lives while a form is loaded, and an explicit end
// stops it at once, without any further form event.
class Runtime {
  public:
    // Runs the event loop until no form is loaded or the program is ended; returns the exit
    // code. Returns at once when nothing is loaded.
    static int Run();
    // Ends the program: every loaded form is discarded without events and the loop returns.
    static void End();
    static bool Ended();
    static int LoadedFormCount();

  private:
    friend class Form;
    static void FormLoaded(Form& form);
    static void FormUnloaded(Form& form);
};

}  // namespace forms
