#include "shell/messages.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

void Fail(const std::string& message) {
    std::fprintf(stderr, "vorlenta: %s\n", message.c_str());
}

std::string ErrorText(int code) {
    if (code == ENOENT) {
        return "no such file";
    }
    std::string text = std::strerror(code);
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}
