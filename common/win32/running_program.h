#pragma once

#include <string>

// The running program's folder, as FolderOfProgram gives it; empty when Windows cannot say.
std::string RunningProgramFolder();
