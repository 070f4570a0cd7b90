#include "system/running_program.h"

#include <windows.h>

#include "paths/program_folder.h"

std::wstring RunningProgramFolder() {
    return FolderOfProgram(ReadProgramPath([](wchar_t* buffer, std::uint32_t size) {
        return static_cast<std::uint32_t>(GetModuleFileNameW(nullptr, buffer, size));
    }));
}
