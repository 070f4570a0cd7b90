#include "win32/running_program.h"

#include <windows.h>

#include "paths/program_folder.h"

std::string RunningProgramFolder() {
    return FolderOfProgram(ReadProgramPath([](char* buffer, std::uint32_t size) {
        return static_cast<std::uint32_t>(GetModuleFileNameA(nullptr, buffer, size));
    }));
}
