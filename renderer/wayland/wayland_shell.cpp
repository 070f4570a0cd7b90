#include "wayland/wayland_shell.h"

#include <GL/gl.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gl/overlay_text.h"
#include "gl/scene.h"
#include "gl/viewport.h"
#include "hand_off/hand_off.h"
#include "headless/headless_frame.h"
#include "shell/frame_pacing.h"
#include "shell/frame_step.h"
#include "shell/messages.h"
#include "shell/picture_file.h"
#include "timing/frame_timing.h"
#include "wayland/black_cover.h"
#include "wayland/desktop_photo.h"
#include "wayland/egl_surface.h"
#include "wayland/seat_input.h"
#include "wayland/show_window.h"
#include "wayland/wayland_display.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
// How long the compositor may take to show a window and say where it did.
constexpr std::chrono::seconds kWindowWait{5};

const char kNoScreenCopy[] =
    "this Wayland compositor lets no program photograph the screen (it offers no "
    "wlr-screencopy, as GNOME and KDE do not): show a picture instead, vorlenta --picture FILE "
    "(a Windows bitmap, or a binary PPM such as grim -t ppm writes)";

// A photograph of each output, taken before the show covers any of them.
struct OutputPhoto {
    wl_output* output;
    BitmapImage picture;
};

// Handles what the compositor sent, waiting for more until DUE at the latest, so that Escape,
// a close and a signal are seen at once whatever the pace. False once the connection is lost.
bool DispatchUntil(wl_display* display, PacingClock::time_point due) {
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0) {
            return false;
        }
    }
    wl_display_flush(display);
    const auto left = std::max(std::chrono::nanoseconds::zero(), due - PacingClock::now());
    const timespec timeout{static_cast<time_t>(left.count() / 1000000000),
                           static_cast<long>(left.count() % 1000000000)};
    pollfd connection{wl_display_get_fd(display), POLLIN, 0};
    if (ppoll(&connection, 1, &timeout, nullptr) > 0 && (connection.revents & POLLIN)) {
        if (wl_display_read_events(display) < 0) {
            return false;
        }
    } else {
        wl_display_cancel_read(display);
    }
    return wl_display_dispatch_pending(display) >= 0 && wl_display_get_error(display) == 0;
}

// Handles the compositor's events until DONE holds or the wait is over. False when it does not.
template <typename Done>
bool DispatchUntilDone(wl_display* display, Done done) {
    const PacingClock::time_point deadline = PacingClock::now() + kWindowWait;
    while (!done()) {
        if (PacingClock::now() >= deadline ||
            !DispatchUntil(display, PacingClock::now() + std::chrono::milliseconds(20))) {
            return false;
        }
    }
    return true;
}

std::vector<OutputPhoto> PhotographOutputs(const WaylandDisplay& display) {
    if (display.Outputs().empty()) {
        Fail("the Wayland compositor shows no output to photograph");
        return {};
    }
    std::vector<OutputPhoto> photos;
    for (const auto& output : display.Outputs()) {
        std::optional<BitmapImage> photo = PhotographOutput(output->name);
        if (!photo) {
            return {};
        }
        photos.push_back({output->output, std::move(*photo)});
    }
    return photos;
}

// Shows the window, black, until the compositor says on which output it did (some never do).
void ShowBlack(const WaylandDisplay& display, const ShowWindow& window, EglSurface& egl) {
    glClear(GL_COLOR_BUFFER_BIT);
    egl.Swap();
    DispatchUntilDone(display.Display(), [&window] { return window.ShownOn() != nullptr; });
}

// The photograph of the output the window appeared on; the first one where the compositor did
// not say.
BitmapImage PhotoBehind(const ShowWindow& window, std::vector<OutputPhoto>& photos) {
    for (OutputPhoto& photo : photos) {
        if (photo.output == window.ShownOn()) {
            return std::move(photo.picture);
        }
    }
    return std::move(photos.front().picture);
}

// Where the compositor did not say which output the scene is on, nothing is covered, rather than
// the scene itself.
std::vector<std::unique_ptr<BlackCover>> CoverOtherOutputs(const WaylandDisplay& display,
                                                           const ShowWindow& window) {
    std::vector<std::unique_ptr<BlackCover>> covers;
    if (window.ShownOn() == nullptr) {
        return covers;
    }
    for (const auto& output : display.Outputs()) {
        if (output->output != window.ShownOn()) {
            covers.push_back(std::make_unique<BlackCover>(display, output->output));
        }
    }
    return covers;
}

// Everything the animation loop works with.
struct Show {
    const WaylandDisplay& display;
    ShowWindow& window;
    EglSurface& egl;
    const SeatInput& input;
    std::vector<std::unique_ptr<BlackCover>>& covers;
    std::chrono::microseconds period;
    bool (*stopRequested)();
    const BuiltInFont* frameRateFont;  // none without -fps
    FrameRateMeter meter;
};

void FollowCompositor(Show& show) {
    for (const auto& cover : show.covers) {
        cover->Paint(show.display);
    }
    if (show.window.TakeResize()) {
        show.egl.Resize(show.window.Width(), show.window.Height());
        ResizeViewport(show.window.Width(), show.window.Height());
    }
}

// The frame rate goes over the drawn frame, and is counted once the frame is swapped.
void PresentFrame(Show& show) {
    if (show.frameRateFont != nullptr) {
        DrawOverlayText(*show.frameRateFont, show.meter.Text(), show.window.Width(),
                        show.window.Height());
    }
    show.egl.Swap();
    NoteSwappedFrame();
    show.meter.NoteFrame(PacingClock::now());
}

// The same frame step as the other shells', with Escape looked at only at the end of a frame.
// Returns false when the connection to the compositor was lost.
bool Animate(Show& show) {
    PacingClock::time_point due = PacingClock::now();
    for (;;) {
        if (!DispatchUntil(show.display.Display(), due)) {
            return false;
        }
        if (show.stopRequested() || show.window.CloseRequested()) {
            return true;
        }
        FollowCompositor(show);
        if (PacingClock::now() < due) {
            continue;
        }
        StepFrame(true, [&show] { PresentFrame(show); });
        due = NextFrameDue(due, PacingClock::now(), show.period);
        if (show.input.EscapeDown()) {
            return true;
        }
    }
}

std::unique_ptr<WaylandDisplay> ConnectForShow() {
    std::unique_ptr<WaylandDisplay> display = WaylandDisplay::Connect();
    if (display != nullptr && !display->Missing().empty()) {
        Fail("this Wayland compositor offers no " + display->Missing() + ", which the show needs");
        return nullptr;
    }
    return display;
}

bool CanPhotograph(const WaylandDisplay& display) {
    if (!display.ScreenCopyOffered()) {
        Fail(kNoScreenCopy);
        return false;
    }
    return true;
}

// The scene set up in the window, shown black meanwhile, with the picture given or the
// photograph of the output the window is on. The picture goes with this function: the texture
// holds it now.
void SetUpScene(const WaylandDisplay& display, ShowWindow& window, EglSurface& egl,
                std::optional<BitmapImage>& picture, std::vector<OutputPhoto>& photos) {
    window.TakeResize();
    ResizeViewport(window.Width(), window.Height());
    ShowBlack(display, window, egl);
    BitmapImage desktop = picture ? std::move(*picture) : PhotoBehind(window, photos);
    photos.clear();
    InitScene(desktop);
}

// Runs the show until it ends; the exit code.
int RunShow(const WaylandDisplay& display, ShowWindow& window, EglSurface& egl,
            const LaunchOptions& options, bool (*stopRequested)()) {
    std::vector<std::unique_ptr<BlackCover>> covers;
    if (options.target != DrawTarget::Window) {
        covers = CoverOtherOutputs(display, window);
    }
    SeatInput input(display.Seat());
    const BuiltInFont frameRateFont;
    Show show{display,
              window,
              egl,
              input,
              covers,
              std::chrono::microseconds(options.delayMicroseconds),
              stopRequested,
              options.showFrameRate ? &frameRateFont : nullptr,
              {}};
    const bool kept = Animate(show);
    ReportFrameTiming();
    if (!kept) {
        Fail("lost the connection to the Wayland display");
    }
    return kept ? 0 : 1;
}

}  // namespace

int RunOnWayland(const LaunchOptions& options, bool (*stopRequested)()) {
    std::optional<BitmapImage> picture;
    if (!options.picture.empty() && !(picture = ReadPictureFile(options.picture))) {
        return 1;
    }
    const std::unique_ptr<WaylandDisplay> display = ConnectForShow();
    if (display == nullptr || (!picture && !CanPhotograph(*display))) {
        return 1;
    }
    std::vector<OutputPhoto> photos;
    if (!picture && (photos = PhotographOutputs(*display)).empty()) {
        return 1;
    }
    ShowWindow window(*display, kRendererWindowTitle, nullptr, options.target != DrawTarget::Window,
                      kWindowWidth, kWindowHeight);
    if (!DispatchUntilDone(display->Display(), [&window] { return window.Configured(); })) {
        Fail("the Wayland compositor did not show the show's window");
        return 1;
    }
    EglSurface egl(display->Display(), window.Surface(), window.Width(), window.Height());
    if (!egl.Current()) {
        Fail("no OpenGL context for a Wayland window (Mesa's EGL for Wayland)");
        return 1;
    }
    SetUpScene(*display, window, egl, picture, photos);
    return RunShow(*display, window, egl, options, stopRequested);
}

int SaveWaylandDesktop(const LaunchOptions& options) {
    const std::unique_ptr<WaylandDisplay> display = ConnectForShow();
    if (display == nullptr || !CanPhotograph(*display) || display->Outputs().empty()) {
        return 1;
    }
    const std::optional<BitmapImage> photo = PhotographOutput(display->Outputs().front()->name);
    return photo && WritePng(options.out, photo->width, photo->height, photo->pixels) ? 0 : 1;
}
