#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "music/mci_port.h"
#include "music/profile_port.h"

// Profile files in memory, keyed by path, section and key, with the platform's read rule:
// the value cut to the buffer and always NUL-terminated.
class FakeProfile final : public ProfilePort {
  public:
    struct Write {
        std::string section, key, value, file;
    };

    std::map<std::string, std::map<std::pair<std::string, std::string>, std::string>> files;
    std::set<std::string> readableFiles;
    std::string programFolder = "C:\\Saver";
    std::vector<Write> writes;
    std::set<std::string> refusedKeys;  // writes of these keys fail, as on a read-only file

    void ReadProfileValue(const char* section, const char* key, char* buffer, std::uint32_t size,
                          const char* file) override;
    std::int32_t WriteProfileValue(const char* section, const char* key, const char* value,
                                   const char* file) override;
    bool OpensForReading(const std::string& path) override { return readableFiles.count(path) > 0; }
    std::string ProgramFolder() override { return programFolder; }
};

// An MCI device that answers by script; unscripted commands succeed with an empty reply.
class ScriptedMci final : public MciPort {
  public:
    struct Sent {
        std::string command;
        std::uint32_t replyLength;
    };
    struct Answer {
        std::uint32_t error = 0;
        std::string reply;
    };

    std::map<std::string, Answer> script;
    std::map<std::uint32_t, std::string> errorTexts;
    std::vector<Sent> sent;
    std::uint32_t waveDevices = 1;
    std::vector<std::pair<std::string, std::uint32_t>> sounds;  // name ("" for none), flags

    void Reply(const std::string& command, const std::string& reply) {
        script[command] = {0, reply};
    }
    void Fail(const std::string& command, std::uint32_t error) { script[command] = {error, ""}; }
    std::vector<std::string> Commands() const;

    std::uint32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override;
    bool GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) override;
    std::uint32_t WaveOutDeviceCount() override { return waveDevices; }
    std::int32_t PlayWaveSound(const char* sound, std::uint32_t flags) override;
};
