#include "wayland/black_cover.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "wayland/wayland_display.h"

namespace {

constexpr int kBytesPerPixel = 4;

// A buffer of black pixels in memory shared with the compositor; null where none can be made.
wl_buffer* BlackBuffer(wl_shm* shm, int width, int height) {
    const int stride = width * kBytesPerPixel;
    const std::size_t size = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    const int file = memfd_create("vorlenta-cover", MFD_CLOEXEC);
    if (file < 0 || ftruncate(file, static_cast<off_t>(size)) != 0) {
        if (file >= 0) {
            close(file);
        }
        return nullptr;
    }
    // A new file's bytes are zeros: black, and opaque in XRGB.
    wl_shm_pool* pool = wl_shm_create_pool(shm, file, static_cast<std::int32_t>(size));
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(file);
    return buffer;
}

}  // namespace

BlackCover::BlackCover(const WaylandDisplay& display, wl_output* output)
    : window_(display, "Vorlenta cover", output, true, 1, 1) {}

BlackCover::~BlackCover() {
    if (buffer_ != nullptr) {
        wl_buffer_destroy(buffer_);
    }
}

void BlackCover::Paint(const WaylandDisplay& display) {
    if (!window_.Configured() || (window_.Width() == width_ && window_.Height() == height_)) {
        return;
    }
    if (buffer_ != nullptr) {
        wl_buffer_destroy(buffer_);
    }
    width_ = window_.Width();
    height_ = window_.Height();
    buffer_ = BlackBuffer(display.Shm(), width_, height_);
    wl_surface_attach(window_.Surface(), buffer_, 0, 0);
    wl_surface_damage(window_.Surface(), 0, 0, width_, height_);
    wl_surface_commit(window_.Surface());
}
