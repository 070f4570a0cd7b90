#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Copies the running program's full path into buffer, which holds size characters, and answers
// as GetModuleFileNameA does: the characters copied, size itself when the path was cut off,
// 0 when it failed.
using ModulePathReader = std::function<std::uint32_t(char* buffer, std::uint32_t size)>;

// The whole path, however long: a path that filled the buffer may have been cut off, so the
// buffer grows until the answer is shorter than it. Empty when the platform fails.
std::string ReadProgramPath(const ModulePathReader& read);

// The folder of a program's full path, without the trailing separator except at a drive root
// ("C:\"); empty for a bare file name.
std::string FolderOfProgram(const std::string& programPath);
