#pragma once

namespace forms {

// What the program's life needs of a loaded form: to discard it, window and all, when the
// program ends.
class LoadedForm {
  public:
    virtual void Discard() = 0;

  protected:
    ~LoadedForm() = default;
};

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

    // A form's load and unload; the last unload ends the event loop.
    static void FormLoaded(LoadedForm& form);
    static void FormUnloaded(LoadedForm& form);
};

}  // namespace forms
