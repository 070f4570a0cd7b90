#pragma once

#include <memory>

#include "wayland/show_window.h"

class WaylandDisplay;

// A black window over a whole output that the scene is not on, so that nothing the user had
// open shows beside the show. Its pixels are one shared-memory buffer, filled once.
class BlackCover {
  public:
    BlackCover(const WaylandDisplay& display, wl_output* output);
    ~BlackCover();
    BlackCover(const BlackCover&) = delete;
    BlackCover& operator=(const BlackCover&) = delete;

    // Fills the window at the size the compositor gave it, once it has given one.
    void Paint(const WaylandDisplay& display);

  private:
    ShowWindow window_;
    wl_buffer* buffer_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
