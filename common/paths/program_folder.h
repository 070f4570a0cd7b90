#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Copies the running program's full path into buffer, which holds size characters, and answers
// as GetModuleFileNameW does: the characters copied, size itself when the path was cut off,
// 0 when it failed.
using ModulePathReader = std::function<std::uint32_t(wchar_t* buffer, std::uint32_t size)>;

// The whole path, however long: a path that filled the buffer may have been cut off, so the
// buffer grows until the answer is shorter than it. Empty when the platform fails.
std::wstring ReadProgramPath(const ModulePathReader& read);

// The folder of a program's full path, without the trailing separator except at a drive root
// ("C:\"); empty for a bare file name.
std::wstring FolderOfProgram(const std::wstring& programPath);

// A command line naming the program alone, quoted so that blanks in the path cannot split it.
std::wstring QuotedCommandLine(const std::wstring& programPath);

// Where a new file is written before it replaces the old one, in the same folder so that the
// replacement is a rename and a reader never sees half a file. The writer's name is in it
// (empty where there is none to give), so that what one user's killed program left half written
// is never in the way of another user's.
std::wstring TemporaryPathBeside(const std::wstring& path, const std::wstring& writer);
