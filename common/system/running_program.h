#pragma once

#include <string>

// The running program's folder, as FolderOfProgram gives it, whatever characters it holds;
// empty when Windows cannot say.
std::wstring RunningProgramFolder();
