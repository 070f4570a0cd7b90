#pragma once

#include <windows.h>

#include <string>

namespace forms {

// Screen units: a twip is 1/1440 inch; at 96 dots per inch a pixel is 15 twips.
double TwipsPerPixelX();
double TwipsPerPixelY();
int ScreenWidthPixels();
int ScreenHeightPixels();

// Fails when the directory exists or cannot be made.
bool MakeDirectory(const std::string& path);

bool TopLevelWindowExists(const char* title);

// The screen's mouse pointer, shown over every window of the program (the hourglass while it
// is busy); null gives each window its own pointer again.
void SetScreenMousePointer(HCURSOR pointer);
HCURSOR ScreenMousePointer();

// A started program, held until released; the screen saver never waits for it to end.
class Process {
  public:
    Process() = default;
    explicit Process(HANDLE handle) : handle_(handle) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    bool Running() const;
    HANDLE Handle() const { return handle_; }
    void Release();

  private:
    HANDLE handle_ = nullptr;
};

// Starts the program at exactly this path (never searched for) with a quoted command line and
// the given show state. An empty Process when it could not be started.
Process StartProgram(const std::string& path, int showState);

}  // namespace forms
