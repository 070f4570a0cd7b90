#include "fake_ports.h"

#include <algorithm>
#include <cstring>

namespace {

void CopyCut(const std::string& text, char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) {
        return;
    }
    const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace

void FakeProfile::ReadProfileValue(const char* section, const char* key, char* buffer,
                                   std::uint32_t size, const char* file) {
    std::string value;
    const auto found = files.find(file);
    if (found != files.end()) {
        const auto entry = found->second.find({section, key});
        if (entry != found->second.end()) {
            value = entry->second;
        }
    }
    CopyCut(value, buffer, size);
}

std::int32_t FakeProfile::WriteProfileValue(const char* section, const char* key, const char* value,
                                            const char* file) {
    writes.push_back({section, key, value, file});
    if (refusedKeys.count(key) > 0) {
        return 0;
    }
    files[file][{section, key}] = value;
    return 1;
}

std::vector<std::string> ScriptedMci::Commands() const {
    std::vector<std::string> commands;
    for (const Sent& s : sent) {
        commands.push_back(s.command);
    }
    return commands;
}

std::uint32_t ScriptedMci::SendString(const char* command, char* reply, std::uint32_t replyLength) {
    sent.push_back({command, replyLength});
    const auto found = script.find(command);
    const Answer answer = found != script.end() ? found->second : Answer{};
    if (answer.error == 0) {
        CopyCut(answer.reply, reply, replyLength);
    }
    return answer.error;
}

bool ScriptedMci::GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) {
    const auto found = errorTexts.find(error);
    if (found == errorTexts.end()) {
        return false;
    }
    CopyCut(found->second, buffer, length);
    return true;
}

std::int32_t ScriptedMci::PlayWaveSound(const char* sound, std::uint32_t flags) {
    sounds.emplace_back(sound != nullptr ? sound : "", flags);
    return 1;
}
