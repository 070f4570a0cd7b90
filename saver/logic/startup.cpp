#include "logic/startup.h"

#include "logic/command_line.h"
#include "logic/window_titles.h"
#include "rules/shared_values.h"

namespace {

bool AnotherInstanceRuns(StartupPorts& ports) {
    // Both titles are looked for every time, whatever the first answer.
    const bool runFormFound = ports.WindowExists(kRunFormTitle);
    const bool dialogFound = ports.WindowExists(kSettingsDialogTitle);
    return runFormFound || dialogFound;
}

}  // namespace

void Main(std::string_view commandLine, StartupPorts& ports) {
    if (AnotherInstanceRuns(ports)) {
        ports.EndProgram();
        return;
    }
    const StartRequest request = ParseCommandLine(commandLine);
    if (request.mode == SaverMode::Preview) {
        ports.ShowPreview(request.previewHandle);
        return;
    }
    ports.CreateHandOffDirectory();
    ports.LoadSettings();
    switch (request.mode) {
        case SaverMode::Configure:
            ports.ShowSettingsDialogModal();
            ports.EndProgram();
            return;
        case SaverMode::Other:
            ports.EndProgram();
            return;
        case SaverMode::Run:
            CursorCount = ports.ShowCursor(false);
            break;
        case SaverMode::RunShown:
        case SaverMode::Preview:
            break;
    }
    ports.LoadRunForm(request.modeLetter);
}
