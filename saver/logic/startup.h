#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Display count of the last ShowCursor of the run mode: written when Main hides the cursor,
// rewritten when the run form shows it again.
extern int32_t CursorCount;
// Result of the last platform call that keeps one; nothing examines it.
extern int32_t ApiResult;

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
