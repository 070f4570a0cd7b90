#pragma once

// The real platform behind the settings and the music player. The screen saver calls
// UseWin32MusicPorts() once at start, before LoadSettings or any music call.

#include <string>

#include "music/mci_port.h"
#include "music/profile_port.h"

class Win32ProfilePort final : public ProfilePort {
  public:
    void ReadProfileValue(const char* section, const char* key, char* buffer, std::uint32_t size,
                          const char* file) override;
    std::int32_t WriteProfileValue(const char* section, const char* key, const char* value,
                                   const char* file) override;
    bool OpensForReading(const std::string& path) override;
    std::string ProgramFolder() override;
};

class Win32MciPort final : public MciPort {
  public:
    std::uint32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override;
    bool GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) override;
    std::uint32_t WaveOutDeviceCount() override;
    std::int32_t PlayWaveSound(const char* sound, std::uint32_t flags) override;
};

// Installs process-wide instances of both ports.
void UseWin32MusicPorts();
