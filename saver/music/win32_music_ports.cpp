#include "win32_music_ports.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <vector>

#include "music_player.h"
#include "settings.h"
#include "win32/running_program.h"

static_assert(kSoundAsync == SND_ASYNC && kSoundLoop == SND_LOOP);

namespace {

// The profile functions cannot address a longer path, and some versions then answer from the
// file used before; such a path is treated as a missing file instead of being handed on.
bool ProfileCanAddress(const char* file) {
    return std::strlen(file) < MAX_PATH;
}

}  // namespace

void Win32ProfilePort::ReadProfileValue(const char* section, const char* key, char* buffer,
                                        std::uint32_t size, const char* file) {
    if (!ProfileCanAddress(file)) {
        if (size > 0) {
            buffer[0] = '\0';
        }
        return;
    }
    GetPrivateProfileStringA(section, key, "", buffer, size, file);
}

std::int32_t Win32ProfilePort::WriteProfileValue(const char* section, const char* key,
                                                 const char* value, const char* file) {
    if (!ProfileCanAddress(file)) {
        return FALSE;
    }
    return WritePrivateProfileStringA(section, key, value, file);
}

// Opening a folder can succeed on some systems, so folders are ruled out by their attributes
// first; the open itself then proves the file is readable now.
bool Win32ProfilePort::OpensForReading(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::string Win32ProfilePort::ProgramFolder() {
    return RunningProgramFolder();
}

std::uint32_t Win32MciPort::SendString(const char* command, char* reply,
                                       std::uint32_t replyLength) {
    return mciSendStringA(command, reply, replyLength, nullptr);
}

bool Win32MciPort::GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) {
    return mciGetErrorStringA(error, buffer, length) != FALSE;
}

std::uint32_t Win32MciPort::WaveOutDeviceCount() {
    return waveOutGetNumDevs();
}

std::int32_t Win32MciPort::PlayWaveSound(const char* sound, std::uint32_t flags) {
    return PlaySoundA(sound, nullptr, flags);
}

void UseWin32MusicPorts() {
    static Win32ProfilePort profilePort;
    static Win32MciPort mciPort;
    UseProfilePort(&profilePort);
    UseMciPort(&mciPort);
}
