#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The start-up procedure's order of steps, apart from the platform.
class StartupPorts {
  public:
    virtual ~StartupPorts() = default;
    // A top-level window with this title exists, hidden or not.
    virtual bool WindowExists(const char* title) = 0;
    virtual void ShowPreview(uint32_t previewHandle) = 0;
    virtual void CreateHandOffDirectory() = 0;
    virtual void LoadSettings() = 0;
    // Returns when the dialog has closed.
    virtual void ShowSettingsDialogModal() = 0;
    virtual int32_t ShowCursor(bool show) = 0;
    // The run form, told the mode letter it was started with.
    virtual void LoadRunForm(const std::string& modeLetter) = 0;
    virtual void EndProgram() = 0;
};

// Main: refuses to run beside another instance, then hands over by the command line's mode.
// On return the program lives on only if a form was loaded.
void Main(std::string_view commandLine, StartupPorts& ports);
