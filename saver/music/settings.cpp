#include "music/settings.h"

#include <array>
#include <cstring>

#include "music/number_rules.h"
#include "rules/shared_values.h"

std::int16_t BGMKind = 0;
std::int16_t BGMRepeat = 0;
std::string BGMFile;
std::string BGMFolder;

const char kSettingsSection[] = "Section";
const char kKindKey[] = "BGM\x8B\xE6\x95\xAA";        // BGM区分
const char kRepeatKey[] = "BGM\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
const char kFileKey[] = "BGM\xCC\xA7\xB2\xD9";        // BGMﾌｧｲﾙ

namespace {

constexpr std::size_t kReadBufferSize = 256;
constexpr std::size_t kNameFieldSize = 128;

// Stands in until the program installs the platform: nothing stored, nothing found.
class NoProfile final : public ProfilePort {
  public:
    void ReadProfileValue(const char*, const char*, char* buffer, std::uint32_t size,
                          const char*) override {
        if (size > 0) {
            buffer[0] = '\0';
        }
    }
    std::int32_t WriteProfileValue(const char*, const char*, const char*, const char*) override {
        return 0;
    }
    bool OpensForReading(const std::string&) override { return false; }
    std::string ProgramFolder() override { return {}; }
};

NoProfile noProfile;
ProfilePort* profile = &noProfile;

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && path.back() == '\\';
}

// Section and key names travel in fixed fields of 128 characters, so at most 127 survive.
std::string NameField(const std::string& name) {
    return name.substr(0, kNameFieldSize - 1);
}

void LoadMusicFile(const std::string& storedFile) {
    BGMFile = storedFile;
    if (!BGMFile.empty() && IsTrue(File_Exists(BGMFile))) {
        BGMFolder = Path_Folder(BGMFile);
        return;
    }
    BGMFile.clear();
    if (BGMKind == kMusicFile) {
        BGMKind = 0;
    }
}

}  // namespace

void UseProfilePort(ProfilePort* port) {
    profile = port != nullptr ? port : &noProfile;
}

std::string SettingsPath() {
    return profile->ProgramFolder() + "\\Vorlenta.ini";
}

std::string Ini_Read(const std::string& section, const std::string& key, const std::string& file) {
    std::array<char, kReadBufferSize> buffer{};
    profile->ReadProfileValue(section.c_str(), key.c_str(), buffer.data(), buffer.size(),
                              file.c_str());
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

void Ini_Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file) {
    ApiResult = profile->WriteProfileValue(NameField(section).c_str(), NameField(key).c_str(),
                                           value.c_str(), file.c_str());
}

// A stored path with one trailing separator still names its file: that one character is
// dropped before the test. A folder never counts as a file.
Bool16 File_Exists(const std::string& path) {
    const std::string candidate = EndsWithSeparator(path) ? path.substr(0, path.size() - 1) : path;
    if (candidate.empty()) {
        return Bool16::False;
    }
    return ToBool16(profile->OpensForReading(candidate));
}

std::string Path_Folder(const std::string& path) {
    const std::size_t last = path.find_last_of(":\\");
    if (last == std::string::npos) {
        return {};
    }
    std::string folder = path.substr(0, last + 1);
    if (EndsWithSeparator(folder)) {
        folder.pop_back();
    }
    return folder;
}

void LoadSettings() {
    const std::string path = SettingsPath();
    BGMKind = SettingNumber(Ini_Read(kSettingsSection, kKindKey, path));
    BGMRepeat = SettingNumber(Ini_Read(kSettingsSection, kRepeatKey, path));
    BGMFolder = profile->ProgramFolder();
    LoadMusicFile(Ini_Read(kSettingsSection, kFileKey, path));
}

bool SaveSettings(const std::string& repeatBoxText) {
    const std::string path = SettingsPath();
    Ini_Write(kSettingsSection, kKindKey, std::to_string(BGMKind), path);
    bool written = ApiResult != 0;
    BGMRepeat = RepeatFromText(repeatBoxText);
    Ini_Write(kSettingsSection, kRepeatKey, std::to_string(BGMRepeat), path);
    written = written && ApiResult != 0;
    Ini_Write(kSettingsSection, kFileKey, BGMFile, path);
    return written && ApiResult != 0;
}
