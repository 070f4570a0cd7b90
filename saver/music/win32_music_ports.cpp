#include "music/win32_music_ports.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "music/music_player.h"
#include "music/settings.h"
#include "system/running_program.h"
#include "system/system_library.h"
#include "system/wide_text.h"

static_assert(kSoundAsync == SND_ASYNC && kSoundLoop == SND_LOOP);

namespace {

// The profile functions cannot address a longer path, and some versions then answer from the
// file used before; such a path is treated as a missing file instead of being handed on. A path
// without its folder (the program folder had no ANSI form) would name a file in the current
// folder or the drive's root, which is not ours either.
bool ProfileCanAddress(const char* file) {
    const std::size_t length = std::strlen(file);
    const bool drivePath = length > 2 && file[1] == ':' && file[2] == '\\';
    const bool networkPath = length > 2 && file[0] == '\\' && file[1] == '\\';
    return (drivePath || networkPath) && length < MAX_PATH;
}

// The multimedia library is loaded only when music plays: most runs, and every settings
// dialog, never need it.
template <typename Function>
Function Multimedia(const char* name) {
    return SystemFunction<Function>(L"winmm.dll", name);
}

// The reply of a wide call back in the ANSI code page the music player works in, cut to the
// caller's buffer as the ANSI call would.
void CopyReply(const std::wstring& reply, char* buffer, std::uint32_t length) {
    if (buffer == nullptr || length == 0) {
        return;
    }
    const std::string ansi = Narrow(reply.c_str(), CP_ACP);
    const std::size_t copied = std::min<std::size_t>(ansi.size(), length - 1);
    std::memcpy(buffer, ansi.data(), copied);
    buffer[copied] = '\0';
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
    const std::wstring widePath = Widen(path, CP_ACP);
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    const HANDLE file =
        CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// The settings file's path must stay ANSI for the profile functions, so a folder whose name
// leaves the code page is given by its short form.
std::string Win32ProfilePort::ProgramFolder() {
    return AnsiPathOf(RunningProgramFolder());
}

// The player's command strings are ANSI text; the wide call carries them, and so any file name
// the ANSI text names, unchanged.
std::uint32_t Win32MciPort::SendString(const char* command, char* reply,
                                       std::uint32_t replyLength) {
    static const auto sendString = Multimedia<decltype(&mciSendStringW)>("mciSendStringW");
    if (sendString == nullptr) {
        return MCIERR_DEVICE_NOT_INSTALLED;
    }
    std::wstring wideReply(replyLength, L'\0');
    const MCIERROR result =
        sendString(Widen(command, CP_ACP).c_str(), replyLength > 0 ? wideReply.data() : nullptr,
                   replyLength, nullptr);
    CopyReply(wideReply, reply, replyLength);
    return result;
}

bool Win32MciPort::GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) {
    static const auto errorString = Multimedia<decltype(&mciGetErrorStringW)>("mciGetErrorStringW");
    std::wstring text(length, L'\0');
    if (errorString == nullptr || length == 0 || !errorString(error, text.data(), length)) {
        return false;
    }
    CopyReply(text, buffer, length);
    return true;
}

std::uint32_t Win32MciPort::WaveOutDeviceCount() {
    static const auto deviceCount = Multimedia<decltype(&waveOutGetNumDevs)>("waveOutGetNumDevs");
    return deviceCount != nullptr ? deviceCount() : 0;
}

std::int32_t Win32MciPort::PlayWaveSound(const char* sound, std::uint32_t flags) {
    static const auto playSound = Multimedia<decltype(&PlaySoundW)>("PlaySoundW");
    if (playSound == nullptr) {
        return FALSE;
    }
    if (sound == nullptr) {
        return playSound(nullptr, nullptr, flags);
    }
    return playSound(Widen(sound, CP_ACP).c_str(), nullptr, flags);
}

void UseWin32MusicPorts() {
    static Win32ProfilePort profilePort;
    static Win32MciPort mciPort;
    UseProfilePort(&profilePort);
    UseMciPort(&mciPort);
}
