#pragma once

#include <windows.h>

#include <string>

namespace forms {

// The forms are designed at 96 dots per inch, where a pixel is 15 twips (a twip is 1/1440
// inch). The program does not declare itself aware of display scaling, so Windows shows it at
// that resolution and scales the windows itself; the units stay fixed even where the system
// would not (Wine, which treats every program as aware of the real resolution).
inline constexpr int kDesignDotsPerInch = 96;
double TwipsPerPixel();
// Design units to pixels and back, to the nearest whole one.
int PixelsOf(double twips);
int TwipsOf(double pixels);
int ScreenWidthPixels();
int ScreenHeightPixels();

// From here on this thread sees the screen's real pixels at any display scaling: per monitor
// where Windows offers it (looked up at run time, so that the program still starts on Windows
// 7), the system's resolution where only that exists. Windows created afterwards are aware of
// the scaling too. False when the system has no way to say so.
bool UseRealScreenPixels();

// Who may open what the program writes. A private file is the user's alone: only the user
// running the program, and the system itself, which services such as backup act as, may
// open it. A shared folder lets every signed-in user put files of their own into it, each
// private to its owner, without seeing anyone else's. Without a descriptor (Windows could not
// say who the user is) a file or folder takes its parent's rights, as it always did.
class Access {
  public:
    enum class Kind { PrivateFile, SharedFolder };
    explicit Access(Kind kind);
    ~Access();
    Access(const Access&) = delete;
    Access& operator=(const Access&) = delete;

    // For CreateFileW and CreateDirectoryW; null when no descriptor could be made.
    SECURITY_ATTRIBUTES* Attributes();

  private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_ATTRIBUTES attributes_{};
};

// Fails when the directory exists or cannot be made.
bool MakeDirectory(const std::wstring& path, Access& access);

bool TopLevelWindowExists(const char* title);

// Puts the display back into the mode stored for it when it stands in another one; a display
// already in its stored mode is left alone, so that nothing flickers.
void RestoreStoredDisplayMode();

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
// the given show state, and lets it take the foreground, which Windows grants only to a program
// that the one in the foreground hands it to. An empty Process when it could not be started.
Process StartProgram(const std::wstring& path, int showState);

}  // namespace forms
