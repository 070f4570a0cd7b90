#pragma once

// The background-music player Kessamir_BGM: an audio CD through the MCI device "cdaudio", one
// MP3 file through "MPEGVideo" under the alias "MP3Play", or one wave file looped by
// PlaySound. The run form starts the music with OpenCD, PlayMP3 or PlayWave, keeps CD and MP3
// going with PollCD (every 200 ms, while CDAvailable stays true) and PollMP3 (every 1000 ms),
// and stops it with StopCD, StopMP3 or StopWave. What to play comes from the settings
// (settings.h).
//
// Before the first call, the program installs the platform once with UseWin32MusicPorts()
// (win32_music_ports.h); without it every command fails quietly and nothing plays.

#include <array>
#include <cstdint>
#include <string>

#include "music/bool16.h"
#include "music/mci_port.h"

// Set true at the start of each PollCD, false once a CD status query fails; the run form
// keeps the CD poll running only while it is true.
extern Bool16 CDAvailable;

// Reply buffers, filled with NULs before each command and read up to their first NUL.
extern std::array<char, 256> ModeText;     // CD mode; 255 characters offered to the device
extern std::array<char, 512> ReplyBuffer;  // reply of every MciCommand
extern std::array<char, 256> ErrorBuffer;  // error text of a failed MciCommand
extern std::array<char, 30> MP3ModeText;   // MP3 mode
extern std::string ReplyText;              // reply, or error text, of the last MciCommand

// Installs the platform behind the player; nullptr puts back the silent default.
void UseMciPort(MciPort* port);

// Sends command; reply gets the device's reply or an error text. 0 on success, else the
// error code; -1 for an empty command, which is not sent.
std::int32_t MciCommand(const std::string& command, std::string& reply);

// The reply of command, or "Error:" and the error code when it fails.
std::string MciQuery(const std::string& command);

// Sends "play <device>" with " from <from>" and " to <to>" for the positions given.
std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

// The player as the run form drives it.
class MusicPlayer {
  public:
    virtual ~MusicPlayer() = default;
    virtual void OpenCD() = 0;
    virtual void PollCD() = 0;
    virtual void StopCD() = 0;
    // The flag the last PollCD left behind.
    virtual bool CDAvailable() const = 0;
    virtual void PlayMP3() = 0;
    virtual void PollMP3() = 0;
    virtual void StopMP3() = 0;
    virtual void PlayWave() = 0;
    virtual void StopWave() = 0;
};

// The player itself; its state is the module's globals above, so any instance plays the same.
class Kessamir_BGM final : public MusicPlayer {
  public:
    void OpenCD() override;
    void PollCD() override;
    void StopCD() override;
    bool CDAvailable() const override;
    void PlayMP3() override;
    void PollMP3() override;
    Bool16 IsMP3Playing();
    void StopMP3() override;
    void PlayWave() override;
    void StopWave() override;
};
