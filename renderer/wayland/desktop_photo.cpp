#include "wayland/desktop_photo.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>
#include <vector>

#include "shell/messages.h"
#include "shell/portable_pixmap.h"

extern char** environ;

namespace {

// An 8K output is 100 MB as a pixmap; anything beyond a quarter of a gigabyte is no photograph.
constexpr std::size_t kLargestPhoto = std::size_t{1} << 28;

// grim's arguments: the photograph as a binary pixmap on its standard output.
std::vector<std::string> GrimArguments(const std::string& outputName) {
    std::vector<std::string> arguments = {"grim", "-t", "ppm"};
    if (!outputName.empty()) {
        arguments.insert(arguments.end(), {"-o", outputName});
    }
    arguments.push_back("-");
    return arguments;
}

// Reads the pipe to its end, up to the largest photograph; false where it holds more.
bool ReadAll(int pipe, std::vector<std::uint8_t>& bytes) {
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t got = read(pipe, chunk, sizeof chunk);
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (bytes.size() + static_cast<std::size_t>(got) > kLargestPhoto) {
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

// Runs grim with its standard output into a pipe; its messages go to ours. The process id, or
// -1 after saying why there is none.
pid_t StartGrim(const std::vector<std::string>& arguments, int& output) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        Fail("cannot photograph the desktop: " + ErrorText(errno));
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t grim = -1;
    const int failed = posix_spawnp(&grim, "grim", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (failed != 0) {
        close(ends[0]);
        Fail(failed == ENOENT
                 ? "grim, which photographs a Wayland desktop, is not installed: install it, or "
                   "show a picture instead (vorlenta --picture FILE)"
                 : "cannot start grim to photograph the desktop: " + ErrorText(failed));
        return -1;
    }
    output = ends[0];
    return grim;
}

bool Succeeded(pid_t process) {
    int status = 0;
    while (waitpid(process, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::optional<BitmapImage> PhotographOutput(const std::string& outputName) {
    int output = -1;
    const pid_t grim = StartGrim(GrimArguments(outputName), output);
    if (grim < 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    const bool whole = ReadAll(output, bytes);
    close(output);
    const std::string what = outputName.empty() ? "the desktop" : outputName;
    if (!Succeeded(grim) || !whole) {
        Fail("grim could not photograph " + what);
        return std::nullopt;
    }
    PixmapDecodeResult photo = DecodePortablePixmap(bytes.data(), bytes.size());
    if (!photo.image) {
        Fail("grim's photograph of " + what + ": " + photo.error);
    }
    return std::move(photo.image);
}
