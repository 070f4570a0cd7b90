#include "logic/command_line.h"

#include "rules/text_rules.h"

namespace {

// The handle is the number that the text from the 4th character on begins with, so "/p 1234"
// and "/p:1234" read alike. Windows writes it unsigned, so handles above 2^31 - 1 are
// handles too; a number too large for 32 bits reads as no handle.
uint32_t PreviewHandle(std::string_view commandLine) {
    if (commandLine.size() < 4) {
        return 0;
    }
    return ToUnsigned32(Val(commandLine.substr(3))).value_or(0);
}

SaverMode ModeOf(std::string_view commandLine, const std::string& letter) {
    if (letter == "P") {
        return SaverMode::Preview;
    }
    if (letter == "C") {
        return SaverMode::Configure;
    }
    if (letter == "S") {
        return SaverMode::Run;
    }
    return commandLine.empty() ? SaverMode::RunShown : SaverMode::Other;
}

}  // namespace

StartRequest ParseCommandLine(std::string_view commandLine) {
    StartRequest request;
    request.modeLetter = ModeLetter(commandLine);
    request.mode = ModeOf(commandLine, request.modeLetter);
    request.previewHandle = request.mode == SaverMode::Preview ? PreviewHandle(commandLine) : 0;
    return request;
}
