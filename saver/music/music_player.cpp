#include "music/music_player.h"

#include <cstring>
#include <optional>

#include "music/number_rules.h"
#include "music/settings.h"
#include "rules/shared_values.h"
#include "rules/text_rules.h"

Bool16 CDAvailable = Bool16::False;
std::array<char, 256> ModeText{};
std::array<char, 512> ReplyBuffer{};
std::array<char, 256> ErrorBuffer{};
std::array<char, 30> MP3ModeText{};
std::string ReplyText;

namespace {

// コマンド文字列が指定されていません
const char kNoCommandText[] =
    "\x83\x52\x83\x7D\x83\x93\x83\x68\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8E\x77\x92\xE8\x82\xB3"
    "\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1";
// Error (文字列が取れません)
const char kNoErrorText[] =
    "Error (\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1)";

constexpr std::uint32_t kCDModeLength = 255;
constexpr char kCDDevice[] = "cdaudio";

// Stands in until the program installs the platform: every command fails, nothing plays.
class NoMultimedia final : public MciPort {
  public:
    std::uint32_t SendString(const char*, char*, std::uint32_t) override { return 1; }
    bool GetErrorString(std::uint32_t, char*, std::uint32_t) override { return false; }
    std::uint32_t WaveOutDeviceCount() override { return 0; }
    std::int32_t PlayWaveSound(const char*, std::uint32_t) override { return 0; }
};

NoMultimedia noMultimedia;
MciPort* mci = &noMultimedia;

template <std::size_t N>
std::string TextOf(const std::array<char, N>& buffer) {
    return std::string(buffer.data(), strnlen(buffer.data(), N));
}

template <std::size_t N>
bool StartsWith(const std::array<char, N>& buffer, const char* prefix) {
    return std::strncmp(buffer.data(), prefix, std::strlen(prefix)) == 0;
}

std::int32_t SendWithoutReply(const char* command) {
    return static_cast<std::int32_t>(mci->SendString(command, nullptr, 0));
}

// Replies are plain ASCII, so folding ASCII letters is enough to find the marker.
bool IsFailure(const std::string& reply) {
    return UpperCase(reply).find("ERR") != std::string::npos;
}

bool CDStopped() {
    ModeText.fill('\0');
    ApiResult = static_cast<std::int32_t>(
        mci->SendString("status cdaudio mode", ModeText.data(), kCDModeLength));
    return StartsWith(ModeText, "stopped");
}

// A repeat track the disc lacks answers its position query with the error marker; sending
// that on as a start position would keep the disc silent for the whole run, so the disc is
// played on as if no track were chosen.
void PlayRepeatTrack(bool stopped) {
    const std::string start =
        MciQuery("status cdaudio position track " + std::to_string(BGMRepeat));
    if (!IsFailure(start)) {
        MciPlay(kCDDevice, start, "");
    } else if (stopped) {
        MciPlay(kCDDevice, "", "");
    }
}

// One poll of the CD; false when the drive, the disc or its replies fail.
bool KeepCDPlaying() {
    const std::string current = MciQuery("status cdaudio current track");
    if (IsFailure(current)) {
        return false;
    }
    if (IsFailure(MciQuery("status cdaudio number of tracks"))) {
        return false;
    }
    const bool stopped = CDStopped();
    if (BGMRepeat == 0) {
        if (stopped) {
            MciPlay(kCDDevice, "", "");
        }
        return true;
    }
    const std::optional<double> currentTrack = NumericValue(current);
    if (!currentTrack) {
        return false;
    }
    if (stopped || *currentTrack != BGMRepeat) {
        PlayRepeatTrack(stopped);
    }
    return true;
}

}  // namespace

void UseMciPort(MciPort* port) {
    mci = port != nullptr ? port : &noMultimedia;
}

std::int32_t MciCommand(const std::string& command, std::string& reply) {
    if (command.empty()) {
        reply = kNoCommandText;
        return -1;
    }
    ReplyBuffer.fill('\0');
    ApiResult = static_cast<std::int32_t>(
        mci->SendString(command.c_str(), ReplyBuffer.data(), ReplyBuffer.size()));
    if (ApiResult == 0) {
        reply = TextOf(ReplyBuffer);
        return 0;
    }
    ErrorBuffer.fill('\0');
    const bool haveText = mci->GetErrorString(static_cast<std::uint32_t>(ApiResult),
                                              ErrorBuffer.data(), ErrorBuffer.size());
    reply = haveText ? TextOf(ErrorBuffer) : kNoErrorText;
    return ApiResult;
}

std::string MciQuery(const std::string& command) {
    const std::int32_t result = MciCommand(command, ReplyText);
    ApiResult = result;
    return result != 0 ? "Error:" + std::to_string(result) : ReplyText;
}

std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) {
        command += " from " + from;
    }
    if (!to.empty()) {
        command += " to " + to;
    }
    return MciCommand(command, ReplyText);
}

void Kessamir_BGM::OpenCD() {
    ApiResult = SendWithoutReply("open cdaudio");
    ApiResult = SendWithoutReply("set cdaudio time format tmsf");
}

void Kessamir_BGM::PollCD() {
    ::CDAvailable = Bool16::True;
    if (!KeepCDPlaying()) {
        ::CDAvailable = Bool16::False;
    }
}

bool Kessamir_BGM::CDAvailable() const {
    return IsTrue(::CDAvailable);
}

void Kessamir_BGM::StopCD() {
    ApiResult = SendWithoutReply("stop cdaudio");
    ApiResult = SendWithoutReply("close cdaudio");
}

void Kessamir_BGM::PlayMP3() {
    const std::string open = "open \"" + BGMFile + "\" type MPEGVideo Alias MP3Play";
    if (SendWithoutReply(open.c_str()) == 0) {
        SendWithoutReply("play MP3Play");
    }
}

Bool16 Kessamir_BGM::IsMP3Playing() {
    MP3ModeText.fill('\0');
    mci->SendString("status MP3Play mode", MP3ModeText.data(), MP3ModeText.size());
    return ToBool16(StartsWith(MP3ModeText, "playing"));
}

void Kessamir_BGM::PollMP3() {
    if (IsTrue(IsMP3Playing())) {
        return;
    }
    SendWithoutReply("stop MP3Play");
    SendWithoutReply("play MP3Play from 0");
}

void Kessamir_BGM::StopMP3() {
    SendWithoutReply("stop MP3Play");
    SendWithoutReply("close MP3Play");
}

void Kessamir_BGM::PlayWave() {
    if (mci->WaveOutDeviceCount() > 0) {
        ApiResult = mci->PlayWaveSound(BGMFile.c_str(), kSoundAsync | kSoundLoop);
    }
}

void Kessamir_BGM::StopWave() {
    ApiResult = mci->PlayWaveSound(nullptr, 0);
}
