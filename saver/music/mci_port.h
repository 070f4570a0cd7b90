#pragma once

#include <cstdint>

// What the music player needs from the platform's multimedia layer. The Win32 build
// implements it with mciSendStringA, mciGetErrorStringA, waveOutGetNumDevs and PlaySoundA
// (win32_music_ports.h); tests script it.
class MciPort {
  public:
    virtual ~MciPort() = default;

    // mciSendStringA without a callback window: 0 on success, else the error code. reply may
    // be nullptr with replyLength 0 when no reply is wanted.
    virtual std::uint32_t SendString(const char* command, char* reply,
                                     std::uint32_t replyLength) = 0;

    // mciGetErrorStringA: the error's text into buffer; false when the text cannot be had.
    virtual bool GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) = 0;

    // waveOutGetNumDevs.
    virtual std::uint32_t WaveOutDeviceCount() = 0;

    // PlaySoundA with no module handle; sound may be nullptr (stop). Returns the BOOL result.
    virtual std::int32_t PlayWaveSound(const char* sound, std::uint32_t flags) = 0;
};

// PlaySound flags, with the values of the Windows headers.
constexpr std::uint32_t kSoundAsync = 0x0001;
constexpr std::uint32_t kSoundLoop = 0x0008;
