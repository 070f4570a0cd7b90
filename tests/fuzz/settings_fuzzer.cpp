// Feeds arbitrary profile values to the settings, as GetPrivateProfileStringA hands them over
// from a settings file anyone may have edited: the input's lines are the stored kind, repeat
// track and music file, then the repeat box's text, then the paths that name files. Whatever
// the bytes (any code page's), the settings read are consistent, and what the dialog saves
// reads back the same at the next start.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "music/settings.h"

namespace {

// The profile functions' contract, in memory: a value cut to the buffer and NUL-terminated.
class FuzzedProfile final : public ProfilePort {
  public:
    std::map<std::string, std::string> values;  // by key; one section, one file
    std::set<std::string> files;

    void ReadProfileValue(const char*, const char* key, char* buffer, std::uint32_t size,
                          const char*) override {
        const std::string& value = values[key];
        const std::size_t kept = std::min<std::size_t>(value.size(), size - 1);
        std::memcpy(buffer, value.data(), kept);
        buffer[kept] = '\0';
    }
    std::int32_t WriteProfileValue(const char*, const char* key, const char* value,
                                   const char*) override {
        values[key] = value;
        return 1;
    }
    bool OpensForReading(const std::string& path) override { return files.count(path) > 0; }
    std::string ProgramFolder() override { return "C:\\Saver"; }
};

void RequireConsistentSettings(const FuzzedProfile& profile) {
    Require(BGMKind != kMusicFile || !BGMFile.empty(), "a music file kind has its file");
    Require(BGMFile.size() < 256, "a value is at most 255 bytes");
    const bool named =
        profile.files.count(BGMFile) > 0 ||
        (!BGMFile.empty() && profile.files.count(BGMFile.substr(0, BGMFile.size() - 1)) > 0);
    Require(BGMFile.empty() || named, "a music file kept is a file that exists");
    Require(BGMFile.empty() || BGMFile.compare(0, BGMFolder.size(), BGMFolder) == 0,
            "the chooser opens in the music file's folder");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = SplitInput(data, size, '\n');
    auto line = [&lines](std::size_t index) { return index < lines.size() ? lines[index] : ""; };
    FuzzedProfile profile;
    profile.values[kKindKey] = line(0);
    profile.values[kRepeatKey] = line(1);
    profile.values[kFileKey] = line(2);
    profile.files.insert(lines.begin() + std::min<std::size_t>(lines.size(), 4), lines.end());
    UseProfilePort(&profile);

    LoadSettings();
    RequireConsistentSettings(profile);
    Require(SaveSettings(line(3)), "every write succeeded");
    const std::int16_t kind = BGMKind;
    const std::int16_t repeat = BGMRepeat;
    const std::string file = BGMFile;
    LoadSettings();
    Require(BGMKind == kind && BGMRepeat == repeat && BGMFile == file,
            "what the dialog saves reads back the same");
    UseProfilePort(nullptr);
    return 0;
}
