// Feeds arbitrary replies to the music player as mciSendStringA hands them over from whatever
// drive, disc or codec answers: the input's first line is the stored repeat track, every
// further line answers the next command ("!" and a number: that error, with the rest of the
// line as its text). The run form's course is played through: the CD opened, polled while it
// plays on, stopped; then an MP3 file played, polled and stopped.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "music/music_player.h"
#include "music/number_rules.h"
#include "music/settings.h"

namespace {

// What each poll may take at most: more would only repeat the same steps.
constexpr int kPolls = 64;

// The multimedia functions' contract: replies and error texts cut to the buffer and
// NUL-terminated.
class FuzzedMci final : public MciPort {
  public:
    explicit FuzzedMci(std::vector<std::string> answers) : answers_(std::move(answers)) {}

    bool Answering() const { return next_ < answers_.size(); }

    std::uint32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override {
        Require(command != nullptr && *command != '\0', "no empty command is sent");
        const std::string answer = Answering() ? answers_[next_++] : "";
        if (!answer.empty() && answer[0] == '!') {
            error_ = answer.substr(1);
            const std::uint32_t code =
                static_cast<std::uint32_t>(std::strtoul(error_.c_str(), nullptr, 10));
            return code != 0 ? code : 1;
        }
        Copy(answer, reply, replyLength);
        return 0;
    }
    bool GetErrorString(std::uint32_t, char* buffer, std::uint32_t length) override {
        const std::size_t text = error_.find(' ');
        if (text == std::string::npos) {
            return false;
        }
        Copy(error_.substr(text + 1), buffer, length);
        return true;
    }
    std::uint32_t WaveOutDeviceCount() override { return 1; }
    std::int32_t PlayWaveSound(const char*, std::uint32_t) override { return 1; }

  private:
    static void Copy(const std::string& text, char* buffer, std::uint32_t length) {
        if (buffer == nullptr || length == 0) {
            return;
        }
        const std::size_t kept = std::min<std::size_t>(text.size(), length - 1);
        std::memcpy(buffer, text.data(), kept);
        buffer[kept] = '\0';
    }

    std::vector<std::string> answers_;
    std::size_t next_ = 0;
    std::string error_;
};

void PlayCD(Kessamir_BGM& player, const FuzzedMci& mci) {
    player.OpenCD();
    for (int poll = 0; poll < kPolls && mci.Answering(); ++poll) {
        player.PollCD();
        if (!player.CDAvailable()) {
            break;
        }
    }
    player.StopCD();
}

void PlayMP3(Kessamir_BGM& player, const FuzzedMci& mci) {
    player.PlayMP3();
    for (int poll = 0; poll < kPolls && mci.Answering(); ++poll) {
        player.PollMP3();
    }
    player.StopMP3();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = SplitInput(data, size, '\n');
    BGMRepeat = SettingNumber(lines.front());
    BGMFile = "C:\\Music\\a.mp3";
    FuzzedMci mci(std::vector<std::string>(lines.begin() + 1, lines.end()));
    UseMciPort(&mci);
    Kessamir_BGM player;
    PlayCD(player, mci);
    PlayMP3(player, mci);
    Require(ReplyText.size() < ReplyBuffer.size(), "a reply fits its buffer");
    UseMciPort(nullptr);
    return 0;
}
